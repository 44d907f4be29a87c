#include "cli/lines.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace numplace {

LineReader::LineReader(int fd, std::size_t blockSize) : fd_(fd), buffer_(blockSize) {}

bool LineReader::lineReady() const {
  return atEnd_ || std::memchr(buffer_.data() + begin_, '\n', end_ - begin_) != nullptr;
}

bool LineReader::fill() {
  if (atEnd_) return false;
  if (begin_ > 0) {
    // Keep the start of an unfinished line at the front.
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);  // a line longer than a block
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    atEnd_ = true;
    return false;
  }
}

bool LineReader::next(std::string &line) {
  for (;;) {
    const char *start = buffer_.data() + begin_;
    if (const void *newline = std::memchr(start, '\n', end_ - begin_)) {
      const auto length = static_cast<std::size_t>(static_cast<const char *>(newline) - start);
      line.assign(start, length);
      begin_ += length + 1;
      return true;
    }
    if (!fill()) {
      if (error_ != 0 || begin_ == end_) return false;
      line.assign(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
  }
}

BatchLine classifyBatchLine(std::string &line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.find_first_not_of(" \t") == std::string::npos || line.starts_with('#')) return BatchLine::Passed;
  if (line.size() != 81 || line.find_first_not_of("0123456789.") != std::string::npos) return BatchLine::Malformed;
  return BatchLine::Puzzle;
}

}  // namespace numplace
