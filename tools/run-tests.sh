#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test (native and both
# Windows architectures) in one CTest run. Exits non-zero when a test fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/tools/build.sh"
"$root/tools/wine-prefix"

# One screen for the tests that open windows, and one warm wineserver that
# knows that screen, both stopped when the run ends.
source "$root/tools/wine-env.sh"
wineserver -k >/dev/null 2>&1 || true
wineserver -w
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
wineserver -p
# The first Wine program of a session starts Wine's own services, which keep
# the program's output pipes open; start them here, away from CTest's pipes.
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true

cd "$root/build/native"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
