#!/usr/bin/env bash
# Times the unnecessary-file search with the default masks over a generated tree (about 200,000 files in
# 20,000 folders) under Wine, with no window, next to the bare listings of the same folders in the same run
# and next to `find` with the equivalent case-blind -iname tests on the same tree. Checks that the search
# finds exactly the files find finds, and prints both ratios (medians of RUNS runs).
#
#   bench/junk_search.sh            # builds what is missing, RUNS=3
#   RUNS=5 bench/junk_search.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root_dir="$(cd "$here/.." && pwd)"
source "$root_dir/scripts/lib/common.sh"

runs="${RUNS:-3}"
tree="${TREE:-$root_dir/bench/trees/walk200k}"
build="${BUILD:-$root_dir/build/bench-win}"
prefix="${BENCH_PREFIX:-/tmp/vireo-bench-prefix}"
scratch="$(mktemp -d /tmp/vireo-junk-bench.XXXXXX)"

if [ ! -d "$tree" ]; then
    echo "Generating $tree ..."
    python3 "${MAKE_TREE:-$root_dir/../shared/bench/make_tree.py}" --files 200000 --dirs 20000 --budget-mb 200 "$tree" >/dev/null
fi

cmake -S "$here" -B "$build" --toolchain "$root_dir/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target junk_search_bench -j2 >/dev/null

vireo_make_prefix "$prefix"
vireo_start_wineserver
trap 'WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true; rm -f "$prefix/dosdevices/t:" "$prefix/dosdevices/s:"; rm -rf "$scratch"' EXIT
# The tree as drive T: of the prefix, the way a user's data drive is seen.
rm -f "$prefix/dosdevices/t:"
ln -s "$tree" "$prefix/dosdevices/t:"
ln -sfn "$scratch" "$prefix/dosdevices/s:"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The default masks as find tests them. A "?" at the end of a mask also matches no character, and a mask
# ending in ".*" also matches names without a dot, as the directory search of the system does.
find_junk() {
    find "$tree" -type f \( -iname '*.tmp' -o -iname '~*' -o -iname '*.~*' -o -iname '*.?~?' -o -iname '*.?~' \
        -o -iname '*.aps' -o -iname '*.bak' -o -iname '*.bk?' -o -iname '*.bk' -o -iname '*.bsc' -o -iname '*.dmp' \
        -o -iname '*.ilk' -o -iname '*.pch' -o -iname '*.rws' -o -iname '*.sbr' -o -iname 'backup*.wbk' \
        -o -iname '*.$$$' -o -iname '*.ncb' \) -print
}
find_junk >/dev/null  # warms the cache
find_times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    find_junk >"$scratch/find.txt"
    end=$(date +%s.%N)
    find_times+=("$(echo "$end - $start" | bc -l)")
done
find_median=$(printf '%s\n' "${find_times[@]}" | median)

output=$(wine "$build/junk_search_bench.exe" 'T:\' "$runs" 'S:\found.txt' | tr -d '\r')
echo "$output" | sed 's/^/run: /'
search_median=$(echo "$output" | awk '/^search / { print $7 }' | median)
list_median=$(echo "$output" | awk '/^listings / { print $7 }' | median)
found=$(echo "$output" | awk '/^search / { n = $5 } END { print n }')

# The same set of files? Windows paths on T: back to the tree's Linux paths.
sed -e 's|^T:\\|'"$tree"'/|' -e 's|\\|/|g' "$scratch/found.txt" | sort >"$scratch/search.sorted"
sort "$scratch/find.txt" >"$scratch/find.sorted"
if cmp -s "$scratch/search.sorted" "$scratch/find.sorted"; then
    echo "same files: $found found by both"
else
    echo "DIFFERENT files: search $(wc -l <"$scratch/search.sorted"), find $(wc -l <"$scratch/find.sorted")"
    diff "$scratch/search.sorted" "$scratch/find.sorted" | head -20
    exit 1
fi
printf 'find: %.3f s, search: %.3f s, bare listings under Wine: %.3f s\n' "$find_median" "$search_median" "$list_median"
printf 'ratio search/find: %.2f\n' "$(echo "$search_median / $find_median" | bc -l)"
printf 'ratio search/bare listings under Wine: %.2f\n' "$(echo "$search_median / $list_median" | bc -l)"
