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
# Without a sound card Wine's audio drivers fill the terminal with errors and
# the game plays silent anyway: say so once and leave the drivers out.
if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
  echo "No sound device on this machine (no ALSA sound card): the game runs silent."
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv,wineoss.drv="
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # The park sign's Chinese name asks for SimHei, which Wine lacks: use a free CJK font.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1 || true
fi
exec wine "$exe"
