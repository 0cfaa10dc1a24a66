#!/usr/bin/env bash
# Instructions executed by one call of every pipeline and baseline, counted by
# callgrind on the 1 MB document (TSXMLLIB_BENCH_SIZES=N for another size), with
# each pipeline's count over its baseline's and, for Fast Infoset, how many
# times fewer instructions it takes than the XML text path. Counts repeat exactly for the same
# build whatever else runs on the machine, unlike the timings of run.sh.
#
#   ./bench/count.sh          about a minute
#
# Environment: BUILD_DIR (default build-bench), JOBS (default 2).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-bench}
command -v valgrind >/dev/null || { echo "count.sh needs valgrind" >&2; exit 1; }
cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSXMLLIB_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build_dir" -j"${JOBS:-2}" --target tsxmllib_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=${TSXMLLIB_BENCH_SIZES:-1}
TSXMLLIB_BENCH_SIZES=${size%%,*} valgrind --tool=callgrind --callgrind-out-file="$work/out" \
  --toggle-collect='void TsXmlLibBench::CountedRun<*' "$build_dir/bench/tsxmllib_bench" --count \
  >"$work/names" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
callgrind_annotate --inclusive=yes --threshold=100 "$work/out" 2>/dev/null |
  sed -nE 's/^ *([0-9,]+) .*CountedRun<([0-9]+)ul?>.*/\2 \1/p' | tr -d , | sort -n -u >"$work/counts"

# name -> millions of instructions per call (the program ran each twice)
join <(sort -k1,1 "$work/names") <(sort -k1,1 "$work/counts") | sort -n -k1,1 |
  awk '{ m[$2] = $3 / 2e6; order[++n] = $2 }
       END {
         base["Read/XML"] = "Base/expat"; base["Read/FI"] = "Base/expat"; base["Read/CXmlDocument"] = "Base/expat"
         base["Read/JSON"] = "Base/expat"; base["Read/CElement"] = "Base/expat"
         base["Write/XML"] = "Base/pugixml-save"; base["Write/FI"] = "Base/pugixml-save"
         printf "| operation | M instructions per call | baseline | x baseline | x Read/XML or Write/XML |\n"
         printf "|---|---:|---|---:|---:|\n"
         for (i = 1; i <= n; ++i) {
           name = order[i]; short = name; sub(/^[0-9]+MB\//, "", short); prefix = substr(name, 1, length(name) - length(short))
           b = base[short]; x = "-"; y = "-"
           if (b != "" && (prefix b) in m) x = sprintf("%.2f", m[name] / m[prefix b])
           if (short ~ /^Read\// && (prefix "Read/XML") in m) y = sprintf("%.2f", m[prefix "Read/XML"] / m[name])
           if (short ~ /^Write\// && (prefix "Write/XML") in m) y = sprintf("%.2f", m[prefix "Write/XML"] / m[name])
           printf "| %s | %.1f | %s | %s | %s |\n", name, m[name], b == "" ? "-" : b, x, y
         }
       }'
