#!/usr/bin/env bash
# Runs Windows test programs under Wine in a project-local prefix.
#   wine-run.sh --start PREFIX   create the prefix once, start a persistent wineserver and warm it
#   wine-run.sh --stop PREFIX    stop that wineserver
#   wine-run.sh PREFIX EXE ARGS  run one program
# TDLIB_WINE_LOADER names the loader (wine, or 64-bit Wine's own for x86-64 programs).
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/wine-env.sh"

case "$1" in
  --start)
    wine_env "$2"
    wine_prefix_create
    wineserver -p >/dev/null 2>&1 </dev/null
    "$WINE_PREFIX_LOADER" cmd /c exit >/dev/null 2>&1 </dev/null
    exit 0
    ;;
  --stop)
    wine_env "$2"
    wineserver -k >/dev/null 2>&1
    exit 0
    ;;
  *)
    # The program's output goes through a file: a helper that Wine starts for
    # it (the desktop's explorer.exe) inherits its output and outlives it, and
    # would keep a pipe of the caller's open until the prefix stops.
    wine_env "$1"
    shift
    out=$(mktemp)
    status=0
    "$WINE" "$@" </dev/null >"$out" 2>&1 || status=$?
    cat "$out"
    rm -f "$out"
    exit $status
    ;;
esac
