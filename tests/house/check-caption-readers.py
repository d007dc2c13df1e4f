#!/usr/bin/env python3
"""Checks that no file under src/ outside display/ learns the tournament's state from the clock screen: a
caption read (.caption, .caption(), timer(i).caption) or a visibility check by element id
(isVisible(ScreenElementId::...)). The screen shows the state; everyone else reads it from where the screen
gets it. core/ClockScreenModel.* defines these readers. Prints each reader and exits 1 on any."""
import os
import re
import sys

src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '../../src'))
allowed = ('display/', 'core/ClockScreenModel.')
readers = [
    # A caption as a member or through the model's caption(), but not one being assigned.
    re.compile(r'(\.|->)caption\b(?!\s*=[^=])'),
    re.compile(r'\bisVisible\(\s*(ScreenElementId|Id)::'),
]
comment = re.compile(r'//.*')
faults = []

for dirpath, _, files in os.walk(src):
    for name in sorted(files):
        if not name.endswith(('.h', '.cpp', '.hpp')):
            continue
        path = os.path.join(dirpath, name)
        where = os.path.relpath(path, src).replace(os.sep, '/')
        if where.startswith(allowed):
            continue
        with open(path, encoding='utf-8') as f:
            for number, line in enumerate(f, 1):
                code = comment.sub('', line)
                if any(r.search(code) for r in readers):
                    faults.append(f'{where}:{number}: reads the clock screen to learn a value: {line.strip()}')

for fault in faults:
    print(fault)
if faults:
    print('Only display/ reads the clock screen back; take the value from the tournament state instead.')
sys.exit(1 if faults else 0)
