#include "board/messages.h"

#include <cstdint>

namespace numplace {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kFileNameChars = 32;

// The code point at s[i] and its length in bytes; kReplacement and one byte
// for anything that is not well-formed UTF-8.
char32_t decode(std::string_view s, std::size_t i, std::size_t &length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char lead = byte(0);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t n = 0;
  unsigned int bits = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    n = 2;
    bits = lead & 0x1Fu;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    n = 3;
    bits = lead & 0x0Fu;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    n = 4;
    bits = lead & 0x07u;
    least = 0x10000;
  } else {
    return kReplacement;
  }
  char32_t cp = bits;
  if (i + n > s.size()) return kReplacement;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (byte(k) & 0x3Fu);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  length = n;
  return cp;
}

void encode(char32_t cp, std::string &out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Controls, line and paragraph separators, marks that change the direction
// of the text around them, and characters of no width that hide where a
// text ends.
bool invisible(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x061C || (cp >= 0x200B && cp <= 0x200F) ||
         (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x206F) || cp == 0xFEFF ||
         (cp >= 0xFFF9 && cp <= 0xFFFB);
}

// The characters of a text, each as UTF-8, made fit to show.
std::vector<std::string> shownCharacters(std::string_view raw) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t length = 0;
    char32_t cp = decode(raw, i, length);
    if (invisible(cp)) cp = kReplacement;
    std::string one;
    encode(cp, one);
    chars.push_back(std::move(one));
    i += length;
  }
  return chars;
}

std::string joined(const std::vector<std::string> &chars, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t k = from; k < to; ++k) out += chars[k];
  return out;
}

constexpr std::string_view kEllipsis = "…";

double widthOf(char32_t cp) {
  if (cp == ' ') return 1.0 / 3;
  if (cp < 0x1100 || (cp >= 0xFF61 && cp <= 0xFF9F)) return 0.6;  // half-width forms
  return 1.0;
}

bool isWordCharacter(char32_t cp) { return cp > 0x20 && cp < 0x7F; }

// Marks that must not begin a line, and those that must not end one.
bool closes(std::string_view ch) {
  for (const std::string_view mark : {"。", "、", "」", "）", "』", "・", "ー"}) {
    if (ch == mark) return true;
  }
  return false;
}
bool opens(std::string_view ch) { return ch == "「" || ch == "（" || ch == "『"; }

// A part of the message that stays on one line: a run of Latin letters and
// digits, or one other character, with the closing marks after it and the
// opening marks before it.
struct Piece {
  std::string text;
  // How good a line break after it is: 2 after a sentence, 1 after a
  // quotation or a comma, 0 elsewhere.
  int breakAfter = 0;
};

int breakAfter(std::string_view ch) {
  if (ch == "。") return 2;
  return ch == "」" || ch == "、" || ch == "）" ? 1 : 0;
}

std::vector<Piece> pieces(std::string_view message) {
  std::vector<Piece> out;
  std::string pending;  // opening marks waiting for what they open
  bool inWord = false;
  for (std::size_t i = 0; i < message.size();) {
    std::size_t length = 0;
    const char32_t cp = decode(message, i, length);
    const std::string ch(message.substr(i, length));
    i += length;
    if (closes(ch) && !out.empty() && pending.empty()) {
      out.back().text += ch;
      inWord = false;
    } else if (opens(ch)) {
      pending += ch;
      inWord = false;
      continue;
    } else if (isWordCharacter(cp) && inWord && pending.empty()) {
      out.back().text += ch;
    } else {
      out.push_back({pending + ch, 0});
      pending.clear();
      inWord = isWordCharacter(cp);
    }
    out.back().breakAfter = breakAfter(ch);
  }
  if (!pending.empty()) out.push_back({pending, 0});
  return out;
}

}  // namespace

std::string shownText(std::string_view raw, std::size_t maxChars) {
  const std::vector<std::string> chars = shownCharacters(raw);
  if (chars.size() <= maxChars) return joined(chars, 0, chars.size());
  return joined(chars, 0, maxChars > 0 ? maxChars - 1 : 0) + std::string(kEllipsis);
}

std::string shownFileName(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  if (slash != std::string_view::npos && slash + 1 < path.size()) path.remove_prefix(slash + 1);
  const std::vector<std::string> chars = shownCharacters(path);
  if (chars.size() <= kFileNameChars) return joined(chars, 0, chars.size());
  const std::size_t head = kFileNameChars / 2;
  const std::size_t tail = kFileNameChars - head - 1;
  return joined(chars, 0, head) + std::string(kEllipsis) + joined(chars, chars.size() - tail, chars.size());
}

double estimatedWidth(std::string_view text) {
  double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    width += widthOf(decode(text, i, length));
    i += length;
  }
  return width;
}

std::vector<std::string> wrapMessage(std::string_view message, double maxEm) {
  std::vector<std::string> lines;
  std::vector<Piece> line;
  double used = 0;
  const auto finish = [&](std::size_t count) {
    std::string text;
    double width = 0;
    for (std::size_t k = 0; k < count; ++k) text += line[k].text;
    for (std::size_t k = count; k < line.size(); ++k) width += estimatedWidth(line[k].text);
    lines.push_back(std::move(text));
    line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(count));
    used = width;
  };
  for (Piece &piece : pieces(message)) {
    const double width = estimatedWidth(piece.text);
    if (!line.empty() && used + width > maxEm) {
      // After the last sentence on the line, else after its last quotation or
      // comma in its second half, else here.
      std::size_t count = line.size();
      double upTo = 0;
      std::size_t sentence = 0;
      std::size_t clause = 0;
      for (std::size_t k = 0; k < line.size(); ++k) {
        upTo += estimatedWidth(line[k].text);
        if (line[k].breakAfter == 2) sentence = k + 1;
        if (line[k].breakAfter == 1 && upTo >= maxEm / 2) clause = k + 1;
      }
      if (sentence > 0) {
        count = sentence;
      } else if (clause > 0) {
        count = clause;
      }
      finish(count);
    }
    // A piece longer than a line is cut where it must be.
    if (width > maxEm) {
      if (!line.empty()) finish(line.size());
      std::string part;
      double partWidth = 0;
      for (std::size_t i = 0; i < piece.text.size();) {
        std::size_t length = 0;
        const double w = widthOf(decode(piece.text, i, length));
        if (!part.empty() && partWidth + w > maxEm) {
          lines.push_back(std::move(part));
          part.clear();
          partWidth = 0;
        }
        part.append(piece.text, i, length);
        partWidth += w;
        i += length;
      }
      piece.text = std::move(part);
    }
    used += estimatedWidth(piece.text);
    line.push_back(std::move(piece));
  }
  if (!line.empty()) finish(line.size());
  return lines;
}

}  // namespace numplace
