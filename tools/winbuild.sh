#!/usr/bin/env bash
# The Windows build: the six libraries and the package's component DLLs cross-compiled and linked
# for Windows x64 with mingw-w64, each DLL's export table compared with its list in
# tools/exports/, and the test programs that need no test-control API run under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIRA_WIN_BUILD:-$root/build/win}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DNIRA_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 || { tail -n 60 "$build/build.log"; echo "windows build: FAILED"; exit 1; }
python3 "$root/tools/checkexports.py" x86_64-w64-mingw32-objdump "$build"
echo "windows build: linked"
