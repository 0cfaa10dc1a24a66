#!/usr/bin/env bash
# Runs one example program and compares what it prints with the expected
# output kept beside this script. The program must exit with 0. In its
# output the source folder reads <src> and the scratch folder <out>, and
# lines that vary from run to run (peak memory) are left out.
#
#   run_example.sh NAME SOURCE_DIR OUT_DIR PROGRAM [ARGS...]
set -euo pipefail
name=$1 src=$2 out=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out"

status=0
"$@" >"$out/stdout" 2>"$out/stderr" || status=$?
if [ "$status" -ne 0 ]; then
  echo "$name exited with $status"; cat "$out/stdout" "$out/stderr"
  exit 1
fi
sed -e "s|$out|<out>|g" -e "s|$src|<src>|g" -e '/^peak memory/d' "$out/stdout" >"$out/actual"
if ! diff -u "$here/expected/$name.txt" "$out/actual"; then
  echo "$name printed something else than expected (above: - expected, + printed)"
  exit 1
fi
echo "$name printed what was expected"
