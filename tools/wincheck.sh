#!/usr/bin/env bash
# The Windows compile check: every production source compiles for Windows x64 with mingw-w64
# against the Windows headers (plus platform/win32 for what mingw-w64 lacks), warnings as errors.
# Production sources are everything outside platform/, host/, tests/, benchmarks/ and fuzz/,
# except folders named sim/, which hold what only the simulated machine uses. It also applies the
# source rules that a compiler cannot (tools/sourcerules.py): wide literals only as TEXT(), no
# POSIX or test-control headers. Sources compile in parallel (NIRA_WINCHECK_JOBS, default nproc).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cxx=${NIRA_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}
command -v "$cxx" >/dev/null || cxx=x86_64-w64-mingw32-g++
jobs=${NIRA_WINCHECK_JOBS:-$(nproc)}

production=(common nira printticket printprocessor printpreviewer oemui langmon package)
others=(tests host benchmarks fuzz)

# The dependencies' own headers, without the rest of the Linux include tree.
third=$(mktemp -d)
trap 'rm -rf "$third"' EXIT
for h in sqlite3.h sqlite3ext.h zlib.h zconf.h; do
  [ -f /usr/include/$h ] && ln -s /usr/include/$h "$third/$h"
done

# Production files whose names match the given find expression, in a stable order.
production_files() {
  find "${production[@]}" \( "$@" \) -not -path '*/sim/*' 2>/dev/null | sort
}

cd "$root"
mapfile -t sources < <(production_files -name '*.cpp')
failed=0
# Each source in its own compiler run; a failing run names its source.
export cxx root third
if ((${#sources[@]})) && ! printf '%s\0' "${sources[@]}" | xargs -0 -P "$jobs" -n 1 sh -c '
    "$cxx" -std=c++17 -fsyntax-only -Wall -Wextra -Werror -DUNICODE -D_UNICODE \
      -I"$root/platform/win32" -I"$root" -I"$third" "$1" || { echo "windows compile check failed: $1"; exit 1; }' sh; then
  failed=1
fi
# Resource scripts compile with the resource compiler.
windres=${NIRA_MINGW_WINDRES:-x86_64-w64-mingw32-windres}
mapfile -t scripts < <(production_files -name '*.rc')
for rc in "${scripts[@]}"; do
  if ! "$windres" -I"$root" -i "$rc" -o "$third/check.res" -O coff; then
    echo "windows compile check failed: $rc"
    failed=1
  fi
done
# The source rules, in headers as well.
mapfile -t texts < <(production_files -name '*.cpp' -o -name '*.h')
if ((${#texts[@]})) && ! python3 "$root/tools/sourcerules.py" "${texts[@]}"; then
  echo "windows compile check failed: source rules"
  failed=1
fi
# Wide literals as TEXT("...") also in the tests, the host program, benchmarks and fuzzers.
mapfile -t other_texts < <(find "${others[@]}" \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
if ((${#other_texts[@]})) && ! python3 "$root/tools/sourcerules.py" --literals-only "${other_texts[@]}"; then
  echo "windows compile check failed: wide literals outside TEXT()"
  failed=1
fi
echo "windows compile check: ${#sources[@]} sources, $([ $failed = 0 ] && echo passed || echo FAILED)"
exit $failed
