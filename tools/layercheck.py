#!/usr/bin/env python3
"""Fails when a source of a code library includes a header of a folder that the library does not
build on. CMake hands it the folders the library may include (its own, and those of the libraries
it links); an include that names a file of the tree outside them is reported.

usage: layercheck.py --root DIR --stamp FILE --dir FOLDER [--exclude FOLDER...] --allow FOLDER...
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def is_under(path, folders):
    return any(path == folder or path.startswith(folder + '/') for folder in folders)


def check_file(source, root, allowed):
    problems = []
    with open(source, encoding='utf-8', errors='replace') as stream:
        text = stream.read()
    own_dir = os.path.dirname(source)
    for match in INCLUDE.finditer(text):
        name = match.group(1)
        beside = os.path.normpath(os.path.join(own_dir, name))
        target = beside if os.path.isfile(beside) else os.path.join(root, name)
        if not os.path.isfile(target):
            continue  # a header of the platform or of a dependency
        relative = os.path.relpath(os.path.realpath(target), os.path.realpath(root))
        if not is_under(relative, allowed):
            line = text.count('\n', 0, match.start()) + 1
            problems.append(f'{source}:{line}: includes "{name}", which this library does not build on')
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', required=True)
    parser.add_argument('--stamp', required=True)
    parser.add_argument('--allow', nargs='+', required=True)
    parser.add_argument('--dir', required=True)
    parser.add_argument('--exclude', action='append', default=[])
    args = parser.parse_args()
    allowed = [os.path.relpath(os.path.realpath(folder), os.path.realpath(args.root)) for folder in args.allow]
    problems = []
    excluded = [os.path.realpath(folder) for folder in args.exclude]
    for folder, _, names in sorted(os.walk(args.dir)):
        if any(os.path.realpath(folder) == skip or os.path.realpath(folder).startswith(skip + os.sep)
               for skip in excluded):
            continue
        for name in sorted(names):
            if name.endswith(('.h', '.cpp', '.c')):
                problems.extend(check_file(os.path.join(folder, name), args.root, allowed))
    if problems:
        print('\n'.join(problems), file=sys.stderr)
        print('may include: ' + ' '.join(sorted(allowed)), file=sys.stderr)
        return 1
    with open(args.stamp, 'w') as stream:
        stream.write('ok\n')
    return 0


if __name__ == '__main__':
    sys.exit(main())
