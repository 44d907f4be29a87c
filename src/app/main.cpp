// numplace: the window. With --screenshot it plays the given actions on the
// window and saves its picture instead of showing it, which also works
// without a display.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/scripted.h"
#include "app/shell.h"
#include "app/text.h"
#include "app/translations.h"
#include "app/window.h"
#include "numplace/version.h"
#include "script/actions.h"

namespace {

using numplace::app::fromUtf8;

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr int kNoDisplay = 3;
constexpr int kFramedAfterMs = 300;

// The launcher's name without ".desktop": it ties the window to its launcher and icon.
constexpr char kDesktopFileName[] = "io.github.numplace.numplace";
constexpr char kIconName[] = "numplace";

bool platformChosen(int argc, char **argv) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "-platform") return true;
  }
  return false;
}

// The actions in the order they were given: the parser keeps each option's
// values in order and the names of all options found in order, so the nth
// occurrence of a name takes its nth value.
std::optional<std::string> actionsInOrder(const QCommandLineParser &parser, std::vector<numplace::Action> &actions) {
  QHash<QString, qsizetype> taken;
  for (const QString &name : parser.optionNames()) {
    const std::string option = name.toStdString();
    if (numplace::isFlagActionOption(option)) {
      if (auto error = numplace::parseAction(option, "", actions)) return error;
      continue;
    }
    if (!numplace::isActionOption(option) && option != "hint") continue;
    const QStringList values = parser.values(name);
    const qsizetype k = taken[name]++;
    if (k >= values.size()) return "--" + option + " needs a value";
    if (auto error = numplace::parseAction(option, values[k].toStdString(), actions)) return error;
  }
  return std::nullopt;
}

// --hint takes its level as numplace-cli does, when one follows (1 when not);
// Qt's parser has no optional values, so the 1 is written in.
QStringList withHintLevels(const QStringList &arguments) {
  QStringList out;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    out << arguments[i];
    const bool levelFollows = i + 1 < arguments.size() && numplace::isHintLevel(arguments[i + 1].toStdString());
    if (arguments[i] == QLatin1String("--hint") && !levelFollows) out << QStringLiteral("1");
  }
  return out;
}

void nameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("numplace"));
  QCoreApplication::setOrganizationName(QStringLiteral("numplace"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(numplace::kNumplaceVersion));
}

bool asksForHelpOrVersion(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all" || arg == "--version" || arg == "-v") {
      return true;
    }
  }
  return false;
}

// The options of the window's command line.
struct CommandLine {
  QCommandLineParser parser;
  QCommandLineOption screenshot{
      QStringLiteral("screenshot"),
      QStringLiteral("Play the actions, save a PNG of the window to FILE and quit, without showing the window."),
      QStringLiteral("FILE")};
  QCommandLineOption atPrompt{
      QStringLiteral("at-prompt"),
      QStringLiteral("With --screenshot: take the picture as prompt N opens, in the middle of a run."),
      QStringLiteral("N")};

  CommandLine() {
    parser.setApplicationDescription(QStringLiteral("Solves number-place puzzles and shows how, in one window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(screenshot);
    parser.addOption(atPrompt);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file or a puzzle collection to open, as File > Open does."),
                                 QStringLiteral("[FILE]"));
    parser.addPositionalArgument(
        QStringLiteral("actions"),
        QStringLiteral("Actions as numplace-cli takes them, played on the window in order: "
                       "--set CONTROL=TEXT, --grid PUZZLE, --puzzle LINE, --rows R1,...,R9, "
                       "--file PATH, --click BUTTON, --press CELL:X, --key CONTROL:CODE, "
                       "--answer TEXT, --save PATH, --open FILE, --next, --previous, --paste LINE, "
                       "--entries LINE, --hint [LEVEL], --save-progress PATH."),
        QStringLiteral("[ACTIONS...]"));
    for (const std::string_view name : numplace::kActionOptions) {
      QCommandLineOption action(fromUtf8(name), QStringLiteral("An action (see above)."), QStringLiteral("VALUE"));
      action.setFlags(QCommandLineOption::HiddenFromHelp);
      parser.addOption(action);
    }
    QCommandLineOption hint(QStringLiteral("hint"), QStringLiteral("An action (see above)."), QStringLiteral("LEVEL"));
    hint.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(hint);
    for (const std::string_view name : numplace::kFlagActionOptions) {
      QCommandLineOption action(fromUtf8(name), QStringLiteral("An action (see above)."));
      action.setFlags(QCommandLineOption::HiddenFromHelp);
      parser.addOption(action);
    }
  }

  // Prints the help or the version and ends the program, when asked for.
  void answerHelpOrVersion() {
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  }
};

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

