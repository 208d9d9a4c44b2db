# Sourced by every script that shows a window of ours (the demo, the
# pictures, the benchmarks, the tests' own set-up): prepare_prefix makes the
# wine prefix $WINEPREFIX once (64-bit where wine can: the 32-bit module then
# runs under WOW64, as on most of its users' machines) and gives it what our
# windows need. $1 names the loader to run wine's own programs with.
prepare_prefix() {
  local wine=${1:-wine}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    if [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null; then export WINEARCH=win64; fi
    "$wine" wineboot -i >/dev/null 2>&1
  fi
  # The frame's caption buttons are drawn in Marlett, which a new prefix
  # lacks: without it they read "0 1 r".
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Without a window manager, destroying a shown window would wait for one.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
}
