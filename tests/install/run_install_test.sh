#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds and runs a
# consumer against it twice: with find_package and with pkg-config.
set -euo pipefail
build_dir=$1
source_dir=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
expected='TWFu Invalid char in hex string [G]'

cmake -S "$source_dir" -B "$work/cmake-build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
out=$(LD_LIBRARY_PATH="$work/prefix/lib" "$work/cmake-build/consumer")
[ "$out" = "$expected" ] || { echo "find_package consumer printed: $out"; exit 1; }

pcdir=$(dirname "$(find "$work/prefix" -name tsxmllib.pc | head -n 1)")
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs tsxmllib)
# shellcheck disable=SC2086
${CXX:-c++} -std=c++17 "$source_dir/consumer.cpp" -o "$work/pc-consumer" $flags
out=$(LD_LIBRARY_PATH="$work/prefix/lib" "$work/pc-consumer")
[ "$out" = "$expected" ] || { echo "pkg-config consumer printed: $out"; exit 1; }
echo "installed library found by find_package and pkg-config"
