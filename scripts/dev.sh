#!/usr/bin/env bash
# Builds TsXmlLib and runs either the demonstration on the bundled sample data
# ("demo") or the test suite ("test"). Installs the Debian packages it needs
# when they are missing (as root directly, otherwise through sudo).
#
# Environment: BUILD_DIR (default build), BUILD_TYPE (default RelWithDebInfo),
# TSXMLLIB_SANITIZE=ON for an address + undefined-behaviour sanitizer build,
# CXX to choose the compiler.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libexpat1-dev zlib1g-dev libpcre2-dev libxml2-utils libpugixml-dev libxml2-dev
          openjdk-17-jdk-headless libfastinfoset-java)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

build_dir=${BUILD_DIR:-build}
jobs=${JOBS:-2}
cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DTSXMLLIB_SANITIZE="${TSXMLLIB_SANITIZE:-OFF}" >/dev/null
cmake --build "$build_dir" -j"$jobs"

case "${1:-test}" in
  test)
    ctest --test-dir "$build_dir" -j"$jobs" --output-on-failure --timeout 300
    ;;
  demo)
    "$build_dir/examples/purchase_order" "$here/samples/data/purchaseOrder.xml" "$build_dir/purchaseOrder-changed.xml"
    "$build_dir/examples/tsxml_demo" "$here/samples/data"

    # The converter: the sample to JSON, the JSON to Fast Infoset (plain and
    # gzip), and back to XML; the result must equal the sample's own XML form
    # (the converter drops layout white space, so both sides go through it).
    tsxml="$build_dir/tools/tsxml"
    sample="$here/samples/data/purchaseOrder.xml"
    out="$build_dir/demo"
    mkdir -p "$out"
    echo
    echo "== tsxml round trip of $sample =="
    "$tsxml" info "$sample"
    "$tsxml" convert "$sample" --to xml -o "$out/po.xml"
    "$tsxml" convert "$sample" --to json -o "$out/po.json"
    "$tsxml" convert "$out/po.json" --to fi -o "$out/po.fi"
    "$tsxml" convert "$out/po.json" --to fi --gzip -o "$out/po.fi.gz"
    "$tsxml" convert "$out/po.fi" --to xml -o "$out/po-from-fi.xml"
    "$tsxml" convert "$out/po.fi.gz" --to xml -o "$out/po-from-fi-gz.xml"
    for f in "$sample" "$out/po.xml" "$out/po.json" "$out/po.fi" "$out/po.fi.gz"; do
      printf '%8d bytes  %s\n' "$(stat -c %s "$f")" "$f"
    done
    if cmp -s "$out/po.xml" "$out/po-from-fi.xml" && cmp -s "$out/po.xml" "$out/po-from-fi-gz.xml"; then
      echo "round trip XML -> JSON -> Fast Infoset -> XML: identical"
    else
      echo "round trip XML -> JSON -> Fast Infoset -> XML: DIFFERENT" >&2
      exit 1
    fi
    ;;
  *)
    echo "usage: $0 [test|demo]" >&2
    exit 2
    ;;
esac
