# Sourced by the Wine helpers: one Wine prefix inside the build folder, quiet,
# without the Mono and Gecko installers.
vest_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${VEST_WINEPREFIX:-$vest_root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix that brings its own fontconfig file (tools/wine-prefix-fonts) shows
# Wine only the fonts that file names.
if [ -f "$WINEPREFIX/fonts.conf" ]; then
  export FONTCONFIG_FILE="$WINEPREFIX/fonts.conf"
fi
