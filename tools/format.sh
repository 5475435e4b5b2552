#!/usr/bin/env bash
# Formats the tree's C and C++ sources with .clang-format; with --check it changes nothing and
# fails when a file is not formatted. With file arguments it works on those files alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=$(command -v clang-format-16 || true)
[ -n "$format" ] || { echo "format: clang-format-16 is missing (tools/deps.sh installs it)"; exit 2; }
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
if (($#)); then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h' ':!:fuzz/corpus')
fi
if ((check)); then
  if ! printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 50 "$format" --dry-run --Werror 2>/tmp/nira-format.$$; then
    grep -E '^[^ ].*: (error|warning):' /tmp/nira-format.$$ | sed 's/: .*//' | sort -u | sed 's/^/format: not formatted: /' | head -50
    rm -f /tmp/nira-format.$$
    echo "format: run tools/format.sh to format the tree"
    exit 1
  fi
  rm -f /tmp/nira-format.$$
  echo "format: ${#files[@]} files formatted"
else
  printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 50 "$format" -i
fi
