// The window and files that are not what they seem: 開く on a pipe, a folder
// or a device, and 入力データ名 naming a pipe, each answered at once with a
// message while the window goes on responding; a save that fails keeps the
// file it would have replaced. A call that would wait forever fails the test
// through a watchdog instead of hanging it.
#include <sys/stat.h>

#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/fonts.h"
#include "app/shell.h"
#include "board/collection.h"
#include "watchdog.h"

using numplace::app::MainWindow;
using numplace::app::ShellWindow;
using numplace_test::Watchdog;

namespace {

// The guard of a call that must not wait on the pipe.
Watchdog guard(const QString &what, const QString &fifo) {
  return Watchdog(what.toStdString(), QFile::encodeName(fifo).toStdString());
}

QLineEdit *box(MainWindow &form, std::string_view name, int index = 0) {
  return qobject_cast<QLineEdit *>(form.control({name, index}));
}

// The window still handles events: a timer set now fires.
bool responds() {
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  for (int i = 0; i < 100 && !fired; ++i) QTest::qWait(10);
  return fired;
}

}  // namespace

class TstFiles : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("settings")));
    fifo_ = dir_.filePath(QStringLiteral("pipe.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo_).constData(), 0600), 0);
  }

  void init() { QSettings().clear(); }

  void openRefusesAtOnce_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("pipe") << fifo_
                          << QStringLiteral("「pipe.csv」は通常のファイルではありません（パイプや装置は開きません）。");
    QTest::newRow("device") << QStringLiteral("/dev/zero")
                            << QStringLiteral("「zero」は通常のファイルではありません（パイプや装置は開きません）。");
    QTest::newRow("folder") << dir_.path()
                            << QStringLiteral("「%1」を開けません。").arg(QFileInfo(dir_.path()).fileName());
  }
  // 開く on what is no regular file: a message at once, nothing changed, and
  // the window goes on. The message is the core's, word for word.
  void openRefusesAtOnce() {
    QFETCH(QString, path);
    QFETCH(QString, message);
    ShellWindow shell;
    const QString before = box(shell.form(), "Text3")->text();
    Watchdog watchdog = guard(QStringLiteral("openFile(%1)").arg(path), fifo_);
    const bool opened = shell.openFile(path);
    QVERIFY2(watchdog.disarm(), "openFile waited");
    QVERIFY(!opened);
    QCOMPARE(shell.statusBar()->currentMessage(), message);
    QCOMPARE(QString::fromStdString(numplace::openedFileText(numplace::readOpenedFile(path.toStdString()))), message);
    QCOMPARE(box(shell.form(), "Text3")->text(), before);
    QCOMPARE(shell.collectionSize(), 0);
    QVERIFY(shell.recentFiles().isEmpty());
    QVERIFY(responds());
  }

  // 入力データ名 naming a pipe or a device: the status bar's look at it and a
  // run on it both answer at once, with the runs' own message.
  void dataFileNameOfAPipeOrADevice() {
    for (const QString &path : {fifo_, QStringLiteral("/dev/zero")}) {
      ShellWindow shell;
      MainWindow &form = shell.form();
      box(form, "Text3")->setText(path);
      Watchdog watchdog = guard(QStringLiteral("the status bar on %1").arg(path), fifo_);
      shell.refreshStatus();
      QVERIFY2(watchdog.disarm(), "the status bar waited");
      QVERIFY2(
          shell.statusLine().contains(QStringLiteral("は通常のファイルではありません（パイプや装置は読みません）")),
          qPrintable(shell.statusLine()));
      QVERIFY(responds());

      Watchdog run = guard(QStringLiteral("答 on %1").arg(path), fifo_);
      QTest::mouseClick(form.control({"Command3", 0}), Qt::LeftButton);
      QVERIFY2(run.disarm(), "答 waited");
      QVERIFY(shell.lastRun().has_value());
      QCOMPARE(shell.lastRun()->end, numplace::RunEnd::BadInput);
      QVERIFY2(QString::fromStdString(shell.lastRun()->message).contains(QFileInfo(path).fileName()),
               shell.lastRun()->message.c_str());
      // The status bar's own timer, after typing, looks again without waiting.
      Watchdog typed = guard(QStringLiteral("the status bar's timer on %1").arg(path), fifo_);
      QTest::keyClicks(box(form, "Text5", 1), QStringLiteral("1"));
      QTest::qWait(400);
      QVERIFY2(typed.disarm(), "the status bar's timer waited");
      QVERIFY(responds());
    }
  }

  // 名前を付けて保存 where it cannot write: the message says why and that
  // nothing was lost; /dev/full stays the device it is.
  void saveThatFailsKeepsTheOldFile() {
    ShellWindow shell;
    MainWindow &form = shell.form();
    for (int r = 1; r <= 9; ++r)
      box(form, "Text5", r)->setText(QStringLiteral("123456789").mid(r - 1) + QStringLiteral("123456789").left(r - 1));
    QVERIFY(!shell.saveFile(dir_.filePath(QStringLiteral("no/such/folder.csv"))));
    QCOMPARE(shell.statusBar()->currentMessage(),
             QStringLiteral("保存できません：「folder."
                            "csv」に書き込めません（そのフォルダーがありません）。ファイルは作られていません。"));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("no"))));

    struct stat before {};
    QCOMPARE(::stat("/dev/full", &before), 0);
    QVERIFY(!shell.saveFile(QStringLiteral("/dev/full")));
    QVERIFY2(shell.statusBar()->currentMessage().contains(QStringLiteral("元のファイルはそのままです")),
             qPrintable(shell.statusBar()->currentMessage()));
    struct stat after {};
    QCOMPARE(::stat("/dev/full", &after), 0);
    QVERIFY(S_ISCHR(after.st_mode));
    QCOMPARE(after.st_rdev, before.st_rdev);

    // A folder under the name: left as it is.
    const QString folder = dir_.filePath(QStringLiteral("taken.csv"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!shell.saveFile(folder));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(shell.saveFile(dir_.filePath(QStringLiteral("fine.csv"))));
  }

 private:
  QTemporaryDir dir_;
  QString fifo_;
};

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("numplace-tests"));
  QCoreApplication::setApplicationName(QStringLiteral("tst_files"));
  numplace::app::installFontSubstitutions();
  TstFiles test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_files.moc"
