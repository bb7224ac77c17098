#!/usr/bin/env python3
"""Builds the line-information table of a program from its own debug data.

Reads the decoded DWARF line rows (objdump --dwarf=decodedline) and the code
symbols (nm) of the linked program and writes the binary table that the
program carries as resource 30583 (layout in tool/LineTable.h).
"""
import argparse
import bisect
import os
import re
import struct
import subprocess
import time

NONE = 0xFFFFFFFF


def run(tool, *args):
    return subprocess.run([tool, *args], check=True, capture_output=True,
                          text=True, errors="replace").stdout


def image_base_and_text(objdump, exe):
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)",
                         run(objdump, "-p", exe), re.M).group(1), 16)
    for line in run(objdump, "-h", exe).splitlines():
        f = line.split()
        if len(f) >= 4 and f[1] == ".text":
            start = int(f[3], 16)
            return base, start, start + int(f[2], 16)
    raise SystemExit("no .text section in " + exe)


def read_sequences(objdump, exe, text_start, text_end):
    """Yields (unit, [(address, file, line)], end) per line sequence."""
    lines = run(objdump, "--dwarf=decodedline", exe).splitlines()
    unit, rows = None, []
    for i, line in enumerate(lines):
        if line.endswith(":") and i + 1 < len(lines) and \
                lines[i + 1].startswith("File name"):
            unit = os.path.splitext(os.path.basename(line[:-1]))[0]
            rows = []
            continue
        f = line.split()
        if unit is None or len(f) < 3 or not f[2].startswith("0x"):
            continue
        address = int(f[2], 16)
        if f[1] == "-":
            if rows and text_start <= rows[0][0] and address <= text_end:
                yield unit, rows, address
            rows = []
        elif f[1].isdigit():
            rows.append((address, f[0], int(f[1])))


def read_procedures(nm, exe, text_start, text_end):
    symbols = []
    for line in run(nm, "-n", "-C", "--defined-only", exe).splitlines():
        m = re.match(r"^([0-9a-fA-F]+) ([tT]) (.+)$", line)
        if m:
            address = int(m.group(1), 16)
            if text_start <= address < text_end and not m.group(3).startswith("."):
                symbols.append((address, m.group(3)))
    symbols.sort()
    result = []
    for n, (address, name) in enumerate(symbols):
        end = symbols[n + 1][0] if n + 1 < len(symbols) else text_end
        if end > address:
            result.append((address, end, name))
    return result


class Strings:
    def __init__(self):
        self.blob, self.offsets = bytearray(b"\0"), {}

    def add(self, text):
        if text not in self.offsets:
            self.offsets[text] = len(self.blob)
            self.blob += text.encode("latin-1", "replace") + b"\0"
        return self.offsets[text]


def build(objdump, nm, exe):
    base, text_start, text_end = image_base_and_text(objdump, exe)
    strings = Strings()
    units, lines = [], []
    for unit, rows, end in read_sequences(objdump, exe, text_start, text_end):
        units.append((rows[0][0] - base, end - base, strings.add(unit)))
        for address, file, line in rows:
            lines.append((address - base, strings.add(file), line))
        lines.append((end - base, NONE, 0))
    units.sort()
    # Rows at one address: the last one holds.
    lines = sorted({a: (a, f, l) for a, f, l in lines}.values())
    unit_at = [u[0] for u in units]
    procs = []
    for start, end, name in read_procedures(nm, exe, text_start, text_end):
        k = bisect.bisect_right(unit_at, start - base) - 1
        unit = units[k][2] if k >= 0 and start - base < units[k][1] else NONE
        procs.append((start - base, end - base, unit, strings.add(name)))
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    out = bytearray(b"RTLI")
    out += struct.pack("<5I", stamp, len(units), len(procs), len(lines),
                       len(strings.blob))
    for u in units:
        out += struct.pack("<3I", *u)
    for p in procs:
        out += struct.pack("<4I", *p)
    for l in lines:
        out += struct.pack("<3I", *l)
    return bytes(out + strings.blob)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--nm", required=True)
    parser.add_argument("exe")
    parser.add_argument("output")
    args = parser.parse_args()
    data = build(args.objdump, args.nm, args.exe)
    with open(args.output + ".tmp", "wb") as f:
        f.write(data)
    os.replace(args.output + ".tmp", args.output)


if __name__ == "__main__":
    main()
