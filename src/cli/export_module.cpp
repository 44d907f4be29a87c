// numplace-cli's export module: the Qt side of --pdf, --png and --svg,
// loaded with dlopen only when one of them is given.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <memory>

#include "cli/export_order.h"

namespace {

QtMessageHandler earlierHandler = nullptr;

// The offscreen platform asks for the session's runtime folder, which a
// plain terminal or a script need not have; the warning about it would come
// with every export and says nothing about the export.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (earlierHandler != nullptr) earlierHandler(type, context, message);
}

// A QGuiApplication for the fonts and the painting, on the offscreen
// platform unless one is set: numplace-cli needs no display.
std::unique_ptr<QGuiApplication> guiApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // QGuiApplication keeps a reference to the count and the arguments.
  static int argc = 1;
  static char name[] = "numplace-cli";
  static char *argv[] = {name, nullptr};
  earlierHandler = qInstallMessageHandler(quietHandler);
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void numplace_cli_export_1(const numplace::ExportOrder &order,
                                                                             numplace::ExportReport &report) {
  const std::unique_ptr<QGuiApplication> application = guiApplication();
  using namespace numplace::exports;
  const auto note = [&report](const WriteResult &written) {
    if (written.error) report.errors.push_back(*written.error);
    return written.pages;
  };
  if (order.pdfPath) report.pdfPages = note(writePdf(*order.pdfPath, order.document, order.pdf));
  if (order.pngPath) note(writePng(*order.pngPath, order.picture, order.pixels));
  if (order.svgPath) note(writeSvg(*order.svgPath, order.picture, order.pixels, order.pictureTitle));
}
