#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, runs the Windows compile
# check and a short run of the fuzzer, then runs every test (last, so that its summary closes the
# output).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
build=${NIRA_TEST_BUILD:-$root/build/test}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON -DNIRA_TESTS=ON
cmake --build "$build" -j "$(nproc)"

"$root/tools/wincheck.sh"

# The fuzzers (the private settings block, the PrintTicket documents), built with clang and run
# briefly each; their logs are kept in the build folder and shown only when they find something.
fuzz_build=${NIRA_FUZZ_BUILD:-$root/build/fuzz}
fuzzers=(BlockUnpacker PrintTicketDocuments)
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON \
  -DNIRA_TESTS=OFF -DNIRA_FUZZERS=ON >/dev/null
cmake --build "$fuzz_build" -j "$(nproc)" $(printf -- '--target fuzz_%s ' "${fuzzers[@]}") >/dev/null
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
for fuzzer in "${fuzzers[@]}"; do
  fuzz_log="$fuzz_build/fuzz_$fuzzer.log"
  mkdir -p "$fuzz_corpus/$fuzzer"
  if ! "$fuzz_build/fuzz/fuzz_$fuzzer" -max_total_time=30 -print_final_stats=1 "$fuzz_corpus/$fuzzer" \
      "$root/fuzz/corpus/$fuzzer" >"$fuzz_log" 2>&1; then
    tail -n 60 "$fuzz_log"
    echo "fuzzer $fuzzer: FAILED (log: $fuzz_log)"
    exit 1
  fi
  echo "fuzzer $fuzzer: $(grep -E 'number_of_executed_units' "$fuzz_log" | awk '{print $2}') runs in 30 s, nothing found"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
