#!/usr/bin/env bash
# Times the registry scan over 100,000 keys holding 300,000 string values (one in twenty a dead reference)
# in a throwaway Wine prefix, next to Wine's own "reg query /s" walking the same keys.
#   bench/registry_scan.sh [runs]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
runs="${1:-3}"
build="$vireo_root/build/registry-bench"
prefix="$(mktemp -d /tmp/vireo-registry-bench.XXXXXX)"

cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
}
trap cleanup EXIT

cmake -S "$vireo_root/bench/registry" -B "$build" --toolchain "$vireo_root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
exe="$build/registry_bench.exe"

vireo_make_prefix "$prefix"
vireo_start_wineserver

echo "== populating HKCU\\Software\\VireoBench"
start=$(date +%s.%N)
wine "$exe" populate
echo "   took $(echo "$(date +%s.%N) - $start" | bc) s"

echo "== Vireo's scan, $runs runs"
wine "$exe" scan "$runs"

echo "== reference: wine reg query HKCU\\Software\\VireoBench /s"
start=$(date +%s.%N)
lines=$(wine reg query 'HKCU\Software\VireoBench' /s 2>/dev/null | wc -l)
echo "   $(echo "$(date +%s.%N) - $start" | bc) s, $lines lines"
