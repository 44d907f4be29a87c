#include "board/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace numplace {
namespace {

// More than any data file needs: its nine records stand at its start.
constexpr std::size_t kDataFileBytes = std::size_t{4} * 1024 * 1024;
constexpr std::size_t kReadBlock = std::size_t{16} * 1024;

FileBytes::Failure refusalOf(mode_t mode) {
  return S_ISDIR(mode) ? FileBytes::Failure::Folder : FileBytes::Failure::NotRegular;
}

// Reads into `out` until the end or `bound` bytes; false on a read error.
bool readUpTo(int fd, std::size_t bound, std::string &out) {
  char block[kReadBlock];
  while (out.size() < bound) {
    const ssize_t n = ::read(fd, block, std::min(sizeof block, bound - out.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    out.append(block, static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

RegularFileOpen openRegularFile(const std::string &path) {
  RegularFileOpen out;
  struct stat status {};
  // Looked at before it is opened: opening a device can do things of its own.
  if (::stat(path.c_str(), &status) != 0) {
    out.failure = FileBytes::Failure::CannotOpen;
    return out;
  }
  if (!S_ISREG(status.st_mode)) {
    out.failure = refusalOf(status.st_mode);
    return out;
  }
  // Without blocking: had the name become a pipe since, opening it would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    out.failure = FileBytes::Failure::CannotOpen;
    return out;
  }
  // Looked at again on what was opened.
  const bool looked = ::fstat(fd, &status) == 0;
  if (!looked || !S_ISREG(status.st_mode)) {
    out.failure = looked ? refusalOf(status.st_mode) : FileBytes::Failure::CannotRead;
    ::close(fd);
    return out;
  }
  // A regular file's reads never block; the flag goes so that no later reader meets it.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  out.fd = fd;
  out.size = static_cast<long long>(status.st_size);
  return out;
}

FileBytes readRegularFile(const std::string &path, std::size_t readAtMost) {
  FileBytes out;
  const RegularFileOpen file = openRegularFile(path);
  if (file.fd < 0) {
    out.failure = file.failure;
    return out;
  }
  if (file.size > static_cast<long long>(kLargestFile)) {
    ::close(file.fd);
    out.failure = FileBytes::Failure::TooLarge;
    return out;
  }
  // The size is what it was when opened: a file that grows meanwhile is
  // still read no further than the bound, and refused if it passed the
  // largest size.
  const std::size_t bound = std::min(readAtMost, kLargestFile);
  out.content.reserve(std::min(bound, static_cast<std::size_t>(file.size)));
  bool read = readUpTo(file.fd, bound, out.content);
  if (read && readAtMost >= kLargestFile && out.content.size() == kLargestFile) {
    std::string beyond;
    read = readUpTo(file.fd, 1, beyond);
    if (read && !beyond.empty()) out.failure = FileBytes::Failure::TooLarge;
  }
  ::close(file.fd);
  if (!read) out.failure = FileBytes::Failure::CannotRead;
  if (out.failure != FileBytes::Failure::None) out.content.clear();
  return out;
}

FileBytes DiskFiles::read(const std::string &name) const { return readRegularFile(name, kDataFileBytes); }

FileBytes MemoryFiles::read(const std::string &name) const {
  const auto file = files_.find(name);
  if (file == files_.end()) return {{}, FileBytes::Failure::CannotOpen};
  return {file->second, FileBytes::Failure::None};
}

}  // namespace numplace