  // --help and --version need no window system: answered before one is
  // started, they stay free of its start-up warnings (an unset
  // XDG_RUNTIME_DIR). Anything the parser refuses goes the usual way below.
  if (asksForHelpOrVersion(argc, argv)) {
    const QCoreApplication plain(argc, argv);
    nameApplication();
    CommandLine line;
    if (line.parser.parse(QCoreApplication::arguments())) line.answerHelpOrVersion();
  }

  QApplication app(argc, argv);
  nameApplication();
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
  QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kIconName)));
  CommandLine line;
  QCommandLineParser &parser = line.parser;
  const QCommandLineOption &screenshot = line.screenshot;
  const QCommandLineOption &atPrompt = line.atPrompt;

  if (!parser.parse(withHintLevels(QCoreApplication::arguments()))) {
    std::fprintf(stderr, "numplace: %s\n", qPrintable(parser.errorText()));
    return kUsageError;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "numplace: one file to open at most: %s (see --help)\n", qPrintable(files.at(1)));
    return kUsageError;
  }
  std::vector<numplace::Action> actions;
  if (const auto error = actionsInOrder(parser, actions)) {
    std::fprintf(stderr, "numplace: %s\n", error->c_str());
    return kUsageError;
  }
  line.answerHelpOrVersion();

  if (!chosen && !parser.isSet(screenshot) && QGuiApplication::platformName() == QLatin1String("offscreen")) {
    std::fprintf(stderr,
                 "numplace: no display to show the window on (DISPLAY is %s); "
                 "use numplace-cli, or --screenshot FILE\n",
                 hasDisplay ? "unreachable" : "not set");
    return kNoDisplay;
  }

  // After the command line, whose texts stay as the terminal has them.
  // Qt's own texts (dialog buttons, the file dialog) in Japanese only where
  // the rest of the shell is Japanese; else they stay English, as the shell.
  numplace::app::installTranslations(&app, QLocale::system());
  numplace::app::installFontSubstitutions();
  // A screenshot is of the form alone, at its own size, wherever it would
  // stand; the program shows the form in its main window.
  std::unique_ptr<numplace::app::ShellWindow> shell;
  std::unique_ptr<numplace::app::MainWindow> bare;
  if (parser.isSet(screenshot)) {
    bare = std::make_unique<numplace::app::MainWindow>();
  } else {
    shell = std::make_unique<numplace::app::ShellWindow>();
    shell->placeOnScreen();
  }
  numplace::app::MainWindow &window = shell ? shell->form() : *bare;
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
  std::optional<numplace::RunResult> lastRun;
  // The window says in its status bar why FILE cannot be opened; a screenshot fails on it.
  if (!files.isEmpty() && shell) {
    shell->openFile(files.front());
  } else if (!files.isEmpty()) {
    actions.insert(actions.begin(), numplace::OpenFile{files.front().toStdString()});
  }
  numplace::PuzzleLoader *loader = shell ? &shell->loader() : nullptr;
  if (const auto error = numplace::app::playActions(window, actions, beforePrompt, &lastRun, loader)) {
    std::fprintf(stderr, "numplace: %s\n", error->c_str());
    return kUsageError;
  }
  if (shell) {
    shell->adoptEntries();
    if (lastRun) shell->takeRun(*lastRun);
    shell->show();
  } else {
    window.show();
  }
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
  // The frame is known once the window manager has put one around the window.
  QTimer::singleShot(kFramedAfterMs, shell.get(), &numplace::app::ShellWindow::placeOnScreen);
  return QApplication::exec();
}
