// The documents and pictures as bytes, and the writes that cannot half-write.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "export/paint.h"

namespace numplace::exports {
namespace {

// The texts of this file for the translators (Japanese is the source).
class PaperFiles {
  Q_DECLARE_TR_FUNCTIONS(PaperFiles)

 public:
  static QString cannotWrite(const QString &path, const QString &why) {
    return tr("「%1」に書き込めません：%2").arg(QDir::toNativeSeparators(path), why);
  }
  static QString notAFile() { return tr("ファイルではありません。"); }
  static QString noFolder(const QString &folder) {
    return tr("フォルダ「%1」がありません。").arg(QDir::toNativeSeparators(folder));
  }
  static QString cannotCreate(const QString &reason) { return tr("ファイルを作れません（%1）。").arg(reason); }
  static QString writeFailed(const QString &reason) { return tr("書き込みに失敗しました（%1）。").arg(reason); }
  static QString keptAsItWas() { return tr("元のファイルはそのままです。"); }
  static QString nothingToPrint() { return tr("印刷する問題がありません。"); }
  static QString badPerPage() { return tr("1ページの問題の数は1、2、4、6のどれかです。"); }
  static QString badSize(int low, int high) { return tr("画像の大きさは%1から%2ピクセルです。").arg(low).arg(high); }
  static QString notPainted() { return tr("描けませんでした。"); }
};

QString pathOf(const std::string &path) { return QFile::decodeName(path.c_str()); }

// Raster lines on whole pixels; a white margin keeps the frame off the edge.
double pictureMargin(int pixels) { return std::round(pixels / 50.0); }

void paintPicture(QPainter &painter, const BoardContent &board, int pixels, bool raster) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(QRectF(0, 0, pixels, pixels), Qt::white);
  const double margin = pictureMargin(pixels);
  const double side = pixels - 2 * margin;
  paintBoard(painter, QRectF(margin, margin, side, side), board,
             {.thin = side / 400, .thick = std::max(2.0, side / 130), .snap = raster});
}

bool pictureSizeFits(int pixels) { return pixels >= kMinPicturePixels && pixels <= kMaxPicturePixels; }

WriteResult saved(const std::string &path, const QByteArray &bytes, int pages = 0) {
  WriteResult result;
  if (bytes.isEmpty()) {
    result.error = PaperFiles::cannotWrite(pathOf(path), PaperFiles::notPainted()).toStdString();
  } else if (const std::optional<QString> error = saveWhole(pathOf(path), bytes)) {
    result.error = error->toStdString();
  } else {
    result.pages = pages;
  }
  return result;
}

WriteResult refused(const std::string &path, const QString &why) {
  return {.error = PaperFiles::cannotWrite(pathOf(path), why).toStdString(), .pages = 0};
}

}  // namespace

QByteArray documentPdf(const PaperDocument &document, const PdfSettings &settings, int *pages) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  int painted = 0;
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(settings.title));
    writer.setCreator(QString::fromStdString(settings.creator));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    painted = paintDocument(writer, document);
  }
  if (pages != nullptr) *pages = painted;
  return painted > 0 ? buffer.data() : QByteArray();
}

QImage boardImage(const BoardContent &board, int pixels) {
  QImage image(pixels, pixels, QImage::Format_RGB32);
  QPainter painter(&image);
  paintPicture(painter, board, pixels, true);
  return image;
}

QByteArray boardPng(const BoardContent &board, int pixels) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!boardImage(board, pixels).save(&buffer, "PNG")) return {};
  return buffer.data();
}

QByteArray boardSvg(const BoardContent &board, int pixels, const QString &title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(pixels, pixels));
  generator.setViewBox(QRect(0, 0, pixels, pixels));
  // Its width and height in millimetres come out as `pixels` CSS pixels.
  generator.setResolution(96);
  generator.setTitle(title);
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  paintPicture(painter, board, pixels, false);
  painter.end();
  return buffer.data();
}

std::optional<QString> saveWhole(const QString &path, const QByteArray &bytes) {
  const QFileInfo target(path);
  const bool existed = target.exists();
  // A folder or a device cannot be replaced by renaming a file over it (and
  // must not be).
  if (existed && !target.isFile()) return PaperFiles::cannotWrite(path, PaperFiles::notAFile());
  const QString folder = target.absolutePath();
  if (!QFileInfo(folder).isDir()) return PaperFiles::cannotWrite(path, PaperFiles::noFolder(folder));
  const auto failed = [&](const QString &why) {
    return PaperFiles::cannotWrite(path, existed ? why + PaperFiles::keptAsItWas() : why);
  };
  QSaveFile file(path);
  // Unbuffered: QSaveFile (Qt 6.4) notes a failed write only while writing,
  // and would rename a file cut short by a failure in the last flush of its
  // buffer over the target.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return failed(PaperFiles::cannotCreate(file.errorString()));
  }
  errno = 0;
  if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
    // Qt keeps no reason for a failed write ("Unknown error"); the system's is apt.
    const int code = errno;
    const QString why = code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
    file.cancelWriting();
    return failed(PaperFiles::writeFailed(why));
  }
  if (!file.commit()) return failed(PaperFiles::writeFailed(file.errorString()));
  return std::nullopt;
}

WriteResult writePdf(const std::string &path, const PaperDocument &document, const PdfSettings &settings) {
  if (document.puzzles.empty()) return refused(path, PaperFiles::nothingToPrint());
  if (document.layout == Layout::Collection && !isPerPage(document.perPage)) {
    return refused(path, PaperFiles::badPerPage());
  }
  int pages = 0;
  const QByteArray bytes = documentPdf(document, settings, &pages);
  return saved(path, bytes, pages);
}

WriteResult writePng(const std::string &path, const BoardContent &board, int pixels) {
  if (!pictureSizeFits(pixels)) return refused(path, PaperFiles::badSize(kMinPicturePixels, kMaxPicturePixels));
  return saved(path, boardPng(board, pixels));
}

WriteResult writeSvg(const std::string &path, const BoardContent &board, int pixels, const std::string &title) {
  if (!pictureSizeFits(pixels)) return refused(path, PaperFiles::badSize(kMinPicturePixels, kMaxPicturePixels));
  return saved(path, boardSvg(board, pixels, QString::fromStdString(title)));
}

}  // namespace numplace::exports
