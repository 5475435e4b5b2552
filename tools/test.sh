#!/usr/bin/env bash
# Checks the source format and the constants' names, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs the Windows check (tools/wincheck.sh) and short runs of the fuzzers, then runs every test
# (last, so that its summary closes the output).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
"$root/tools/format.sh" --check
python3 "$root/tools/constnames.py"
build=${NIRA_TEST_BUILD:-$root/build/test}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON -DNIRA_TESTS=ON
cmake --build "$build" -j "$(nproc)"

"$root/tools/wincheck.sh"

# The fuzzers (the private settings block, the PrintTicket documents, the PML object-id list, the
# device ID, the feature databases, whole DEVMODEs, a network printer's answers through the
# device-information updater), built with clang and run briefly each from its seed corpus;
# their logs are kept in the build folder and shown only when they find something.
fuzz_build=${NIRA_FUZZ_BUILD:-$root/build/fuzz}
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNIRA_SANITIZE=ON \
  -DNIRA_TESTS=OFF -DNIRA_FUZZERS=ON >/dev/null
fuzzers=(BlockUnpacker:30 PrintTicketDocuments:30 PmlOidList:5 DeviceId:5 FeatureDatabases:5 DevMode:10
  NetworkAnswers:10)
fuzz_targets=()
for fuzzer in "${fuzzers[@]}"; do fuzz_targets+=("fuzz_${fuzzer%%:*}"); done
cmake --build "$fuzz_build" -j "$(nproc)" --target "${fuzz_targets[@]}" >/dev/null
fuzz_corpus=$(mktemp -d)
trap 'rm -rf "$fuzz_corpus"' EXIT
for fuzzer in "${fuzzers[@]}"; do
  name=${fuzzer%%:*}
  seconds=${fuzzer##*:}
  fuzz_log="$fuzz_build/fuzz_$name.log"
  mkdir -p "$fuzz_corpus/$name"
  if ! "$fuzz_build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 "$fuzz_corpus/$name" \
      "$root/fuzz/corpus/$name" >"$fuzz_log" 2>&1; then
    tail -n 60 "$fuzz_log"
    echo "fuzzer $name: FAILED (log: $fuzz_log)"
    exit 1
  fi
  echo "fuzzer $name: $(grep -E 'number_of_executed_units' "$fuzz_log" | awk '{print $2}') runs in $seconds s, nothing found"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
