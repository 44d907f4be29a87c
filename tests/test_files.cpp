// Files on disk: the gate every opened file goes through (a regular file,
// never waited on, never read past a bound), the collection reader, and
// writes that replace a file whole or not at all.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "board/collection.h"
#include "board/files.h"
#include "board/input_error.h"
#include "board/messages.h"
#include "board/sources.h"
#include "check/check.h"
#include "helpers.h"
#include "script/save.h"
#include "watchdog.h"

namespace numplace_test {
namespace {

namespace fs = std::filesystem;
using Failure = FileBytes::Failure;
using Step = WriteFailure::Step;

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
  // The names in the folder, sorted: a temporary file left behind shows here.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto &entry : fs::directory_iterator(path_)) out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

 private:
  std::string path_;
};

void writeBytes(const std::string &path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string readBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A tmpfs mounted on a folder of the scratch, unmounted at the end; empty
// when mounting is not allowed here.
class SmallDisk {
 public:
  SmallDisk(const Scratch &scratch, std::string_view size) : path_(scratch.file("disk")) {
    fs::create_directory(path_);
    options_ = "size=" + std::string(size);
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, options_.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk &) = delete;
  SmallDisk &operator=(const SmallDisk &) = delete;
  bool mounted() const { return mounted_; }
  bool makeReadOnly() const {
    return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options_.c_str()) == 0;
  }
  std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Fills what is left of the disk.
  void fill() const {
    std::ofstream filler(file("filler"), std::ios::binary);
    const std::string block(4096, 'f');
    for (int i = 0; i < 100000 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i) {
    }
  }

 private:
  std::string path_;
  std::string options_;
  bool mounted_ = false;
};

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

// ---------------------------------------------------------------------------
// Writing.

// Write calls that fail where a test says: the write after `writeAfter`
// bytes (with `writeError`), the flush, or the rename.
class FailingCalls : public WriteCalls {
 public:
  std::size_t writeAfter = static_cast<std::size_t>(-1);
  int writeError = ENOSPC;
  bool failSync = false;
  bool failRename = false;

  long write(int fd, const char *data, std::size_t size) const override {
    if (written_ >= writeAfter) {
      errno = writeError;
      return -1;
    }
    const long n = WriteCalls::write(fd, data, std::min(size, writeAfter - written_));
    if (n > 0) written_ += static_cast<std::size_t>(n);
    return n;
  }
  int sync(int fd) const override {
    if (!failSync) return WriteCalls::sync(fd);
    errno = EIO;
    return -1;
  }
  int rename(const std::string &from, const std::string &to) const override {
    if (!failRename) return WriteCalls::rename(from, to);
    errno = EXDEV;
    return -1;
  }

 private:
  mutable std::size_t written_ = 0;
};

TEST(ReplaceFile, ANewFileOrTheOldOneReplacedWhole) {
  const Scratch scratch;
  const std::string target = scratch.file("a.csv");
  ASSERT_EQ(replaceFile(target, "first\n"), std::nullopt);
  EXPECT_EQ(readBytes(target), "first\n");
  ASSERT_EQ(replaceFile(target, "second, longer\n"), std::nullopt);
  EXPECT_EQ(readBytes(target), "second, longer\n");
  ASSERT_EQ(replaceFile(target, ""), std::nullopt);
  EXPECT_EQ(readBytes(target), "");
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"a.csv"});  // no temporary file left
  // The mode of a new file: what the umask leaves of rw for all.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat status {};
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);
  // Through a link: the link stays, what it leads to is written.
  fs::create_symlink("a.csv", scratch.file("link.csv"));
  ASSERT_EQ(replaceFile(scratch.file("link.csv"), "third\n"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(scratch.file("link.csv")));
  EXPECT_EQ(readBytes(target), "third\n");
  EXPECT_EQ(scratch.names(), (std::vector<std::string>{"a.csv", "link.csv"}));
}

// Each step failing: the old file byte for byte, no temporary file, and a
// message that says the old file is kept.
TEST(ReplaceFile, AFailedWriteLeavesTheOldFileAsItWas) {
  const Scratch scratch;
  const std::string target = scratch.file("old.csv");
  const std::string old = "the old file\n";
  const std::string content(100000, 'n');
  struct Case {
    const char *name;
    FailingCalls calls;
    Step step;
    int error;
  };
  std::vector<Case> cases(4);
  cases[0] = {"no room at once", {}, Step::Write, ENOSPC};
  cases[0].calls.writeAfter = 0;
  cases[1] = {"no room part-way", {}, Step::Write, EDQUOT};
  cases[1].calls.writeAfter = content.size() / 2;
  cases[1].calls.writeError = EDQUOT;
  cases[2] = {"flush fails", {}, Step::Sync, EIO};
  cases[2].calls.failSync = true;
  cases[3] = {"rename fails", {}, Step::Rename, EXDEV};
  cases[3].calls.failRename = true;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(target, old);
    const auto failure = replaceFile(target, content, c.calls);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, c.step);
    EXPECT_EQ(failure->error, c.error);
    EXPECT_TRUE(failure->targetExists);
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(scratch.names(), std::vector<std::string>{"old.csv"});
    const std::string text = writeFailureText(target, *failure);
    EXPECT_EQ(text.find("「old.csv」に書き込めません（"), 0u) << text;
    EXPECT_TRUE(text.ends_with("元のファイルはそのままです。")) << text;
  }
  // Without an old file, nothing is made.
  fs::remove(target);
  FailingCalls full;
  full.writeAfter = 10;
  const auto failure = replaceFile(target, content, full);
  ASSERT_TRUE(failure);
  EXPECT_FALSE(failure->targetExists);
  EXPECT_EQ(writeFailureText(target, *failure),
            "「old.csv」に書き込めません（ディスクがいっぱいです）。ファイルは作られていません。");
  EXPECT_TRUE(scratch.names().empty());
}

