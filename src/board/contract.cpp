#include "board/contract.h"

#ifdef NUMPLACE_ASSERTIONS

#include <cstdio>
#include <cstdlib>

namespace numplace {

void assertionFailed(const char *file, int line, const char *condition) {
  std::fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

}  // namespace numplace

#endif
