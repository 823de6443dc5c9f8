#!/usr/bin/env python3
"""Windows 98's restart for an e2e prefix: WININIT.EXE carrying out WININIT.INI's
first [rename] section in real mode, where only 8.3 names exist (Wine's restart uses
MoveFileExW, which finds files by their aliases and keeps long names). Names are taken as
written, and one that is no 8.3 name finds nothing; "NUL=FILE" deletes; "DEST=SOURCE"
deletes DEST and moves SOURCE there under the 8.3 name written, its only name; WININIT.INI
then becomes WININIT.BAK.

  wininit.py plan WINDOWS_DIR PLAN LOADER UNIX_PATHS_EXE   (while the session runs)
  wininit.py carry PLAN                                    (once every program ended)
"""
import json
import os
import re
import subprocess
import sys

EIGHT_DOT_THREE = re.compile(r'^[^. "*+,/:;<=>?\[\\\]|]{1,8}(\.[^. "*+,/:;<=>?\[\\\]|]{1,3})?$')


def find_wininit(windows):
    for name in os.listdir(windows):
        if name.lower() == 'wininit.ini':
            return os.path.join(windows, name)
    return None


def rename_lines(text):
    """The "X=Y" lines of the first [rename] section, in their order."""
    lines, inside = [], False
    for raw in text.splitlines():
        line = raw.strip()
        if line.startswith('['):
            if inside:
                break
            inside = re.fullmatch(r'\[\s*rename\s*\]', line, re.IGNORECASE) is not None
        elif inside and '=' in line and not line.startswith(';'):
            left, right = line.split('=', 1)
            lines.append((left.strip(), right.strip()))
    return lines


def is_short(path):
    parts = path.split('\\')
    return len(parts) > 1 and all(EIGHT_DOT_THREE.match(p) for p in parts[1:])


def plan(windows, plan_file, loader, unix_paths):
    wininit = find_wininit(windows)
    ops = []
    if wininit:
        with open(wininit, encoding='latin-1') as f:
            lines = rename_lines(f.read())
        names = sorted({n for pair in lines for n in pair if n.upper() != 'NUL'})
        found = subprocess.run([loader, unix_paths] + names, capture_output=True, text=True,
                               check=True).stdout.splitlines()
        unix = dict(zip(names, found))
        for target, source in lines:
            if target.upper() == 'NUL':
                if is_short(source) and unix.get(source):
                    ops.append({'delete': unix[source]})
            elif is_short(target) and is_short(source) and unix.get(target) and unix.get(source):
                ops.append({'delete': unix[target], 'move': unix[source],
                            'to': os.path.join(os.path.dirname(unix[target]),
                                               target.split('\\')[-1])})
    with open(plan_file, 'w') as f:
        json.dump({'wininit': wininit, 'ops': ops}, f, indent=1)


def carry(plan_file):
    with open(plan_file) as f:
        todo = json.load(f)
    for op in todo['ops']:
        if os.path.isfile(op['delete']):
            os.remove(op['delete'])
        if 'move' in op and os.path.isfile(op['move']):
            os.rename(op['move'], op['to'])
        print('WININIT:', op['move'] + ' -> ' + op['to'] if 'move' in op else 'deleted ' + op['delete'])
    if todo['wininit']:
        os.replace(todo['wininit'], os.path.join(os.path.dirname(todo['wininit']), 'WININIT.BAK'))


if __name__ == '__main__':
    if sys.argv[1:2] == ['plan'] and len(sys.argv) == 6:
        plan(*sys.argv[2:])
    elif sys.argv[1:2] == ['carry'] and len(sys.argv) == 3:
        carry(sys.argv[2])
    else:
        sys.exit(__doc__)
