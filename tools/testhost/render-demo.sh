#!/usr/bin/env bash
# Renders the generated stereo test signal through the x86 and the x86-64
# output.dll with the test host, prints each plug-in's name, parameters and
# chunk size, and fails unless both wrote the same audio.
#
#   tools/testhost/render-demo.sh [BUILD_ROOT [OUT_DIR]]
#
# BUILD_ROOT holds the i686 and x86_64 builds (default: build/), OUT_DIR gets
# demo-i686.wav and demo-x86_64.wav (default: BUILD_ROOT/demo).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
out="${2:-$build/demo}"
source "$root/tools/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$root/tools/wine-prefix" >&2
mkdir -p "$out"

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
