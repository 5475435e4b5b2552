#!/usr/bin/env python3
"""Compares each Windows DLL's export table with its list in tools/exports/.

Usage: checkexports.py OBJDUMP BUILD_DIR [--write]
Each tools/exports/<name>.txt lists the names <name>.dll exports, one a line ('#' starts a
comment). The DLL is looked for in BUILD_DIR/bin and BUILD_DIR/package. With --write the lists
are rewritten from the DLLs (for a deliberate change of the exports).
"""
import pathlib
import re
import subprocess
import sys

ENTRY = re.compile(r"^\s*\[\s*\d+\]\s+(\S+)\s*$")


def exported_names(objdump, dll):
    text = subprocess.run([objdump, "-p", str(dll)], check=True, capture_output=True, text=True).stdout
    names, in_table = [], False
    for line in text.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            in_table = True
            continue
        if in_table:
            match = ENTRY.match(line)
            if not match:
                break
            names.append(match.group(1))
    return sorted(names)


def listed_names(path):
    lines = (line.split("#", 1)[0].strip() for line in path.read_text().splitlines())
    return sorted(line for line in lines if line)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    objdump, build = sys.argv[1], pathlib.Path(sys.argv[2])
    write = "--write" in sys.argv[3:]
    lists = sorted((pathlib.Path(__file__).parent / "exports").glob("*.txt"))
    failed = 0
    for listing in lists:
        name = listing.stem + ".dll"
        dll = next((d / name for d in (build / "bin", build / "package") if (d / name).exists()), None)
        if dll is None:
            print(f"exports: {name} was not built")
            failed += 1
            continue
        actual = exported_names(objdump, dll)
        if write:
            listing.write_text("".join(n + "\n" for n in actual))
            continue
        expected = listed_names(listing)
        if actual != expected:
            missing = sorted(set(expected) - set(actual))
            extra = sorted(set(actual) - set(expected))
            print(f"exports: {name} differs from {listing.name}: missing {missing}, not listed {extra}")
            failed += 1
    print(f"exports: {len(lists)} DLLs checked, {'all match' if not failed else f'{failed} differ'}")
    if failed:
        print(f"exports: after a deliberate change of a DLL's exports, edit its list or run {sys.argv[0]} {objdump} {build} --write")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
