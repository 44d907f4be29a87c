#include "board/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "board/messages.h"

namespace numplace {
namespace {

// More than any data file needs: its nine records stand at its start.
constexpr std::size_t kDataFileBytes = std::size_t{4} * 1024 * 1024;
constexpr std::size_t kReadBlock = std::size_t{16} * 1024;
// What a temporary file's name keeps of the target's, so that it stays
// within the longest name a folder takes.
constexpr std::size_t kTemporaryNameChars = 100;

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

// A name for a new file beside `target` that no other writer picks: the
// process and a count of this process's writes.
std::string temporaryName(const std::string &folder, const std::string &base, unsigned attempt) {
  static std::atomic<unsigned> writes{0};
  const unsigned count = writes.fetch_add(1);
  return folder + "/." + base.substr(0, kTemporaryNameChars) + "." + std::to_string(::getpid()) + "." +
         std::to_string(count) + "." + std::to_string(attempt) + ".tmp";
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

long WriteCalls::write(int fd, const char *data, std::size_t size) const { return ::write(fd, data, size); }

int WriteCalls::sync(int fd) const { return ::fsync(fd); }

int WriteCalls::rename(const std::string &from, const std::string &to) const {
  return ::rename(from.c_str(), to.c_str());
}

std::optional<WriteFailure> replaceFile(const std::string &path, std::string_view content, const WriteCalls &calls) {
  WriteFailure failure;
  const auto fail = [&failure](WriteFailure::Step step, int error) {
    failure.step = step;
    failure.error = error;
    return failure;
  };
  if (path.empty()) return fail(WriteFailure::Step::Create, ENOENT);
  std::string target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    // A link stays a link: what it leads to is replaced.
    char *resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return fail(WriteFailure::Step::Create, errno);
    target = resolved;
    std::free(resolved);  // NOLINT(cppcoreguidelines-no-malloc): realpath's own allocation
  }
  failure.targetExists = ::stat(target.c_str(), &status) == 0;
  // A folder, a pipe or a device is never replaced by a file (as root, a
  // rename would put a file where /dev/full stood).
  if (failure.targetExists && !S_ISREG(status.st_mode)) {
    return fail(WriteFailure::Step::NotRegular, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary;
  int fd = -1;
  for (unsigned attempt = 0; fd < 0; ++attempt) {
    temporary = temporaryName(folder == "/" ? "" : folder, base, attempt);
    // The mode a new file gets (0666 less the umask), as any other file the user saves.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) return fail(WriteFailure::Step::Create, errno);
  }
  const auto abandon = [&](WriteFailure::Step step) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return fail(step, error);
  };
  for (std::size_t done = 0; done < content.size();) {
    const long n = calls.write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return abandon(WriteFailure::Step::Write);
    }
    done += static_cast<std::size_t>(n);
  }
  if (calls.sync(fd) != 0) return abandon(WriteFailure::Step::Sync);
  // Some file systems tell of a failed write only when the file is closed.
  if (::close(std::exchange(fd, -1)) != 0) return abandon(WriteFailure::Step::Write);
  if (calls.rename(temporary, target) != 0) return abandon(WriteFailure::Step::Rename);
  // The rename kept on the disk too; the file is in place whatever this finds.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

std::string writeFailureText(const std::string &path, const WriteFailure &failure) {
  using Step = WriteFailure::Step;
  const bool full = failure.error == ENOSPC || failure.error == EDQUOT;
  std::string why;
  switch (failure.step) {
    case Step::NotRegular:
      why = failure.error == EISDIR ? "フォルダーです" : "通常のファイルではありません";
      break;
    case Step::Create:
      if (failure.error == ENOENT || failure.error == ENOTDIR) {
        why = "そのフォルダーがありません";
      } else if (failure.error == EACCES || failure.error == EPERM || failure.error == EROFS) {
        why = "そのフォルダーには書き込めません";
      } else {
        why = full ? "ディスクがいっぱいです" : "一時ファイルを作れません";
      }
      break;
    case Step::Write:
      why = full ? "ディスクがいっぱいです" : "書き込みに失敗しました";
      break;
    case Step::Sync:
      why = full ? "ディスクがいっぱいです" : "ディスクに書き出せません";
      break;
    case Step::Rename:
      why = "元のファイルと置き換えられません";
      break;
  }
  return "「" + shownFileName(path) + "」に書き込めません（" + why + "）。" +
         (failure.targetExists ? "元のファイルはそのままです。" : "ファイルは作られていません。");
}

}  // namespace numplace
