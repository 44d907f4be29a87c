#include "cli/explain.h"

#include "script/explanation.h"

namespace numplace {

void printExplanation(std::ostream &out, const RunResult &result) {
  for (const std::string &line : explainRun(result).lines()) out << line << '\n';
}

}  // namespace numplace
