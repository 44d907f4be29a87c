// The three ports through which the engine talks to a window: control texts,
// the drawing surface and the modal prompt. The Qt window and the headless
// driver each implement them; the engine knows nothing else of either.
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
  // Told after a run has drawn a message about bad input and stopped.
  virtual void noteError(std::string_view /*message*/) {}
  // False when nothing drawn is ever looked at (batch solving), so runs may
  // skip drawing that leaves no result behind.
  virtual bool keepsDrawing() const { return true; }
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
  // The confirmed text, or nothing when the user cancelled.
  virtual std::optional<std::string> ask(const PromptRequest &request) = 0;
};

// Everything a button handler needs from its window.
struct Ports {
  Controls &controls;
  DrawingSurface &surface;
  Prompt &prompt;
};

}  // namespace numplace
