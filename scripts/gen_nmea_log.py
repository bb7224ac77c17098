#!/usr/bin/env python3
"""Writes a realistic NMEA 0183 log: a boat track at 1 Hz (RMC, VTG, GGA, GSA,
GSV, GLL and a proprietary sentence each second) after a cold start without a
fix, with checksum errors, cut-off sentences and line noise.

    gen_nmea_log.py LOG [--cycles N] [--json JSON]

With --json, gpsdecode (Debian package gpsd-clients) decodes the log and its
TPV reports (time, position, speed, track) go to the JSON file: the tests
compare the library's reports with them.
"""
import argparse
import math
import random
import subprocess
import sys
from functools import reduce

COLD_START = 8  # seconds without a fix


def sentence(body):
    checksum = reduce(lambda a, c: a ^ ord(c), body, 0)
    return "$%s*%02X\r\n" % (body, checksum)


def degrees_minutes(value, degree_digits, positive, negative):
    hemisphere = positive if value >= 0 else negative
    value = abs(value)
    degrees = int(value)
    minutes = round((value - degrees) * 60, 5)
    if minutes >= 60:
        degrees, minutes = degrees + 1, 0.0
    return "%0*d%08.5f" % (degree_digits, degrees, minutes), hemisphere


def cycle_sentences(t, lat, lon, knots, course, rng):
    hms = "%02d%02d%02d.00" % (t // 3600 % 24, t // 60 % 60, t % 60)
    day = 14 + t // 86400
    date = "%02d0624" % day
    la, ns = degrees_minutes(lat, 2, "N", "S")
    lo, ew = degrees_minutes(lon, 3, "E", "W")
    kmh = knots * 1.852
    sats = 7 + (t // 20) % 4
    ids = ["%02d" % n for n in (2, 5, 7, 9, 13, 16, 20, 21, 26, 29)[:sats]]
    out = [
        sentence("GPRMC,%s,A,%s,%s,%s,%s,%.1f,%.1f,%s,1.2,W,A" % (hms, la, ns, lo, ew, knots, course, date)),
        sentence("GPVTG,%.1f,T,%.1f,M,%.1f,N,%.1f,K,A" % (course, (course + 1.2) % 360, knots, kmh)),
        sentence("GPGGA,%s,%s,%s,%s,%s,1,%02d,%.2f,%.1f,M,47.0,M,," % (hms, la, ns, lo, ew, sats, 0.9 + rng.random(),
                                                                    2.0 + rng.random())),
        sentence("GPGSA,A,3,%s,1.8,1.0,1.5" % ",".join(ids + [""] * (12 - len(ids)))),
    ]
    for n in range(3):
        sats_in_view = []
        for k in range(4):
            prn = 1 + 4 * n + k
            sats_in_view.append("%02d,%02d,%03d,%02d" % (prn, rng.randrange(5, 85), rng.randrange(0, 360),
                                                       rng.randrange(20, 48)))
        out.append(sentence("GPGSV,3,%d,12,%s" % (n + 1, ",".join(sats_in_view))))
    out.append(sentence("GPGLL,%s,%s,%s,%s,%s,A,A" % (la, ns, lo, ew, hms)))
    out.append(sentence("PTDMA,%d,STATUS,OK" % t))
    return out


def cold_start(t):
    hms = "%02d%02d%02d.00" % (t // 3600 % 24, t // 60 % 60, t % 60)
    return [sentence("GPRMC,,V,,,,,,,,,,N"), sentence("GPVTG,,,,,,,,,N"),
            sentence("GPGGA,%s,,,,,0,00,99.99,,,,,," % hms), sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99"),
            sentence("GPGLL,,,,,%s,V,N" % hms)]


def damage(text, rng):
    """Spoils one sentence in a while: a wrong checksum, a cut-off line or noise."""
    roll = rng.random()
    if roll < 0.02:
        star = text.index("*")
        wrong = "%02X" % (int(text[star + 1:star + 3], 16) ^ 0x21)
        return text[:star + 1] + wrong + "\r\n"
    if roll < 0.03:
        return text[:rng.randrange(3, len(text) - 4)]
    if roll < 0.04:
        noise = "".join(rng.choice("abcdefXYZ0123456789 ,.*#") for _ in range(rng.randrange(1, 30)))
        return noise + "\r\n" + text
    return text


def generate(cycles, seed=20):
    rng = random.Random(seed)
    t = 9 * 3600 + 26 * 60 + 40
    lat, lon = 52.1532, 4.2411
    knots, course = 6.0, 250.0
    lines = []
    for _ in range(COLD_START):
        lines += cold_start(t)
        t += 1
    for _ in range(cycles):
        lines += [damage(s, rng) for s in cycle_sentences(t, lat, lon, knots, course, rng)]
        knots = min(12.0, max(2.0, knots + rng.uniform(-0.3, 0.3)))
        course = (course + rng.uniform(-3, 3)) % 360
        metres = knots * 1852 / 3600
        lat += metres * math.cos(math.radians(course)) / 111200
        lon += metres * math.sin(math.radians(course)) / (111200 * math.cos(math.radians(lat)))
        t += 1
    return "".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--cycles", type=int, default=240)
    parser.add_argument("--json")
    args = parser.parse_args()
    with open(args.log, "w", newline="") as f:
        f.write(generate(args.cycles))
    if args.json:
        with open(args.log, "rb") as log:
            decoded = subprocess.run(["gpsdecode"], stdin=log, capture_output=True, check=True).stdout
        with open(args.json, "wb") as json:
            json.writelines(line + b"\n" for line in decoded.splitlines() if b'"class":"TPV"' in line)


if __name__ == "__main__":
    sys.exit(main())
