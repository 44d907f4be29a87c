// The window against its layout table, the wiring of presses, keys and clicks
// to the engine, the drawing surface and the prompt, all driven through real
// Qt events.
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <set>
#include <string>
#include <vector>

#include "app/canvas.h"
#include "app/fonts.h"
#include "app/prompts.h"
#include "app/scripted.h"
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

 private slots:
  void startUpFollowsLayoutTable() {
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window.size(), QSize(1016, 734));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.canvas().geometry(), window.rect());
    for (const numplace::ControlSpec &spec : numplace::controlLayout()) {
      QWidget *w = window.control(spec.ref());
      QVERIFY2(w != nullptr && hasKind(w, spec.kind), spec.name.data());
      QCOMPARE(w->parentWidget(), &window);
      QCOMPARE(window.controls().text(spec.ref()), std::string(spec.text));
      QCOMPARE(w->geometry(), QRect(spec.left / kPixel, spec.top / kPixel, spec.width / kPixel, spec.height / kPixel));
      QCOMPARE(w->font().pointSizeF(), spec.fontSize);
      QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("IPAPGothic"));
    }
    // Label1 overlaps the top edge of Text3: the box shows there, not the label.
    QWidget *text3 = window.control({"Text3", 0});
    const QRect overlap = window.control({"Label1", 0})->geometry() & text3->geometry();
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(window.childAt(overlap.center()), text3);
  }

  void tabOrderAndFocusFollowLayoutTable() {
    MainWindow window;
    std::vector<QWidget *> expected;
    for (const numplace::ControlSpec &spec : numplace::controlLayout()) {
      if (spec.inTabOrder) expected.push_back(window.control(spec.ref()));
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
      // Aliased glyphs: the new colour replaces every pixel of the old digit, white erases it.
      QCOMPARE(coloursIn(canvas.picture(), all), (std::set<QRgb>{rgb, 0xFFFFFF}));
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

  void promptDialog() {
    const numplace::PromptRequest request{"次へ", "999", "1か２", 1500, 9000};
    numplace::app::DialogPrompt prompt(nullptr);
    QString title;
    QString selected;
    QPoint position;
    QTimer::singleShot(0, [&] {
      auto *dialog = dynamic_cast<numplace::app::PromptDialog *>(QApplication::activeModalWidget());
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
      if (QWidget *dialog = QApplication::activeModalWidget()) QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(prompt.ask(request), std::nullopt);
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
