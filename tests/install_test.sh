#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks that every file lands in
# its place and works from there: both programs, the example data files, the
# launcher, the icons, the AppStream metainfo and the man pages. Then builds
# the Debian package and looks inside it. desktop-file-validate, appstreamcli,
# groff and dpkg-deb are used when they are installed and skipped with a
# message when not.
#
#   tests/install_test.sh BUILD_DIR SOURCE_DIR
#
# ctest passes the version, the launcher's id, the cmake and cpack commands
# and the install folders (GNUInstallDirs) in the environment.
set -uo pipefail

build=${1:?usage: install_test.sh BUILD_DIR SOURCE_DIR}
source_dir=${2:?usage: install_test.sh BUILD_DIR SOURCE_DIR}
version=${NUMPLACE_VERSION:?NUMPLACE_VERSION is not set}
app_id=${NUMPLACE_APP_ID:-io.github.numplace.numplace}
cmake=${CMAKE_COMMAND:-cmake}
cpack=${CPACK_COMMAND:-cpack}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

checks=0
failures=0
check() {  # check DESCRIPTION COMMAND...: counts the check, reports it when the command fails
  local what=$1
  shift
  checks=$((checks + 1))
  if ! "$@"; then
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}
skip() { echo "SKIP: $*"; }

# A folder from GNUInstallDirs, under the prefix unless it is absolute.
under() { case $1 in /*) echo "$1" ;; *) echo "$2/$1" ;; esac; }
bin=$(under "${INSTALL_BINDIR:-bin}" "$prefix")
data=$(under "${INSTALL_DATADIR:-share}" "$prefix")
man=$(under "${INSTALL_MANDIR:-share/man}" "$prefix")

# Width and height of a PNG from its header, or nothing when it is no PNG.
png_size() {
  local magic
  magic=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  [ "$magic" = 89504e470d0a1a0a ] || return 0
  od -An -tu4 --endian=big -j16 -N8 "$1" | awk '{print $1 "x" $2}'
}

# The value of KEY in the [Desktop Entry] group of a launcher.
desktop_value() { sed -n "s/^$2=//p" "$1" | head -n 1; }

# Every long option named in a help text (or in one of its sections).
options_in() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }

# Whether a man page (roff source) names an option; roff writes - as \-.
man_names() { sed 's/\\-/-/g' "$1" | grep -F -- "$2" >/dev/null; }

# Checks a launcher: the keys the menu needs, the data folder it starts in,
# and desktop-file-validate when installed.
check_launcher() {
  local file=$1 examples=$2
  check "launcher type" test "$(desktop_value "$file" Type)" = Application
  check "launcher name" test "$(desktop_value "$file" Name)" = numplace
  check "launcher Japanese name" grep -qP '^Name\[ja\]=[^\x00-\x7F]+$' "$file"
  check "launcher command" test "$(desktop_value "$file" Exec)" = "numplace %f"
  check "launcher icon" test "$(desktop_value "$file" Icon)" = numplace
  check "launcher categories" test "$(desktop_value "$file" Categories)" = "Game;LogicGame;"
  check "launcher starts in the examples folder" test "$(desktop_value "$file" Path)" = "$examples"
  if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate $(basename "$file")" desktop-file-validate "$file"
  else
    skip "desktop-file-validate is not installed (Debian package desktop-file-utils)"
  fi
}

# --- Install --------------------------------------------------------------
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install $build"
  exit 1
fi

expected=(
  "$bin/numplace"
  "$bin/numplace-cli"
  "$data/applications/$app_id.desktop"
  "$data/metainfo/$app_id.metainfo.xml"
  "$data/icons/hicolor/scalable/apps/numplace.svg"
  "$man/man1/numplace.1"
  "$man/man1/numplace-cli.1"
)
# numplace-cli's export module, when the build has it.
module=${INSTALL_EXPORT_MODULE:+$(under "$INSTALL_EXPORT_MODULE" "$prefix")}
[ -z "$module" ] || expected+=("$module")
sizes=(48 64 128 256)
for size in "${sizes[@]}"; do expected+=("$data/icons/hicolor/${size}x${size}/apps/numplace.png"); done
examples=()
for csv in "$source_dir"/examples/*.csv; do examples+=("$(basename "$csv")"); done
for name in "${examples[@]}"; do expected+=("$data/numplace/examples/$name"); done

for file in "${expected[@]}"; do check "installed and not empty: ${file#"$prefix"/}" test -s "$file"; done
check "nothing else installed" test "$(find "$prefix" -type f -o -type l | wc -l)" -eq "${#expected[@]}"
for program in numplace numplace-cli; do check "$program is executable" test -x "$bin/$program"; done
for name in "${examples[@]}"; do
  check "example $name as in the source" cmp -s "$source_dir/examples/$name" "$data/numplace/examples/$name"
done

# --- Icons ----------------------------------------------------------------
for size in "${sizes[@]}"; do
  check "icon ${size}x${size} is a PNG of that size" \
    test "$(png_size "$data/icons/hicolor/${size}x${size}/apps/numplace.png")" = "${size}x${size}"
done
check "scalable icon is an SVG" grep -q '<svg' "$data/icons/hicolor/scalable/apps/numplace.svg"

# --- The programs run from the prefix ---------------------------------------
check "numplace-cli --version" test "$("$bin/numplace-cli" --version)" = "numplace-cli $version"
check "numplace --version" test "$("$bin/numplace" --version 2>/dev/null)" = "numplace $version"
# The window's start-up data file name is found in the examples folder.
answer=$(cd "$data/numplace/examples" && "$bin/numplace-cli" --click Command3)
board=$(printf '%s\n' "$answer" | sed -n '/^board:/,+9p' | tail -n +2)
check "numplace-cli solves the installed default example" \
  test "$(printf '%s\n' "$board" | grep -cE '^[1-9]{9}$')" -eq 9
if [ -n "$module" ]; then
  # The installed numplace-cli finds its module in the library folder.
  "$bin/numplace-cli" --file "$data/numplace/examples/karune111.csv" --png "$work/board.png" --size 300 >/dev/null
  check "numplace-cli --png from the prefix" test "$(png_size "$work/board.png")" = 300x300
fi
shot=$work/shot.png
"$bin/numplace" --screenshot "$shot" --file "$data/numplace/examples/karune111.csv" --click Command3 2>/dev/null
check "numplace --screenshot from the prefix" test "$(png_size "$shot")" = 1016x734

# --- Launcher and metainfo -------------------------------------------------
check_launcher "$data/applications/$app_id.desktop" "$data/numplace/examples"
check "launcher's folder holds the default data file" test -f "$data/numplace/examples/karune111.csv"

metainfo=$data/metainfo/$app_id.metainfo.xml
check "metainfo id" grep -q "<id>$app_id</id>" "$metainfo"
check "metainfo launches the installed launcher" \
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"
check "metainfo has a release $version" grep -q "<release version=\"$version\"" "$metainfo"
if command -v appstreamcli >/dev/null; then
  check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
else
  skip "appstreamcli is not installed (Debian package appstream)"
fi

# --- Man pages ----------------------------------------------------------------
cli_help=$("$bin/numplace-cli" --help)
app_help=$("$bin/numplace" --help 2>/dev/null)
for option in $(printf '%s\n' "$cli_help" | options_in) -h; do
  check "numplace-cli.1 documents $option" man_names "$man/man1/numplace-cli.1" "$option"
done
# The window takes its own options and every action of numplace-cli.
actions=$(printf '%s\n' "$cli_help" | sed -n '/^Actions:/,/^Output:/p' | options_in)
for option in $(printf '%s\n' "$app_help" | options_in) $actions -h -v; do
  check "numplace.1 documents $option" man_names "$man/man1/numplace.1" "$option"
done
for page in numplace numplace-cli; do
  check "$page.1 is of version $version" grep -q "\"numplace $version\"" "$man/man1/$page.1"
  if command -v groff >/dev/null; then
    check "$page.1 formats without warnings" test -z "$(groff -man -Tutf8 -ww -z "$man/man1/$page.1" 2>&1)"
  else
    skip "groff is not installed"
  fi
done

# --- The Debian package -------------------------------------------------------
if command -v dpkg-deb >/dev/null && [ -f "$build/CPackConfig.cmake" ]; then
  if "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1; then
    deb=$(find "$work/deb" -maxdepth 1 -name "numplace_${version}_*.deb" | head -n 1)
    check "cpack made numplace_${version}_*.deb" test -n "$deb"
    if [ -n "$deb" ]; then
      check "package name" test "$(dpkg-deb -f "$deb" Package)" = numplace
      check "package version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
      check "package maintainer" test -n "$(dpkg-deb -f "$deb" Maintainer)"
      depends=$(dpkg-deb -f "$deb" Depends)
      packages=(libqt6core6 libqt6gui6 libqt6widgets6 fonts-ipafont-gothic)
      [ -z "$module" ] || packages+=(libqt6svg6)
      for package in "${packages[@]}"; do
        check "package depends on $package" grep -qE "(^|, )$package( |,|$)" <<<"$depends"
      done
      root=$work/debroot
      dpkg-deb -x "$deb" "$root"
      # The package installs under /usr what the prefix holds.
      for file in "${expected[@]}"; do
        check "package holds /usr/${file#"$prefix"/}" test -s "$root/usr/${file#"$prefix"/}"
      done
      check_launcher "$root/usr/share/applications/$app_id.desktop" /usr/share/numplace/examples
      check "packaged numplace-cli runs" test "$("$root/usr/bin/numplace-cli" --version)" = "numplace-cli $version"
      if [ -n "$module" ]; then
        "$root/usr/bin/numplace-cli" --file "$data/numplace/examples/karune111.csv" --svg "$work/board.svg" >/dev/null
        check "packaged numplace-cli --svg" grep -q '<svg' "$work/board.svg"
      fi
    fi
  else
    cat "$work/cpack.log"
    check "cpack -G DEB" false
  fi
else
  skip "dpkg-deb is not installed, or $build has no CPackConfig.cmake: no Debian package built"
fi

echo "install_test: $checks checks, $failures failed"
[ "$failures" -eq 0 ]
