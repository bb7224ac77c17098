# Sourced: the fixed environment for running the kit's Windows programs under Wine.
#
# The product is 32-bit. Some machines' kernels run no 32-bit programs; there
# Wine's 32-bit side runs under the qemu-i386 emulator, registered with
# binfmt_misc by scripts/setup.sh. The emulator needs the upper gigabyte of the
# 32-bit address space left free, or Wine cannot map its shared user data.
export QEMU_RESERVED_VA=0xc0000000

# How 32-bit programs run here: "native", "emulator" or "none". A 32-bit
# program sees the machine name of what runs it: x86_64 from a 64-bit kernel
# itself, i686 from the emulator.
i386_runner() {
  local machine
  machine=$(/lib/ld-linux.so.2 --list-diagnostics 2>/dev/null | sed -n 's/^uname\.machine="\(.*\)"$/\1/p')
  case "$machine" in
    x86_64) echo native ;;
    "") echo none ;;
    *) echo emulator ;;
  esac
}

wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Under the emulator Wine's debugger hangs instead of reporting a crash.
  [ "$(i386_runner)" != emulator ] || WINEDLLOVERRIDES+=";winedbg.exe=d"
  export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
  export TZ=Europe/Amsterdam
  export DISPLAY=
  WINE=${TDLIB_WINE_LOADER:-wine}
  if [ "$WINE" != wine ]; then export WINELOADER="$WINE"; fi
  # The prefix holds both halves of Wine; its own programs (boot, registry,
  # services) run as 64-bit ones, natively even where 32-bit ones need the
  # emulator.
  WINE_PREFIX_LOADER=/usr/lib/wine/wine64
}

# Creates the prefix once: headless graphics driver and Wine's own Tahoma.
wine_prefix_create() {
  [ -f "$WINEPREFIX/.tdlib-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$WINE_PREFIX_LOADER" wineboot -i >/dev/null 2>&1 </dev/null
  "$WINE_PREFIX_LOADER" "C:\\windows\\system32\\reg.exe" add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver -w
  touch "$WINEPREFIX/.tdlib-ready"
}
