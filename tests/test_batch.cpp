// numplace-cli --batch: standard input, threads, JSON lines and answers
// through a pipe; and the line reader under it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/lines.h"
#include "cli/options.h"
#include "cli_run.h"
#include "helpers.h"

extern char **environ;

namespace numplace_test {
namespace {

using Json = nlohmann::json;

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string dots(std::string_view puzzle) {
  std::string out(puzzle);
  std::replace(out.begin(), out.end(), '0', '.');
  return out;
}

// Puzzles of every ending, comments, blank and malformed lines, a CRLF line
// and a last line without a line break; then collections enough to fill
// many chunks of work.
std::string mixedInput() {
  return readFile(NUMPLACE_DATA_DIR "/csv/batch_mixed.txt") + std::string(kTrialPuzzle) + "\r\n" +
         readFile(NUMPLACE_DATA_DIR "/se_easy.txt") + "not a puzzle\n" + readFile(NUMPLACE_DATA_DIR "/top95.txt") +
         std::string(kEasyPuzzle);
}

// A temporary file holding `content`, removed with the object.
struct TempFile {
  explicit TempFile(std::string_view name, const std::string &content) : path(tempPath(name)) {
    std::ofstream(path, std::ios::binary) << content;
  }
  ~TempFile() { std::filesystem::remove(path); }
  std::string path;
};

// The standard error without the summary's time: the malformed lines in
// order and the counts.
std::string withoutTime(const std::string &err) {
  const std::size_t time = err.rfind("; ");
  return time == std::string::npos ? err : err.substr(0, time);
}

TEST(BatchInput, StandardInputGivesTheLinesOfTheFile) {
  const TempFile file("mixed.txt", mixedInput());
  for (const std::string options : {"", " --stats", " --json"}) {
    const CliResult fromFile = runCli("--batch '" + file.path + "'" + options);
    const CliResult fromPipe = runCliOnInput("--batch -" + options, mixedInput());
    EXPECT_EQ(fromFile.status, kExitSkippedLines);
    EXPECT_EQ(fromPipe.status, kExitSkippedLines);
    EXPECT_EQ(fromPipe.out, fromFile.out) << options;
    // The messages name the input: the file, or - for standard input.
    std::string err = withoutTime(fromFile.err);
    for (std::size_t at; (at = err.find(file.path)) != std::string::npos;) err.replace(at, file.path.size(), "-");
    EXPECT_EQ(withoutTime(fromPipe.err), err);
  }
  const CliResult r = runCliOnInput("--batch -", mixedInput());
  EXPECT_EQ(r.lines().size(), 6u + 1 + 500 + 95 + 1);
  EXPECT_EQ(r.lines().back(), std::string(kEasySolution) + " solved -");
  EXPECT_NE(r.err.find("-:4: not an 81-character puzzle, skipped"), std::string::npos) << r.err;
}

// Lines that are not puzzles do not stop a batch, but its status says that
// some were skipped; comments and blank lines are no fault. An input that
// cannot be read through is bad input, whatever else it held.
TEST(BatchInput, SkippedLinesGiveTheirOwnStatusAndThePuzzlesAreStillSolved) {
  const std::string first = std::string(kEasyPuzzle) + "\n";
  const std::string last = std::string(kTrialPuzzle) + "\n";
  const std::string clean = first + "# a comment\n \t\r\n" + last;
  const std::string binary = first +
                             std::string(
                                 "\x7F"
                                 "ELF\x02\x01\x00\x00\xFF\xFE\n",
                                 11) +
                             "\x89PNG\r\n" + last;
  for (const std::string options : {"", " --json", " --check-only", " --jobs 2"}) {
    const CliResult puzzlesOnly = runCliOnInput("--batch -" + options, clean);
    const CliResult mixed = runCliOnInput("--batch -" + options, binary);
    EXPECT_EQ(puzzlesOnly.status, kExitDone) << options;
    EXPECT_EQ(mixed.status, kExitSkippedLines) << options;
    EXPECT_EQ(mixed.out, puzzlesOnly.out) << options;  // the same lines: the puzzles stand on the same lines
    EXPECT_EQ(mixed.lines().size(), 2u) << options;
    EXPECT_NE(mixed.err.find("-:2: not an 81-character puzzle, skipped\n-:3: not an 81-character puzzle, skipped"),
              std::string::npos)
        << mixed.err;
    EXPECT_NE(mixed.err.find("malformed lines 2;"), std::string::npos) << mixed.err;
  }
  // A folder opens but cannot be read.
  const std::string folder = tempPath("batch_folder");
  std::filesystem::create_directory(folder);
  const CliResult unreadable = runCli("--batch '" + folder + "'");
  std::filesystem::remove(folder);
  EXPECT_EQ(unreadable.status, kExitBadInput) << unreadable.err;
}

TEST(BatchJobs, OutputIsTheSameForEveryNumberOfJobs) {
  const TempFile file("jobs.txt", mixedInput());
  for (const std::string options : {"", " --stats", " --json"}) {
    const CliResult one = runCli("--batch '" + file.path + "' --jobs 1" + options);
    ASSERT_EQ(one.status, kExitSkippedLines);
    for (const int jobs : {2, 3, 8}) {
      const CliResult many = runCli("--batch '" + file.path + "' --jobs " + std::to_string(jobs) + options);
      EXPECT_EQ(many.status, kExitSkippedLines);
      EXPECT_EQ(many.out, one.out) << jobs << " jobs" << options;
      EXPECT_EQ(withoutTime(many.err), withoutTime(one.err)) << jobs << " jobs" << options;
    }
  }
}

TEST(BatchJobs, BadArgumentsAreRefused) {
  for (const std::string arguments :
       {"--batch - --jobs 0", "--batch - --jobs -1", "--batch - --jobs two", "--batch - --jobs 2x",
        "--batch - --jobs 100000", "--batch - --jobs", "--jobs 2 --click Command3", "--batch - --stats --json"}) {
    const CliResult r = runCliOnInput(arguments, std::string(kEasyPuzzle) + "\n");
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_NE(r.err, "") << arguments;
  }
  const std::string folder = tempPath("folder");
  std::filesystem::create_directory(folder);
  const CliResult unreadable = runCli("--batch '" + folder + "'");
  std::filesystem::remove(folder);
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_NE(unreadable.err.find("cannot read " + folder), std::string::npos) << unreadable.err;
}

TEST(BatchJson, OneObjectPerPuzzleAgreeingWithItsTextLine) {
  const std::string input = mixedInput();
  const TempFile file("json.txt", input);
  const std::vector<std::string> text = runCli("--batch '" + file.path + "'").lines();
  const std::vector<std::string> json = runCli("--batch '" + file.path + "' --json").lines();
  ASSERT_EQ(json.size(), text.size());
  // The puzzles' line numbers, as a reader of the input counts them.
  std::vector<long> numbers;
  std::vector<std::string> puzzles;
  std::istringstream in(input);
  long number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() == 81 && line.find_first_not_of("0123456789.") == std::string::npos) {
      numbers.push_back(number);
      puzzles.push_back(dots(line));
    }
  }
  ASSERT_EQ(numbers.size(), text.size());
  std::size_t solved = 0, unfinished = 0, errors = 0;
  for (std::size_t i = 0; i < json.size(); ++i) {
    SCOPED_TRACE(text[i]);
    const Json j = Json::parse(json[i]);
    EXPECT_EQ(j["line"], numbers[i]);
    EXPECT_EQ(j["button"], "Command3");
    EXPECT_EQ(j["numbering"], "pass");
    const std::string status = j["status"];
    EXPECT_EQ(text[i], j["board"].get<std::string>() + " " + status + " " +
                           (j["trial"].is_null() ? "-" : std::to_string(j["trial"].get<int>())));
    // A solved board is the puzzle, the trial and the path's placements.
    std::string board = puzzles[i];
    if (!j["trial"].is_null()) {
      const int trial = j["trial"];
      board[static_cast<std::size_t>(9 * (trial / 100 - 1) + trial / 10 % 10 - 1)] =
          static_cast<char>('0' + trial % 10);
    }
    for (const Json &p : j["placements"]) {
      char &cell = board[static_cast<std::size_t>(9 * (p["row"].get<int>() - 1) + p["column"].get<int>() - 1)];
      EXPECT_EQ(cell, '.') << p;
      cell = static_cast<char>('0' + p["digit"].get<int>());
      EXPECT_TRUE(p["technique"].is_string()) << p;
    }
    if (status == "solved") {
      ++solved;
      EXPECT_EQ(board, j["board"]);
      EXPECT_EQ(j["end"], "solved");
    } else {
      ++(status == "error" ? errors : unfinished);
      EXPECT_NE(j["end"], "solved");
    }
  }
  EXPECT_GT(solved, 0u);
  EXPECT_GT(unfinished, 0u);
  EXPECT_GT(errors, 0u);
}

