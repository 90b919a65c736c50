#!/usr/bin/env bash
# Sets up a Debian machine for Kestrion (installs what is missing), builds, and runs the program
# or the tests.
#   ./dev.sh run        build and start the program
#   ./dev.sh test       build and run the whole test suite
#   ./dev.sh sanitize   the same suite in a build with AddressSanitizer and UBSan
#   ./dev.sh bench      build and run the benchmarks
#   ./dev.sh format     lay out every C++ file with clang-format 14 (the version .clang-format is for)
#   ./dev.sh check-format  fail when a C++ file is not laid out as clang-format 14 would
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-noto-cjk clang-format-14
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

configure() {  # folder, extra cmake arguments...
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

configure_and_build() {  # folder, extra cmake arguments...
    configure "$@"
    cmake --build "$1"
}

run_tests() {  # folder
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)" --timeout 300
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
        # -O1 with line tables only: the sanitizers' usual build, and much quicker to compile.
        configure_and_build build/sanitize -DKESTRION_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            run_tests build/sanitize
        ;;
    bench)
        configure_and_build build/release
        build/release/bench/kestrion_bench
        ;;
    format)
        git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i
        ;;
    check-format)
        git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror
        ;;
    *)
        echo "usage: $0 run|test|sanitize|bench|format|check-format" >&2
        exit 2
        ;;
esac
