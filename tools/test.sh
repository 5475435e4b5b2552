#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test, then
# runs the Windows compile check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
build=${NIRA_TEST_BUILD:-$root/build/test}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON -DNIRA_TESTS=ON
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
"$root/tools/wincheck.sh"

# The fuzzer of the private settings block, built with clang and run briefly.
fuzz_build=${NIRA_FUZZ_BUILD:-$root/build/fuzz}
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON \
  -DNIRA_TESTS=OFF -DNIRA_FUZZERS=ON
cmake --build "$fuzz_build" -j "$(nproc)" --target fuzz_BlockUnpacker
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
"$fuzz_build/fuzz/fuzz_BlockUnpacker" -max_total_time=30 -print_final_stats=1 "$fuzz_corpus" \
  "$root/fuzz/corpus/BlockUnpacker"
