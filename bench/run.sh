#!/usr/bin/env bash
# Builds the benchmark program (optimised, with debug information) and runs
# every benchmark: progress goes to stderr, the summary tables to stdout.
#
#   ./bench/run.sh                               1, 16 and 128 MB documents (about 4 minutes)
#   TSXMLLIB_BENCH_SIZES=1,16 ./bench/run.sh     leaves out the 128 MB document (about 40 seconds)
#   ./bench/run.sh --benchmark_filter=Read  extra arguments go to Google Benchmark
#   ./bench/run.sh --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
#                                                each benchmark five times, interleaved; the
#                                                tables take the fastest of the five
#
# Environment: BUILD_DIR (default build-bench), JOBS (default 2),
# TSXMLLIB_BENCH_CMAKE_ARGS (extra configure arguments), for example
#   BUILD_DIR=build-bench-bare TSXMLLIB_BENCH_CMAKE_ARGS=-DTSXMLLIB_INSTRUMENTATION=OFF ./bench/run.sh
# for the library without instance counting and debug trace.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build-bench}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSXMLLIB_BUILD_BENCHMARKS=ON \
  "${launcher[@]}" ${TSXMLLIB_BENCH_CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" -j"${JOBS:-2}" --target tsxmllib_bench >/dev/null
if [ ! -x "$build_dir/bench/tsxmllib_bench" ]; then
  echo "the benchmark program was not built: is libbenchmark-dev installed?" >&2
  exit 1
fi
exec "$build_dir/bench/tsxmllib_bench" "$@"
