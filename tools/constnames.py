#!/usr/bin/env python3
"""Checks the one naming rule for constants outside platform/: kCamelCase.

A constant declared with const or constexpr whose name is written in capitals is refused unless
tools/constnames-kept.txt lists it: names that the system's documents give (escape codes, flags and
status codes shared with other components) and Windows' own names stay as they are spelt there.
Macros and the enumerators of unscoped enums are not constants in this sense and are not checked.
"""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DECLARATION = re.compile(
    r"^\s*(?:(?:static|inline|extern)\s+)*(?:constexpr|const)\s+[A-Za-z_:<>0-9 ,*&]+?\s+"
    r"([A-Z][A-Z0-9]*(?:_[A-Z0-9]+)*)\s*(?:=|\[|\{)", re.MULTILINE)


def kept_names():
    path = ROOT / "tools" / "constnames-kept.txt"
    lines = path.read_text(encoding="utf-8").splitlines()
    return {line.strip() for line in lines if line.strip() and not line.startswith("#")}


def main():
    kept = kept_names()
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h", "*.c", ":!:platform/"], cwd=ROOT,
                           capture_output=True, text=True, check=True).stdout.split()
    found = 0
    for name in files:
        text = (ROOT / name).read_text(encoding="utf-8", errors="replace")
        for match in DECLARATION.finditer(text):
            constant = match.group(1)
            if constant in kept:
                continue
            line = text.count("\n", 0, match.start(1)) + 1
            print(f"constnames: {name}:{line}: {constant} is not kCamelCase "
                  f"(or list it in tools/constnames-kept.txt when another component spells it so)")
            found += 1
    if found:
        return 1
    print(f"constnames: {len(files)} files follow the kCamelCase rule")
    return 0


if __name__ == "__main__":
    sys.exit(main())
