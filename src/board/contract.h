// Checks of the ranges the comments promise, for the builds that look for
// faults (the sanitizer preset, the fuzzers): NUMPLACE_ASSERT(cond) prints
// the file, the line and the condition and aborts when cond is false. In
// any other build it compiles to nothing, the condition never evaluated,
// so a release build runs exactly as fast as without it.
#pragma once

#ifdef NUMPLACE_ASSERTIONS

namespace numplace {
[[noreturn]] void assertionFailed(const char *file, int line, const char *condition);
}  // namespace numplace

#define NUMPLACE_ASSERT(cond) ((cond) ? static_cast<void>(0) : ::numplace::assertionFailed(__FILE__, __LINE__, #cond))

#else

// sizeof keeps the names in the condition used without evaluating anything.
#define NUMPLACE_ASSERT(cond) static_cast<void>(sizeof(!(cond)))

#endif
