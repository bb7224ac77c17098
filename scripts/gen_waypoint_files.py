#!/usr/bin/env python3
"""Writes tests/waypoints/WaypointFileBytes.h: waypoint-database files put
together byte by byte from the file layout, for the file tests and as fuzzer
seeds. Run from the repository root; commit its output."""
import math
import struct

DEG = math.pi / 180.0


def u8(v): return struct.pack('<B', v)
def u16(v): return struct.pack('<H', v)
def u32(v): return struct.pack('<I', v)
def i32(v): return struct.pack('<i', v)
def f32(v): return struct.pack('<f', v)
def f64(v): return struct.pack('<d', v)
def short(s): return u8(len(s)) + s.encode('latin-1')
def long_(s): return i32(len(s)) + s.encode('latin-1')
def ident(b): return bytes([b]) * 16


START = b'TidemarWptDB'
V2 = u32(0x02000000)
V1 = u32(0x01000000)


class File:
    """Bytes with named offsets."""

    def __init__(self):
        self.data = b''
        self.marks = {}

    def add(self, b, mark=None):
        if mark:
            self.marks[mark] = len(self.data)
        self.data += b


def header(f, name, waypoints, types, groups, routes, flags, modified):
    f.add(START + V2)
    f.add(b'\0' * 8)
    f.add(ident(0x11) + u32(0x01020304) + u32(modified))
    f.add(u32(waypoints), 'waypointCount')
    f.add(u16(types) + u16(groups) + u16(routes) + u8(flags))
    f.add(short(name))


def type_record(f, name_colour_flag):
    f.add(ident(0x20) + u32(10) + u32(11), 'type')
    f.add(f32(1.0) + f32(1.0), 'typeOrigin')
    f.add(u8(2) + u8(2), 'iconSize')
    f.add(u8(1) + u8(1))
    f.add(u8(12), 'nameFontSize')
    f.add(u8(9))
    # name style 1, comment style 2, both colours, overlay shown
    f.add(u16(0x1 | (2 << 3) | name_colour_flag | 0x80 | 0x100))
    f.add(u32(0xFF010203) + u32(0xFF040506) + u32(0x80070809) + u32(0x000A0B0C))
    f.add(u32(0x7F0D0E0F))
    f.add(short('Tp'))
    f.add(u32(0x80000000) + u32(0xFF123456))


def waypoint_full(f):
    f.add(ident(0x33) + u32(20) + u32(21) + f64(0.5) + f64(-0.25))
    f.add(u16(0xFFF))
    f.add(short('Full'))
    f.add(f64(12.5) + short('c'))
    f.add(u8(2), 'placement')
    f.add(f32(1.5), 'float1')
    f.add(f32(0.0) + f32(50.0) + u32(7) + long_('desc') + ident(0x20))
    f.add(u8(2) + long_('a') + long_('b') + long_('c') + long_('d'))
    f.add(u8(1), 'chosen1')
    f.add(u8(0))


def waypoint_plain(f):
    f.add(ident(0x31) + u32(30) + u32(31) + f64(1.0 * DEG) + f64(0.0) + u16(0) + short('W2'))


def waypoint_typed(f, with_type):
    flags = 0x020 if with_type else 0
    f.add(ident(0x32) + u32(40) + u32(41) + f64(0.0) + f64(0.0) + u16(flags) + short('W3'))
    if with_type:
        f.add(ident(0x99))  # names no type


def group(f, members):
    f.add(ident(0x40) + u32(50) + u32(51))
    f.add(u32(len(members)), 'memberCount')
    f.add(short('G'))
    for m in members:
        f.add(ident(m))


def route(f, stale):
    f.add(ident(0x50) + u32(60) + u32(61) + u16(3) + short('R'))
    f.add(f64(0.0) + f64(0.0) + f32(1.0) + u8(0) + short('p1'))
    lat = 0.3 if stale else 1.0 * DEG
    f.add(f64(lat) + f64(0.0 if not stale else 0.4) + f32(2.0) + u8(2) + short('p2') + ident(0x31))
    f.add(f64(2.0 * DEG) + f64(0.0) + f32(3.0) + u8(1) + short('p3') + f64(100.0))


def hand_made():
    f = File()
    header(f, 'Hand', 3, 1, 1, 1, 0, 1000)
    type_record(f, 0x40)
    f.marks['waypoints'] = len(f.data)
    waypoint_full(f)
    waypoint_plain(f)
    waypoint_typed(f, True)
    f.marks['groups'] = len(f.data)
    group(f, [0x32, 0x33, 0x32, 0x31])
    f.marks['routes'] = len(f.data)
    route(f, True)
    return f


