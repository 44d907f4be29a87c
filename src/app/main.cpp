// numplace: the window. With --screenshot it plays the given actions on the
// window and saves its picture instead of showing it, which also works
// without a display.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <array>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/fonts.h"
#include "app/scripted.h"
#include "app/window.h"
#include "cli/actions.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr int kNoDisplay = 3;

// The launcher's name without ".desktop": it ties the window to its launcher and icon.
constexpr char kDesktopFileName[] = "io.github.numplace.numplace";
constexpr char kIconName[] = "numplace";

bool named(std::string_view argument, std::span<const std::string_view> names) {
  for (std::string_view name : names) {
    if (argument == name) return true;
    if (name.starts_with("--") && argument.starts_with(name) && argument.substr(name.size()).starts_with("=")) {
      return true;
    }
  }
  return false;
}

constexpr std::array<std::string_view, 6> kHelpOrVersion{"-h", "-?", "--help", "--help-all", "-v", "--version"};
constexpr std::string_view kScreenshot = "--screenshot";
constexpr std::string_view kAtPrompt = "--at-prompt";
constexpr std::array<std::string_view, 2> kScreenshotOption{kScreenshot, kAtPrompt};

bool platformChosen(int argc, char **argv) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "-platform") return true;
  }
  return false;
}

}  // namespace

int main(int argc, char **argv) {
  const bool chosen = platformChosen(argc, argv);
  const bool hasDisplay = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
  if (!chosen) {
    // With offscreen last in the list, an unreachable display becomes the
    // message below instead of an abort inside QApplication.
    if (!hasDisplay) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
      qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
    } else {
      qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    }
  }

  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("numplace"));
  QCoreApplication::setApplicationVersion(QStringLiteral(NUMPLACE_VERSION));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
  QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kIconName)));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Solves number-place puzzles and shows how, in one window."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Play the actions, save a PNG of the window to FILE and quit, without showing the window."),
      QStringLiteral("FILE"));
  parser.addOption(screenshot);
  const QCommandLineOption atPrompt(
      QStringLiteral("at-prompt"),
      QStringLiteral("With --screenshot: take the picture as prompt N opens, in the middle of a run."),
      QStringLiteral("N"));
  parser.addOption(atPrompt);
  parser.addPositionalArgument(QStringLiteral("actions"),
                               QStringLiteral("Actions as numplace-cli takes them, played on the window in order."),
                               QStringLiteral("[ACTIONS...]"));

  // The actions are read by the parser that numplace-cli uses; only the
  // window's own options go to QCommandLineParser.
  QStringList options{QString::fromLocal8Bit(argv[0])};
  std::vector<numplace::Action> actions;
  for (int i = 1; i < argc;) {
    const std::string_view argument = argv[i];
    if (named(argument, kHelpOrVersion) || named(argument, kScreenshotOption)) {
      options << QString::fromLocal8Bit(argv[i]);
      if (i + 1 < argc) options << QString::fromLocal8Bit(argv[++i]);
      ++i;
      continue;
    }
    std::string error;
    const int used = numplace::parseAction(argc, argv, i, actions, error);
    if (used < 0) {
      std::fprintf(stderr, "numplace: %s\n", error.c_str());
      return kUsageError;
    }
    if (used == 0) {
      std::fprintf(stderr, "numplace: unknown action or option: %s (see --help)\n", argv[i]);
      return kUsageError;
    }
    i += used;
  }
  if (!parser.parse(options)) {
    std::fprintf(stderr, "numplace: %s\n", qPrintable(parser.errorText()));
    return kUsageError;
  }
  if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) parser.showHelp(0);
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();

  if (!chosen && !parser.isSet(screenshot) && QGuiApplication::platformName() == QLatin1String("offscreen")) {
    std::fprintf(stderr,
                 "numplace: no display to show the window on (DISPLAY is %s); "
                 "use numplace-cli, or --screenshot FILE\n",
                 hasDisplay ? "unreachable" : "not set");
    return kNoDisplay;
  }

  numplace::app::installFontSubstitutions();
  numplace::app::MainWindow window;
  const int snapshotPrompt = parser.isSet(atPrompt) ? parser.value(atPrompt).toInt() : 0;
  bool saved = false;
  std::function<void(int)> beforePrompt;
  if (snapshotPrompt > 0 && parser.isSet(screenshot)) {
    window.show();
    beforePrompt = [&](int n) {
      if (n != snapshotPrompt) return;
      QCoreApplication::processEvents();
      saved = numplace::app::saveScreenshot(window, parser.value(screenshot));
    };
  }
  if (const auto error = numplace::app::playActions(window, actions, beforePrompt)) {
    std::fprintf(stderr, "numplace: %s\n", error->c_str());
    return kUsageError;
  }
  window.show();
  if (parser.isSet(screenshot) && snapshotPrompt > 0) {
    if (!saved) std::fprintf(stderr, "numplace: the run asked fewer than %d prompts\n", snapshotPrompt);
    return saved ? 0 : kFailure;
  }
  if (parser.isSet(screenshot)) {
    QCoreApplication::processEvents();
    const QString file = parser.value(screenshot);
    if (!numplace::app::saveScreenshot(window, file)) {
      std::fprintf(stderr, "numplace: cannot write %s\n", qPrintable(file));
      return kFailure;
    }
    return 0;
  }
  return QApplication::exec();
}
