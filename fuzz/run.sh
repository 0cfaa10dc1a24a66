#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (coverage, address and undefined-
# behaviour sanitizers) and runs each of them for SECONDS seconds (default 60)
# on a corpus seeded from fuzz/seeds and tests/data. A crash stops the script
# with the reproducer left in the target's artifact folder.
#
# Environment: BUILD_DIR (default build-fuzz), WORK_DIR (default
# BUILD_DIR/fuzz-work, holds the corpora and artifacts), TARGETS (a subset of
# the target names), JOBS (default 2).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
seconds=${1:-60}
build_dir=${BUILD_DIR:-build-fuzz}
work_dir=${WORK_DIR:-$build_dir/fuzz-work}
targets=${TARGETS:-"xml_document fast_infoset sample_model json decimal binary conversions pattern"}

# libFuzzer's runtime comes with the compiler's runtime package on Debian.
clang_version=$(clang++ --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)
if [ -n "$clang_version" ] && ! ls /usr/lib/llvm-"$clang_version"/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a \
      >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "libclang-rt-$clang_version-dev" >/dev/null
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTSXMLLIB_FUZZ=ON -DTSXMLLIB_BUILD_TESTS=OFF -DTSXMLLIB_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$build_dir" -j"${JOBS:-2}" --target fuzz_all

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for target in $targets; do
  corpus="$work_dir/corpus/$target"
  artifacts="$work_dir/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  cp -n fuzz/seeds/"$target"/* "$corpus"/ 2>/dev/null || true
  if [ "$target" = json ]; then
    # The first byte of a JSON input holds the options: zero keeps the defaults.
    for f in tests/data/json/JSONTestSuite/test_parsing/*.json; do
      seed="$corpus/suite_$(basename "$f")"
      [ -e "$seed" ] || { printf '\0'; cat "$f"; } >"$seed"
    done
  fi
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== fuzz_$target for ${seconds}s =="
  "$build_dir/fuzz/fuzz_$target" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" 2>"$work_dir/$target.log" \
    || { tail -n 60 "$work_dir/$target.log"; echo "fuzz_$target failed; reproducer in $artifacts" >&2; exit 1; }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$work_dir/$target.log" || true
done
echo "all fuzz targets ran ${seconds}s without a finding"
