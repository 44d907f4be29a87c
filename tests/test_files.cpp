// Files on disk: the gate every opened file goes through (a regular file,
// never waited on, never read past a bound) and the collection reader.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "board/collection.h"
#include "board/files.h"
#include "board/input_error.h"
#include "board/messages.h"
#include "board/sources.h"
#include "check/check.h"
#include "helpers.h"
#include "watchdog.h"

namespace numplace_test {
namespace {

namespace fs = std::filesystem;
using Failure = FileBytes::Failure;

// A folder of its own for each test, removed at the end.
class Scratch {
 public:
  Scratch() {
    static int serial = 0;
    path_ = ::testing::TempDir() + "numplace_files_" + std::to_string(::getpid()) + "_" + std::to_string(++serial);
    fs::create_directories(path_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;
  std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }
  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

void writeBytes(const std::string &path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// ---------------------------------------------------------------------------
// The gate.

TEST(RegularFiles, AFolderAPipeOrADeviceIsRefusedWithoutWaiting) {
  const Scratch scratch;
  const std::string fifo = scratch.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, Failure> cases[] = {
      {fifo, Failure::NotRegular},
      {"/dev/zero", Failure::NotRegular},
      {"/dev/null", Failure::NotRegular},
      {scratch.path(), Failure::Folder},
      {scratch.file("missing"), Failure::CannotOpen},
      {"", Failure::CannotOpen},
  };
  for (const auto &[path, failure] : cases) {
    SCOPED_TRACE(path);
    Watchdog watchdog(path, fifo);
    const RegularFileOpen opened = openRegularFile(path);
    const FileBytes whole = readRegularFile(path);
    const FileBytes data = DiskFiles().read(path);
    EXPECT_TRUE(watchdog.disarm()) << "waited on " << path;
    EXPECT_EQ(opened.fd, -1);
    EXPECT_EQ(opened.failure, failure);
    EXPECT_EQ(whole.failure, failure);
    EXPECT_EQ(data.failure, failure);
    EXPECT_TRUE(whole.content.empty());
  }
}

TEST(RegularFiles, AFileOrALinkToOneIsReadWhole) {
  const Scratch scratch;
  const std::string bytes("a\0b\r\nc", 6);
  writeBytes(scratch.file("a.txt"), bytes);
  fs::create_symlink(scratch.file("a.txt"), scratch.file("link.txt"));
  for (const std::string name : {"a.txt", "link.txt"}) {
    const FileBytes read = readRegularFile(scratch.file(name));
    EXPECT_EQ(read.failure, Failure::None) << name;
    EXPECT_EQ(read.content, bytes) << name;
  }
  const RegularFileOpen opened = openRegularFile(scratch.file("a.txt"));
  ASSERT_GE(opened.fd, 0);
  EXPECT_EQ(opened.size, 6);
  // What was opened reads as any file does: without the flag that kept the open from waiting.
  EXPECT_EQ(::fcntl(opened.fd, F_GETFL) & O_NONBLOCK, 0);
  ::close(opened.fd);
}

// Sparse files, so that the sizes cost no disk: up to the largest size a file
// is read, one byte more and it is refused before anything is read; the data
// file's reader keeps its first 4 MiB of a file it may read.
TEST(RegularFiles, AFileAboveTheLargestSizeIsRefused) {
  const Scratch scratch;
  const std::string largest = scratch.file("largest.txt");
  const std::string beyond = scratch.file("beyond.csv");
  writeBytes(largest, "x");
  writeBytes(beyond, "x");
  fs::resize_file(largest, kLargestFile);
  fs::resize_file(beyond, kLargestFile + 1);

  const FileBytes whole = readRegularFile(largest);
  EXPECT_EQ(whole.failure, Failure::None);
  EXPECT_EQ(whole.content.size(), kLargestFile);
  EXPECT_EQ(DiskFiles().read(largest).content.size(), std::size_t{4} * 1024 * 1024);

  EXPECT_EQ(readRegularFile(beyond).failure, Failure::TooLarge);
  EXPECT_TRUE(readRegularFile(beyond).content.empty());
  EXPECT_EQ(DiskFiles().read(beyond).failure, Failure::TooLarge);
  EXPECT_EQ(readOpenedFile(beyond).fault, OpenedFile::Fault::TooLarge);
}

// Text3 naming a pipe, a device or a file too large: the runs and the check
// stop at once with a message of their own.
TEST(RegularFiles, TheRunsRefuseADataFileThatIsNotARegularFile) {
  const Scratch scratch;
  const std::string fifo = scratch.file("pipe.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string large = scratch.file("large.csv");
  writeBytes(large, "x");
  fs::resize_file(large, kLargestFile + 1);
  const std::pair<std::string, InputError::Kind> cases[] = {
      {fifo, InputError::Kind::FileNotRegular},
      {"/dev/zero", InputError::Kind::FileNotRegular},
      {large, InputError::Kind::FileTooLarge},
      {scratch.path(), InputError::Kind::CannotReadFile},
  };
  for (const auto &[path, kind] : cases) {
    SCOPED_TRACE(path);
    HeadlessControls controls;
    controls.type({"Text3"}, path);
    Watchdog watchdog(path, fifo);
    auto t = std::make_unique<Tables>();
    const auto error = readPuzzle(controls, DiskFiles(), *t);
    const PuzzleReport report = examinePuzzle(controls, DiskFiles());
    EXPECT_TRUE(watchdog.disarm());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, kind);
    EXPECT_EQ(error->file, path);
    EXPECT_EQ(report.badInput, error);
    EXPECT_NE(inputErrorText(*error).find(shownFileName(path)), std::string::npos) << inputErrorText(*error);
  }
}

// ---------------------------------------------------------------------------
// Collections.

const std::string kPuzzle = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

// Nine lines of nine cells, `between` after the third and the sixth.
std::string laidOut(const std::string &puzzle, const std::string &between) {
  std::string out;
  for (std::size_t r = 0; r < 9; ++r) {
    if (r == 3 || r == 6) out += between + "\n";
    out += puzzle.substr(9 * r, 9) + "\n";
  }
  return out;
}

// White space as Unicode counts it, as the window's reader did: a line of
// only white space keeps a laid-out puzzle together, a comment may stand
// after it; a character that only looks blank does not.
TEST(Collection, WhiteSpaceIsWhatUnicodeCallsWhiteSpace) {
  const std::vector<std::string> one{kPuzzle};
  EXPECT_EQ(puzzlesInText(laidOut(kPuzzle, "\u3000\u00a0\t\v\f\u2028")), one);
  EXPECT_EQ(puzzlesInText(laidOut(kPuzzle, "\u200b")), std::vector<std::string>{});  // zero width: not a space
  EXPECT_EQ(puzzlesInText(laidOut(kPuzzle, "\xc2")), std::vector<std::string>{});    // a broken character
  EXPECT_EQ(puzzlesInText(laidOut(kPuzzle, "\u3000#  a comment 123456789")), one);
  EXPECT_EQ(puzzlesInText("\u2003\t# " + kPuzzle + "\n" + kPuzzle + "\u3000rated 3.4\r\n"), one);
  EXPECT_EQ(puzzlesInText("\xe2\x80# " + kPuzzle), std::vector<std::string>{});  // not white space, so no comment
}

TEST(Collection, ADataFileACollectionOrWhyNeither) {
  std::string data;
  for (std::size_t r = 0; r < 9; ++r) {
    std::string row = kPuzzle.substr(9 * r, 9);
    std::replace(row.begin(), row.end(), '.', '0');
    data += row + "," + std::to_string(r + 1) + ",\"x\",0,0\n";
  }
  EXPECT_EQ(openedFileOf(data, "a.csv").kind, OpenedFile::Kind::DataFile);

  // A byte order mark and commas in a comment do not hide the puzzles.
  const OpenedFile collection = openedFileOf("\xEF\xBB\xBF" + kPuzzle + "\n# rated, hard\n" + kPuzzle, "b.txt");
  EXPECT_EQ(collection.kind, OpenedFile::Kind::Collection);
  EXPECT_EQ(collection.puzzles, std::vector<std::string>(2, kPuzzle));

  const OpenedFile broken = openedFileOf(data.substr(0, data.size() / 2), "c.csv");
  EXPECT_EQ(broken.kind, OpenedFile::Kind::Unusable);
  EXPECT_EQ(broken.fault, OpenedFile::Fault::BadDataFile);
  ASSERT_TRUE(broken.dataFileError);
  EXPECT_EQ(openedFileText(broken), inputErrorText(*broken.dataFileError));
  EXPECT_NE(openedFileText(broken).find("c.csv"), std::string::npos);

  const OpenedFile neither = openedFileOf("hello\n", "d.txt");
  EXPECT_EQ(neither.fault, OpenedFile::Fault::NoPuzzles);
  EXPECT_EQ(openedFileText(neither),
            "「d.txt」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か.）の"
            "問題集を開いてください。");
}

}  // namespace
}  // namespace numplace_test
