// Files on disk read whole: the one gate every file the program opens goes
// through (a regular file only, never more than a bound, never waiting for a
// writer), and the two readers of the data file: the file system, and files
// held in memory.
#pragma once

#include <cstddef>
#include <map>
#include <string>

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

}  // namespace numplace
