// The document actions played straight onto a window's controls and
// surface, with no undo history: numplace-cli, the tests, and the window's
// screenshots.
#pragma once

#include "document/document.h"
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

 private:
  PuzzleDocument &document_;
  Controls &controls_;
  DrawingSurface &surface_;
};

}  // namespace numplace
