#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and runs the hot paths beside their limits in one
# run, repeated: medians of REPS (default 7). The load average before and after is printed, as the
# figures on a shared machine depend on it. Extra arguments go to every benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${REPS:-7}
targets=(bench_settings_block bench_capability_database bench_printticket_reads bench_langmon_write
  bench_paper_capabilities)
if [[ ! -f build/bench/build.ninja ]]; then
  cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNIRA_BENCHMARKS=ON >/dev/null
fi
cmake --build build/bench -j4 --target "${targets[@]}" >/dev/null
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for target in "${targets[@]}"; do
  build/bench/bin/"$target" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true "$@" 2>&1 | grep -E '^[^ ]+_median '
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
