#!/usr/bin/env python3
"""Checks the include structure of src/: a header of another folder is included with its folder
("core/LevelClock.h"), a bare include names a header of the same folder, and no folder includes another
folder that includes it back, directly or round a loop. Prints each fault and exits 1 on any."""
import os
import re
import sys

src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '../../src'))
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
folders = sorted(d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d)))
faults = []
uses = {f: set() for f in folders}

for folder in folders:
    for dirpath, _, files in os.walk(os.path.join(src, folder)):
        for name in files:
            if not name.endswith(('.h', '.cpp', '.hpp')):
                continue
            path = os.path.join(dirpath, name)
            text = open(path, encoding='utf-8').read()
            for header in include.findall(text):
                if header.endswith('.moc') or header.startswith('ui_'):
                    continue
                where = os.path.relpath(path, src)
                if '/' not in header:
                    if not os.path.exists(os.path.join(dirpath, header)):
                        faults.append(f'{where}: "{header}" is not in {folder}/; name its folder')
                    continue
                other = header.split('/')[0]
                if not os.path.exists(os.path.join(src, header)):
                    faults.append(f'{where}: "{header}" does not exist under src/')
                elif other != folder:
                    uses[folder].add(other)


def cycle_from(start):
    """A path of folders leading from start back to start, or None."""
    stack = [(start, [start])]
    seen = set()
    while stack:
        node, path = stack.pop()
        for nxt in sorted(uses[node]):
            if nxt == start:
                return path + [start]
            if nxt not in seen:
                seen.add(nxt)
                stack.append((nxt, path + [nxt]))
    return None


reported = set()
for folder in folders:
    loop = cycle_from(folder)
    if loop and frozenset(loop) not in reported:
        reported.add(frozenset(loop))
        faults.append('folders include each other: ' + ' -> '.join(loop))

for fault in faults:
    print(fault)
if faults:
    print(f'{len(faults)} layering faults')
    sys.exit(1)
print('layers: ' + '; '.join(f'{f} uses {", ".join(sorted(uses[f])) or "nothing"}' for f in folders))
