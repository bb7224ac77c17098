#!/usr/bin/env bash
# Every name in the .def file must be defined by the library's objects as a
# stdcall function: on i686 such a symbol is decorated _Name@N, N being the
# bytes of arguments the callee pops. An export written as cdecl or C++ fails.
set -euo pipefail
nm=$1; def=$2
IFS=';' read -r -a objects <<<"$3"  # one CMake list of object files
symbols=$("$nm" --defined-only "${objects[@]}" | awk '{print $3}' | sort -u)
status=0
for name in $(awk '/^EXPORTS/{on=1; next} on && $1 !~ /^;/ && NF {print $1}' "$def"); do
  if ! grep -qE "^_${name}@[0-9]+$" <<<"$symbols"; then
    echo "not a stdcall export: $name"
    status=1
  fi
done
exit $status
