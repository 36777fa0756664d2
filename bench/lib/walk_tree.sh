# Shared by the benchmarks that walk the generated tree of about 200,000 files under Wine. Sourced, not run.
# Sets runs, tree, build and prefix (each can be given in the environment: RUNS, TREE, BUILD, BENCH_PREFIX).

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"

runs="${RUNS:-3}"
tree="${TREE:-$vireo_root/bench/trees/walk200k}"
build="${BUILD:-$vireo_root/build/bench-win}"
prefix="${BENCH_PREFIX:-/tmp/vireo-bench-prefix}"

# Generates the tree once, builds the given benchmark program and maps the tree as drive T: of a prefix
# of its own, the way a user's data drive is seen. The caller's EXIT trap should call bench_walk_cleanup.
bench_walk_setup() {
    local target="$1"
    if [ ! -d "$tree" ]; then
        echo "Generating $tree ..."
        python3 "${MAKE_TREE:-$vireo_root/../shared/bench/make_tree.py}" --files 200000 --dirs 20000 --budget-mb 200 \
            "$tree" >/dev/null
    fi
    cmake -S "$vireo_root/bench" -B "$build" --toolchain "$vireo_root/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --target "$target" -j2 >/dev/null
    vireo_make_prefix "$prefix"
    vireo_start_wineserver
    rm -f "$prefix/dosdevices/t:"
    ln -s "$tree" "$prefix/dosdevices/t:"
}

bench_walk_cleanup() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -f "$prefix/dosdevices/t:"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
