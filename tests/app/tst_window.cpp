// The window against its layout table, the wiring of presses, keys and clicks
// to the engine, the drawing surface and the prompt, the accessible names, the
// puzzle paste and the file drop, all driven through real Qt events.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/boxes.h"
#include "app/canvas.h"
#include "app/fonts.h"
#include "app/input.h"
#include "app/prompts.h"
#include "app/scripted.h"
#include "app/translations.h"
#include "app/window.h"
#include "board/layout.h"

using numplace::ControlKind;
using numplace::ControlRef;
using numplace::Ending;
using numplace::app::Canvas;
using numplace::app::MainWindow;

namespace {

// A well-known puzzle with a unique solution, row by row, '.' for empty.
const std::string kPuzzle = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

constexpr int kPixel = 15;  // twips

std::set<QRgb> coloursIn(const QImage &image, const QRect &area) {
  std::set<QRgb> colours;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
  }
  return colours;
}

bool blank(const QImage &image, const QRect &area) { return coloursIn(image, area) == std::set<QRgb>{0xFFFFFF}; }

bool hasKind(QWidget *w, ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return qobject_cast<QLineEdit *>(w) != nullptr;
    case ControlKind::Label:
      return qobject_cast<QLabel *>(w) != nullptr;
    case ControlKind::Button:
      return qobject_cast<QPushButton *>(w) != nullptr;
  }
  return false;
}

// What a screen reader is told a widget is called.
QString spokenName(QWidget *w) {
  QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
  return face != nullptr ? face->text(QAccessible::Name) : QString();
}

// The texts of the 81 cell boxes, row by row.
QStringList gridTexts(MainWindow &window) {
  QStringList texts;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c)
      texts << static_cast<QLineEdit *>(window.control({"Text15", numplace::cellIndex(r, c)}))->text();
  }
  return texts;
}

// The cell texts a puzzle line written with '.' for empty cells should leave.
QStringList expectedGrid(const std::string &puzzle) {
  QStringList texts;
  for (const char ch : puzzle) texts << (ch == '.' ? QString() : QString(QChar::fromLatin1(ch)));
  return texts;
}

