#include "board/files.h"

#include <fstream>

namespace numplace {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{4} * 1024 * 1024;

}  // namespace

FileBytes DiskFiles::read(const std::string &name) const {
  FileBytes out;
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    out.failure = FileBytes::Failure::CannotOpen;
    return out;
  }
  char buffer[4096];
  while (out.content.size() < kMaxFileBytes && in.read(buffer, sizeof buffer).gcount() > 0) {
    out.content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    out.failure = FileBytes::Failure::CannotRead;
    out.content.clear();
  }
  return out;
}

FileBytes MemoryFiles::read(const std::string &name) const {
  const auto file = files_.find(name);
  if (file == files_.end()) return {{}, FileBytes::Failure::CannotOpen};
  return {file->second, FileBytes::Failure::None};
}

}  // namespace numplace
