#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=(
  cmake make python3 locales ccache
  g++-mingw-w64-i686-posix
  wine wine32:i386 wine64
  googletest
  clang libclang-rt-14-dev
)
# Extra packages that later parts of the kit need are listed one per line in
# packages.txt, and in any further list given as an argument (bench.sh's own).
for list in "$here/packages.txt" "$@"; do
  if [ -f "$list" ]; then mapfile -t -O ${#packages[@]} packages < <(grep -v '^#' "$list"); fi
done

sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
install_missing() {  # packages...
  local missing=() p
  for p in "$@"; do
    [ -n "$p" ] || continue
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}
install_missing "${packages[@]}"

# Where the kernel runs no 32-bit programs, the product runs under qemu-i386,
# which binfmt_misc starts for every 32-bit program (flag F: the emulator is
# opened now, so it serves inside other mount namespaces too).
source "$here/wine-env.sh"
if [ "$(i386_runner)" = none ]; then
  install_missing qemu-user
  misc=/proc/sys/fs/binfmt_misc
  [ -e $misc/register ] || $sudo mount -t binfmt_misc binfmt_misc $misc
  [ -e $misc/qemu-i386 ] || printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
    | $sudo tee $misc/register >/dev/null
  if [ "$(i386_runner)" = none ]; then
    echo "This machine runs no 32-bit programs, not even under qemu-i386: the product cannot be run here." >&2
    exit 1
  fi
fi

# Wine takes its locale from LANG: the tests use these two.
for loc in en_US.UTF-8 nl_NL.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${loc/UTF-8/utf8}"; then
    sed -i "s/^# *\($loc UTF-8\)/\1/" /etc/locale.gen
    need_gen=1
  fi
done
[ -z "${need_gen:-}" ] || locale-gen >/dev/null
