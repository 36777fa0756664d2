#!/usr/bin/env bash
# Times the duplicate search engine (collection and comparison, no window) under Wine on the generated
# large tree (about 200,000 files, 18,455 duplicate groups, near-duplicates sharing size and checksum),
# next to `jdupes -r -q` on the same tree natively, in the same run. Prints both times (medians of RUNS),
# their ratio, the engine's files opened and bytes read, the Wine floor for the same work (the bare
# listings, one open and one 512-byte read per size-sharing file, one read of every file with a twin) and
# the engine's ratio to it, and checks that both tools found exactly the manifest's non-empty groups.
#
#   bench/duplicates.sh          # RUNS=3
#   RUNS=5 TREE=/path/to/tree bench/duplicates.sh
#   RUNS=1 WARM=0 bench/duplicates.sh    # quickest: one run, no warming run
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"

runs="${RUNS:-3}"
tree="${TREE:-$vireo_root/bench/trees/large}"
build="${BUILD:-$vireo_root/build/duplicates-bench}"
prefix="${BENCH_PREFIX:-/tmp/vireo-duplicates-bench-prefix}"
work="$(mktemp -d /tmp/vireo-duplicates-bench.XXXXXX)"

if ! command -v jdupes >/dev/null; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq jdupes >/dev/null
fi
if [ ! -f "$tree.groups.tsv" ]; then
    echo "Generating $tree ..."
    python3 "${MAKE_TREE:-$vireo_root/../shared/bench/make_tree.py}" --preset large --groups --force "$tree" >/dev/null
fi

cmake -S "$vireo_root/bench/duplicates" -B "$build" --toolchain "$vireo_root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null

vireo_make_prefix "$prefix"
vireo_start_wineserver
cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -f "$prefix/dosdevices/t:"
    rm -rf "$work"
}
trap cleanup EXIT
# The tree as fixed drive T: of the prefix, the way a user's data drive is seen.
rm -f "$prefix/dosdevices/t:"
ln -s "$tree" "$prefix/dosdevices/t:"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# jdupes: a first pass warms the cache, as the engine's first run does.
jdupes -r -q "$tree" >/dev/null
jdupes_times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    jdupes -r -q "$tree" >"$work/jdupes.txt"
    end=$(date +%s.%N)
    jdupes_times+=("$(echo "$end - $start" | bc -l)")
done
jdupes_median=$(printf '%s\n' "${jdupes_times[@]}" | median)

# One warming run (WARM=0 leaves it out), then the timed ones.
[ "${WARM:-1}" = 0 ] || wine "$build/duplicates_bench.exe" 'T:\' 1 'C:\groups.txt' >/dev/null
output=$(wine "$build/duplicates_bench.exe" 'T:\' "$runs" 'C:\groups.txt' | tr -d '\r')
cp "$prefix/drive_c/groups.txt" "$work/engine.txt"
echo "$output" | sed 's/^/run: /'

field() {  # kind name -> median of that field over the runs
    echo "$output" | grep "^$1 " | awk -v name="$2" '{ for (i = 2; i < NF; i += 2) if ($i == name) print $(i + 1) }' | median
}
engine_median=$(field engine seconds)
floor_median=$(field floor seconds)
opened=$(field engine opened)
bytes=$(field engine bytes)

verdict=$(python3 - "$tree" "$work/engine.txt" "$work/jdupes.txt" <<'PY'
import os, sys
tree, engine_file, jdupes_file = sys.argv[1:]
truth = {}
for line in open(tree + ".groups.tsv", encoding="utf-8"):
    gid, size, rel = line.rstrip("\n").split("\t")
    truth.setdefault(gid, []).append(rel)
truth = {frozenset(g) for g in truth.values()}
engine = {frozenset(l.rstrip("\n").split("\t")) for l in open(engine_file, encoding="utf-8") if l.strip()}
jd, group = set(), []
for line in open(jdupes_file, encoding="utf-8", errors="surrogateescape"):
    line = line.rstrip("\n")
    if not line:
        if group:
            jd.add(frozenset(group))
        group = []
    else:
        group.append(os.path.relpath(line, tree))
if group:
    jd.add(frozenset(group))
def check(name, found):
    missing, extra = len(truth - found), len(found - truth)
    state = "exact" if not missing and not extra else "WRONG"
    return "%s: %d groups, %s (missing %d, extra %d)" % (name, len(found), state, missing, extra)
print("manifest: %d non-empty groups" % len(truth))
print(check("engine", engine))
print(check("jdupes", jd))
PY
)
echo "$verdict"
printf 'engine (Wine): %.3f s, %s files opened, %s bytes read\n' "$engine_median" "$opened" "$bytes"
printf 'jdupes (native): %.3f s\n' "$jdupes_median"
printf 'ratio engine/jdupes: %.2f\n' "$(echo "$engine_median / $jdupes_median" | bc -l)"
printf 'Wine floor for this work: %.3f s; ratio engine/floor: %.2f (target 1.30)\n' "$floor_median" \
    "$(echo "$engine_median / $floor_median" | bc -l)"
