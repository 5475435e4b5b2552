#!/usr/bin/env bash
# The Windows check. The six libraries and the package's component DLLs are built and linked for
# Windows x64 with mingw-w64 (cmake/mingw-w64-x86_64.cmake), each DLL's export table is compared
# with its list in tools/exports/, and the test programs that need no test-control API run under
# Wine through ctest. Then the source rules that a compiler cannot check (tools/sourcerules.py):
# wide literals only as TEXT(), no POSIX or test-control headers in production code.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NIRA_WIN_BUILD:-$root/build/win}
# The folders of production code; folders named sim/ hold what only the simulated machine uses.
production=(common nira printticket printprocessor printpreviewer oemui langmon package)
failed=0
fail() {
  echo "windows check failed: $1"
  failed=1
}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
mkdir -p "$build"
if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DNIRA_TESTS=ON "${launcher[@]}" >"$build/configure.log" 2>&1; then
  tail -n 40 "$build/configure.log"
  fail "configure"
elif ! cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
  grep -E "error|undefined reference|FAILED" "$build/build.log" | head -n 40
  fail "build (log: $build/build.log)"
else
  python3 "$root/tools/checkexports.py" x86_64-w64-mingw32-objdump "$build" || fail "export tables"
  # Wine's prefix is made once, before the programs run side by side.
  export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
  if ctest --test-dir "$build" -L wine -j "$(nproc)" --output-on-failure >"$build/wine.log" 2>&1; then
    log=$build/Testing/Temporary/LastTest.log
    cases=$(grep -hE '^\[  PASSED  \] [0-9]+ test' "$log" | awk '{s += $4} END {print s + 0}')
    skipped=$(grep -hE '^\[  SKIPPED \] [0-9]+ test' "$log" | awk '{s += $4} END {print s + 0}')
    echo "windows check: $(grep -cE '^ *[0-9]+/[0-9]+ Test' "$build/wine.log") test programs under Wine:" \
      "$cases tests passed, $skipped skipped for Wine's known differences"
  else
    tail -n 80 "$build/wine.log"
    fail "tests under Wine (log: $build/wine.log)"
  fi
  wineserver -k >/dev/null 2>&1 || true
fi

mapfile -t texts < <(cd "$root" && find "${production[@]}" \( -name '*.cpp' -o -name '*.h' \) -not -path '*/sim/*' | sort)
(cd "$root" && python3 tools/sourcerules.py "${texts[@]}") || fail "source rules"
# Wide literals as TEXT("...") also in the tests, the host program, benchmarks and fuzzers.
mapfile -t others < <(cd "$root" && find tests host benchmarks fuzz \( -name '*.cpp' -o -name '*.h' \) | sort)
(cd "$root" && python3 tools/sourcerules.py --literals-only "${others[@]}") || fail "wide literals outside TEXT()"
echo "windows check: $( ((failed)) && echo FAILED || echo passed)"
exit $failed
