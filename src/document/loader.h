// The document actions played straight onto a window's controls and
// surface, with no undo history: numplace-cli, the tests, and the window's
// screenshots.
#pragma once

#include <optional>

#include "document/document.h"
#include "hints/hints.h"
#include "script/actions.h"

namespace numplace {

class DocumentLoader final : public PuzzleLoader {
 public:
  DocumentLoader(PuzzleDocument &document, Controls &controls, DrawingSurface &surface)
      : document_(document), controls_(controls), surface_(surface) {}
  std::optional<std::string> open(const std::string &path) override {
    return document_.open(path, controls_, surface_);
  }
  bool step(int delta) override { return document_.step(delta, controls_, surface_); }
  bool paste(std::string_view text) override { return document_.paste(text, controls_, surface_); }
  void runEnded(const RunResult &result) override { document_.runEnded(result); }
  void fixGivens() override { document_.fixGrid(controls_); }
  void hint(int level) override;
  std::optional<std::string> saveProgress(const std::string &path) override;

  // The last hint asked for, with the position it was asked at.
  const std::optional<Hint> &lastHint() const { return lastHint_; }

 private:
  PuzzleDocument &document_;
  Controls &controls_;
  DrawingSurface &surface_;
  std::optional<Hint> lastHint_;
};

// The hint for the document's position: its givens (those of the grid until
// the givens are fixed) and the user's entries.
Hint documentHint(const PuzzleDocument &document, const Controls &controls, int level);
// The check of the user's entries against the solution of the givens.
EntriesCheck documentEntries(const PuzzleDocument &document, const Controls &controls);

}  // namespace numplace
