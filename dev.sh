#!/usr/bin/env bash
# Sets up a Debian machine for Kestrion (installs what is missing), builds, and runs the program
# or the tests.
#   ./dev.sh run        build and start the program
#   ./dev.sh test       build and run the whole test suite
#   ./dev.sh sanitize   the same suite in a build with AddressSanitizer and UBSan
#   ./dev.sh bench      build and run the benchmarks
#   ./dev.sh fuzz       build the libFuzzer targets with clang and run each for FUZZ_SECONDS (15),
#                       from FUZZ_SEED when it is set; FUZZ_TARGETS names others (LoadConvertLogic)
#   ./dev.sh format     lay out every C++ file with clang-format 14 (the version .clang-format is for)
#   ./dev.sh check-format  fail when a C++ file is not laid out as clang-format 14 would
#   ./dev.sh tidy       run the checks of .clang-tidy (clang-tidy 14) over the core's sources and
#                       fail on any finding
# Every core builds and tests at once; on a shared machine CMAKE_BUILD_PARALLEL_LEVEL sets the
# compile jobs (and the clang-tidy runs of tidy) and CTEST_PARALLEL_LEVEL the tests run at once
# (CMAKE_BUILD_PARALLEL_LEVEL=4 CTEST_PARALLEL_LEVEL=4 ./dev.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-noto-cjk clang-format-14 clang-tidy-14 clang-14 libclang-rt-14-dev
          python3-pymodbus python3-serial python3-serial-asyncio)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# Optimised, with line tables only: enough for a backtrace, and a fraction of the disk that full
# debug information takes in every test program and precompiled header.
configure() {  # folder, extra cmake arguments...
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "$@" >/dev/null
}

# cmake --build takes its job count from CMAKE_BUILD_PARALLEL_LEVEL when it is set.
configure_and_build() {  # folder, extra cmake arguments...
    configure "$@"
    cmake --build "$1"
}

run_tests() {  # folder
    ctest --test-dir "$1" --output-on-failure -j "${CTEST_PARALLEL_LEVEL:-$(nproc)}" --timeout 300
}

# The seeds of the fuzz targets: the programs of the round-trip and golden files as words (two
# bytes each, low byte first), and the instruction lines of the golden ladders as typed lines.
fuzz_seeds() {  # folder
    local seeds=$1 words word line n=0
    rm -rf "$seeds"
    mkdir -p "$seeds/LoadConvert" "$seeds/TypedLine" "$seeds/Paste" "$seeds/Companions" "$seeds/GrammarConvert"
    # The grammar target's bytes are its choices: a few runs of every byte value to begin from.
    for n in 1 2 3 4; do
        seq 0 255 | shuf --random-source=<(yes "$n") | LC_ALL=C awk '{printf "%c", $1}' > "$seeds/GrammarConvert/$n"
    done
    {
        sed -e 's/#.*//' -e 's/>.*//' -e 's/^~//' tests/compiler/roundtrip/*.txt
        sed -n 's/^words //p' tests/reader/golden/*.txt
    } | while read -r words; do
        [ -n "$words" ] || continue
        n=$((n + 1))
        local escaped=""
        for word in $words; do escaped+="\\x${word:2:2}\\x${word:0:2}"; done
        printf "$escaped" > "$seeds/LoadConvert/$n"
    done
    sed -n 's/^[0-9]*,[0-9]* \([^=]*\) code=.*/\1/p' tests/reader/golden/*.txt | sort -u | while read -r line; do
        n=$((n + 1))
        printf '\x00%s' "$line" > "$seeds/TypedLine/$n"
        printf '\x01%s' "$line" > "$seeds/TypedLine/$n-between"
    done
}

# The core's sources: every floor's .cpp outside its forms/ folder, as kestrion_core compiles them.
core_sources() {
    git ls-files '*.cpp' | grep -Ev '^(tests|bench|fuzz)/|/forms/'
}

# clang-tidy over the core with the compile commands of build/release, one source a run, as many
# at once as there are cores; a run prints its findings only, whole, and the stage fails on any.
tidy() {
    configure build/release
    core_sources | xargs -P "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" -n 1 sh -c \
        'findings=$(clang-tidy-14 -p build/release --quiet "$0" 2>&1) || { printf "%s\n" "$findings"; exit 1; }'
}

install_missing
case "${1:-}" in
    run)
        # The program alone: the tests and benchmarks are not needed to start it.
        configure build/release
        cmake --build build/release --target kestrion
        exec build/release/kestrion
        ;;
    test)
        configure_and_build build/release
        run_tests build/release
        ;;
    sanitize)
        # -O1 with line tables only: the sanitizers' usual build, and much quicker to compile. The
        # grammar's Convert property takes 5,000 of its programs here (the plain suite takes 20,000).
        configure_and_build build/sanitize -DKESTRION_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            KESTRION_GRAMMAR_PROGRAMS="${KESTRION_GRAMMAR_PROGRAMS:-5000}" run_tests build/sanitize
        ;;
    bench)
        configure_and_build build/release
        build/release/bench/kestrion_bench
        ;;
    fuzz)
        # The core and the targets with clang, coverage and the sanitizers; the corpus each target
        # builds up is kept in build/fuzz/corpus for the next run.
        configure build/fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DKESTRION_FUZZ=ON -DBUILD_TESTING=OFF \
            -DKESTRION_BENCH=OFF -DKESTRION_WERROR=OFF
        cmake --build build/fuzz
        fuzz_seeds build/fuzz/seeds
        # The coil-logic check of Convert on program words runs only when named in FUZZ_TARGETS: it
        # searches deeper than a short run, so it is run by hand for longer. The grammar target checks
        # the same on programs built from the ladder's shapes, and runs every time.
        for target in ${FUZZ_TARGETS:-LoadConvert TypedLine Paste Companions GrammarConvert}; do
            mkdir -p "build/fuzz/corpus/$target"
            build/fuzz/fuzz/fuzz_$target ${FUZZ_SEED:+-seed=$FUZZ_SEED} -max_total_time="${FUZZ_SECONDS:-15}" \
                -timeout=2 -rss_limit_mb=2048 \
                -print_final_stats=1 -artifact_prefix="build/fuzz/$target-" \
                "build/fuzz/corpus/$target" "build/fuzz/seeds/${target%Logic}"
        done
        ;;
    format)
        git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i
        ;;
    check-format)
        git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror
        ;;
    tidy)
        tidy
        ;;
    *)
        echo "usage: $0 run|test|sanitize|bench|fuzz|format|check-format|tidy" >&2
        exit 2
        ;;
esac
