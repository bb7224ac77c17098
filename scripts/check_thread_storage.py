#!/usr/bin/env python3
"""Proves that the library's own code keeps no thread-local storage.

This toolchain emulates thread-local variables: each one is reached through
__emutls_get_address, which allocates the variable's block on a thread's
first use and ends the process when that allocation fails. The DLL runs on
the host's threads, so none of its own objects may refer to the emulation.
The runtime libraries linked into the DLL are not checked: they are not the
library's code.

    check_thread_storage.py NM OBJECT-LIST...

Each OBJECT-LIST is one object file or several joined by ';'. Exit status 1
with one line per object and symbol that refers to the emulation; 0 when
none does.
"""
import re
import subprocess
import sys

# i686 names carry a leading underscore, x86-64 names none.
EMULATION = re.compile(r'^_?(__emutls_get_address|__emutls_v\..+)$')


def emulation_uses(nm, objects):
    listing = subprocess.run([nm, '-A'] + objects, check=True, capture_output=True, text=True).stdout
    for line in listing.splitlines():
        path, _, rest = line.rpartition(':')
        fields = rest.split()
        symbol = fields[-1] if fields else ''
        if EMULATION.match(symbol):
            yield path, symbol


def main():
    nm = sys.argv[1]
    objects = [o for arg in sys.argv[2:] for o in arg.split(';') if o]
    if not objects:
        sys.exit('no object files given')
    faults = sorted(set(emulation_uses(nm, objects)))
    for path, symbol in faults:
        print(f'{path}: thread-local storage through the emulation ({symbol})')
    print(f'{len(objects)} object files, {len(faults)} uses of emulated thread-local storage')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
