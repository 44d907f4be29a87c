#include "cli/lines.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace numplace {

LineReader::LineReader(int fd, std::size_t blockSize, std::size_t longestLine)
    : LineReader(
          [fd](char *buffer, std::size_t size) -> long {
            for (;;) {
              const ssize_t n = ::read(fd, buffer, size);
              if (n >= 0) return n;
              if (errno != EINTR) return -errno;
            }
          },
          blockSize, longestLine) {}

LineReader::LineReader(Source source, std::size_t blockSize, std::size_t longestLine)
    : source_(std::move(source)), longestLine_(longestLine), buffer_(std::max<std::size_t>(blockSize, 1)) {}

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
  // A line longer than a block but not than the longest line: next() lets
  // go of a line before it outgrows the longest, so this stays bounded.
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  const long n = source_(buffer_.data() + end_, buffer_.size() - end_);
  if (n > 0) {
    end_ += static_cast<std::size_t>(n);
    return true;
  }
  if (n < 0) error_ = static_cast<int>(-n);
  atEnd_ = true;
  return false;
}

LineReader::Got LineReader::next(std::string &line) {
  for (;;) {
    const char *start = buffer_.data() + begin_;
    if (const void *newline = std::memchr(start, '\n', end_ - begin_)) {
      const auto length = static_cast<std::size_t>(static_cast<const char *>(newline) - start);
      begin_ += length + 1;
      if (std::exchange(skipping_, false) || length > longestLine_) {
        line.clear();
        return Got::LongLine;
      }
      line.assign(start, length);
      return Got::Line;
    }
    if (skipping_ || end_ - begin_ > longestLine_) {
      // Too long to be anything but skipped: what is read of it goes.
      skipping_ = true;
      begin_ = end_ = 0;
    }
    if (!fill()) {
      if (error_ != 0) return Got::End;
      if (std::exchange(skipping_, false)) {
        line.clear();
        return Got::LongLine;
      }
      if (begin_ == end_) return Got::End;
      line.assign(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return Got::Line;
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
