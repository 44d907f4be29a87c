// One puzzle at a time in the main window: a load sets the whole puzzle and
// clears the picture, one undo brings the last puzzle back with its picture
// and place, the status bar names what lies beyond the grid, the title names
// the document, the menus' keys work inside the boxes, and the languages of
// Qt's own texts follow the shell's. Driven as a user would.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "app/fonts.h"
#include "app/generate_dialog.h"
#include "app/prompts.h"
#include "app/scripted.h"
#include "app/shell.h"
#include "app/translations.h"
#include "board/layout.h"

using numplace::app::MainWindow;
using numplace::app::ShellWindow;

namespace {

const QString kTop95 = QStringLiteral(NUMPLACE_DATA_DIR "/top95.txt");
const QString kPuzzle =
    QStringLiteral("53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
const QString kSecond =
    QStringLiteral("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");

QLineEdit *box(MainWindow &form, std::string_view name, int index = 0) {
  return qobject_cast<QLineEdit *>(form.control({name, index}));
}

QString gridLine(MainWindow &form) {
  QString line;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const QString text = box(form, "Text15", numplace::cellIndex(r, c))->text().trimmed();
      line += text.isEmpty() ? QStringLiteral(".") : text;
    }
  }
  return line;
}

void click(MainWindow &form, std::string_view button) { QTest::mouseClick(form.control({button, 0}), Qt::LeftButton); }

// The line of a collection, '.' for an empty cell.
QString lineOf(const QString &path, int n) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QList<QByteArray> lines = file.readAll().split('\n');
  return QString::fromLatin1(lines.value(n - 1)).replace(u'0', u'.');
}

}  // namespace