// Sends a drag that enters at `at` (window coordinates) and drops there, as
// the window system delivers it: to the window, which hands it to the widget
// under the pointer that takes drops. Returns whether the drag was accepted.
bool dragAndDrop(MainWindow &window, const QMimeData &data, QPoint at, Qt::DropAction *done = nullptr) {
  QWindow *handle = window.windowHandle();
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
  enter.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(handle, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
  drop.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(handle, &drop);
  if (done != nullptr) *done = drop.dropAction();
  return drop.isAccepted();
}

// The prompt dialog now open, if any.
numplace::app::PromptDialog *openPrompt() {
  for (QWidget *w : QApplication::topLevelWidgets()) {
    auto *dialog = dynamic_cast<numplace::app::PromptDialog *>(w);
    if (dialog != nullptr && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

struct RecordingPrompt : numplace::Prompt {
  std::optional<std::string> ask(const numplace::PromptRequest &request) override {
    requests.push_back(request);
    return "2";  // run to the end
  }
  std::vector<numplace::PromptRequest> requests;
};

}  // namespace

class TstWindow : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startUpFollowsLayoutTable() {
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window.size(), QSize(1016, 734));
    QCOMPARE(window.scale(), 1.0);
    QCOMPARE(window.canvas().geometry(), window.rect());
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      QWidget *w = window.control(control.ref());
      QVERIFY2(w != nullptr && hasKind(w, control.kind), control.name.data());
      QCOMPARE(w->parentWidget(), &window);
      QCOMPARE(window.controls().text(control.ref()), std::string(control.text));
      QCOMPARE(w->geometry(),
               QRect(control.left / kPixel, control.top / kPixel, control.width / kPixel, control.height / kPixel));
      QCOMPARE(w->font().pointSizeF(), control.fontSize);
      QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("IPAPGothic"));
    }
    // Label1 overlaps the top edge of Text3: the box shows there, not the label.
    QWidget *text3 = window.control({"Text3", 0});
    const QRect overlap = window.control({"Label1", 0})->geometry() & text3->geometry();
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(window.childAt(overlap.center()), text3);
  }

  // Scaled, every control keeps its place in the table, rounded to whole
  // pixels, with its font scaled alike, and the drawing is scaled with them.
  void scaledLayoutFollowsTable_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("1.5x on 1280x1024") << MainWindow::scaleToFit(QSize(853, 683), QMargins(1, 20, 1, 1));
    QTest::newRow("x0.3") << 0.3;
    QTest::newRow("x2") << 2.0;
  }

  void scaledLayoutFollowsTable() {
    QFETCH(double, scale);
    MainWindow window;
    window.setScale(scale);
    QCOMPARE(window.scale(), scale);
    const QRect client(QPoint(0, 0), MainWindow::sizeAt(scale));
    QCOMPARE(window.canvas().geometry(), client);
    QCOMPARE(window.canvas().picture().size(), client.size());
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      QWidget *w = window.control(control.ref());
      const QRectF exact(control.left * scale / kPixel, control.top * scale / kPixel, control.width * scale / kPixel,
                         control.height * scale / kPixel);
      const QRect at = w->geometry();
      QVERIFY2(qAbs(at.left() - exact.left()) <= 0.5 && qAbs(at.top() - exact.top()) <= 0.5 &&
                   qAbs(at.right() + 1 - exact.right()) <= 0.5 && qAbs(at.bottom() + 1 - exact.bottom()) <= 0.5,
               control.name.data());
      QVERIFY(client.contains(at));
      QCOMPARE(w->font().pointSizeF(), control.fontSize * scale);
    }
    // No gap opens between cells that share a border in the table.
    for (int r = 1; r <= 9; ++r) {
      for (const int c : {1, 2, 4, 5, 7, 8}) {
        const QRect left = window.control({"Text15", numplace::cellIndex(r, c)})->geometry();
        const QRect right = window.control({"Text15", numplace::cellIndex(r, c + 1)})->geometry();
        QVERIFY(right.left() <= left.right() + 1 && right.left() > left.left());
      }
    }
  }

  // 1.5x on a 1280x1024 screen leaves 853x683 pixels; the window, framed,
  // is scaled down to lie on the screen whole. The offscreen screen is
  // 800x800, smaller than the window at scale 1.
  void placedWholeOnTheScreen() {
    const double fit = MainWindow::scaleToFit(QSize(853, 683), QMargins(1, 20, 1, 1));
    QVERIFY(fit < 0.85 && fit > 0.83);
    const QSize framed = MainWindow::sizeAt(fit) + QSize(2, 21);
    QVERIFY(framed.width() <= 853 && framed.height() <= 683);
    QCOMPARE(MainWindow::scaleToFit(QSize(2000, 2000), {}), 1.0);

    MainWindow window;
    window.placeOnScreen();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect available = window.screen()->availableGeometry();
    QVERIFY(window.scale() < 1);
    QVERIFY2(available.contains(window.frameGeometry()),
             qPrintable(QStringLiteral("%1x%2").arg(window.width()).arg(window.height())));
    QCOMPARE(window.frameGeometry().topLeft(), available.topLeft());
    QCOMPARE(window.size(), MainWindow::sizeAt(window.scale()));
  }

  // The contents follow the window's size, aspect kept; presses on a cell
  // count in twips of the table whatever the size.
  void contentsFollowTheWindowsSize() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(2032, 1000);
    QTRY_COMPARE(window.scale(), 1000.0 / 734);
    QCOMPARE(window.canvas().size(), MainWindow::sizeAt(1000.0 / 734));
    window.resize(1016 / 2, 2000);
    QTRY_COMPARE(window.scale(), 0.5);
    QCOMPARE(window.control({"Text15", 99})->geometry().bottomRight(),
             QPoint(qRound(4095 * 0.5 / kPixel) - 1, qRound(5175 * 0.5 / kPixel) - 1));

    window.resize(2032, 1468);
    QTRY_COMPARE(window.scale(), 2.0);
    QWidget *cell = window.control({"Text15", 11});
    // 170 twips from the box's left edge is left of its middle (175), 180 right of it.
    QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(qRound(170 * 2.0 / kPixel), 10));
    QCOMPARE(window.controls().text({"Text15", 11}), "9");
    QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(qRound(185 * 2.0 / kPixel), 10));
    QCOMPARE(window.controls().text({"Text15", 11}), "0");
  }

  // Every box shows the whole of what it is made to hold, clear of its
  // border, at the window's scale and scaled.
  void boxesShowTheirContent_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("x1") << 1.0;
    QTest::newRow("1.5x on 1280x1024") << MainWindow::scaleToFit(QSize(853, 683), QMargins(1, 20, 1, 1));
    QTest::newRow("x2") << 2.0;
  }

  void boxesShowTheirContent() {
    QFETCH(double, scale);
    MainWindow window;
    window.setScale(scale);
    const QStringList row{QStringLiteral("530070000"), QStringLiteral(" 888888888"), QStringLiteral("530 070 000")};
    QStringList reports{QStringLiteral("基本ルール")};
    // The widest report: 64 placements at most (81 cells, 17 givens), the last cell, every technique word.
    for (const char *word : {"基本", "ブロ", "よこ", "たて", "縦１", "横１", "縦　", "横　"}) {
      reports << QStringLiteral(" 64 ") + QString::fromUtf8(word) + QStringLiteral(" 9- 9  9");
    }
    std::map<std::string_view, QStringList> contents{
        {"Text1", {QStringLiteral("追加 1"), QStringLiteral("999")}},
        {"Text2", {QStringLiteral("追加 2"), QStringLiteral("999")}},
        {"Text3", {QStringLiteral("karune111.csv"), QStringLiteral("medium.csv")}},
        {"Text5", row},
        {"Text6", {QStringLiteral("9")}},
        {"Text7", row},
        {"Text14", reports},
        {"Text15", {QStringLiteral("8"), QStringLiteral("9")}},
        {"Text16", {QStringLiteral("9")}},
        // Text17, the last-cell register, holds a cell's number (11 to 99): at
        // the window font (27 pixels) two digits are wider than its 19 pixels.
        {"Text17", {QStringLiteral("9")}}};
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      if (control.kind != ControlKind::TextBox) continue;
      auto *box = static_cast<numplace::app::Box *>(window.control(control.ref()));
      const QString name = QString::fromStdString(numplace::controlLabel(control.ref()));
      QVERIFY2(contents.count(control.name) == 1, qPrintable(name));
      const QRect area = box->textArea();
      const QFontMetricsF metrics(box->font());
      QVERIFY2(metrics.height() <= area.height(), qPrintable(name));
      for (const QString &text : contents.at(control.name)) {
        // QLineEdit scrolls once the text and the caret need more than the area.
        const double needed = std::ceil(metrics.horizontalAdvance(text)) + 1;
        QVERIFY2(
            needed <= area.width(),
            qPrintable(QStringLiteral("%1 \"%2\": %3 of %4 pixels").arg(name, text).arg(needed).arg(area.width())));
        // And the ink keeps a pixel from the border.
        box->setText(text);
        box->setCursorPosition(0);
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor base = box->palette().color(QPalette::Base);
        for (int y = 1; y < shown.height() - 1; ++y) {
          for (const int x : {1, shown.width() - 2}) {
            QVERIFY2(shown.pixelColor(x, y) == base,
                     qPrintable(QStringLiteral("%1 \"%2\" at (%3, %4)").arg(name, text).arg(x).arg(y)));
          }
        }
      }
    }
  }

  // A label shows its whole caption: nothing covers its ink, and the ink
  // keeps to the rows of the label that no box covers.
  void labelsShowTheirWholeCaption() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage all = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      if (control.kind != ControlKind::Label) continue;
      auto *label = static_cast<numplace::app::CaptionLabel *>(window.control(control.ref()));
      const QImage alone = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
      const QRectF caption = label->captionRect();
      QVERIFY(QRectF(0, 0, label->width(), label->visibleHeight()).contains(caption));
      int inked = 0;
      for (int y = 0; y < alone.height(); ++y) {
        for (int x = 0; x < alone.width(); ++x) {
          if (alone.pixel(x, y) == qRgb(255, 255, 255)) continue;
          ++inked;
          QVERIFY2(y >= std::floor(caption.top()) && y < std::ceil(caption.bottom()) &&
                       x >= std::floor(caption.left()) && x < std::ceil(caption.right()),
                   control.name.data());
          QVERIFY2(all.pixel(label->pos() + QPoint(x, y)) == alone.pixel(x, y), control.name.data());
        }
      }
      QVERIFY2(inked > 20, control.name.data());
    }
    // Text3 covers the last row of Label1; its caption is one row taller than the rest.
    auto *label1 = static_cast<numplace::app::CaptionLabel *>(window.control({"Label1", 0}));
    QCOMPARE(label1->visibleHeight(), label1->height() - 1);
  }

  // Every message for bad input stands whole inside the window, at scale 1
  // and scaled: its red ink ends before the right edge and no control
  // covers any of it.
  void badInputMessagesFitTheWindow_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("content");  // of a data file named by `text` in a folder of its own
    const QString longPath = QStringLiteral(
        "/home/someone/Documents/number-place/collections/2022/may/karune111-from-the-magazine-of-may-2022-extra.csv");
    const QString wideName = QStringLiteral("/tmp/ナンプレの問題集・二〇二二年五月号の付録・いちばん難しいもの.csv");
    for (const double scale : {1.0, 0.6}) {
      const QByteArray at = " x" + QByteArray::number(scale);
      QTest::newRow("missing file, long path" + at) << "Text3" << longPath << scale << QString();
      QTest::newRow("missing file, Japanese name" + at) << "Text3" << wideName << scale << QString();
      QTest::newRow("W file name" + at) << "Text3" << QString(40, u'W') + QStringLiteral(".csv") << scale << QString();
      QTest::newRow("extra given" + at) << "Text1" << QString(400, u'9') << scale << QString();
      QTest::newRow("huge cell" + at) << "Text15(12)" << QStringLiteral("12345678901234567890") << scale << QString();
      QString fourFields;
      for (int r = 0; r < 9; ++r) fourFields += QStringLiteral("123456789,1,\"WWWWWWWWWWWWWWWWWWWW\",0\n");
      QTest::newRow("four fields, long name" + at)
          << "Text3" << QStringLiteral("ナンプレの問題集・二〇二二年五月号の付録・いちばん難しいもの.csv") << scale
          << fourFields;
    }
  }

  void badInputMessagesFitTheWindow() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(double, scale);
    QFETCH(QString, content);
    QTemporaryDir dir;
    if (!content.isEmpty()) {
      QFile file(dir.filePath(text));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content.toUtf8());
      text = file.fileName();
    }
    MainWindow window;
    window.setScale(scale);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::vector<numplace::Action> actions{numplace::SetText{control.toStdString(), text.toStdString()},
                                          numplace::Click{"Command3"}};
    if (control.startsWith(QStringLiteral("Text15")) || control == QStringLiteral("Text1")) {
      actions.insert(actions.begin(), numplace::TypeGrid{kPuzzle});
    }
    QCOMPARE(numplace::app::playActions(window, actions), std::nullopt);
    const QImage drawn = window.canvas().picture();
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn.size(), shown.size());
    int red = 0;
    int right = 0;
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x) {
        if (drawn.pixel(x, y) != qRgb(255, 0, 0)) continue;
        ++red;
        right = std::max(right, x);
        QVERIFY2(shown.pixel(x, y) == qRgb(255, 0, 0), qPrintable(QStringLiteral("covered at (%1, %2)").arg(x).arg(y)));
      }
    }
    QVERIFY(red > 100);
    QVERIFY2(right < drawn.width() - 4, qPrintable(QString::number(right)));
  }

  void tabOrderAndFocusFollowLayoutTable() {
    MainWindow window;
    std::vector<QWidget *> expected;
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      if (control.inTabOrder) expected.push_back(window.control(control.ref()));
    }
    std::vector<QWidget *> walked;
    QWidget *w = expected.front();
    do {
      if ((w->focusPolicy() & Qt::TabFocus) != 0) walked.push_back(w);
      w = w->nextInFocusChain();
    } while (w != expected.front() && walked.size() <= expected.size());
    QCOMPARE(walked, expected);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), window.control({"Text1", 0}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), expected[1]);
  }

  void cellPressesCycleTheDigit() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto text = [&window](ControlRef ref) { return window.controls().text(ref); };
    QWidget *cell11 = window.control({"Text15", 11});
    QWidget *cell12 = window.control({"Text15", 12});
    const QPoint right(cell11->width() - 3, cell11->height() / 2);
    const QPoint left(3, cell11->height() / 2);

    QTest::mouseClick(cell11, Qt::LeftButton, {}, right);
    QCOMPARE(text({"Text15", 11}), "1");
    QCOMPARE(text({"Text16", 0}), "1");
    QCOMPARE(text({"Text17", 0}), "11");
    QTest::mouseClick(cell11, Qt::RightButton, {}, right);
    QCOMPARE(text({"Text15", 11}), "2");
    QTest::mouseClick(cell12, Qt::LeftButton, {}, left);
    QCOMPARE(text({"Text15", 12}), "9");
    QCOMPARE(text({"Text17", 0}), "12");
    QCOMPARE(text({"Text15", 11}), "2");

    // A double click is two presses, the second delivered as a double-click event.
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, cell12->mapTo(&window, right));
    QCOMPARE(text({"Text15", 12}), "1");
    // A press on the surface itself changes nothing.
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(800, 600));
    QCOMPARE(text({"Text15", 12}), "1");
    QCOMPARE(text({"Text17", 0}), "12");
  }

  void quickInputSendsRowsOnEnter() {
    MainWindow window;
    QWidget *quick = window.control({"Text7", 0});
    auto text = [&window](ControlRef ref) { return window.controls().text(ref); };
    QTest::keyClicks(quick, "123456789");
    QVERIFY(text({"Text7", 0}).find("123456789") != std::string::npos);  // the box still takes the keys
    QCOMPARE(text({"Text6", 0}), "0");
    const std::string first = text({"Text7", 0});
    QTest::keyClick(quick, Qt::Key_Return);
    QCOMPARE(text({"Text5", 1}), first);
    QCOMPARE(text({"Text6", 0}), "1");
    QCOMPARE(text({"Text7", 0}), " ");

    QTest::keyClicks(quick, "987654321");
    const std::string second = text({"Text7", 0});
    QTest::keyClick(quick, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(text({"Text5", 2}), second);
    QCOMPARE(text({"Text6", 0}), "2");
    // Keys typed into other boxes have no handler.
    QTest::keyClick(window.control({"Text5", 3}), Qt::Key_Return);
    QCOMPARE(text({"Text6", 0}), "2");
  }

  void clearEmptiesTheEntryBoxesOnly() {
    MainWindow window;
    QTest::mouseClick(window.control({"Text15", 35}), Qt::LeftButton, {}, QPoint(22, 10));
    QTest::keyClicks(window.control({"Text7", 0}), "5");
    QTest::keyClick(window.control({"Text7", 0}), Qt::Key_Return);
    std::vector<std::pair<ControlRef, std::string>> kept;
    for (const char *name : {"Text1", "Text2", "Text3", "Text14", "Text16", "Text17"}) {
      kept.emplace_back(ControlRef{name, 0}, window.controls().text({name, 0}));
    }
    QTest::mouseClick(window.control({"Command4", 0}), Qt::LeftButton);
    for (int r = 1; r <= 9; ++r) {
      QCOMPARE(window.controls().text({"Text5", r}), "");
      for (int c = 1; c <= 9; ++c) QCOMPARE(window.controls().text({"Text15", numplace::cellIndex(r, c)}), "");
    }
    QCOMPARE(window.controls().text({"Text6", 0}), "");
    QCOMPARE(window.controls().text({"Text7", 0}), "");
    for (const auto &[ref, before] : kept) QCOMPARE(window.controls().text(ref), before);
  }

  void buttonsStartTheRuns() {
    const QRect board(8640 / kPixel, 240 / kPixel, (15120 - 8640) / kPixel, (6720 - 240) / kPixel);
    MainWindow window;
    RecordingPrompt prompt;
    window.setPrompt(&prompt);
    QCOMPARE(numplace::app::playActions(window, {numplace::TypeGrid{kPuzzle}}), std::nullopt);
    QCOMPARE(window.controls().text({"Text15", 11}), "5");
    QVERIFY(blank(window.canvas().picture(), board));
    QTest::mouseClick(window.control({"Command3", 0}), Qt::LeftButton);
    QVERIFY(!blank(window.canvas().picture(), board));

    QTest::mouseClick(window.control({"Command7", 0}), Qt::LeftButton);
    QVERIFY(!prompt.requests.empty());
    QCOMPARE(prompt.requests.front().title, "999");
    QVERIFY(window.controls().text({"Text14", 0}) != "基本ルール");
  }

  void scriptedActionsAndScreenshot() {
    MainWindow window;
    const std::vector<numplace::Action> actions{numplace::TypeGrid{kPuzzle}, numplace::QueueAnswer{"2"},
                                                numplace::Click{"Command7"}};
    QCOMPARE(numplace::app::playActions(window, actions), std::nullopt);
    QVERIFY(!blank(window.canvas().picture(), window.rect()));
    QVERIFY(numplace::app::playActions(window, {numplace::Click{"Text1"}}).has_value());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("shot.png"));
    QVERIFY(numplace::app::saveScreenshot(window, file));
    QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32),
             window.grab().toImage().convertToFormat(QImage::Format_RGB32));
  }

  void surfaceColoursAndOverprinting() {
    Canvas canvas;
    const QRect all = canvas.picture().rect();
    canvas.setFontSize(40);
    for (const auto &[colour, rgb] :
         {std::pair{0x0000FFu, 0xFF0000u}, {0xFF0000u, 0x0000FFu}, {0xFFFFFFu, 0xFFFFFFu}}) {
      canvas.setColour(colour);
      canvas.moveTo(1500, 1500);
      canvas.print(" 6 ", Ending::NewLine);
      // Antialiased glyphs: the new colour and its shades on white replace
      // every pixel of the old digit, white erases it.
      const auto shadeOf = [](QRgb c, QRgb full) {
        std::set<QRgb> rest;  // the channels the colour has below full
        for (const int shift : {0, 8, 16}) {
          if (((full >> shift) & 0xFF) != 0xFF) {
            rest.insert((c >> shift) & 0xFF);
          } else if (((c >> shift) & 0xFF) != 0xFF) {
            return false;
          }
        }
        return rest.size() <= 1;
      };
      const std::set<QRgb> colours = coloursIn(canvas.picture(), all);
      QVERIFY(colours.count(rgb) == 1);
      for (const QRgb c : colours) QVERIFY2(shadeOf(c, rgb), qPrintable(QString::number(c, 16)));
    }

    canvas.drawLine(1500, 3000, 4500, 3000);
    canvas.setColour(0);
    canvas.drawLine(1500, 3000, 4500, 3000);
    canvas.setLineWidth(3);
    canvas.drawLine(1500, 4500, 4500, 4500);
    std::vector<bool> inked;
    for (int y = 198; y <= 302; ++y) inked.push_back(canvas.picture().pixel(150, y) == qRgb(0, 0, 0));
    QCOMPARE(std::count(inked.begin(), inked.end(), true), 4);
    QVERIFY(inked[200 - 198] && inked[299 - 198] && inked[300 - 198] && inked[301 - 198]);
  }

  void surfacePositions() {
    Canvas whole;
    Canvas pieces;
    whole.moveTo(1500, 3000);
    pieces.moveTo(1500, 3000);
    whole.print("12", Ending::Continue);
    pieces.print("1", Ending::Continue);
    pieces.print("2", Ending::Continue);
    QCOMPARE(pieces.picture(), whole.picture());
    QCOMPARE(pieces.position(), whole.position());
    QVERIFY(whole.position().x() > 1500);

    const QImage before = whole.picture();
    whole.print("", Ending::NewLine);
    const double lineHeight = whole.position().y() - 3000;
    QVERIFY(lineHeight > 0);
    QCOMPARE(whole.position().x(), 0.0);
    QCOMPARE(whole.picture(), before);
    whole.print("3", Ending::NewLine);
    QCOMPARE(whole.position().y(), 3000 + 2 * lineHeight);

    whole.drawLine(300, 450, 900, 1200);
    QCOMPARE(whole.position(), QPointF(900, 1200));
    whole.setColour(0x0000FF);
    whole.clear();
    QCOMPARE(whole.position(), QPointF(0, 0));
    QVERIFY(blank(whole.picture(), whole.picture().rect()));
    whole.print("X", Ending::Continue);  // the colour survives clearing, the text starts at the corner
    QVERIFY(coloursIn(whole.picture(), QRect(0, 0, 60, 60)).count(0xFF0000) == 1);
  }

  void surfaceKeepsItsPicture() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Canvas &canvas = window.canvas();
    canvas.setLineWidth(3);
    canvas.drawLine(9000, 6000, 15000, 6000);
    canvas.moveTo(9000, 7000);
    canvas.print("終了", Ending::Continue);
    QCOMPARE(window.grab().toImage().pixel(700, 400), qRgb(0, 0, 0));
    // The focused box's caret blinks, so the picture is compared through the surface alone.
    const QImage first = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(first, canvas.picture());
    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(canvas.grab().toImage().convertToFormat(QImage::Format_RGB32), first);
  }

  void accessibleNames() {
    MainWindow window;
    const std::map<std::string_view, QString> buttons{{"Command3", QStringLiteral("答（最後まで解く）")},
                                                      {"Command7", QStringLiteral("1 STEP（1手ずつ解く）")},
                                                      {"Command1", QStringLiteral("参考1 同盟（1手ずつ、同盟を示す）")},
                                                      {"Command5", QStringLiteral("参考2 ペア（試し置きなしで解く）")},
                                                      {"Command4", QStringLiteral("消去（入力を消す）")}};
    const std::map<std::string_view, QString> boxes{{"Text1", QStringLiteral("追加 1")},
                                                    {"Text2", QStringLiteral("追加 2")},
                                                    {"Text3", QStringLiteral("入力データ名")},
                                                    {"Text6", QStringLiteral("簡易入力の行番号")},
                                                    {"Text7", QStringLiteral("簡易入力")},
                                                    {"Text14", QStringLiteral("手法")},
                                                    {"Text16", QStringLiteral("押したマスの数字")},
                                                    {"Text17", QStringLiteral("押したマスの番号")}};
    std::set<QString> names;
    int cells = 0;
    for (const numplace::ControlEntry &control : numplace::controlLayout()) {
      QWidget *w = window.control(control.ref());
      const QString name = spokenName(w);
      QCOMPARE(name, w->accessibleName());
      // A label and the box it stands for may share a name; no two of the others do.
      if (control.kind != ControlKind::Label) {
        QVERIFY2(names.insert(name).second, qPrintable(QStringLiteral("name given twice: ") + name));
      }
      if (control.name == "Text15") {
        ++cells;
        QCOMPARE(name, QStringLiteral("行%1 列%2").arg(control.index / 10).arg(control.index % 10));
      } else if (control.name == "Text5") {
        QCOMPARE(name, QStringLiteral("行データ %1").arg(control.index));
      } else if (control.kind == ControlKind::Label) {
        QCOMPARE(name, QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size())));
      } else if (control.kind == ControlKind::Button) {
        QCOMPARE(name, buttons.at(control.name));
        // The name starts with the caption the button shows.
        QVERIFY(name.startsWith(static_cast<QPushButton *>(w)->text().simplified().section(u' ', 0, 0)));
      } else {
        QCOMPARE(name, boxes.at(control.name));
      }
      if (control.kind != ControlKind::Label) QVERIFY2(!w->accessibleDescription().isEmpty(), control.name.data());
    }
    QCOMPARE(cells, 81);
    QCOMPARE(spokenName(window.control({"Text15", numplace::cellIndex(3, 5)})), QStringLiteral("行3 列5"));
    QVERIFY(!spokenName(&window.canvas()).isEmpty());
  }

  void puzzleLineReading() {
    using numplace::app::puzzleFromPaste;
    const QString dots = QString::fromStdString(kPuzzle);
    QString zeros = dots;
    zeros.replace(u'.', u'0');
    QCOMPARE(puzzleFromPaste(zeros), std::optional<QString>(dots));
    QCOMPARE(puzzleFromPaste(dots), std::optional<QString>(dots));
    // Nine lines of nine, blanks between the cells, Windows line ends, a tab and a trailing line break.
    QString lines;
    for (int r = 0; r < 9; ++r) {
      for (int c = 0; c < 9; ++c) {
        lines += zeros.at(r * 9 + c);
        lines += c == 4 ? u'\t' : u' ';
      }
      lines += QStringLiteral("\r\n");
    }
    QCOMPARE(puzzleFromPaste(lines), std::optional<QString>(dots));
    // Full-width digits and ideographic spaces, as Japanese pages write them.
    QString wide;
    for (const QChar ch : zeros) {
      wide += QChar(static_cast<char16_t>(ch.unicode() - u'0' + 0xFF10));
      wide += QChar(0x3000);
    }
    QCOMPARE(puzzleFromPaste(wide), std::optional<QString>(dots));

    QCOMPARE(puzzleFromPaste(zeros.left(80)), std::nullopt);
    QCOMPARE(puzzleFromPaste(zeros + u'1'), std::nullopt);
    QCOMPARE(puzzleFromPaste(zeros.left(40) + u'x' + zeros.mid(41)), std::nullopt);
    QCOMPARE(puzzleFromPaste(zeros.left(40) + u',' + zeros.mid(40)), std::nullopt);
    QCOMPARE(puzzleFromPaste(QStringLiteral("12345")), std::nullopt);
    QCOMPARE(puzzleFromPaste(QString()), std::nullopt);
  }

  void pasteFillsTheGrid_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("fills");
    QString zeros = QString::fromStdString(kPuzzle);
    zeros.replace(u'.', u'0');
    QString lines;
    for (int r = 0; r < 9; ++r)
      lines += QString::fromStdString(kPuzzle.substr(static_cast<std::size_t>(r) * 9, 9)) + u'\n';
    lines.replace(u'.', QStringLiteral(". "));
    QTest::newRow("81-character line, first cell") << zeros << numplace::cellIndex(1, 1) << true;
    QTest::newRow("nine lines with blanks, last cell") << lines << numplace::cellIndex(9, 9) << true;
    QTest::newRow("five characters") << QStringLiteral("12345") << numplace::cellIndex(3, 5) << false;
    QTest::newRow("80 characters") << zeros.left(80) << numplace::cellIndex(5, 5) << false;
  }

  void pasteFillsTheGrid() {
    QFETCH(QString, clipboard);
    QFETCH(int, cell);
    QFETCH(bool, fills);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Every box holds a 9 first, so that each empty cell of the puzzle must be emptied.
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) window.controls().setText({"Text15", numplace::cellIndex(r, c)}, "9");
    }
    const QStringList before = gridTexts(window);
    const std::string rowBox = window.controls().text({"Text5", 1});
    auto *box = static_cast<QLineEdit *>(window.control({"Text15", cell}));

    QGuiApplication::clipboard()->setText(clipboard);
    box->setFocus();
    box->selectAll();
    QTest::keySequence(box, QKeySequence::Paste);
    QStringList expected = before;
    if (fills) {
      expected = expectedGrid(kPuzzle);
    } else {
      expected[(cell / 10 - 1) * 9 + cell % 10 - 1] = clipboard;  // pasted into the box as any text is
    }
    QCOMPARE(gridTexts(window), expected);
    QCOMPARE(window.controls().text({"Text5", 1}), rowBox);

    // The context menu's Paste does the same.
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) window.controls().setText({"Text15", numplace::cellIndex(r, c)}, "9");
    }
    box->selectAll();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(4, 4), box->mapToGlobal(QPoint(4, 4)));
    QCoreApplication::sendEvent(box, &menuEvent);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QAction *pasteAction = nullptr;
    for (QAction *action : menu->actions()) {
      if (action->text().contains(QStringLiteral("Paste"))) pasteAction = action;
    }
    QVERIFY(pasteAction != nullptr && pasteAction->isEnabled());
    pasteAction->trigger();
    menu->close();
    QCOMPARE(gridTexts(window), expected);
  }

  void pastedPuzzleIsSolved() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.pastePuzzle(QString::fromStdString(kPuzzle)));
    QVERIFY(!window.pastePuzzle(QStringLiteral("12345")));
    QCOMPARE(gridTexts(window), expectedGrid(kPuzzle));
    QTest::mouseClick(window.control({"Command3", 0}), Qt::LeftButton);
    const QImage picture = window.canvas().picture();
    const QRect board(8640 / kPixel, 240 / kPixel, (15120 - 8640) / kPixel, (6720 - 240) / kPixel);
    QVERIFY(!blank(picture, board));
    // No red message about bad input at the bottom left.
    QVERIFY(coloursIn(picture, QRect(0, 6800 / kPixel, 6000 / kPixel, 4000 / kPixel)).count(0xFF0000) == 0);
  }

  // Dropped anywhere on the window, at its own size and scaled down as on a
  // small screen.
  void droppedFileNamesTheDataFile_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("x1") << 1.0;
    QTest::newRow("x0.6") << 0.6;
  }

  void droppedFileNamesTheDataFile() {
    QFETCH(double, scale);
    MainWindow window;
    window.setScale(scale);
    window.resize(MainWindow::sizeAt(scale));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // A point of the surface beside the controls, below the board.
    const QPoint surface(qRound(12000 * scale / kPixel), qRound(9000 * scale / kPixel));
    const QString file = QStringLiteral(NUMPLACE_EXAMPLES_DIR "/trial.csv");
    QMimeData files;
    files.setUrls({QUrl(QStringLiteral("https://example.org/a.csv")), QUrl::fromLocalFile(file)});
    files.setText(QStringLiteral("file://") + file);
    auto text3 = [&window] { return window.controls().text({"Text3", 0}); };

    // On the surface, beside the controls.
    Qt::DropAction action = Qt::IgnoreAction;
    QVERIFY(dragAndDrop(window, files, surface, &action));
    QCOMPARE(text3(), file.toStdString());
    QCOMPARE(action, Qt::CopyAction);  // never a move: the file stays where it is

    // On a label, a button and text boxes: the boxes would take the text themselves.
    for (const ControlRef ref : {ControlRef{"Label4", 0}, ControlRef{"Command3", 0}, ControlRef{"Text15", 55},
                                 ControlRef{"Text7", 0}, ControlRef{"Text3", 0}}) {
      window.controls().setText({"Text3", 0}, "karune111.csv");
      const std::string before = window.controls().text(ref);
      QVERIFY2(dragAndDrop(window, files, window.control(ref)->geometry().center()), ref.name.data());
      QCOMPARE(text3(), file.toStdString());
      if (ref.name != "Text3") QCOMPARE(window.controls().text(ref), before);
    }

    // Anything but a local file is not taken by the window.
    window.controls().setText({"Text3", 0}, "karune111.csv");
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/a.csv"))});
    QVERIFY(!dragAndDrop(window, web, surface));
    QMimeData plain;
    plain.setText(QStringLiteral("12345"));
    QVERIFY(!dragAndDrop(window, plain, surface));
    QCOMPARE(text3(), "karune111.csv");
    // Text dragged over a box is still the box's own business.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &plain, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.control({"Text7", 0}), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(text3(), "karune111.csv");

    // The dropped name is one the runs can open.
    QVERIFY(dragAndDrop(window, files, surface));
    QTest::mouseClick(window.control({"Command3", 0}), Qt::LeftButton);
    QVERIFY(!blank(window.canvas().picture(), QRect(8640 / kPixel, 240 / kPixel, 400, 400)));
    // trial.csv needs a trial placement; its code replaces the start-up text of Text1.
    const QString trial = QString::fromStdString(window.controls().text({"Text1", 0}));
    QVERIFY2(QRegularExpression(QStringLiteral("^[1-9]{3}$")).match(trial).hasMatch(), qPrintable(trial));
  }

  // Qt's own texts in the window's language: the prompt's buttons and the
  // boxes' context menu.
  void qtTextsInJapanese() {
    QObject holder;
    QVERIFY2(numplace::app::installQtTranslations(&holder), "qt6-translations-l10n is not installed");
    const numplace::PromptRequest request{"次へ", "999", "1か２", 0, 0};
    numplace::app::PromptDialog dialog(request);
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    QVERIFY(buttons != nullptr);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    numplace::app::Box box;
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions()) entries << action->text();
    QVERIFY2(entries.join(u' ').contains(QStringLiteral("貼り付け")), qPrintable(entries.join(u' ')));
  }

  void promptDialog() {
    const numplace::PromptRequest request{"次へ", "999", "1か２", 1500, 9000};
    numplace::app::DialogPrompt prompt(nullptr);
    QString title;
    QString selected;
    QPoint position;
    QTimer::singleShot(0, [&] {
      auto *dialog = openPrompt();
      if (dialog == nullptr) return;
      title = dialog->windowTitle();
      selected = dialog->answerEdit()->selectedText();
      position = dialog->pos();
      QTest::keyClicks(dialog->answerEdit(), "2");
      QTest::keyClick(dialog->answerEdit(), Qt::Key_Return);
    });
    QCOMPARE(prompt.ask(request), std::optional<std::string>("2"));
    QCOMPARE(title, QStringLiteral("999"));
    QCOMPARE(selected, QStringLiteral("1か２"));
    QCOMPARE(position, QPoint(100, 600));

    QTimer::singleShot(0, [] {
      if (QWidget *dialog = openPrompt()) QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(prompt.ask(request), std::nullopt);
  }

  // The prompt blocks nothing at the window-system level, so the window's
  // close button is not ignored; closing the window at a prompt ends the run
  // at once. Input to the window waits meanwhile: a click on 答 starts no run.
  void closingAtAPromptEndsTheRun() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(numplace::app::playActions(window, {numplace::TypeGrid{kPuzzle}}), std::nullopt);
    int prompts = 0;
    bool modal = true;
    bool answerRunStarted = true;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      numplace::app::PromptDialog *dialog = openPrompt();
      if (dialog == nullptr) return;
      if (prompts++ > 0) {  // the run went on: let it finish
        dialog->reject();
        return;
      }
      modal = QApplication::activeModalWidget() != nullptr || dialog->isModal();
      QTest::mouseClick(window.control({"Command3", 0}), Qt::LeftButton);
      answerRunStarted = window.controls().text({"Text1", 0}) != "追加 1";
      window.windowHandle()->close();                       // as the title bar's close button does
      if (openPrompt() != nullptr) openPrompt()->reject();  // not to hang if it did not work
    });
    poll.start();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(window.control({"Command7", 0}), Qt::LeftButton);
    poll.stop();
    QCOMPARE(prompts, 1);
    QVERIFY(!modal);
    QVERIFY(!answerRunStarted);
    QVERIFY(!window.isVisible());
    QVERIFY(openPrompt() == nullptr);
    QVERIFY(clock.elapsed() < 1000);
    // The run ended at its first prompt, before any placement.
    QCOMPARE(window.controls().text({"Text14", 0}), "基本ルール");
  }

  // Esc and Cancel only go on to the next prompt; 2 lets the run go to its end.
  void escapeAndCancelGoOn() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(numplace::app::playActions(window, {numplace::TypeGrid{kPuzzle}}), std::nullopt);
    QStringList seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      numplace::app::PromptDialog *dialog = openPrompt();
      if (dialog == nullptr) return;
      seen << dialog->windowTitle();
      if (seen.size() == 1) {
        QTest::keyClick(dialog->answerEdit(), Qt::Key_Escape);
      } else if (seen.size() == 2) {
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
      } else {
        dialog->answerEdit()->setText(QStringLiteral("2"));
        QTest::keyClick(dialog->answerEdit(), Qt::Key_Return);
      }
    });
    poll.start();
    QTest::mouseClick(window.control({"Command7", 0}), Qt::LeftButton);
    poll.stop();
    QCOMPARE(seen, (QStringList{"999", "999", "999"}));
    QVERIFY(window.isVisible());
    QVERIFY(openPrompt() == nullptr);
    // Solved to the end: the last step line names the 51st placement.
    QVERIFY2(QString::fromStdString(window.controls().text({"Text14", 0})).startsWith(QStringLiteral(" 51 ")),
             window.controls().text({"Text14", 0}).c_str());
  }

  // The prompt's place counts twips at the window's scale and keeps the
  // prompt on the screen.
  void promptPlaceFollowsTheScale() {
    const numplace::PromptRequest stepPrompt{"次へ", "999", "1か２", 0, 9100};
    numplace::app::PromptDialog half(stepPrompt, nullptr, 0.5);
    QCOMPARE(half.pos(), QPoint(0, qRound(9100 * 0.5 / kPixel)));
    // The pause prompt at scale 1 would reach past the 800-pixel offscreen screen.
    const numplace::PromptRequest pausePrompt{" ブレークポイント　２は終了まで。", "", "１か　２", 8080, 8200};
    numplace::app::PromptDialog pause(pausePrompt, nullptr, 1);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(pause.pos().y(), qRound(8200.0 / kPixel));
    QCOMPARE(pause.geometry().right(), screen.right());
    numplace::app::PromptDialog small(pausePrompt, nullptr, 0.5);
    QCOMPARE(small.pos(), QPoint(qRound(8080 * 0.5 / kPixel), qRound(8200 * 0.5 / kPixel)));
  }
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  numplace::app::installFontSubstitutions();
  TstWindow test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
