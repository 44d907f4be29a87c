// What numplace-cli asks its export module to write, as plain data. The
// module (export_module.cpp) links Qt; numplace-cli loads it only when an
// export is asked for, so that everything else starts without Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/paper.h"

namespace numplace {

struct ExportOrder {
  std::optional<std::string> pdfPath;
  exports::PaperDocument document;
  exports::PdfSettings pdf;
  std::optional<std::string> pngPath;
  std::optional<std::string> svgPath;
  exports::BoardContent picture;  // the PNG's and the SVG's board
  int pixels = 0;                 // their side
  std::string pictureTitle;       // the SVG's title
};

struct ExportReport {
  std::vector<std::string> errors;  // one message per write that failed
  int pdfPages = 0;
};

// The module's one function, found by this name; the name changes whenever
// the two structures above do, so a module of another build is not called.
inline constexpr const char *kExportEntryName = "numplace_cli_export_1";
using ExportEntry = void (*)(const ExportOrder &order, ExportReport &report);

// The module's file, next to numplace-cli in the build tree, in the
// library folder of an install.
inline constexpr const char *kExportModuleFile = "numplace-cli-export.so";

}  // namespace numplace
