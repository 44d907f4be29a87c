#!/usr/bin/env bash
# Static analysis of src/: clang-tidy (checks in .clang-tidy) and cppcheck.
# Both must end clean; the script fails on any finding.
#
#   scripts/static-analysis.sh [FILE...]   (default: every source file of src/)
#
# clang-tidy takes the compile commands of build/tidy, configured here with
# clang (only configured, not built). The Qt window (src/app) is analysed
# when the configuration found Qt, so its files are in the compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/tidy

# -Werror: clang's own warnings come out of clang-tidy as errors too.
if [ ! -f "$build/compile_commands.json" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DNUMPLACE_WERROR=ON \
    -DNUMPLACE_BUILD_APP=ON -DNUMPLACE_BUILD_TESTS=OFF -DNUMPLACE_BUILD_BENCH=OFF >/dev/null
else
  # Picks up source files added since the last run.
  cmake "$build" -DNUMPLACE_WERROR=ON >/dev/null
fi

# The source files of src/ that the compile commands know (generated files
# such as Qt's moc output live in the build tree and are left out).
mapfile -t known < <(python3 - "$build/compile_commands.json" "$root/src/" <<'EOF'
import json, os, sys
entries, src = json.load(open(sys.argv[1])), sys.argv[2]
files = {os.path.normpath(os.path.join(e["directory"], e["file"])) for e in entries}
print("\n".join(sorted(f for f in files if f.startswith(src))))
EOF
)
if [ $# -gt 0 ]; then
  files=()
  for f in "$@"; do files+=("$(realpath "$f")"); done
else
  files=("${known[@]}")
fi
missing=$(comm -23 <(find "$root/src" -name '*.cpp' | sort) <(printf '%s\n' "${known[@]}" | sort))
if [ -n "$missing" ]; then
  echo "static-analysis: not in the compile commands (not analysed by clang-tidy):" $missing >&2
fi

status=0
echo "== clang-tidy (${#files[@]} files)"
# Two at a time: the machine's two cores are shared. The diagnostics go to
# standard output; only clang-tidy's tallies are dropped from the rest.
set +e
printf '%s\n' "${files[@]}" | xargs -P2 -n1 clang-tidy -p "$build" --quiet 2>&1 |
  grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter'
tidy=${PIPESTATUS[1]}
set -e
[ "$tidy" -eq 0 ] || status=1

echo "== cppcheck"
# Suppressions: each one names the check, the place and why it is wrong there.
# (No -j: with it cppcheck 2.10 ignores suppressions by symbol name; one
# process takes about a second anyway.)
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
cat >"$suppressions" <<'EOF'
<?xml version="1.0"?>
<suppressions>
  <!-- ControlRef is a string_view and an int (three words), a view type made to
       be passed by value like std::string_view itself. -->
  <suppress><id>passedByValue</id><symbolName>ref</symbolName></suppress>
  <!-- A one-line range-for over characters reads more plainly than the
       std::transform cppcheck offers; nothing is gained by the algorithm. -->
  <suppress><id>useStlAlgorithm</id></suppress>
</suppressions>
EOF
if ! cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ --library=qt \
    --inline-suppr --suppress=missingIncludeSystem --suppress-xml="$suppressions" \
    --error-exitcode=1 --quiet -I src src/; then
  status=1
fi

if [ $status -eq 0 ]; then
  echo "static-analysis: clean"
else
  echo "static-analysis: findings above" >&2
fi
exit $status
