#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=(
  cmake make python3 locales
  g++-mingw-w64-i686-posix
  wine wine32:i386 wine64
  g++-mingw-w64-x86-64-posix
  googletest
  clang libclang-rt-14-dev
)
# Extra packages that later parts of the kit need are listed one per line in
# packages.txt, and in any further list given as an argument (bench.sh's own).
for list in "$here/packages.txt" "$@"; do
  if [ -f "$list" ]; then mapfile -t -O ${#packages[@]} packages < <(grep -v '^#' "$list"); fi
done

missing=()
for p in "${packages[@]}"; do
  [ -n "$p" ] || continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

# Wine takes its locale from LANG: the tests use these two.
for loc in en_US.UTF-8 nl_NL.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${loc/UTF-8/utf8}"; then
    sed -i "s/^# *\($loc UTF-8\)/\1/" /etc/locale.gen
    need_gen=1
  fi
done
[ -z "${need_gen:-}" ] || locale-gen >/dev/null
