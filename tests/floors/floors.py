#!/usr/bin/env python3
"""The floors of the source: every folder of the libraries and the program
includes only the folders it stands on, so that a folder can be read, built
and tested with what lies below it alone. The floors are listed once, here,
in the order of the README's layout table; each folder names the floors it
stands on directly, and stands on theirs in turn.

Every #include "..." of the folders listed is checked; one that reaches a
folder that is not below its own (above it, beside it, or unlisted) is
named with its file and line, and the run fails.

    tests/floors/floors.py [ROOT]     (ROOT: the checkout, by default the one
                                      this file is in)

With --planted, ROOT is a tree of breaches planted on purpose: the run
passes when it finds the lines marked "leaves its floor", and only those.

    tests/floors/floors.py --planted tests/floors/planted
"""

import os
import re
import sys

# Folder: the floors it stands on directly. A folder not listed here is on
# no floor: a file in it, or an include of it, fails until it is placed.
FLOORS = {
    'platform': [],
    'components/foundation': ['platform'],
    'components/plot': ['components/foundation'],
    'components/editor': ['components/plot'],
    'widgets': ['platform'],
    'app': ['components/editor', 'widgets'],
    # The plot's concepts, each on the one before it; a channel's time and
    # XY rooms stand side by side on its base.
    'components/plot/store': ['components/foundation'],
    'components/plot/files': ['components/plot/store'],
    'components/plot/objects': ['components/plot/files'],
    'components/plot/output': ['components/plot/objects'],
    'components/plot/axis': ['components/plot/output'],
    'components/plot/view': ['components/plot/axis'],
    'components/plot/channel': ['components/plot/view'],
    'components/plot/channel/time': ['components/plot/channel'],
    'components/plot/channel/xy': ['components/plot/channel'],
    'components/plot/input': ['components/plot/channel/time', 'components/plot/channel/xy'],
    'components/plot/annotation': ['components/plot/input'],
    'components/plot/layout': ['components/plot/annotation'],
    'components/plot/table': ['components/plot/layout'],
    'components/plot/component': ['components/plot/table'],
}

# The top folders whose files are checked, and the private headers of the
# platform, which its files include by their name alone.
CHECKED = ['platform', 'components', 'widgets', 'app']
PRIVATE_HEADERS = {'platform': 'platform/src'}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
PLANTED = 'leaves its floor'


def floor_of(path):
    """The deepest folder listed that holds path; None outside them all, and
    in a subfolder not listed of a folder whose subfolders are floors."""
    own = folder = os.path.dirname(path)
    while folder and folder not in FLOORS:
        folder = os.path.dirname(folder)
    divided = any(other.startswith(folder + '/') for other in FLOORS)
    return folder if folder and (folder == own or not divided) else None


def below(floor):
    """Every floor that floor stands on, directly or not."""
    found, waiting = set(), list(FLOORS[floor])
    while waiting:
        under = waiting.pop()
        if under not in found:
            found.add(under)
            waiting.extend(FLOORS[under])
    return found


def inside(folder, outer):
    return folder == outer or folder.startswith(outer + '/')


def may_include(floor, reached):
    """Whether a file on floor may include one on reached: its own floor or
    one below it. A folder's own floors (the plot's concepts) are told apart
    only from within it: from outside, it is one floor with all it holds."""
    return any(reached == under or (inside(reached, under) and not inside(floor, under))
               for under in below(floor) | {floor})


def resolve(root, source, name):
    """The checkout path an include names; None for one that is not the
    project's (a system header, a generated one)."""
    if name.split('/')[0] in CHECKED:
        return name
    nearby = os.path.normpath(os.path.join(os.path.dirname(source), name))
    if os.path.isfile(os.path.join(root, nearby)):
        return nearby
    for top, private in PRIVATE_HEADERS.items():
        if source.startswith(top + '/') and os.path.isfile(os.path.join(root, private, name)):
            return os.path.join(private, name)
    return None


def sources(root):
    for top in CHECKED:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(('.h', '.cpp')):
                    yield os.path.relpath(os.path.join(folder, name), root)


def breaches(root):
    """(file, line, include, why) for every include that leaves the floors."""
    found = []
    for source in sorted(sources(root)):
        floor = floor_of(source)
        if floor is None:
            found.append((source, 1, '', 'its folder is on no floor'))
            continue
        with open(os.path.join(root, source), encoding='utf-8', errors='replace') as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                target = match and resolve(root, source, match.group(1))
                if not target:
                    continue
                reached = floor_of(target)
                if reached is None:
                    found.append((source, number, match.group(1), 'which is on no floor'))
                elif not may_include(floor, reached):
                    found.append((source, number, match.group(1),
                                  f'{reached} is not below {floor}'))
    return found


def planted(root):
    """(file, line) of every line marked as a planted breach."""
    marked = set()
    for source in sources(root):
        with open(os.path.join(root, source), encoding='utf-8') as text:
            marked |= {(source, number) for number, line in enumerate(text, 1) if PLANTED in line}
    return marked


def main():
    arguments = sys.argv[1:]
    check_planted = '--planted' in arguments
    arguments = [argument for argument in arguments if argument != '--planted']
    root = os.path.abspath(arguments[0] if arguments else os.path.join(os.path.dirname(__file__), '..', '..'))
    found = breaches(root)
    for source, number, name, why in found:
        print(f'{source}:{number}: ' + (f'includes "{name}": {why}' if name else why))
    print(f'{len(found)} includes leave their floors')
    if not check_planted:
        return 1 if found else 0
    expected, seen = planted(root), {(source, number) for source, number, _, _ in found}
    for source, number in sorted(expected - seen):
        print(f'{source}:{number}: planted, but not found')
    for source, number in sorted(seen - expected):
        print(f'{source}:{number}: found, but not planted')
    return 0 if expected == seen and expected else 1


if __name__ == '__main__':
    sys.exit(main())
