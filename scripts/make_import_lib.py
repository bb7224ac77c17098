#!/usr/bin/env python3
"""Writes the i686 import library of TdLib.dll.

The DLL exports its stdcall functions undecorated, while a compiler calling
them refers to _Name@N. The import library maps each decorated name onto the
plain export, so C and C++ hosts link against the names the header declares.

    make_import_lib.py NM DLLTOOL DEF-FILE OBJECT-LIST OUTPUT
"""
import re
import subprocess
import sys
import tempfile


def def_names(path):
    names, exports = [], False
    for line in open(path):
        words = line.split()
        if not words or words[0].startswith(';'):
            continue
        if words[0] == 'EXPORTS':
            exports = True
        elif exports:
            names.append(words[0])
    return names


def main():
    nm, dlltool, def_file, objects, output = sys.argv[1:6]
    listing = subprocess.run([nm, '--defined-only'] + objects.split(';'),
                             check=True, capture_output=True, text=True).stdout
    decorated = {}
    for symbol in re.findall(r'\s_([A-Za-z0-9_]+@\d+)$', listing, re.M):
        decorated[symbol.split('@')[0]] = symbol
    missing = [n for n in def_names(def_file) if n not in decorated]
    if missing:
        sys.exit('not stdcall functions: ' + ', '.join(missing))
    with tempfile.NamedTemporaryFile('w', suffix='.def') as d:
        d.write('LIBRARY TdLib.dll\nEXPORTS\n')
        d.writelines(decorated[n] + '\n' for n in def_names(def_file))
        d.flush()
        subprocess.run([dlltool, '-k', '-d', d.name, '-l', output], check=True)


if __name__ == '__main__':
    main()
