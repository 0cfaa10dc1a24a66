#!/usr/bin/env bash
# Runs the record filter example on a generated order of ITEMS items and
# checks its totals against the ones computed here from the generation rule
# of make_large_order.sh. With MAX_GROWTH_KIB set (not in sanitizer builds,
# whose allocator keeps freed memory) the peak memory of the run may grow by
# at most that much: far less than the document, let alone its tree.
#
#   run_record_filter_large.sh PROGRAM ITEMS OUT_DIR [MAX_GROWTH_KIB]
set -euo pipefail
program=$1 items=$2 out=$3 limit=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out"
"$here/make_large_order.sh" "$items" "$out/order.xml"

"$program" "$out/order.xml" >"$out/stdout"
cat "$out/stdout"

expected=$(awk -v n="$items" 'BEGIN {
  pieces = 0; cents = 0
  for (i = 1; i <= n; i++) { q = 1 + i % 9; pieces += q; cents += q * (i == 7 ? 99999 : 125) }
  printf "items: %d\npieces: %d\nvalue: %d.%02d USD\n", n, pieces, int(cents / 100), cents % 100
}')
actual=$(grep -E '^(items|pieces|value):' "$out/stdout")
if [ "$actual" != "$expected" ]; then
  echo "totals differ; expected:"; echo "$expected"
  exit 1
fi
grep -qx 'items left in the tree: 0' "$out/stdout" || { echo "items were left in the tree"; exit 1; }
grep -qx 'dearest: 007-AB at 999.99 USD' "$out/stdout" || { echo "wrong dearest item"; exit 1; }

if [ -n "$limit" ]; then
  growth=$(sed -n 's/^peak memory growth: \([0-9]*\) KiB$/\1/p' "$out/stdout")
  size=$(( $(stat -c %s "$out/order.xml") / 1024 ))
  if [ -z "$growth" ] || [ "$growth" -gt "$limit" ]; then
    echo "peak memory grew by ${growth:-?} KiB for a document of $size KiB (limit $limit KiB)"
    exit 1
  fi
  echo "peak memory grew by $growth KiB for a document of $size KiB"
fi
rm -f "$out/order.xml"
