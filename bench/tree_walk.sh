#!/usr/bin/env bash
# Times a full walk of a generated tree (about 200,000 files in 20,000 folders) with the tree scanner
# under Wine, mask "*.*", hidden items included, next to `find` on the same tree through its Linux path.
# Prints folders and files per second of each and the ratio of the times (medians of RUNS runs); also the
# file system's listings alone (names with identities and allocation) against a plain FindFirstFileExW walk.
#
#   bench/tree_walk.sh            # builds what is missing, RUNS=3
#   RUNS=5 bench/tree_walk.sh
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/walk_tree.sh"
trap bench_walk_cleanup EXIT
bench_walk_setup tree_walk_bench

# find: one pass printing each entry's type, counted afterwards; a first pass warms the cache.
find "$tree" -mindepth 1 -printf '%y\n' >/dev/null
find_times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    find "$tree" -mindepth 1 -printf '%y\n' >/tmp/vireo-bench-find.$$
    end=$(date +%s.%N)
    find_times+=("$(echo "$end - $start" | bc -l)")
done
find_dirs=$(grep -c '^d' /tmp/vireo-bench-find.$$ || true)
find_files=$(grep -c '^f' /tmp/vireo-bench-find.$$ || true)
rm -f /tmp/vireo-bench-find.$$
find_median=$(printf '%s\n' "${find_times[@]}" | median)

output=$(wine "$build/tree_walk_bench.exe" 'T:\' "$runs" | tr -d '\r')
echo "$output" | sed 's/^/run: /'
stats() {  # kind -> "median folders files"
    local lines
    lines=$(echo "$output" | grep "^$1 ")
    echo "$(echo "$lines" | awk '{ print $9 }' | median) $(echo "$lines" | tail -1 | awk '{ print $3, $5 }')"
}
read -r scan_median scan_folders scan_files <<<"$(stats scanner)"
read -r list_median _ _ <<<"$(stats listings)"
read -r search_median _ _ <<<"$(stats search)"

rate() { printf '%.0f' "$(echo "$1 / $2" | bc -l)"; }
report() {  # name seconds folders files
    printf '%-9s %d folders %d files in %.3f s: %s folders/s, %s files/s\n' "$1" "$3" "$4" "$2" \
        "$(rate "$3" "$2")" "$(rate "$4" "$2")"
}
report find: "$find_median" "$((find_dirs + 1))" "$find_files"
report scanner: "$scan_median" "$scan_folders" "$scan_files"
printf 'ratio scanner/find: %.2f\n' "$(echo "$scan_median / $find_median" | bc -l)"
printf 'ratio scanner/bare listings under Wine (%.3f s): %.2f\n' "$list_median" "$(echo "$scan_median / $list_median" | bc -l)"
printf 'listing with identities %.3f s, plain FindFirstFileExW walk %.3f s: ratio %.2f\n' "$list_median" \
    "$search_median" "$(echo "$list_median / $search_median" | bc -l)"
