// The batch's line reader on arbitrary input, given in blocks of random
// sizes from memory (with a read error at a chosen place, and the input
// repeated to lengths far beyond a block) or through a real pipe. Besides
// not crashing, it checks that the lines come out as std::getline gives
// them when they are within the bound, that a line is reported too long
// exactly when it is, that a read error ends the lines after the last whole
// one, that lineReady() never promises a line that needs a read, and that
// the reader's memory stays within its bound whatever the input.
//
// Input: 8 header bytes, then the text.
//   0  flags: bit 0 through a pipe; bit 1 a read error; bit 2 the text repeated; bit 3 the batch's block size
//   1-2  the longest line kept, modulo 5000 (little end first)
//   3  the reader's block size - 1, modulo 64 (without flag bit 3)
//   4  the seed of the sizes the source hands out
//   5-6  with a read error: where, modulo the input's length + 1
//   7  with repetition: how many times, 2 to 257, the whole kept under 256 KiB
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/lines.h"

namespace {

using Got = numplace::LineReader::Got;
using Lines = std::vector<std::pair<Got, std::string>>;

constexpr std::size_t kHeader = 8;
constexpr std::size_t kLargestInput = std::size_t{256} * 1024;
constexpr std::size_t kPipeBytes = 60000;  // within a pipe's buffer: written whole before reading

[[noreturn]] void fail(const char *what, std::size_t size) {
  std::fprintf(stderr, "fuzz_lines: %s (input of %zu bytes)\n", what, size);
  std::abort();
}

// What the reader must give for `input` cut by an error after `errorAt`
// bytes (none when errorAt is the input's size and there is no error).
Lines expected(const std::string &input, std::size_t longest, bool error, std::size_t errorAt) {
  std::string text = input.substr(0, errorAt);
  // A read error drops the line it cut.
  if (error) text.erase(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  Lines out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const bool tooLong = line.size() > longest;
    out.emplace_back(tooLong ? Got::LongLine : Got::Line, tooLong ? std::string() : line);
  }
  return out;
}

// Small random numbers from a seed, for the sizes the source hands out.
struct Sizes {
  std::uint32_t state;
  std::size_t next(std::size_t most) {
    state = state * 1664525u + 1013904223u;
    const std::size_t pick = (state >> 16) % 4 == 0 ? most : 1 + (state >> 8) % 97;
    return std::min(most, pick);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < kHeader) return 0;
  const std::uint8_t flags = data[0];
  const std::size_t longest = (data[1] | std::size_t{data[2]} << 8) % 5000;
  const std::size_t block = (flags & 8) != 0 ? numplace::LineReader::kBlockSize : 1 + data[3] % 64;
  const std::string_view body(reinterpret_cast<const char *>(data) + kHeader, size - kHeader);

  std::string input(body);
  if ((flags & 4) != 0 && !body.empty()) {
    const std::size_t times = std::min<std::size_t>(2 + data[7], kLargestInput / body.size());
    for (std::size_t k = 1; k < times; ++k) input += body;
  }
  const bool error = (flags & 2) != 0 && (flags & 1) == 0;
  const std::size_t errorAt = error ? (data[5] | std::size_t{data[6]} << 8) % (input.size() + 1) : input.size();
  const bool piped = (flags & 1) != 0 && input.size() <= kPipeBytes;

  int fds[2] = {-1, -1};
  std::size_t given = 0;
  long calls = 0;
  Sizes sizes{data[4]};
  numplace::LineReader::Source fromMemory = [&](char *buffer, std::size_t room) -> long {
    ++calls;
    if (room == 0) fail("a read with no room", size);
    if (given == errorAt && error) return -5;  // EIO
    const std::size_t n = sizes.next(std::min(room, errorAt - given));
    std::copy_n(input.data() + given, n, buffer);
    given += n;
    return static_cast<long>(n);
  };
  if (piped) {
    if (::pipe(fds) != 0) return 0;
    if (::write(fds[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) fail("pipe write", size);
    ::close(fds[1]);
  }
  numplace::LineReader reader = piped ? numplace::LineReader(fds[0], block, longest)
                                      : numplace::LineReader(std::move(fromMemory), block, longest);

  Lines got;
  std::string line;
  for (;;) {
    const bool ready = reader.lineReady();
    const long before = calls;
    const Got g = reader.next(line);
    if (ready && calls != before) fail("lineReady() promised a line that needed a read", size);
    if (reader.bufferSize() > std::max(block, 2 * longest)) fail("the reader holds more than its bound", size);
    if (line.size() > longest) fail("a line longer than the longest kept", size);
    if (g == Got::End) break;
    if (g == Got::LongLine && !line.empty()) fail("a line too long, but its text kept", size);
    got.emplace_back(g, line);
    if (got.size() > input.size() + 1) fail("more lines than bytes", size);
  }
  if (piped) ::close(fds[0]);
  if ((reader.error() != 0) != error) fail("a read error reported exactly when one happened", size);
  if (got != expected(input, longest, error, errorAt)) fail("the lines differ from std::getline's", size);
  if (reader.next(line) != Got::End) fail("a line after the end", size);
  return 0;
}
