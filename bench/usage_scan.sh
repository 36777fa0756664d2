#!/usr/bin/env bash
# Times a measurement of a generated tree (about 200,000 files in 20,000 folders) through TFolderList::Scan
# with no window, under Wine, next to `du -s` and `gdu -n -p` natively and the bare Win32 listings under
# Wine, in the same run (medians of RUNS runs). Prints the ratios, whether the totals agree with
# `du --apparent-size -s` (bytes) and the file count, the peak working set and the tree's bytes per file.
#
#   bench/usage_scan.sh            # builds what is missing, RUNS=3
#   RUNS=5 bench/usage_scan.sh
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/walk_tree.sh"
trap bench_walk_cleanup EXIT
bench_walk_setup usage_scan_bench
time_runs() {  # command... -> median seconds of RUNS runs, after one warm-up run
    "$@" >/dev/null 2>&1
    local times=() start end
    for _ in $(seq "$runs"); do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        times+=("$(echo "$end - $start" | bc -l)")
    done
    printf '%s\n' "${times[@]}" | median
}

du_median=$(time_runs du -s "$tree")
if command -v gdu >/dev/null; then
    gdu_median=$(time_runs gdu -n -p "$tree")
else
    gdu_median=""
fi

output=$(wine "$build/usage_scan_bench.exe" 'T:\' "$runs" | tr -d '\r')
echo "$output" | sed 's/^/run: /'
field() { echo "$output" | grep "^$1 " | tail -1 | awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }'; }
scan_median=$(echo "$output" | grep '^scan ' | awk '{ print $9 }' | median)
list_median=$(echo "$output" | grep '^listings ' | awk '{ print $9 }' | median)
quiet_median=$(echo "$output" | grep '^scan-without-yields ' | awk '{ print $9 }' | median)
scan_files=$(field scan files)
scan_bytes=$(field scan bytes)
scan_folders=$(field scan folders)

du_bytes=$(du --apparent-size -s -B1 "$tree" | awk '{ print $1 }')
dir_bytes=$(find "$tree" -type d -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
real_files=$(find "$tree" -type f | wc -l)
real_folders=$(find "$tree" -type d | wc -l)

printf 'scan:     %d folders %d files %d bytes in %.3f s\n' "$scan_folders" "$scan_files" "$scan_bytes" "$scan_median"
printf 'listings: %.3f s   du -s: %.3f s' "$list_median" "$du_median"
[ -n "$gdu_median" ] && printf '   gdu -n -p: %.3f s' "$gdu_median"
echo
printf 'ratio scan/bare listings under Wine: %.2f (target 1.2)\n' "$(echo "$scan_median / $list_median" | bc -l)"
printf 'ratio scan without yields/bare listings: %.2f (the yields cost %.3f s)\n' \
    "$(echo "$quiet_median / $list_median" | bc -l)" "$(echo "$scan_median - $quiet_median" | bc -l)"
printf 'ratio scan/du -s: %.2f\n' "$(echo "$scan_median / $du_median" | bc -l)"
if [ -n "$gdu_median" ]; then
    printf 'ratio scan/gdu -n -p: %.2f\n' "$(echo "$scan_median / $gdu_median" | bc -l)"
else
    echo 'gdu: not installed (apt-get install gdu), no ratio'
fi
# du's apparent size counts the folders' own sizes too; files alone are what the measurement sums.
file_bytes=$((du_bytes - dir_bytes))
agree() { [ "$1" = "$2" ] && echo "agree" || echo "DIFFER"; }
echo "bytes: scan $scan_bytes, du --apparent-size -s $du_bytes less folders' own $dir_bytes = $file_bytes: $(agree "$scan_bytes" "$file_bytes")"
echo "files: scan $scan_files, find $real_files: $(agree "$scan_files" "$real_files")"
echo "folders: scan $scan_folders, find $real_folders: $(agree "$scan_folders" "$real_folders")"
echo "$output" | grep '^memory ' | awk '{ printf "peak working set: %.1f MiB; tree %.1f MiB, %s bytes per file (limit 300)\n", $3 / 1048576, $5 / 1048576, $7 }'
