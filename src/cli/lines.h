// Lines from a file descriptor, read in large blocks, telling whether the
// next line can be had without waiting: a batch fed through a pipe sends off
// what it has before it blocks on more input.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace numplace {

class LineReader {
 public:
  explicit LineReader(int fd, std::size_t blockSize = std::size_t{64} * 1024);

  // The next line without its line break, as std::getline gives it: a last
  // line without a line break counts, an empty end after one does not.
  // False at the end of the input or on a read error.
  bool next(std::string &line);
  // Whether next() returns without reading from the descriptor.
  bool lineReady() const;
  // The errno of a failed read (next() then returned false), else 0.
  int error() const { return error_; }

 private:
  bool fill();  // reads more; false at the end or on an error

  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
  std::size_t end_ = 0;
  bool atEnd_ = false;
  int error_ = 0;
};

// What a batch makes of a line of its input: a puzzle (81 characters, the
// digits and '.'), a line passed over (blank or a # comment) or a malformed
// one. A carriage return at the end is dropped from `line` first.
enum class BatchLine { Puzzle, Passed, Malformed };
BatchLine classifyBatchLine(std::string &line);

}  // namespace numplace
