# Sourced: the fixed environment for running the kit's Windows programs under Wine.
#
# Some machines' kernels run no 32-bit programs (Wine's 32-bit loader is one);
# there the x86-64 build of the same code runs under 64-bit Wine instead.

# Natively, that is: an emulator behind binfmt_misc runs Wine too slowly to use.
machine_runs_i386() {
  [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
  export TZ=Europe/Amsterdam
  export DISPLAY=
  WINE=${TDLIB_WINE_LOADER:-wine}
  if [ "$WINE" != wine ]; then export WINELOADER="$WINE"; fi
}

# Creates the prefix once: headless graphics driver and Wine's own Tahoma.
wine_prefix_create() {
  [ -f "$WINEPREFIX/.tdlib-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 </dev/null
  "$WINE" "C:\\windows\\system32\\reg.exe" add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver -w
  touch "$WINEPREFIX/.tdlib-ready"
}