TEST(ReplaceFile, AMissingFolderOrATargetThatIsNoFile) {
  const Scratch scratch;
  const auto missing = replaceFile(scratch.file("no/such/folder.csv"), "x");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->step, Step::Create);
  EXPECT_EQ(writeFailureText(scratch.file("no/such/folder.csv"), *missing),
            "「folder.csv」に書き込めません（そのフォルダーがありません）。ファイルは作られていません。");
  EXPECT_TRUE(scratch.names().empty());

  // A folder is not replaced by a file.
  fs::create_directory(scratch.file("dir"));
  const auto folder = replaceFile(scratch.file("dir"), "x");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->step, Step::NotRegular);
  EXPECT_TRUE(fs::is_directory(scratch.file("dir")));

  // Nor is a device, even where the process may write: /dev/full stays the
  // device, and nothing is made beside it.
  struct stat before {};
  ASSERT_EQ(::stat("/dev/full", &before), 0);
  const auto namesInDev = [] {
    std::vector<std::string> out;
    for (const auto &entry : fs::directory_iterator("/dev")) out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  };
  const std::vector<std::string> devBefore = namesInDev();
  const auto device = replaceFile("/dev/full", "x");
  ASSERT_TRUE(device);
  EXPECT_EQ(device->step, Step::NotRegular);
  EXPECT_EQ(writeFailureText("/dev/full", *device),
            "「full」に書き込めません（通常のファイルではありません）。元のファイルはそのままです。");
  struct stat after {};
  ASSERT_EQ(::stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(namesInDev(), devBefore);
}

// A folder the process may not write to. Root writes anywhere a permission
// forbids, so for root the folder is a small disk made read-only.
TEST(ReplaceFile, AReadOnlyFolderLeavesTheOldFile) {
  const Scratch scratch;
  std::string target = scratch.file("old.csv");
  std::optional<SmallDisk> disk;
  if (::geteuid() == 0) {
    disk.emplace(scratch, "64k");
    if (!disk->mounted()) GTEST_SKIP() << "root, and no tmpfs can be mounted here";
    target = disk->file("old.csv");
  }
  writeBytes(target, "old\n");
  if (disk) {
    ASSERT_TRUE(disk->makeReadOnly());
  } else {
    fs::permissions(scratch.path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const auto failure = replaceFile(target, "new\n");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->step, Step::Create);
  EXPECT_EQ(writeFailureText(target, *failure),
            "「old.csv」に書き込めません（そのフォルダーには書き込めません）。元のファイルはそのままです。");
  EXPECT_EQ(readBytes(target), "old\n");
}

// A real full disk: a tmpfs of 64 KiB. The write, or the save, fails; the
// old file stands as it was and nothing else is left on the disk.
TEST(ReplaceFile, AFullDiskLeavesTheOldFile) {
  const Scratch scratch;
  const SmallDisk disk(scratch, "64k");
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  const std::string target = disk.file("old.csv");
  writeBytes(target, "old\n");
  const auto tooBig = replaceFile(target, std::string(std::size_t{256} * 1024, 'x'));
  ASSERT_TRUE(tooBig);
  EXPECT_EQ(tooBig->step, Step::Write);
  EXPECT_EQ(tooBig->error, ENOSPC);
  EXPECT_EQ(readBytes(target), "old\n");

  disk.fill();
  HeadlessControls controls;
  for (int r = 1; r <= 9; ++r)
    controls.type({"Text5", r}, std::string(kEasyPuzzle.substr(static_cast<std::size_t>(9 * (r - 1)), 9)));
  const auto message = savePuzzle(controls, DiskFiles(), target);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("ディスクがいっぱいです"), std::string::npos) << *message;
  EXPECT_NE(message->find("元のファイルはそのままです"), std::string::npos) << *message;
  EXPECT_EQ(readBytes(target), "old\n");
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(disk.file(""))) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"filler", "old.csv"}));
}

}  // namespace
}  // namespace numplace_test
