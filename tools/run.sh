#!/usr/bin/env bash
# Builds the driver's libraries, the sample package and the host program in Release, then runs
# the host program's main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
build=${NIRA_RUN_BUILD:-$root/build/release}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNIRA_TESTS=OFF
cmake --build "$build" -j "$(nproc)"
if [ -x "$build/bin/nirahost" ]; then
  "$build/bin/nirahost" "$@"
else
  echo "built: $(cd "$build/bin" && ls *.dll | tr '\n' ' ')"
fi
