#!/usr/bin/env bash
# map-log-drive.sh <letter> <folder>: makes <letter>: a drive of the build's
# Wine prefix that is the (new, empty) folder, so that a test can write to the
# root of its current drive without touching the real root.
set -euo pipefail
letter=$1
folder=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
"$vest_root/tools/wine-prefix"
rm -rf "$folder"
mkdir -p "$folder"
ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
