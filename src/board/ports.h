// The ports through which the engine talks to a window: control texts, the
// drawing surface, the modal prompt, and the reader of the data file. The Qt
// window and the headless driver each implement them; the engine knows
// nothing else of either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numplace {

// A control named as the window names it: "Text14", or an element of a
// control array such as "Text15" index 35. Index 0 means "not an array".
struct ControlRef {
  std::string_view name;
  int index = 0;
  friend bool operator==(const ControlRef &, const ControlRef &) = default;
};

// "Text15(35)" for an array element, "Text14" otherwise.
std::string controlLabel(ControlRef ref);

class Controls {
 public:
  virtual ~Controls() = default;
  virtual std::string text(ControlRef ref) const = 0;
  virtual void setText(ControlRef ref, std::string_view text) = 0;
};

enum class Ending { Continue, NewLine };

// Colours are 0x00BBGGRR values; positions are twips from the top-left
// corner of the window's client area.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void clear() = 0;
  virtual void setFontSize(double points) = 0;
  virtual void setColour(std::uint32_t colour) = 0;
  virtual void setLineWidth(int pixels) = 0;
  virtual void moveTo(double x, double y) = 0;
  virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
  virtual void print(std::string_view text, Ending ending) = 0;
};

struct PromptRequest {
  std::string text;
  std::string title;
  std::string defaultAnswer;
  double x = 0;  // screen position of the prompt's top-left corner, twips
  double y = 0;
};

class Prompt {
 public:
  virtual ~Prompt() = default;
  // The confirmed text, or nothing when the user cancelled. A window closed
  // while its prompt is open ends the run by throwing from here; the runs
  // hold nothing that must be released by hand.
  virtual std::optional<std::string> ask(const PromptRequest &request) = 0;
};

// The bytes of the data file named in Text3, or why there are none.
struct FileBytes {
  enum class Failure {
    None,
    CannotOpen,  // missing, or not allowed
    CannotRead,  // opened, but reading failed
    Folder,
    NotRegular,  // a pipe, a device or a socket: never read, as it may never end
    TooLarge     // beyond the largest file the program reads
  };
  std::string content;
  Failure failure = Failure::None;
};

// Where the data file is read from: the file system for the window and the
// CLI, memory for batch solving, tests, benchmarks and fuzzers.
class FileReader {
 public:
  virtual ~FileReader() = default;
  virtual FileBytes read(const std::string &name) const = 0;
};

// Everything a button handler needs from its window.
struct Ports {
  Controls &controls;
  DrawingSurface &surface;
  Prompt &prompt;
  const FileReader &files;
};

}  // namespace numplace
