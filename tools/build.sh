#!/usr/bin/env bash
# Sets the machine up, then configures and builds everything in build/: the
# native build with its tests, both Windows builds and the benchmarks.
#
#   tools/build.sh [--demo]
#
# --demo then renders a generated stereo signal through the x86 and the x86-64
# output.dll with the project's test host and prints what the plug-in reports.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" --parallel "$(nproc)"
if [ "${1:-}" = "--demo" ]; then
  "$root/tools/testhost/render-demo.sh" "$root/build"
fi
