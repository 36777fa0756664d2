#!/usr/bin/env bash
# Times the unnecessary-file search with the default masks over a generated tree (about 200,000 files in
# 20,000 folders) under Wine, with no window, next to the bare listings of the same folders in the same run
# and next to `find` with the equivalent case-blind -iname tests on the same tree. Checks that the search
# finds exactly the files find finds, and prints both ratios (medians of RUNS runs).
#
#   bench/junk_search.sh            # builds what is missing, RUNS=3
#   RUNS=5 bench/junk_search.sh
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/walk_tree.sh"
scratch="$(mktemp -d /tmp/vireo-junk-bench.XXXXXX)"
trap 'bench_walk_cleanup; rm -f "$prefix/dosdevices/s:"; rm -rf "$scratch"' EXIT
bench_walk_setup junk_search_bench
ln -sfn "$scratch" "$prefix/dosdevices/s:"

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