def hand_made_saved():
    """What the hand-made file gives when read and saved: items in identifier
    order, members sorted and once, the unresolved type left out, the route
    point at its waypoint's position; modified time 0 (the test ignores it)."""
    f = File()
    header(f, 'Hand', 3, 1, 1, 1, 0, 0)
    type_record(f, 0x40)
    waypoint_plain(f)
    waypoint_typed(f, False)
    waypoint_full(f)
    group(f, [0x31, 0x32, 0x33])
    route(f, False)
    return f


def empty_test():
    f = File()
    f.add(START + V2 + b'\0' * 8 + ident(0x11) + u32(0x01020304) + u32(0))
    f.add(u32(0) + u16(0) * 3 + u8(1) + short('Test'))
    return f


def count_bomb():
    f = File()
    header(f, '', 0xFFFFFF, 0, 0, 0, 0, 0)
    f.add(b'\0' * (61 - len(f.data)))
    return f


def v1_item_start(number, name, time):
    return u8(0xAA) + i32(number) + long_(name) + u8(1) + i32(0) + f64(time)


def version1():
    f = File()
    f.add(START + V1)
    f.add(i32(1) + v1_item_start(0, 'Type', 36527.0) + u32(1) + u32(1) + u32(0xFF00FF00))
    f.add(i32(2))
    # record 0: kind 1, deleted, with one link
    f.add(u8(0xAA) + i32(1) + i32(0) + f64(0.1) + f64(0.2) + long_('Gone') + u8(0) + i32(1)
          + f64(36527.0) + i32(-1))
    f.add(i32(0) + long_('x') + i32(0) + i32(0) + long_('old desc') + i32(1))
    f.add(long_('l1') + long_('l2'))
    # record 1: kind 1, alive, description and a link
    f.add(u8(0xAA) + i32(1) + i32(1) + f64(0.3) + f64(0.4) + long_('Alive') + u8(0) + i32(0)
          + f64(36527.25) + i32(5))
    f.add(i32(0) + long_('dropped') + i32(0) + i32(0) + long_('Described') + i32(1))
    f.add(long_('t1') + long_('t2'))
    f.add(i32(1) + v1_item_start(0, 'Group', 36527.0) + i32(2) + i32(0) + i32(1))
    f.add(i32(1) + v1_item_start(0, 'R1', 36527.25) + i32(3))
    f.add(i32(0) + f64(5.0) + long_('to gone'))
    f.add(i32(1) + f64(6.0) + long_('to alive'))
    f.add(i32(-1) + f64(0.5) + f64(0.6) + f64(7.0) + long_('own'))
    return f


def version1_long_name():
    """One waypoint whose name of 300 characters a long string holds whole."""
    f = File()
    f.add(START + V1)
    f.add(i32(0) + i32(1))
    f.add(u8(0xAA) + i32(0) + i32(0) + f64(0.3) + f64(0.4) + long_('L' * 300) + u8(0) + i32(0)
          + f64(36527.25) + i32(-1))
    f.add(i32(0) + i32(0))
    return f


def emit(out, name, f):
    out.append('inline const uint8_t k%s[] = {' % name)
    data = f.data
    for i in range(0, len(data), 16):
        out.append('    ' + ', '.join('0x%02X' % b for b in data[i:i + 16]) + ',')
    out.append('};')
    for mark, offset in sorted(f.marks.items()):
        out.append('constexpr size_t k%sAt%s = %d;' % (name, mark[0].upper() + mark[1:], offset))
    out.append('')


def main():
    out = ['// Generated by scripts/gen_waypoint_files.py from the file layout; do not edit.',
           '#pragma once', '', '#include <cstddef>', '#include <cstdint>', '']
    emit(out, 'HandMade', hand_made())
    emit(out, 'HandMadeSaved', hand_made_saved())
    emit(out, 'EmptyTest', empty_test())
    emit(out, 'CountBomb', count_bomb())
    emit(out, 'Version1', version1())
    emit(out, 'Version1LongName', version1_long_name())
    with open('tests/waypoints/WaypointFileBytes.h', 'w') as fh:
        fh.write('\n'.join(out))
    for name, f in (('hand-made', hand_made()), ('count-bomb', count_bomb()),
                    ('version1', version1()), ('empty', empty_test())):
        with open('fuzz/corpus/WaypointFileFuzzer/' + name, 'wb') as fh:
            fh.write(f.data)


main()
