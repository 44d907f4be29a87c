// Lines from a file descriptor or another source of bytes, read in large
// blocks, telling whether the next line can be had without waiting: a batch
// fed through a pipe sends off what it has before it blocks on more input.
// A line longer than a bound is not kept: it is read through and reported
// as too long, so memory stays the same whatever the input.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace numplace {

class LineReader {
 public:
  // Puts up to `size` bytes into `buffer`: how many, 0 at the end of the
  // input, or -errno when the read failed.
  using Source = std::function<long(char *buffer, std::size_t size)>;

  // Longer than any line a puzzle file holds, short enough to keep.
  static constexpr std::size_t kLongestLine = 4096;
  static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

  explicit LineReader(int fd, std::size_t blockSize = kBlockSize, std::size_t longestLine = kLongestLine);
  LineReader(Source source, std::size_t blockSize, std::size_t longestLine);

  enum class Got {
    Line,      // the next line, without its line break, as std::getline gives it: a last line
               // without a line break counts, an empty end after one does not
    LongLine,  // a line of more than longestLine bytes (its break not counted), read through; `line` is empty
    End        // the end of the input, or a read error
  };
  Got next(std::string &line);
  // Whether next() returns without reading from the source.
  bool lineReady() const;
  // The errno of a failed read (next() then gave End), else 0.
  int error() const { return error_; }
  // The bytes the reader holds: at most the block size or about twice the
  // longest line, whatever it reads.
  std::size_t bufferSize() const { return buffer_.size(); }

 private:
  bool fill();  // reads more; false at the end or on an error

  Source source_;
  std::size_t longestLine_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
  std::size_t end_ = 0;
  bool skipping_ = false;  // inside a line too long to keep, its start let go
  bool atEnd_ = false;
  int error_ = 0;
};

// What a batch makes of a line of its input: a puzzle (81 characters, the
// digits and '.'), a line passed over (blank or a # comment) or a malformed
// one. A carriage return at the end is dropped from `line` first.
enum class BatchLine { Puzzle, Passed, Malformed };
BatchLine classifyBatchLine(std::string &line);

}  // namespace numplace
