#!/usr/bin/env python3
"""Checks the two rules of production code that a compiler alone does not enforce on both targets.

1. Wide literals are written TEXT("..."): WCHAR is wchar_t on Windows and char16_t on the
   simulated machine, so an L"", u"", U"" or u8"" literal is right on one target only. Comments and
   the contents of ordinary literals are skipped, so "%u" is not mistaken for a u"" literal.
2. No POSIX header: mingw-w64 ships some (unistd.h, pthread.h), so a POSIX call can compile for
   Windows and still not belong there.
3. No test-control header (nirasim/...): it drives the simulated machine and exists only there.

With --literals-only (tests, the host program, benchmarks and fuzzers) only the first rule applies.
"""
import re
import sys

PREFIXES = {"L", "u", "U", "u8", "LR", "uR", "UR", "u8R"}
RAW_PREFIXES = {"R", "LR", "uR", "UR", "u8R"}


def violations(text):
    i, n, line = 0, len(text), 1
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
        elif c in "\"'":
            start = i
            while start > 0 and re.match(r"[A-Za-z0-9_]", text[start - 1]):
                start -= 1
            prefix = text[start:i]
            if prefix in PREFIXES:
                yield line, prefix + c
            close = text.find("(", i)
            if prefix in RAW_PREFIXES and c == '"' and close >= 0:
                delimiter = ")" + text[i + 1:close] + '"'
                end = text.find(delimiter, close)
                end = n if end < 0 else end + len(delimiter)
            else:
                end = i + 1
                while end < n and text[end] != c and text[end] != "\n":
                    end += 2 if text[end] == "\\" else 1
                end += 1
            line += text.count("\n", i, end)
            i = end
        else:
            i += 1


POSIX_INCLUDE = re.compile(
    r"^\s*#\s*include\s*<(unistd|pthread|dlfcn|dirent|fcntl|semaphore|sched|syslog|pwd|grp|termios|poll|"
    r"libgen|spawn|sys/[A-Za-z_/]+|netinet/[A-Za-z_]+|arpa/[A-Za-z_]+)\.h>", re.MULTILINE)

TESTCONTROL_INCLUDE = re.compile(r"^\s*#\s*include\s*[<\"]nirasim/", re.MULTILINE)


def main(args):
    literals_only = "--literals-only" in args
    paths = [arg for arg in args if arg != "--literals-only"]
    found = 0
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as source:
            text = source.read()
        for line, literal in violations(text):
            print(f"{path}:{line}: wide literal {literal}...: write TEXT(\"...\")")
            found += 1
        if literals_only:
            continue
        for match in TESTCONTROL_INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            print(f"{path}:{line}: test-control header in production code")
            found += 1
        for match in POSIX_INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            print(f"{path}:{line}: POSIX header <{match.group(1)}.h>: use the Win32 API")
            found += 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
