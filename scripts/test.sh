#!/usr/bin/env bash
# Installs the dependencies, then builds and runs every test: the plain build, and a clang build
# with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer that also runs the
# settings-reader fuzzer. Each test process has its own display and JACK server, so the tests
# run side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

"$root/scripts/build.sh" build
(cd "$root/build" && ctest --output-on-failure --no-tests=error --timeout 300 -j "$jobs")

CC=clang CXX=clang++ "$root/scripts/build.sh" build-sanitize -DROZAVADO_FUZZ=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure --no-tests=error --timeout 600 -j "$jobs")
