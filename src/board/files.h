// The two readers of the data file: the file system, and files held in memory.
#pragma once

#include <map>
#include <string>

#include "board/ports.h"

namespace numplace {

// Reads the named file from the file system (at most the first 4 MiB, more
// than any data file needs).
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
