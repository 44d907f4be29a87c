// The main window around the form: open and save, collections, the undo
// history, copy and paste, the explanation panel, 中止, Enter on a button,
// click-then-type, and the English texts. Driven through real Qt events
// where a user would use them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string>

#include "app/collection.h"
#include "app/fonts.h"
#include "app/prompts.h"
#include "app/scripted.h"
#include "app/shell.h"
#include "app/translations.h"
#include "board/layout.h"
#include "script/explanation.h"

using numplace::app::MainWindow;
using numplace::app::ShellWindow;

namespace {

// A puzzle with one solution, which the answer run solves.
const QString kPuzzle =
    QStringLiteral("53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
const QString kSolution =
    QStringLiteral("534678912672195348198342567859761423426853791713924856961537284287419635345286179");
const QString kSecond =
    QStringLiteral("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");

QLineEdit *box(MainWindow &form, std::string_view name, int index = 0) {
  return qobject_cast<QLineEdit *>(form.control({name, index}));
}
QLineEdit *cell(MainWindow &form, int row, int column) { return box(form, "Text15", numplace::cellIndex(row, column)); }

// The grid as a puzzle line, '.' for an empty cell.
QString gridLine(MainWindow &form) {
  QString line;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const QString text = cell(form, r, c)->text().trimmed();
      line += text.isEmpty() ? QStringLiteral(".") : text;
    }
  }
  return line;
}

// Types a puzzle as the scripted actions do, taken as where the history starts.
void typeGrid(ShellWindow &shell, const QString &puzzle) {
  QCOMPARE(numplace::app::playActions(shell.form(), {numplace::TypeGrid{puzzle.toStdString()}}), std::nullopt);
  shell.adoptEntries();
}

void writeFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QStringList listTexts(const QListWidget *list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// The prompt dialog now open, if any.
numplace::app::PromptDialog *openPrompt() {
  for (QWidget *w : QApplication::topLevelWidgets()) {
    auto *dialog = dynamic_cast<numplace::app::PromptDialog *>(w);
    if (dialog != nullptr && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

}  // namespace

class TstShell : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(settingsDir_.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    QVERIFY(files_.isValid());
  }

  void init() { QSettings().clear(); }

  // The form is the central widget, unchanged; the menus and the status bar
  // are around it, and the whole window fits the screen.
  void formInTheMiddle() {
    ShellWindow shell;
    QCOMPARE(shell.centralWidget(), &shell.form());
    QCOMPARE(shell.form().size(), MainWindow::sizeAt(1));
    QStringList menus;
    for (QAction *menu : shell.menuBar()->actions()) menus << menu->text();
    QCOMPARE(menus, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
    // A right click on the background offers the edit actions.
    QCOMPARE(shell.form().contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(shell.form().actions().contains(shell.action("copyPuzzle")));
    QVERIFY(shell.form().actions().contains(shell.action("undo")));
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    shell.placeOnScreen();
    const QRect screen = shell.screen()->availableGeometry();
    QVERIFY2(screen.contains(shell.frameGeometry()),
             qPrintable(QStringLiteral("%1x%2").arg(shell.width()).arg(shell.height())));
    // The form keeps its proportions at the scale it was given.
    const QSize form = shell.form().size();
    QVERIFY(std::abs(form.width() * 734.0 / 1016 - form.height()) <= 2);
  }

  void puzzlesInText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("puzzles");
    const QString line = kPuzzle;
    QString zeros = kPuzzle;
    zeros.replace(u'.', u'0');
    QTest::newRow("one a line, 0 and .") << (line + "\n" + zeros + "\r\n") << QStringList{line, line};
    QTest::newRow("comments and ratings")
        << ("# top\n" + line + "  3.4 hard\n\n" + kSecond + "\n") << QStringList{line, kSecond};
    QString grid;
    for (int r = 0; r < 9; ++r) {
      if (r == 3 || r == 6) grid += "------+-------+------\n";
      for (int c = 0; c < 9; ++c) {
        if (c == 3 || c == 6) grid += "| ";
        grid += kPuzzle[r * 9 + c] + QStringLiteral(" ");
      }
      grid += "\n";
    }
    QTest::newRow("laid out with | - +") << grid << QStringList{line};
    QTest::newRow("blanks between the cells") << QString(line).split(QString()).join(u' ') << QStringList{line};
    QTest::newRow("80 cells and 82 cells") << (line.left(80) + "\n" + line + "1\n") << QStringList{};
    QTest::newRow("a letter in the line") << (line.left(40) + "x" + line.mid(41) + "\n") << QStringList{};
    QTest::newRow("eight rows of nine, then a puzzle")
        << (grid.section(u'\n', 0, 9) + "\n" + kSecond + "\n") << QStringList{kSecond};
  }
  void puzzlesInText() {
    QFETCH(QString, text);
    QFETCH(QStringList, puzzles);
    QCOMPARE(numplace::app::puzzlesInText(text), puzzles);
  }

  // A data file's name goes into 入力データ名; a collection's first puzzle
  // into the grid, with 前の問題 / 次の問題 stepping through it and the status
  // bar counting.
  void openDataFileAndCollection() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    const QString data = QStringLiteral(NUMPLACE_EXAMPLES_DIR "/karune111.csv");
    QVERIFY(shell.openFile(data));
    QCOMPARE(box(form, "Text3")->text(), QFileInfo(data).absoluteFilePath());
    QCOMPARE(shell.recentFiles(), QStringList{QFileInfo(data).absoluteFilePath()});

    const QString path = files_.filePath(QStringLiteral("three.txt"));
    writeFile(path, (kPuzzle + "\n# a comment\n" + kSecond + "\n" + kPuzzle.left(80) + "1\n").toUtf8());
    QVERIFY(shell.openFile(path));
    QCOMPARE(shell.collectionSize(), 3);
    QCOMPARE(gridLine(form), kPuzzle);
    QVERIFY2(shell.statusLine().contains(QStringLiteral("1 / 3　three.txt")), qPrintable(shell.statusLine()));
    QVERIFY(!shell.action("previous")->isEnabled());
    shell.action("next")->trigger();
    QCOMPARE(gridLine(form), kSecond);
    QVERIFY(shell.statusLine().contains(QStringLiteral("2 / 3")));
    shell.action("next")->trigger();
    QVERIFY(!shell.action("next")->isEnabled());
    QVERIFY(!shell.stepCollection(1));
    QCOMPARE(shell.collectionIndex(), 2);
    shell.action("previous")->trigger();
    shell.action("previous")->trigger();
    QCOMPARE(gridLine(form), kPuzzle);
    // Each step is one undo step: back to the second puzzle.
    shell.undoStack().undo();
    QCOMPARE(gridLine(form), kSecond);
    QCOMPARE(shell.recentFiles().front(), QFileInfo(path).absoluteFilePath());

    // Neither: the status bar says why, and nothing changes.
    const QString junk = files_.filePath(QStringLiteral("junk.txt"));
    writeFile(junk, "hello\n");
    const QString before = gridLine(form);
    QVERIFY(!shell.openFile(junk));
    QVERIFY2(shell.statusBar()->currentMessage().contains(QStringLiteral("junk.txt")),
             qPrintable(shell.statusBar()->currentMessage()));
    QCOMPARE(gridLine(form), before);
    QVERIFY(!shell.openFile(files_.filePath(QStringLiteral("missing.csv"))));
  }

  // The puzzle the next run reads, extra givens included, saved and opened
  // again gives the same puzzle; so does numplace-cli's --save.
  void saveAndOpenAgain() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    box(form, "Text1")->setText(QStringLiteral("134"));  // an extra given: 4 at row 1, column 3
    const QString path = files_.filePath(QStringLiteral("saved.csv"));
    QVERIFY(shell.saveFile(path));
    QString expected = kPuzzle;
    expected[2] = u'4';
    shell.copyPuzzle();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);

    // Opened into an empty window: the data file is the source.
    ShellWindow other;
    QVERIFY(other.openFile(path));
    other.copyPuzzle();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);

    QProcess cli;
    const QString again = files_.filePath(QStringLiteral("cli.csv"));
    cli.start(QStringLiteral(NUMPLACE_CLI_PATH),
              {"--file", path, "--save", again, "--grid", QString(kSecond).replace(u'.', u'0'), "--save",
               files_.filePath(QStringLiteral("second.csv"))});
    QVERIFY(cli.waitForFinished(20000));
    QCOMPARE(cli.exitCode(), 0);
    QFile a(path);
    QFile b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
    ShellWindow third;
    QVERIFY(third.openFile(files_.filePath(QStringLiteral("second.csv"))));
    third.copyPuzzle();
    QCOMPARE(QGuiApplication::clipboard()->text(), kSecond);

    // A puzzle that cannot be read is not saved, and the status bar says why.
    box(form, "Text1")->setText(QStringLiteral("1000"));
    QVERIFY(!shell.saveFile(files_.filePath(QStringLiteral("bad.csv"))));
    QVERIFY(!QFile::exists(files_.filePath(QStringLiteral("bad.csv"))));
    QVERIFY(shell.statusBar()->currentMessage().contains(QStringLiteral("1000")));
  }

  // 消去, a paste, a cell click and typing each come back with 元に戻す and
  // go again with やり直し; the keys reach the history from inside a box.
  void undoAndRedo() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    QGuiApplication::clipboard()->setText(kPuzzle);
    QVERIFY(shell.pastePuzzle());
    QCOMPARE(gridLine(form), kPuzzle);
    // A paste loads a new puzzle: the row boxes are emptied.
    QCOMPARE(box(form, "Text5", 2)->text(), QString());
    QTest::keyClicks(box(form, "Text5", 2), QStringLiteral("123"));
    QTest::mouseClick(form.control({"Command4", 0}), Qt::LeftButton);  // 消去
    QCOMPARE(gridLine(form), QString(81, u'.'));
    QCOMPARE(box(form, "Text5", 2)->text().trimmed(), QString());

    shell.undoStack().undo();
    QCOMPARE(gridLine(form), kPuzzle);
    QCOMPARE(box(form, "Text5", 2)->text(), QStringLiteral("123"));
    // Typing three digits into one box is one step.
    shell.undoStack().undo();
    QCOMPARE(box(form, "Text5", 2)->text(), QString());
    shell.undoStack().undo();
    QCOMPARE(gridLine(form), QString(81, u'.'));
    shell.undoStack().redo();
    QCOMPARE(gridLine(form), kPuzzle);

    // A cell click steps the digit; Ctrl+Z in the box takes it back.
    QLineEdit *empty = cell(form, 1, 3);
    const QString before = empty->text();
    QTest::mouseClick(empty, Qt::LeftButton, {}, QPoint(empty->width() / 2, empty->height() / 2));
    QVERIFY(empty->text() != before);
    const QString stepped = empty->text();
    QCOMPARE(shell.undoStack().undoText(), QStringLiteral("マスのクリック"));
    empty->setFocus();
    QTest::keyClick(empty, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(empty->text(), before);
    QTest::keyClick(empty, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(empty->text(), stepped);
    // What a run writes into the boxes is no step: undo goes past it to the click.
    QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
    QCOMPARE(shell.undoStack().undoText(), QStringLiteral("マスのクリック"));
  }

  // The puzzle as an 81-character line; the answer from the last run's full
  // board; Ctrl+C in a box without a selection copies the puzzle.
  void copyPuzzleAndAnswer() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    QGuiApplication::clipboard()->clear();
    QLineEdit *first = cell(form, 1, 1);
    first->setFocus();
    first->deselect();
    QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), kPuzzle);
    // With a selection, the box copies it, as boxes do.
    first->selectAll();
    QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5"));

    QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
    QVERIFY(shell.lastRun().has_value());
    QCOMPARE(shell.lastRun()->end, numplace::RunEnd::Solved);
    shell.action("copyAnswer")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), kSolution);
  }

  // The panel shows the lines of numplace-cli --explain for the same run.
  void explanationAsTheCliSaysIt() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
    QProcess cli;
    cli.start(QStringLiteral(NUMPLACE_CLI_PATH),
              {"--grid", QString(kPuzzle).replace(u'.', u'0'), "--click", "Command3", "--explain"});
    QVERIFY(cli.waitForFinished(20000));
    QStringList expected = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
    expected.removeAll(QString());
    QStringList shown = listTexts(shell.explanationList());
    QCOMPARE(shown.size(), expected.size());
    QCOMPARE(shown, expected);
    QCOMPARE(shell.explanationList()->currentRow(), shown.size() - 1);

    // Shown from 表示, and remembered.
    QVERIFY(!shell.explanationDock()->isVisibleTo(&shell));
    shell.action("explanation")->trigger();
    QVERIFY(shell.explanationDock()->isVisibleTo(&shell));
    ShellWindow again;
    QVERIFY(again.explanationDock()->isVisibleTo(&again));
  }

  // During a step run the newest line is selected at every prompt; 中止 ends
  // the run at once, the picture and the boxes as they were at the prompt.
  void stopAtAStepPrompt() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    int prompts = 0;
    QStringList selectedAtPrompt;
    QList<int> linesAtPrompt;
    QString log;
    QImage picture;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      numplace::app::PromptDialog *dialog = openPrompt();
      if (dialog == nullptr) return;
      ++prompts;
      const QListWidget *list = shell.explanationList();
      selectedAtPrompt << (list->currentItem() != nullptr ? list->currentItem()->text() : QString());
      linesAtPrompt << (list->currentRow() == list->count() - 1 ? list->count() : -1);
      if (prompts < 4) {
        QTest::keyClick(dialog->answerEdit(), Qt::Key_Return);
        return;
      }
      QVERIFY(!shell.action("copyPuzzle")->isEnabled());  // the menus wait for the run
      log = box(form, "Text14")->text();
      picture = form.canvas().grab().toImage();
      dialog->stopButton()->click();
    });
    poll.start();
    QTest::mouseClick(form.control({"Command7", 0}), Qt::LeftButton);
    poll.stop();
    QCOMPARE(prompts, 4);
    QVERIFY(openPrompt() == nullptr);
    QVERIFY(shell.isVisible());
    QCOMPARE(box(form, "Text14")->text(), log);
    QCOMPARE(form.canvas().grab().toImage(), picture);
    // The first prompt comes before any placement; at every later one the
    // newest placement is the last line and selected.
    QCOMPARE(selectedAtPrompt.size(), 4);
    QVERIFY(selectedAtPrompt[0].isEmpty());
    QVERIFY2(linesAtPrompt[3] > linesAtPrompt[1] && linesAtPrompt[1] > 0,
             qPrintable(QString::number(linesAtPrompt[3])));
    QVERIFY2(selectedAtPrompt[3].startsWith(QStringLiteral("%1. ").arg(linesAtPrompt[3]).rightJustified(6)),
             qPrintable(selectedAtPrompt[3]));
    const QStringList lines = listTexts(shell.explanationList());
    QCOMPARE(lines.size(), linesAtPrompt[3] + 1);
    QCOMPARE(lines.last(), QStringLiteral("中止：ここで実行を終えました"));
    QVERIFY(shell.action("copyPuzzle")->isEnabled());
    // The program goes on: another run starts and ends.
    QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
    QCOMPARE(shell.lastRun()->end, numplace::RunEnd::Solved);
  }

  // Enter on a focused button presses it, as Space does.
  void enterPressesAFocusedButton() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    QWidget *clear = form.control({"Command4", 0});
    clear->setFocus();
    QTest::keyClick(clear, Qt::Key_Return);
    QCOMPARE(gridLine(form), QString(81, u'.'));
    typeGrid(shell, kPuzzle);
    QWidget *answer = form.control({"Command3", 0});
    QTest::keyClick(answer, Qt::Key_Enter);
    QVERIFY(shell.lastRun().has_value());
    QCOMPARE(shell.lastRun()->run, numplace::RunKind::Answer);
  }

  // A click that steps a cell's digit selects it: typing then replaces it.
  void clickThenTypeReplaces() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    QLineEdit *box = cell(shell.form(), 5, 5);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    QVERIFY(!box->text().trimmed().isEmpty());
    QTest::keyClicks(box, QStringLiteral("4"));
    QCOMPARE(box->text(), QStringLiteral("4"));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    QVERIFY(box->text() != QStringLiteral("4"));
    QTest::keyClicks(box, QStringLiteral("7"));
    QCOMPARE(box->text(), QStringLiteral("7"));
  }

  // The status bar after a change to the boxes (a moment later, so typing
  // is never held up) and after a run: the source, then the check.
  void statusBarTellsTheTruth() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    typeGrid(shell, kPuzzle);
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().startsWith(QStringLiteral("読むのは：盤面　解は1つ：難しさ ")),
             qPrintable(shell.statusLine()));
    QVERIFY(!shell.showSolutionButton()->isVisibleTo(&shell));

    // A 5 typed at row 1, column 3 clashes with the 5 at column 1: both boxes turn red.
    QTest::keyClicks(cell(form, 1, 3), QStringLiteral("5"));
    QVERIFY(!shell.statusLine().contains(QStringLiteral("解なし")));  // not yet: typing goes on undisturbed
    QTRY_VERIFY2(
        shell.statusLine().contains(QStringLiteral("解なし：同じ数字がぶつかっています：1行1列と1行3列の5（同じ行）")),
        qPrintable(shell.statusLine()));
    QCOMPARE(cell(form, 1, 3)->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(cell(form, 1, 1)->palette().color(QPalette::Text), QColor(Qt::red));
    QVERIFY(cell(form, 1, 2)->palette().color(QPalette::Text) != QColor(Qt::red));
    shell.undoStack().undo();
    QTRY_VERIFY(shell.statusLine().contains(QStringLiteral("解は1つ")));
    QVERIFY(cell(form, 1, 3)->palette().color(QPalette::Text) != QColor(Qt::red));

    // Several solutions, and where they differ.
    QTest::mouseClick(form.control({"Command4", 0}), Qt::LeftButton);
    QFile multi(QStringLiteral(NUMPLACE_DATA_DIR "/serg_multisolution.txt"));
    QVERIFY(multi.open(QIODevice::ReadOnly));
    typeGrid(shell, QString::fromLatin1(multi.readLine().trimmed()));
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().contains(QStringLiteral("解が複数あります：")) &&
                 shell.statusLine().contains(QStringLiteral("で分かれます（ヒントが足りません）")),
             qPrintable(shell.statusLine()));
    QVERIFY(!shell.report()->check.differ.empty());

    // Six rows typed: the grid is passed over, plainly, for the data file.
    QTest::mouseClick(form.control({"Command4", 0}), Qt::LeftButton);
    typeGrid(shell, kPuzzle.left(54) + QString(27, u'.'));
    box(form, "Text3")->setText(QStringLiteral(NUMPLACE_EXAMPLES_DIR "/karune111.csv"));
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().startsWith(QStringLiteral(
                 "読むのは：データファイル karune111.csv（盤面は空の行が3行以上あるので使いません）　解は1つ")),
             qPrintable(shell.statusLine()));
    box(form, "Text3")->setText(QStringLiteral("nowhere.csv"));
    shell.refreshStatus();
    QVERIFY2(shell.statusLine().contains(QStringLiteral("入力エラー：")), qPrintable(shell.statusLine()));
  }

  // A puzzle with one solution that the answer run does not reach: the
  // status bar says so after the run and 解を表示 draws the check's solution
  // on the board, nothing else of the picture changing; 答えをコピー falls
  // back to the check's solution.
  void unreachedPuzzleAndShowSolution() {
    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    QFile top95(QStringLiteral(NUMPLACE_DATA_DIR "/top95.txt"));
    QVERIFY(top95.open(QIODevice::ReadOnly));
    QString puzzle;
    for (int i = 0; i < 4; ++i) puzzle = QString::fromLatin1(top95.readLine().trimmed());
    typeGrid(shell, puzzle);
    QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
    QCOMPARE(shell.lastRun()->end, numplace::RunEnd::Error);
    QVERIFY2(shell.statusLine().contains(
                 QStringLiteral("解は1つですが、このプログラムの解き方と試し置きでは届きませんでした")),
             qPrintable(shell.statusLine()));
    QVERIFY(shell.showSolutionButton()->isVisibleTo(&shell));

    const QImage before = form.canvas().grab().toImage();
    QTest::mouseClick(shell.showSolutionButton(), Qt::LeftButton);
    const QImage after = form.canvas().grab().toImage();
    QVERIFY(before != after);
    // The board stands right of x = 8400 twips (560 pixels): the rest is as it was.
    const QRect rest(0, 0, 540, before.height());
    QCOMPARE(after.copy(rest), before.copy(rest));

    const QString solution = QString::fromStdString(numplace::gridText(*shell.report()->check.solution));
    shell.copyAnswer();
    QCOMPARE(QGuiApplication::clipboard()->text(), solution);
    QVERIFY(!solution.contains(u'.'));
    for (int k = 0; k < 81; ++k) QVERIFY(puzzle[k] == u'0' || puzzle[k] == solution[k]);

    // Typing again: the note goes, it was about the run.
    QTest::keyClicks(cell(form, 9, 9), QStringLiteral("1"));
    QTRY_VERIFY(!shell.showSolutionButton()->isVisibleTo(&shell));
    QVERIFY(!shell.statusLine().contains(QStringLiteral("届きません")));
  }

  // Under a language other than Japanese the new texts are English; the
  // form's own texts stay as they are.
  void englishTexts() {
    QObject owner;
    QVERIFY(numplace::app::installShellTranslations(&owner, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    {
      ShellWindow shell;
      QStringList menus;
      for (QAction *menu : shell.menuBar()->actions()) menus << menu->text();
      QCOMPARE(menus, (QStringList{"&File", "&Edit", "&View", "&Help"}));
      QCOMPARE(shell.action("open")->text(), QStringLiteral("&Open..."));
      QCOMPARE(shell.action("showSolution")->text(), QStringLiteral("Show the &solution"));
      QCOMPARE(shell.explanationDock()->windowTitle(), QStringLiteral("How it was solved"));
      QCOMPARE(qobject_cast<QPushButton *>(shell.form().control({"Command3", 0}))->text(), QStringLiteral("答"));
      const numplace::PromptRequest request{"次へ", "999", "1か２", 0, 0};
      numplace::app::PromptDialog dialog(request);
      QCOMPARE(dialog.stopButton()->text(), QStringLiteral("Stop"));
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QVERIFY(!numplace::app::installShellTranslations(&owner, QLocale(QLocale::Japanese, QLocale::Japan)));
  }

 private:
  QTemporaryDir settingsDir_;
  QTemporaryDir files_;
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("numplace-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("tst_shell"));
  numplace::app::installFontSubstitutions();
  TstShell test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
