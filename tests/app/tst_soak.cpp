// One window plays many random actions, as a restless user would: entries,
// cell clicks, the four runs with random answers at their prompts, 中止, undo
// and redo, open, save, stepping through a collection, copy and paste. No
// crash, and its memory stays flat. NUMPLACE_SOAK_ACTIONS sets how many
// (10,000 by default); NUMPLACE_SOAK_SEED the seed.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "app/fonts.h"
#include "app/prompts.h"
#include "app/shell.h"
#include "board/layout.h"

namespace {

using numplace::app::MainWindow;
using numplace::app::ShellWindow;

// Resident memory of this process in KiB, from /proc.
long residentKiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray &line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
  }
  return -1;
}

// Answers the runs' prompts at random: go on, run to the end, cancel (goes
// on too), something that is no answer, or 中止.
class RandomPrompt : public numplace::Prompt {
 public:
  explicit RandomPrompt(std::mt19937 &random) : random_(random) {}
  std::optional<std::string> ask(const numplace::PromptRequest &request) override {
    ++asked;
    switch (random_() % 8) {
      case 0:
        return "2";
      case 1:
        return std::nullopt;
      case 2:
        return "x";
      case 3:
        ++stopped;
        throw numplace::app::RunStopped{};
      default:
        return request.defaultAnswer;
    }
  }
  long asked = 0;
  long stopped = 0;

 private:
  std::mt19937 &random_;
};

}  // namespace

class TstSoak : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void randomActions() {
    const int actions = qEnvironmentVariableIsSet("NUMPLACE_SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("NUMPLACE_SOAK_ACTIONS")
                            : 10000;
    const auto seed = static_cast<unsigned>(
        qEnvironmentVariableIsSet("NUMPLACE_SOAK_SEED") ? qEnvironmentVariableIntValue("NUMPLACE_SOAK_SEED") : 19);
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    const QString collection = QStringLiteral(NUMPLACE_DATA_DIR "/top95.txt");
    const QString dataFile = QStringLiteral(NUMPLACE_DATA_DIR "/karune111.csv");
    QFile lines(collection);
    QVERIFY(lines.open(QIODevice::ReadOnly));
    const QList<QByteArray> puzzles = lines.readAll().trimmed().split('\n');

    ShellWindow shell;
    shell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell));
    MainWindow &form = shell.form();
    RandomPrompt prompt(random);
    form.setPrompt(&prompt);
    const char *const buttons[] = {"Command3", "Command7", "Command1", "Command5", "Command4"};

    long runs = 0;
    long startKiB = 0;
    const int warmUp = std::min(1000, actions / 5);
    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < actions; ++n) {
      if (n == warmUp) startKiB = residentKiB();
      switch (pick(20)) {
        case 0:
        case 1:
        case 2: {  // a digit, or nothing, typed over a cell
          auto *box =
              qobject_cast<QLineEdit *>(form.control({"Text15", numplace::cellIndex(1 + pick(9), 1 + pick(9))}));
          box->selectAll();
          if (pick(4) == 0) {
            QTest::keyClick(box, Qt::Key_Delete);
          } else {
            QTest::keyClicks(box, QString::number(1 + pick(9)));
          }
          break;
        }
        case 3:
        case 4: {  // a cell click somewhere on the box
          QWidget *box = form.control({"Text15", numplace::cellIndex(1 + pick(9), 1 + pick(9))});
          QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(pick(box->width()), pick(box->height())));
          break;
        }
        case 5:
        case 6:
        case 7: {  // one of the five buttons
          QTest::mouseClick(form.control({buttons[pick(5)], 0}), Qt::LeftButton);
          ++runs;
          break;
        }
        case 8:
        case 9:
          shell.undoStack().undo();
          break;
        case 10:
          shell.undoStack().redo();
          break;
        case 11:
          shell.openFile(pick(3) == 0 ? dataFile : collection);
          break;
        case 12:
          shell.saveFile(dir.filePath(QStringLiteral("soak.csv")));
          break;
        case 13:
          shell.stepCollection(pick(2) == 0 ? -1 : 1);
          break;
        case 14:  // a puzzle from the collection pasted
          QGuiApplication::clipboard()->setText(QString::fromLatin1(puzzles[pick(static_cast<int>(puzzles.size()))]));
          shell.pastePuzzle();
          break;
        case 15:
          if (pick(2) == 0) {
            shell.copyPuzzle();
          } else {
            shell.copyAnswer();
          }
          break;
        case 16:  // an extra given, sometimes one that cannot be used
          qobject_cast<QLineEdit *>(form.control({"Text1", 0}))
              ->setText(pick(5) == 0 ? QStringLiteral("1234") : QString::number(111 + pick(889)));
          break;
        case 17: {  // a row typed into a row box
          auto *row = qobject_cast<QLineEdit *>(form.control({"Text5", 1 + pick(9)}));
          row->selectAll();
          QTest::keyClicks(row, QString::number(pick(1000000000)));
          break;
        }
        case 18:
          shell.showSolution();
          break;
        default:
          QCoreApplication::processEvents();  // the status bar's timer
          break;
      }
    }
    QCoreApplication::processEvents();
    const long endKiB = residentKiB();
    qInfo(
        "soak: %d actions (%ld button clicks, %ld prompts, %ld stopped) in %lld ms; memory %ld KiB after %d "
        "actions, %ld KiB at the end (%+ld KiB)",
        actions, runs, prompt.asked, prompt.stopped, static_cast<long long>(clock.elapsed()), startKiB, warmUp, endKiB,
        endKiB - startKiB);
    QVERIFY(shell.isVisible());
    QVERIFY(prompt.stopped > 0 || actions < 1000);
#if !defined(__SANITIZE_ADDRESS__)
    // Flat: what a few thousand more actions add stays small (the undo
    // history is bounded; runs keep nothing of earlier runs).
    QVERIFY2(endKiB - startKiB < 16 * 1024, qPrintable(QString::number(endKiB - startKiB)));
#endif
  }
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("numplace-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("tst_soak"));
  numplace::app::installFontSubstitutions();
  TstSoak test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_soak.moc"
