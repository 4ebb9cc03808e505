#!/bin/sh
# Starts the game under Wine on this machine's display.
set -eu
exe="$1"
if [ ! -f "$exe" ]; then
  echo "The game is not playable yet: the Windows program has not been built."
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "No display here (DISPLAY is unset): run 'make play' from a desktop session, or look at offscreen frames with build/native/snapshot --help."
  exit 0
fi
export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/gladewarden/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # The park sign's Chinese name asks for SimHei, which Wine lacks: use a free CJK font.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1 || true
fi
exec wine "$exe"