// numplace-cli --batch - on two pipes, the way a program keeps it running
// and asks it one puzzle after another.
class Coprocess {
 public:
  explicit Coprocess(const std::vector<std::string> &arguments) {
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (const int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<std::string> all{NUMPLACE_CLI_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, NUMPLACE_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
  }
  ~Coprocess() {
    closeInput();
    if (fromChild_ >= 0) ::close(fromChild_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  bool write(const std::string &text) const {
    return ::write(toChild_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // The next line of output, or nothing within the time allowed.
  std::optional<std::string> readLine(int milliseconds) {
    for (;;) {
      if (const std::size_t end = pending_.find('\n'); end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      pollfd p{fromChild_, POLLIN, 0};
      if (::poll(&p, 1, milliseconds) <= 0) return std::nullopt;
      char buffer[4096];
      const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
      if (n <= 0) return std::nullopt;
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }
  void closeInput() {
    if (toChild_ >= 0) ::close(std::exchange(toChild_, -1));
  }
  int wait() {
    int status = 0;
    if (::waitpid(std::exchange(pid_, -1), &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int toChild_ = -1, fromChild_ = -1;
  std::string pending_;
};

TEST(BatchInput, APuzzleWrittenIntoThePipeIsAnsweredBeforeTheNextComes) {
  for (const std::string jobs : {"1", "2"}) {
    SCOPED_TRACE(jobs + " jobs");
    Coprocess cli({"--batch", "-", "--jobs", jobs});
    ASSERT_TRUE(cli.started());
    ASSERT_TRUE(cli.write(std::string(kEasyPuzzle) + "\n"));
    EXPECT_EQ(cli.readLine(10000), std::string(kEasySolution) + " solved -");
    ASSERT_TRUE(cli.write("# a comment, then a puzzle\n" + std::string(kTrialPuzzle) + "\n"));
    EXPECT_EQ(cli.readLine(10000), std::string(kTrialSolution) + " solved 184");
    cli.closeInput();
    EXPECT_EQ(cli.readLine(10000), std::nullopt);  // the end of the output, nothing more
    EXPECT_EQ(cli.wait(), 0);
  }
}

// ---------------------------------------------------------------------------
// The line reader.

using Got = numplace::LineReader::Got;

struct Pipe {
  Pipe() {
    if (::pipe(fds) != 0) fds[0] = fds[1] = -1;
  }
  ~Pipe() {
    closeWriting();
    if (fds[0] >= 0) ::close(fds[0]);
  }
  void write(std::string_view text) const {
    ASSERT_EQ(::write(fds[1], text.data(), text.size()), ssize_t(text.size()));
  }
  void closeWriting() {
    if (fds[1] >= 0) ::close(std::exchange(fds[1], -1));
  }
  int fds[2];
};

TEST(LineReader, SplitsLinesAsGetlineDoesAcrossBlocks) {
  for (const std::string text :
       {"ab\n\ncd\r\na line longer than a block of four\nlast", "one\ntwo\n", "\n\n", "", "no break at all"}) {
    Pipe pipe;
    pipe.write(text);
    pipe.closeWriting();
    numplace::LineReader reader(pipe.fds[0], 4);
    std::vector<std::string> got;
    for (std::string line; reader.next(line) == Got::Line;) got.push_back(line);
    EXPECT_EQ(reader.error(), 0);
    std::vector<std::string> expected;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    EXPECT_EQ(got, expected) << text;
  }
}

TEST(LineReader, TellsWhetherTheNextLineIsThereWithoutWaiting) {
  Pipe pipe;
  numplace::LineReader reader(pipe.fds[0]);
  EXPECT_FALSE(reader.lineReady());
  pipe.write("one\ntwo\nth");
  std::string line;
  ASSERT_EQ(reader.next(line), Got::Line);
  EXPECT_EQ(line, "one");
  EXPECT_TRUE(reader.lineReady());
  ASSERT_EQ(reader.next(line), Got::Line);
  EXPECT_EQ(line, "two");
  EXPECT_FALSE(reader.lineReady());  // "th" waits for the rest of its line
  pipe.write("ree\n");
  ASSERT_EQ(reader.next(line), Got::Line);
  EXPECT_EQ(line, "three");
  pipe.closeWriting();
  EXPECT_EQ(reader.next(line), Got::End);
  EXPECT_TRUE(reader.lineReady());  // at the end nothing is waited for
}

// What a reader with `longest` gives for `text`: the lines of std::getline,
// each line of more than `longest` bytes as too long.
std::vector<std::pair<Got, std::string>> expectedLines(const std::string &text, std::size_t longest) {
  std::vector<std::pair<Got, std::string>> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    out.emplace_back(line.size() > longest ? Got::LongLine : Got::Line, line.size() > longest ? "" : line);
  }
  return out;
}

// Lines at the bound, one byte beyond it, far beyond a block, and a last
// line too long without a line break; read through pipes in blocks smaller
// and larger than the bound.
TEST(LineReader, ALineBeyondTheLongestIsReportedAndNotKept) {
  constexpr std::size_t kLongest = 8;
  const std::string text = "12345678\n123456789\nshort\n" + std::string(100, 'x') + "\n\n1234567\r\n" +
                           std::string(9, 'y') + "\r\nlast" + "\n" + std::string(30, 'z');
  for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{8}, std::size_t{64}}) {
    SCOPED_TRACE(block);
    Pipe pipe;
    pipe.write(text);
    pipe.closeWriting();
    numplace::LineReader reader(pipe.fds[0], block, kLongest);
    std::vector<std::pair<Got, std::string>> got;
    std::string line;
    for (Got g; (g = reader.next(line)) != Got::End;) {
      got.emplace_back(g, line);
      EXPECT_LE(reader.bufferSize(), std::max(block, 2 * kLongest));
    }
    EXPECT_EQ(reader.error(), 0);
    EXPECT_EQ(got, expectedLines(text, kLongest));
  }
}

// A line of 64 MiB is read through in the reader's blocks: the memory it
// holds does not grow with the line.
TEST(LineReader, MemoryStaysTheSameHoweverLongTheLine) {
  constexpr std::size_t kLineBytes = std::size_t{64} * 1024 * 1024;
  const std::string after = "\nafter\n";
  std::size_t given = 0;
  numplace::LineReader reader(
      [&](char *buffer, std::size_t size) -> long {
        const std::size_t total = kLineBytes + after.size();
        const std::size_t n = std::min(size, total - given);
        for (std::size_t k = 0; k < n; ++k, ++given) buffer[k] = given < kLineBytes ? 'a' : after[given - kLineBytes];
        return static_cast<long>(n);
      },
      numplace::LineReader::kBlockSize, numplace::LineReader::kLongestLine);
  std::string line;
  EXPECT_EQ(reader.next(line), Got::LongLine);
  EXPECT_EQ(line, "");
  EXPECT_EQ(reader.bufferSize(), numplace::LineReader::kBlockSize);
  EXPECT_LE(line.capacity(), numplace::LineReader::kLongestLine);
  EXPECT_EQ(reader.next(line), Got::Line);
  EXPECT_EQ(line, "after");
  EXPECT_EQ(reader.next(line), Got::End);
}

// A read that fails ends the lines: those read whole before it are given,
// the one it cut is not, and the error is kept.
TEST(LineReader, AReadErrorEndsTheLinesAfterTheWholeOnes) {
  for (const std::string &text : {std::string("one\ntwo\nthr"), "one\ntwo\n" + std::string(50, 'x')}) {
    std::size_t given = 0;
    numplace::LineReader reader(
        [&](char *buffer, std::size_t size) -> long {
          if (given == text.size()) return -EIO;
          const std::size_t n = std::min({size, text.size() - given, std::size_t{5}});
          text.copy(buffer, n, given);
          given += n;
          return static_cast<long>(n);
        },
        4, 16);
    std::vector<std::string> got;
    std::string line;
    for (Got g; (g = reader.next(line)) != Got::End;) got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(reader.error(), EIO);
  }
}

// The batch on a line without end, through a pipe and as a file: the line is
// skipped with its number, the puzzle after it solved, and the memory of the
// process stays far below the line's size.
TEST(BatchInput, AnEndlessLineIsSkippedWithFlatMemory) {
  const std::string puzzle(kEasyPuzzle);
  const std::string message = ":1: not an 81-character puzzle (a line of more than 4096 bytes), skipped";
  // The largest child so far is the yardstick: a sanitizer's shadow memory
  // makes the process large whatever the line.
  const CliResult shortLine = runCli("--batch -", "printf '%s\\n' " + puzzle + " | timeout 120");
  ASSERT_EQ(shortLine.status, 0) << shortLine.err;
  rusage before{};
  ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &before), 0);
  const CliResult piped = runCli(
      "--batch -", "{ head -c 200000000 /dev/zero | tr '\\0' a; printf '\\n%s\\n' " + puzzle + "; } | timeout 120");
  EXPECT_EQ(piped.status, kExitSkippedLines) << piped.err;
  EXPECT_NE(piped.err.find("-" + message), std::string::npos) << piped.err;
  EXPECT_EQ(piped.lines(), std::vector<std::string>{std::string(kEasySolution) + " solved -"});
  rusage usage{};
  ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &usage), 0);
  // An unbounded line buffer would hold 200 MB more.
  EXPECT_LT(usage.ru_maxrss, before.ru_maxrss + 100 * 1024) << "kB, against " << before.ru_maxrss << " kB";

  const TempFile file("long_line.txt", std::string(std::size_t{10} * 1024 * 1024, '7') + "\n" + puzzle + "\n");
  const CliResult named = runCli("--batch '" + file.path + "' --jobs 2", "timeout 120");
  EXPECT_EQ(named.status, kExitSkippedLines) << named.err;
  EXPECT_NE(named.err.find(file.path + message), std::string::npos) << named.err;
  EXPECT_EQ(named.lines(), std::vector<std::string>{std::string(kEasySolution) + " solved -"});
}

// A named input that is not a regular file is refused at once: a device
// would never end, a pipe without a writer would never begin.
TEST(BatchInput, ADeviceOrAPipeIsRefusedAtOnce) {
  const std::string fifo = tempPath("batch_fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string &path : {std::string("/dev/zero"), fifo}) {
    const CliResult r = runCli("--batch '" + path + "'", "timeout 60");
    EXPECT_EQ(r.status, kExitBadInput) << path << ": " << r.err;
    EXPECT_NE(r.err.find("cannot read " + path + ": not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  std::filesystem::remove(fifo);
  // Standard input may be any stream.
  const CliResult stream = runCliOnInput("--batch -", std::string(kEasyPuzzle) + "\n");
  EXPECT_EQ(stream.status, kExitDone);
}

}  // namespace
}  // namespace numplace_test
