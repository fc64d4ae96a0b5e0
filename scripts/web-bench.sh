# Sourced by scripts/bench (after scripts/deps.sh and scripts/web.sh): the benchmarks built with
# emscripten and run under node, whose engine (V8) is Chrome's.
#
# Google Benchmark is built here as a static WebAssembly library from Debian's source package
# (unpacked by scripts/windows.sh's functions), once into the web build's cache:
#   $QUELVANE_WEB_CACHE/benchmark-<key>/   installed; <key> names its and emscripten's versions
# Folders of the clone:
#   build-web-bench/                       quelvane_bench.js, quelvane_bench.wasm

quelvane_web_bench_prefix() {
    local key
    key=$(echo "$(quelvane_windows_source_version benchmark)" \
        "$(dpkg-query -W -f='${Version}' emscripten)" | md5sum | cut -c1-12)
    echo "$QUELVANE_WEB_CACHE/benchmark-$key"
}

# Only the library: no tests of its own, no -Werror for warnings of a newer compiler. Debian's
# source reads no version from git, and "0.0.0" makes it take the one its project() names.
quelvane_web_benchmark_build() {
    local source prefix=$1 build=$QUELVANE_WEB_CACHE/build/benchmark
    source=$(quelvane_windows_source benchmark) || return 1
    rm -rf "$build"
    emcmake cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
        -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_INSTALL_DOCS=OFF -DGIT_VERSION=0.0.0 &&
        cmake --build "$build" -j "$(nproc)" &&
        cmake --install "$build" &&
        rm -rf "$build"
}

# Builds Google Benchmark unless the cache has it; prints the prefix it is in.
quelvane_web_benchmark() {
    local prefix
    quelvane_windows_deb_src >&2
    prefix=$(quelvane_web_bench_prefix)
    if [ ! -f "$prefix/.complete" ]; then
        echo "Building Google Benchmark for the web into $prefix" >&2
        rm -rf "$prefix"
        quelvane_web_benchmark_build "$prefix" >&2 || return 1
        touch "$prefix/.complete"
    fi
    echo "$prefix"
}

# quelvane_build_web_bench [DIR]: the benchmarks for node in DIR (build-web-bench/ by default).
quelvane_build_web_bench() {
    local dir=${1:-build-web-bench} prefix
    quelvane_install_packages "${QUELVANE_WEB_PACKAGES[@]}"
    prefix=$(quelvane_web_benchmark) || return 1
    quelvane_web_configure "$dir" -DQUELVANE_TESTS=OFF -DQUELVANE_BENCH=ON \
        -Dbenchmark_DIR="$prefix/lib/cmake/benchmark" || return 1
    cmake --build "$dir" -j "$(nproc)" --target quelvane_bench
}

# The kernels both builds run: relax(10) with fixed sides, without and with metal, the frame step
# and the equipotential lines, at the two sizes.
QUELVANE_WEB_BENCH_FILTER='^(relax/(400x400|1920x1080)/fixed|step/(400x400|1920x1080)|contours/(400x400|1920x1080))/'

# quelvane_web_bench_table DIR: one table of the runs' JSON files in DIR (native-*.json,
# wasm-*.json), in Gnode/s (relax: node updates; step: nodes of the grid), with wasm SIMD's share
# of native SSE2. Each cell is the fastest repetition of any round: on a machine shared with
# other work the slower ones measure that work too (Google Benchmark's output above has the
# medians of each round).
quelvane_web_bench_table() {
    python3 - "$1" <<'PYTHON'
import glob, json, os, sys

def fastest(path, prefix):
    rates = {}
    for b in json.load(open(path))["benchmarks"]:
        if b["run_type"] != "iteration":
            continue
        name = b["run_name"].removesuffix("/real_time")
        work, size, *rest = name.split("/")
        # relax/<size>/fixed[/metal|/scattered metal]/<level>
        layout = "/".join(rest[1:-1])
        key = (work, size, layout, prefix + rest[-1])
        rate = b.get("updates/s", b.get("nodes/s")) / 1e9
        rates[key] = max(rate, rates.get(key, 0.0))
    return rates

rates = {}
for build in ("native", "wasm"):
    for path in sorted(glob.glob(os.path.join(sys.argv[1], build + "-*.json"))):
        for key, rate in fastest(path, build + " ").items():
            rates[key] = max(rate, rates.get(key, 0.0))
columns = ["wasm portable", "wasm wasm-simd", "native portable", "native sse2", "native avx2"]
heads = ["wasm portable", "wasm SIMD", "native portable", "native SSE2", "native AVX2"]
print("\nGnode/s, the fastest repetition of all rounds")
print(f"{'':34}" + "".join(f"{h:>16}" for h in heads) + f"{'SIMD / SSE2':>14}")
rows = (("relax", "", "relax(10)"), ("relax", "metal", "relax(10), metal"),
        ("step", "", "frame step"), ("contours", "", "equipotentials"))
for work, layout, label in rows:
    for size in ("400x400", "1920x1080"):
        cells = [rates.get((work, size, layout, c)) for c in columns]
        line = f"{label + ' ' + size:34}"
        line += "".join(f"{v:16.3f}" if v else f"{'-':>16}" for v in cells)
        if cells[1] and cells[3]:
            line += f"{100 * cells[1] / cells[3]:13.0f}%"
        print(line)
# With a tenth of the nodes metal, the share of the speed without (node updates of the whole
# interior counted alike).
print(f"\n{'relax(10), metal / without':34}" + "".join(f"{h:>16}" for h in heads))
for size in ("400x400", "1920x1080"):
    line = f"{size:34}"
    for c in columns:
        a, b = rates.get(("relax", size, "metal", c)), rates.get(("relax", size, "", c))
        line += f"{100 * a / b:15.0f}%" if a and b else f"{'-':>16}"
    print(line)
PYTHON
}

# quelvane_web_bench_run [Google Benchmark flags...]: the native build's kernels (build/) and the
# web build's under node (build-web-bench/) in turn, QUELVANE_WEB_BENCH_ROUNDS times (3), so that
# other work on the machine falls on both alike; then the table of all rounds.
quelvane_web_bench_run() {
    local flags=(--benchmark_filter="$QUELVANE_WEB_BENCH_FILTER" --benchmark_repetitions=5
                 --benchmark_display_aggregates_only=true --benchmark_min_time=0.3
                 --benchmark_out_format=json "$@")
    local out=build-web-bench/runs round
    rm -rf "$out" && mkdir -p "$out"
    for round in $(seq "${QUELVANE_WEB_BENCH_ROUNDS:-3}"); do
        echo "Round $round, load before it: $(cut -d' ' -f1-3 /proc/loadavg)"
        ./build/bench/quelvane_bench "${flags[@]}" --benchmark_out="$out/native-$round.json" ||
            return 1
        # Every function compiled by V8's optimising compiler at once, as a page that has run
        # for a few seconds has them: tiering up from the baseline compiler in the background,
        # late on a busy machine, left whole repetitions in code several times slower.
        node --no-liftoff build-web-bench/bench/quelvane_bench.js "${flags[@]}" \
            --benchmark_out="$out/wasm-$round.json" || return 1
    done
    echo "Load after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
    quelvane_web_bench_table "$out"
}
