#!/usr/bin/env bash
# Renders the generated stereo test signal through the x86 and the x86-64
# output.dll with the test host, prints each plug-in's name, parameters and
# chunk size, and fails unless both wrote the same audio. Then it runs a few
# seconds of the signal through each library with the editor open, saves a
# picture of each editor and prints how fast the editor draws.
#
#   tools/testhost/render-demo.sh [BUILD_ROOT [OUT_DIR]]
#
# BUILD_ROOT holds the i686 and x86_64 builds (default: build/), OUT_DIR gets
# demo-i686.wav, demo-x86_64.wav, editor-i686.png and editor-x86_64.png
# (default: BUILD_ROOT/demo). The editor needs an X display: without DISPLAY
# the script starts a private Xvfb screen for the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
out="${2:-$build/demo}"
source "$root/tools/wine-env.sh"
[ -f "$WINEPREFIX/.vest-prefix-ready" ] || "$root/tools/wine-prefix" >&2
mkdir -p "$out"

if [ -z "${DISPLAY:-}" ]; then
  for number in $(seq 100 199); do
    [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  # A wineserver that started without this display cannot open windows.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  stop_screen() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" >/dev/null 2>&1 || true
  }
  trap stop_screen EXIT
  for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
fi

for arch in i686 x86_64; do
  echo "== $arch"
  wine "$build/$arch/tools/testhost/testhost.exe" "$build/$arch/shell/output.dll" "demo $out/demo-$arch.wav"
done

if cmp -s "$out/demo-i686.wav" "$out/demo-x86_64.wav"; then
  echo "both architectures rendered the same audio: $out/demo-i686.wav, $out/demo-x86_64.wav"
else
  echo "the architectures rendered different audio" >&2
  exit 1
fi

# The editor of each library: AutoWidth on, AutoSpeed slow, AutoDepth wide,
# three seconds of the signal at the pace of real time, then a picture and
# a timing of full frames.
for arch in i686 x86_64; do
  echo "== $arch editor"
  wine "$build/$arch/tools/testhost/testhost.exe" "$build/$arch/shell/output.dll" create start \
    "param 0 1" "param 1 0.5" "param 2 1" editor-open "editor-run 3" "editor-save $out/editor-$arch.png" \
    "editor-bench 200" editor-close close
done
echo "editor pictures: $out/editor-i686.png, $out/editor-x86_64.png"
