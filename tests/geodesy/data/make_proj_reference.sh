#!/bin/sh
# Regenerates proj_reference.txt from PROJ's own projections (the oracle):
#   sh tests/geodesy/data/make_proj_reference.sh > tests/geodesy/data/proj_reference.txt
# Each line: case name, latitude and longitude in degrees, x and y in metres.
set -e

run() {  # name, PROJ definition, then "lat lon" pairs on stdin
  while read -r lat lon; do
    echo "$lon $lat" | proj -f '%.9f' $2 | while read -r x y; do
      echo "$1 $lat $lon $x $y"
    done
  done
}

grid() {  # lat0 lat1 latstep lon0 lon1 lonstep
  lat=$1
  while [ "$lat" -le "$2" ]; do
    lon=$4
    while [ "$lon" -le "$5" ]; do
      echo "$lat $lon"
      lon=$((lon + $6))
    done
    lat=$((lat + $3))
  done
}

echo "# PROJ $(proj 2>&1 | head -n 1)"
grid -80 80 20 -180 150 30 | run merc "+proj=merc +ellps=WGS84 +lon_0=0"
grid -80 80 20 -170 180 50 | run eqc "+proj=eqc +ellps=WGS84 +lat_ts=30 +lon_0=10"
grid 10 70 10 -150 -40 15 | run lcc "+proj=lcc +ellps=WGS84 +lat_1=33 +lat_2=45 +lat_0=23 +lon_0=-96"
grid -60 -10 10 100 180 20 | run lccs "+proj=lcc +ellps=WGS84 +lat_1=-18 +lat_2=-36 +lat_0=-32 +lon_0=135"
grid 30 70 10 -20 30 10 | run lcc1 "+proj=lcc +ellps=WGS84 +lat_1=50 +lat_0=50 +lon_0=5"
grid 30 70 10 -20 30 10 | run stere "+proj=stere +ellps=WGS84 +lat_0=52 +lon_0=5 +k_0=0.9999"
grid 60 90 10 -180 150 30 | run sterep "+proj=stere +ellps=WGS84 +lat_0=90 +lon_0=-45 +k_0=0.994"
grid 50 54 1 3 7 1 | run rd "+proj=sterea +ellps=bessel +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k_0=0.9999079 +x_0=155000 +y_0=463000"
