// The collection reader on arbitrary bytes as a file's content. Besides not
// crashing, it checks what 開く and the CLI build on: every puzzle is 81
// characters of 1-9 and '.', a file is a data file, a collection with
// puzzles or unusable with a message that can be shown; CRLF reads like LF;
// a comment line never gives a puzzle, whatever it holds, nor breaks one laid
// out around it; and a puzzle line added at the end comes out last.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "board/collection.h"
#include "board/messages.h"

namespace {

[[noreturn]] void fail(const char *what, std::size_t size) {
  std::fprintf(stderr, "fuzz_collection: %s (input of %zu bytes)\n", what, size);
  std::abort();
}

using Puzzles = std::vector<std::string>;

void checkPuzzles(const Puzzles &puzzles, std::size_t size) {
  for (const std::string &p : puzzles) {
    if (p.size() != 81) fail("a puzzle that is not 81 characters", size);
    if (p.find_first_not_of("123456789.") != std::string::npos) fail("a puzzle with a character not 1-9 or .", size);
  }
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// A comment line as a person writes one: # first, after blanks or tabs at most.
bool isComment(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == '#';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char *>(data), size);
  const Puzzles puzzles = numplace::puzzlesInText(content);
  checkPuzzles(puzzles, size);

  const numplace::OpenedFile opened = numplace::openedFileOf(content, "fuzz.txt");
  switch (opened.kind) {
    case numplace::OpenedFile::Kind::DataFile:
      if (content.find(',') == std::string_view::npos) fail("a data file without a comma", size);
      if (content.starts_with(numplace::kProgressHeader)) fail("progress read as a data file", size);
      if (!opened.puzzles.empty() || opened.fault != numplace::OpenedFile::Fault::None)
        fail("a data file with puzzles or a fault", size);
      break;
    case numplace::OpenedFile::Kind::Collection:
      if (opened.puzzles.empty()) fail("a collection without puzzles", size);
      checkPuzzles(opened.puzzles, size);
      // A byte order mark at the start is passed over.
      if (opened.puzzles !=
          (content.starts_with("\xEF\xBB\xBF") ? numplace::puzzlesInText(content.substr(3)) : puzzles))
        fail("the collection is not the puzzles of its text", size);
      break;
    case numplace::OpenedFile::Kind::Progress:
      if (!content.starts_with(numplace::kProgressHeader)) fail("progress without its first line", size);
      if (opened.puzzles.size() != 2) fail("progress without its givens and entries", size);
      checkPuzzles(opened.puzzles, size);
      break;
    case numplace::OpenedFile::Kind::Unusable: {
      if (!opened.puzzles.empty()) fail("an unusable file with puzzles", size);
      const std::string text = numplace::openedFileText(opened);
      if (text.empty()) fail("an unusable file without a message", size);
      if (numplace::shownText(text, text.size()) != text) fail("a message that cannot be shown", size);
      break;
    }
  }

  // Windows line breaks read like Unix ones.
  std::string lf(content);
  std::erase(lf, '\r');
  std::string crlf;
  for (const char ch : lf) {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  const Puzzles fromLf = numplace::puzzlesInText(lf);
  checkPuzzles(fromLf, size);
  if (numplace::puzzlesInText(crlf) != fromLf) fail("CRLF line breaks read differently from LF ones", size);

  // Comment lines left out, or holding a whole puzzle, change nothing.
  std::string without;
  std::string filled;
  bool comments = false;
  for (const std::string_view line : linesOf(content)) {
    const bool comment = isComment(line);
    comments = comments || comment;
    if (!comment) without.append(line).append("\n");
    filled.append(comment ? "# " + std::string(81, '5') : std::string(line)).append("\n");
  }
  if (comments) {
    if (numplace::puzzlesInText(without) != puzzles) fail("a comment line changed the puzzles", size);
    if (numplace::puzzlesInText(filled) != puzzles) fail("a puzzle in a comment line was read", size);
  }

  // A puzzle on a line of its own at the end comes out last, after all the others.
  std::string last(81, '.');
  for (std::size_t k = 0; k < size && k < 81; ++k) {
    const auto byte = static_cast<unsigned char>(content[k]);
    if (byte % 2 == 0) last[k] = static_cast<char>('1' + byte % 9);
  }
  Puzzles expected = puzzles;
  expected.push_back(last);
  if (numplace::puzzlesInText(std::string(content) + "\n" + last + "\n") != expected)
    fail("a puzzle line at the end did not come out last", size);
  return 0;
}
