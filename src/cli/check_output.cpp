#include "cli/check_output.h"

#include "cli/summary.h"

namespace numplace {
namespace {

std::string cellText(const CellRef &c) { return "r" + std::to_string(c.row) + "c" + std::to_string(c.column); }

std::string gradeText(const Grade &g) {
  return std::to_string(g.level) + ":" + std::string(g.english) + ":" + std::to_string(g.score);
}

}  // namespace

std::string_view sourceKindName(SourceKind kind) {
  switch (kind) {
    case SourceKind::Grid:
      return "grid";
    case SourceKind::Rows:
      return "rows";
    case SourceKind::File:
      break;
  }
  return "file";
}

std::string_view unitName(UnitKind unit) {
  switch (unit) {
    case UnitKind::Row:
      return "row";
    case UnitKind::Column:
      return "column";
    case UnitKind::Block:
      break;
  }
  return "block";
}

void printCheck(std::ostream &out, const PuzzleReport &report) {
  out << "check source " << sourceKindName(report.source.kind);
  if (report.source.kind == SourceKind::File) out << ' ' << report.source.file;
  if (report.source.gridPassedOver) out << " (grid passed over: three or more empty rows)";
  out << '\n';
  if (report.badInput) return;
  const CheckResult &c = report.check;
  out << "check solutions " << c.solutions << (c.solutions == 2 ? " or more" : "") << '\n';
  for (const Clash &k : c.clashes) {
    out << "check clash " << k.digit << ' ' << cellText(k.cells[0]) << ' ' << cellText(k.cells[1]) << ' '
        << unitName(k.unit) << '\n';
  }
  if (!c.differ.empty()) {
    out << "check differ";
    for (const CellRef &cell : c.differ) out << ' ' << cellText(cell);
    out << '\n';
  }
  if (report.grade) {
    const Grade &g = *report.grade;
    out << "check grade " << g.level << ' ' << g.name << ' ' << g.english << " score " << g.score << '\n';
  } else {
    out << "check grade -\n";
  }
  if (c.solutions == 1 && c.solution) out << "check solution " << gridText(*c.solution) << '\n';
}

void printDocumentCheck(std::ostream &out, const DocumentFields &document) {
  if (document.collection != nullptr) {
    out << "check collection " << document.collection->file << ' ' << document.collection->index << ' '
        << document.collection->count << '\n';
  }
  if (document.beyond == nullptr) return;
  for (const ExtraGivenNote &note : document.beyond->extras) {
    out << "check extra " << controlLabel(note.box) << ' ' << note.text;
    if (note.effect != ExtraGivenNote::Effect::OutOfRange) {
      out << ' ' << cellText({note.row, note.column}) << ' ' << note.digit;
    }
    out << ' ' << effectName(note.effect) << (note.writtenByAnswer ? " answer" : "") << '\n';
  }
  for (const CellWarning &warning : document.beyond->warnings) {
    out << "check warning " << controlLabel(warning.box) << ' ' << warning.text << ' ' << warningName(warning.why)
        << '\n';
  }
}

void appendCheckFields(std::string &out, const PuzzleReport &report, bool withGrade) {
  if (report.badInput) {
    out += " solutions=-";
    return;
  }
  const CheckResult &c = report.check;
  out += " solutions=";
  out += std::to_string(c.solutions);
  if (!c.clashes.empty()) {
    out += " clashes=";
    for (std::size_t i = 0; i < c.clashes.size(); ++i) {
      const Clash &k = c.clashes[i];
      if (i > 0) out += ',';
      out += cellText(k.cells[0]) + "-" + cellText(k.cells[1]) + ":" + std::to_string(k.digit) + ":" +
             std::string(unitName(k.unit));
    }
  }
  if (!c.differ.empty()) {
    out += " differ=";
    for (std::size_t i = 0; i < c.differ.size(); ++i) {
      if (i > 0) out += ',';
      out += cellText(c.differ[i]);
    }
  }
  if (withGrade) out += " grade=" + (report.grade ? gradeText(*report.grade) : std::string("-"));
}

}  // namespace numplace
