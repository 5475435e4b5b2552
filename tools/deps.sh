#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, only what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
          libsqlite3-dev zlib1g-dev libxml2-dev mingw-w64 sqlite3 python3 clang-format-16
          libz-mingw-w64-dev wine wine64 libcairo2-dev fonts-dejavu-core libmspack-dev gcab)
# npm fetches one source package below; a machine whose Node.js brings its own npm keeps it.
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# SQLite for the Windows build, from its amalgamation source at a pinned version: the npm package
# named below ships SQLite 3.50.4's sqlite3.c and sqlite3.h, which are checked against their
# checksums and put in build/deps/sqlite/.
root=$(cd "$(dirname "$0")/.." && pwd)
sqlite_dir=$root/build/deps/sqlite
sqlite_package=better-sqlite3@12.4.1
sqlite_c_sha256=90b7189566ea710ee18361b25d893f5cda3fcf43033223a16384762f53e99a85
sqlite_h_sha256=abd1514e0351f79393d1be882830afdb40a8099e8257f311f0bfdf8486f11bea
sqlite_ok() {
  [ -f "$sqlite_dir/sqlite3.c" ] && [ -f "$sqlite_dir/sqlite3.h" ] &&
    echo "$sqlite_c_sha256  $sqlite_dir/sqlite3.c" | sha256sum -c --status &&
    echo "$sqlite_h_sha256  $sqlite_dir/sqlite3.h" | sha256sum -c --status
}
if ! sqlite_ok; then
  echo "fetching the SQLite amalgamation ($sqlite_package)"
  fetch=$(mktemp -d)
  (cd "$fetch" && npm pack --silent "$sqlite_package" >/dev/null && tar xzf ./*.tgz package/deps/sqlite3)
  mkdir -p "$sqlite_dir"
  cp "$fetch/package/deps/sqlite3/sqlite3.c" "$fetch/package/deps/sqlite3/sqlite3.h" "$sqlite_dir/"
  rm -rf "$fetch"
  sqlite_ok || { echo "deps: the SQLite amalgamation does not match its checksums"; exit 1; }
fi
