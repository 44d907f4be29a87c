// Files on disk, read and written whole: the one gate every file the
// program opens goes through (a regular file only, never more than a bound,
// never waiting for a writer), the one way every file is written (beside the
// target, then renamed over it), and the two readers of the data file: the
// file system, and files held in memory.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "board/ports.h"

namespace numplace {

// The largest file the program reads: far more than any puzzle collection.
inline constexpr std::size_t kLargestFile = std::size_t{64} * 1024 * 1024;

// A file opened for reading only when it is a regular file. It is opened
// without blocking, so a pipe without a writer is refused at once rather
// than waited on; a folder, a pipe or a device is refused without a read.
struct RegularFileOpen {
  int fd = -1;  // the caller's to close; -1 on failure
  FileBytes::Failure failure = FileBytes::Failure::None;
  long long size = 0;  // as the file system gave it when opened
};
RegularFileOpen openRegularFile(const std::string &path);

// The content of the regular file `path`, through openRegularFile: a file
// above kLargestFile is refused (TooLarge, nothing read); of a smaller one at
// most `readAtMost` bytes from its start are read.
FileBytes readRegularFile(const std::string &path, std::size_t readAtMost = kLargestFile);

// Reads the named data file through readRegularFile (at most the first
// 4 MiB, more than any data file needs).
class DiskFiles final : public FileReader {
 public:
  FileBytes read(const std::string &name) const override;
};

// Files by name, held in memory; any other name cannot be opened.
class MemoryFiles final : public FileReader {
 public:
  void put(const std::string &name, std::string content) { files_[name] = std::move(content); }
  FileBytes read(const std::string &name) const override;

 private:
  std::map<std::string, std::string, std::less<>> files_;
};

// The system calls a replacing write makes, one object so that a test can
// make any of them fail. Each returns what the system call does (-1 with
// errno set on failure).
class WriteCalls {
 public:
  virtual ~WriteCalls() = default;
  virtual long write(int fd, const char *data, std::size_t size) const;
  virtual int sync(int fd) const;
  virtual int rename(const std::string &from, const std::string &to) const;
};

// Why a file was not written. Whatever the step, the target is as it was.
struct WriteFailure {
  enum class Step {
    NotRegular,  // the target is a folder, a pipe or a device: not replaced
    Create,      // the temporary file beside it cannot be made (no such folder, not allowed)
    Write,       // writing it failed (a full disk)
    Sync,        // it could not be put on the disk
    Rename       // it could not take the target's place
  };
  Step step = Step::Create;
  int error = 0;              // errno
  bool targetExists = false;  // an older file stands under the name, unchanged
};

// Writes `content` as the file `path`: into a new file beside it (same
// folder, a name of its own, the mode of a new file), flushed to the disk,
// then renamed over the target, so that the target is either the old file
// or the new one, whole. A target that is a symbolic link is written where
// it leads. On failure the temporary file is removed.
std::optional<WriteFailure> replaceFile(const std::string &path, std::string_view content,
                                        const WriteCalls &calls = WriteCalls());

// What a user is told, in Japanese: which file, why, and that nothing was
// lost.
std::string writeFailureText(const std::string &path, const WriteFailure &failure);

}  // namespace numplace