class TstDocument : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(settingsDir_.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
  }
  void init() { QSettings().clear(); }

  // The trial code that 答 wrote for puzzle 2 is not laid onto puzzle 3:
  // the status bar says puzzle 3 has one solution, 答 solves it, and the
  // picture of puzzle 2 is gone. One undo brings puzzle 2 back with its
  // picture, its trial code and its place.
  void oneCollectionPuzzleAfterAnother() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    QVERIFY(shell.openFile(kTop95));
    QVERIFY(!shell.action("previous")->isEnabled());
    shell.action("next")->trigger();
    QCOMPARE(gridLine(form), lineOf(kTop95, 2));
    click(form, "Command3");
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("151"));
    QVERIFY2(shell.statusLine().contains(QStringLiteral("前の答が書いた試し置き")), qPrintable(shell.statusLine()));
    const std::size_t drawn = form.canvas().strokes().size();
    QVERIFY(drawn > 0);

    shell.action("next")->trigger();
    QCOMPARE(gridLine(form), lineOf(kTop95, 3));
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("追加 1"));
    QVERIFY(form.canvas().strokes().empty());
    QVERIFY2(shell.statusLine().contains(QStringLiteral("解は1つ")), qPrintable(shell.statusLine()));
    QVERIFY2(!shell.statusLine().contains(QStringLiteral("解なし")), qPrintable(shell.statusLine()));
    QVERIFY2(shell.statusLine().contains(QStringLiteral("3 / 95")), qPrintable(shell.statusLine()));
    QCOMPARE(shell.windowTitle(), QStringLiteral("top95.txt 3/95[*] — numplace"));
    click(form, "Command3");
    QVERIFY(shell.lastRun().has_value());
    QCOMPARE(shell.lastRun()->end, numplace::RunEnd::Solved);

    shell.undoStack().undo();
    QCOMPARE(gridLine(form), lineOf(kTop95, 2));
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("151"));
    QCOMPARE(form.canvas().strokes().size(), drawn);
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().contains(QStringLiteral("2 / 95")), qPrintable(shell.statusLine()));
    shell.action("next")->trigger();
    QCOMPARE(gridLine(form), lineOf(kTop95, 3));
  }

  // A paste is a new puzzle: the extra givens back to their start-up texts,
  // the picture cleared, the collection closed; one undo brings all back.
  void pasteAndUndo() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    QVERIFY(shell.openFile(kTop95));
    box(form, "Text2")->setText(QStringLiteral("537"));
    click(form, "Command3");
    const std::size_t drawn = form.canvas().strokes().size();
    QVERIFY(shell.pasteText(kSecond));
    QCOMPARE(gridLine(form), kSecond);
    QCOMPARE(box(form, "Text2")->text(), QStringLiteral("追加 2"));
    QVERIFY(form.canvas().strokes().empty());
    QVERIFY(!shell.action("next")->isEnabled());
    QVERIFY2(!shell.statusLine().contains(QStringLiteral("/ 95")), qPrintable(shell.statusLine()));
    QCOMPARE(shell.windowTitle(), QStringLiteral("貼り付けた問題[*] — numplace"));
    shell.undoStack().undo();
    QCOMPARE(gridLine(form), lineOf(kTop95, 1));
    QCOMPARE(box(form, "Text2")->text(), QStringLiteral("537"));
    QCOMPARE(form.canvas().strokes().size(), drawn);
    QVERIFY(shell.action("next")->isEnabled());
    shell.undoStack().redo();
    QVERIFY(form.canvas().strokes().empty());
  }

  // 消去 stays what the form makes of it: the grid and row boxes emptied,
  // the extra givens and the picture kept, and the status bar says so.
  void clearKeepsWhatTheFormKeeps() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    QVERIFY(shell.openFile(kTop95));
    shell.action("next")->trigger();
    click(form, "Command3");
    const std::size_t drawn = form.canvas().strokes().size();
    click(form, "Command4");
    QCOMPARE(gridLine(form), QString(81, u'.'));
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("151"));
    QCOMPARE(form.canvas().strokes().size(), drawn);
    QVERIFY(shell.statusBar()->currentMessage().contains(QStringLiteral("そのまま")));
    shell.refreshStatus();
    QVERIFY2(!shell.statusLine().contains(QStringLiteral("/ 95")), qPrintable(shell.statusLine()));
    QCOMPARE(shell.windowTitle(), QStringLiteral("top95.txt[*] — numplace"));
  }

  // An extra given that clashes is named with its box; one that a given
  // overrides says so; a cell holding "12" is named as the cause.
  void statusBarNamesWhatLiesBeyondTheGrid() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    QVERIFY(shell.pasteText(kPuzzle));
    box(form, "Text1")->setText(QStringLiteral("133"));  // a 3 at (1, 3), beside the given 3 at (1, 2)
    box(form, "Text2")->setText(QStringLiteral("115"));  // (1, 1) holds the given 5
    shell.refreshStatus();
    const QString line = shell.statusLine();
    QVERIFY2(line.contains(QStringLiteral("1行3列（追加 1）")), qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("追加 1：133（1行3列に3、同じ数字とぶつかります）")), qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("追加 2：115（1行1列に5、問題の数字が優先）")), qPrintable(line));

    box(form, "Text1")->setText(QStringLiteral("追加 1"));
    box(form, "Text2")->setText(QStringLiteral("追加 2"));
    box(form, "Text15", 19)->setText(QStringLiteral("12"));
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().contains(QStringLiteral("1行9列に「12」：マスには数字を1つだけ")),
             qPrintable(shell.statusLine()));
  }

  // Ctrl+E (and the other keys of the menus) with the focus in a cell box.
  void menuKeysInsideTheBoxes() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    QLineEdit *cell = box(shell.form(), "Text15", 35);
    cell->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return cell->hasFocus(); }));
    const bool shown = shell.explanationDock()->isVisible();
    QTest::keyClick(cell, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(shell.explanationDock()->isVisible(), !shown);
    QTest::keyClick(box(shell.form(), "Text7"), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(shell.explanationDock()->isVisible(), shown);
    // Typing still types.
    QTest::keyClicks(cell, QStringLiteral("7"));
    QVERIFY(cell->text().contains(u'7'));
  }

  // The panel, shown, never scales the form down where the screen has room
  // for it, at the side or below.
  void panelKeepsTheFormsScale() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    shell.move(0, 0);
    shell.resize(MainWindow::sizeAt(0.5) + (shell.size() - shell.form().size()));
    QTRY_VERIFY(qAbs(shell.form().scale() - 0.5) < 0.01);
    const double before = shell.form().scale();
    shell.action("explanation")->trigger();
    QVERIFY(shell.explanationDock()->isVisible());
    QTRY_VERIFY(qAbs(shell.form().scale() - before) < 0.005);
    QVERIFY(shell.explanationDock()->width() > 100);
    shell.action("explanation")->trigger();
    QTRY_VERIFY(qAbs(shell.form().scale() - before) < 0.005);
  }

  // The user's own entries are blue; 答え合わせ names and marks the wrong
  // ones; a hint asked again says more, a wrong entry before anything, and
  // its third level writes the placement as an entry that one undo takes back.
  void solveItYourself() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    QVERIFY(shell.pasteText(kPuzzle));
    QLineEdit *wrong = box(form, "Text15", 13);  // (1, 3): the solution has 4 there
    QLineEdit *right = box(form, "Text15", 14);  // (1, 4): 6
    QTest::keyClicks(right, QStringLiteral("6"));
    QTest::keyClicks(wrong, QStringLiteral("9"));
    shell.refreshStatus();
    QCOMPARE(right->palette().color(QPalette::Text), QColor(0, 0, 200));
    QVERIFY(box(form, "Text15", 11)->palette().color(QPalette::Text) != QColor(0, 0, 200));  // a given

    const numplace::EntriesCheck check = shell.checkEntries();
    QVERIFY(check.judged);
    QCOMPARE(check.wrong.size(), std::size_t{1});
    QVERIFY2(shell.statusBar()->currentMessage().contains(QStringLiteral("1行3列の9")),
             qPrintable(shell.statusBar()->currentMessage()));
    QCOMPARE(wrong->palette().color(QPalette::Text), QColor(Qt::red));

    // The wrong entry first, at every level.
    numplace::Hint hint = shell.giveHint();
    QCOMPARE(hint.kind, numplace::HintKind::WrongEntry);
    QCOMPARE(shell.statusBar()->currentMessage(), QStringLiteral("1行3列の9は違います"));
    wrong->clear();
    Q_EMIT wrong->textEdited(QString());

    hint = shell.giveHint();
    QCOMPARE(hint.kind, numplace::HintKind::Placement);
    QCOMPARE(hint.level, 1);
    QVERIFY(!hint.digit);
    QCOMPARE(shell.markedCells().size(), std::size_t{9});
    const QString before = gridLine(form);
    hint = shell.giveHint();
    QCOMPARE(hint.level, 2);
    QVERIFY(hint.digit.has_value());
    hint = shell.giveHint();
    QCOMPARE(hint.level, 3);
    const numplace::CellRef cell = hint.cells.front();
    QLineEdit *placed = box(form, "Text15", numplace::cellIndex(cell.row, cell.column));
    QCOMPARE(placed->text(), QString::number(*hint.digit));
    QCOMPARE(placed->palette().color(QPalette::Text), QColor(0, 0, 200));
    QCOMPARE(shell.undoStack().undoText(), QStringLiteral("ヒント"));
    shell.undoStack().undo();
    QCOMPARE(gridLine(form), before);
    // After a change, the next hint starts again at level 1.
    QCOMPARE(shell.giveHint().level, 1);

    // Given before the window first shows (as a scripted --hint is), the
    // hint is the one text of the status bar once it shows.
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    const QLabel *line = shell.findChild<QLabel *>(QStringLiteral("statusText"));
    QVERIFY(line != nullptr);
    QVERIFY(!shell.statusBar()->currentMessage().isEmpty());
    QVERIFY(!line->isVisible());
  }

  // 新しい問題 makes the puzzle off the window's thread and loads it as a
  // new puzzle of the level asked for; キャンセル stops a slow one at once.
  void newPuzzleOfALevel() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    box(shell.form(), "Text1")->setText(QStringLiteral("151"));
    shell.action("newPuzzle")->trigger();
    auto *dialog = shell.findChild<numplace::app::GenerateDialog *>(QStringLiteral("newPuzzleDialog"));
    QVERIFY(dialog != nullptr);
    dialog->setLevel(3);
    dialog->setSymmetry(numplace::Symmetry::Rotate180);
    dialog->setSeed(7);
    QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(shell.findChild<numplace::app::GenerateDialog *>() == nullptr, 20000);
    shell.refreshStatus();
    QVERIFY(shell.report().has_value());
    QCOMPARE(shell.report()->check.solutions, 1);
    QVERIFY(shell.report()->grade.has_value());
    QCOMPARE(shell.report()->grade->level, 3);
    QVERIFY(numplace::isSymmetric(shell.report()->givens, numplace::Symmetry::Rotate180));
    QCOMPARE(box(shell.form(), "Text1")->text(), QStringLiteral("追加 1"));
    QCOMPARE(shell.windowTitle(), QStringLiteral("新しい問題[*] — numplace"));
    QCOMPARE(shell.undoStack().undoText(), QStringLiteral("新しい問題"));
  }

  // キャンセル stops the making within a moment, and the window goes on
  // answering meanwhile: ten thousand puzzles of level 7 would take minutes.
  void cancelStopsTheMaking() {
    ShellWindow shell;
    numplace::app::GenerateDialog dialog(numplace::app::GenerateDialog::Mode::Collection, &shell);
    dialog.setLevel(7);
    dialog.setCount(10000);
    const QString before = gridLine(shell.form());
    dialog.start();
    QVERIFY(dialog.generating());
    QTest::qWait(200);
    QVERIFY(dialog.generating());
    QElapsedTimer stopping;
    stopping.start();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    // Generously bounded: an attempt takes milliseconds, more in the sanitized build.
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.generating(), 5000);
    QVERIFY2(stopping.elapsed() < 2500, qPrintable(QString::number(stopping.elapsed())));
    QVERIFY(dialog.puzzles().empty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(gridLine(shell.form()), before);
  }

  // 問題集を作る: the puzzles written as a collection that 開く reads.
  void collectionOfNewPuzzles() {
    QTemporaryDir dir;
    numplace::app::GenerateDialog dialog(numplace::app::GenerateDialog::Mode::Collection);
    dialog.setLevel(1);
    dialog.setCount(5);
    dialog.setSeed(3);
    dialog.start();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.result() == QDialog::Accepted, 20000);
    QCOMPARE(dialog.puzzles().size(), std::size_t{5});
    ShellWindow shell;
    const QString path = dir.filePath(QStringLiteral("five.txt"));
    QVERIFY(shell.writeCollection(path, dialog.puzzles()));
    QVERIFY(shell.openFile(path));
    QCOMPARE(shell.collectionSize(), 5);
    QCOMPARE(numplace::gridOfBoxes(shell.form().controls()), dialog.puzzles().front().puzzle);
  }

  // What goes on paper is the puzzle with the user's entries apart from its
  // givens (lighter when asked for), or a range of the open collection; the
  // PDF and the pictures are written whole.
  void paperAndPictures() {
    QTemporaryDir dir;
    ShellWindow shell;
    QVERIFY(shell.openFile(kTop95));
    QTest::keyClicks(box(shell.form(), "Text15", 12), QStringLiteral("9"));
    numplace::app::PaperChoice single;
    single.entries = true;
    const numplace::exports::PaperDocument paper = shell.paperDocument(single);
    QCOMPARE(paper.puzzles.size(), std::size_t{1});
    const numplace::exports::BoardContent &board = paper.puzzles.front().board;
    QCOMPARE(board.givens, *numplace::gridFromLine(lineOf(kTop95, 1).toStdString()));
    QVERIFY(board.entries.has_value());
    QCOMPARE((*board.entries)[1], std::uint8_t{9});
    QVERIFY(QString::fromStdString(paper.puzzles.front().caption).contains(QStringLiteral("top95.txt 1/95")));

    numplace::app::PaperChoice range;
    range.collection = true;
    range.first = 3;
    range.last = 7;
    range.perPage = 2;
    range.solutions = true;
    const numplace::exports::PaperDocument pages = shell.paperDocument(range);
    QCOMPARE(pages.puzzles.size(), std::size_t{5});
    QCOMPARE(pages.puzzles.front().board.givens, *numplace::gridFromLine(lineOf(kTop95, 3).toStdString()));
    QVERIFY(pages.puzzles.back().board.solution.has_value());
    QCOMPARE(numplace::exports::collectionPages(pages), 3 + 1);

    const QString pdf = dir.filePath(QStringLiteral("range.pdf"));
    QVERIFY(shell.exportPdf(pdf, range));
    QFile written(pdf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");
    const QString png = dir.filePath(QStringLiteral("board.png"));
    QVERIFY(shell.savePicture(png, {numplace::app::PictureChoice::Content::Solution, 300}));
    QCOMPARE(QImage(png).size(), QSize(300, 300));
    QVERIFY(!shell.savePicture(dir.filePath(QStringLiteral("missing/board.svg")), {}));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
  }

  void titleNamesTheDocument() {
    ShellWindow shell;
    QCOMPARE(shell.windowTitle(), QStringLiteral("numplace[*]"));
    QVERIFY(!shell.isWindowModified());
    QVERIFY(shell.openFile(QStringLiteral(NUMPLACE_EXAMPLES_DIR "/karune111.csv")));
    QCOMPARE(shell.windowTitle(), QStringLiteral("karune111.csv[*] — numplace"));
    QTest::keyClicks(box(shell.form(), "Text15", 11), QStringLiteral("1"));
    QVERIFY(shell.isWindowModified());
    // The form keeps its own caption.
    QCOMPARE(shell.form().windowTitle(), QStringLiteral("Form1"));
  }

  // The prompts' and the file dialog's buttons: English under English, Qt's
  // Japanese only under Japanese. The manual follows the same language.
  void qtTextsFollowTheShellsLanguage() {
    const auto buttonTexts = [](QWidget &dialog) {
      QStringList texts;
      for (const QDialogButtonBox *buttons : dialog.findChildren<QDialogButtonBox *>()) {
        for (const QAbstractButton *button : buttons->buttons()) texts << button->text();
      }
      return texts.join(u'|');
    };
    const numplace::PromptRequest request{"次へ", "999", "1か２", 0, 0};
    {
      QObject owner;
      QVERIFY(!numplace::app::installTranslations(&owner, QLocale(QLocale::English, QLocale::UnitedStates)));
      numplace::app::PromptDialog prompt(request);
      QVERIFY2(buttonTexts(prompt).contains(QStringLiteral("Cancel")), qPrintable(buttonTexts(prompt)));
      QVERIFY(buttonTexts(prompt).contains(QStringLiteral("Stop")));
      QFileDialog files;
      files.setOption(QFileDialog::DontUseNativeDialog);
      QVERIFY2(buttonTexts(files).contains(QStringLiteral("Cancel")), qPrintable(buttonTexts(files)));
      ShellWindow shell;
      shell.action("manual")->trigger();
      auto *manual = shell.findChild<QTextBrowser *>(QStringLiteral("manualText"));
      QVERIFY(manual != nullptr);
      QVERIFY(manual->toPlainText().contains(QStringLiteral("The five buttons")));
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    {
      QObject owner;
      QVERIFY2(numplace::app::installTranslations(&owner, QLocale(QLocale::Japanese, QLocale::Japan)),
               "qt6-translations-l10n is not installed");
      numplace::app::PromptDialog prompt(request);
      QVERIFY2(buttonTexts(prompt).contains(QStringLiteral("キャンセル")), qPrintable(buttonTexts(prompt)));
      QVERIFY(buttonTexts(prompt).contains(QStringLiteral("中止")));
      ShellWindow shell;
      shell.action("manual")->trigger();
      auto *manual = shell.findChild<QTextBrowser *>(QStringLiteral("manualText"));
      QVERIFY(manual != nullptr);
      const QString text = manual->toPlainText();
      // A new user learns the extra givens' code, the prompts' answers and why a first click gives 1 or 9.
      QVERIFY(text.contains(QStringLiteral("5つのボタン")));
      QVERIFY(text.contains(QStringLiteral("537")));
      QVERIFY(text.contains(QStringLiteral("右半分なら1、左半分なら9")));
    }
  }

 private:
  QTemporaryDir settingsDir_;
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("numplace-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("tst_document"));
  numplace::app::installFontSubstitutions();
  TstDocument test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_document.moc"
