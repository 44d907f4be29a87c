// Files on disk: the gate every opened file goes through (a regular file,
// never waited on, never read past a bound).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace numplace_test
