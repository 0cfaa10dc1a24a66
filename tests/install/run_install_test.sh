#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds and runs a
# small application against it twice: found with find_package and with
# pkg-config. Both must print exactly what the application is expected to
# write. Every installed header is also compiled, all together, against the
# installed tree alone.
#
#   run_install_test.sh BUILD_DIR [C++ COMPILER] [CMAKE GENERATOR]
set -euo pipefail
build_dir=$1
cxx=${2:-${CXX:-c++}}
generator=${3:-Ninja}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step() { echo "-- $*"; }

step "install into a scratch prefix"
cmake --install "$build_dir" --prefix "$work/prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
prefix=$work/prefix
lib=$(find "$prefix" -name 'libtsxmllib.so' -o -name 'libtsxmllib.a' | head -n 1)
[ -n "$lib" ] || { echo "no libtsxmllib installed under $prefix"; exit 1; }
libdir=$(dirname "$lib")
pcfile=$(find "$prefix" -name tsxmllib.pc | head -n 1)
[ -n "$pcfile" ] || { echo "no tsxmllib.pc installed"; exit 1; }
[ -f "$prefix/include/tsxmllib/Element.h" ] || { echo "headers are not under include/tsxmllib/"; exit 1; }

# One translation unit that includes every installed header.
all_headers=$work/all_headers.cpp
for h in "$prefix"/include/tsxmllib/*.h; do
  echo "#include \"tsxmllib/$(basename "$h")\""
done >"$all_headers"

expected=$(cat <<'OUT'
<note lang="en"><to>Tove</to><body>Don't forget</body><from>Jani &amp; co</from></note>
refused: mismatched tag at line 1
OUT
)

check_output() {
  local how=$1 program=$2 out
  out=$(LD_LIBRARY_PATH="$libdir" "$program") || { echo "$how application failed: $out"; exit 1; }
  if [ "$out" != "$expected" ]; then
    echo "$how application printed:"; echo "$out"; echo "expected:"; echo "$expected"
    exit 1
  fi
}

step "build with find_package"
cmake -S "$here/consumer" -B "$work/cmake-build" -G "$generator" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DALL_HEADERS_SOURCE="$all_headers" >"$work/configure.log" \
  || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-build" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
check_output find_package "$work/cmake-build/consumer"

step "build with pkg-config"
static=()
case "$lib" in *.a) static=(--static) ;; esac
flags=$(PKG_CONFIG_PATH="$(dirname "$pcfile")" pkg-config "${static[@]}" --cflags --libs tsxmllib)
# shellcheck disable=SC2086
"$cxx" -std=c++17 "$here/consumer/consumer.cpp" -o "$work/pc-consumer" $flags
check_output pkg-config "$work/pc-consumer"

echo "installed library found by find_package and pkg-config"
