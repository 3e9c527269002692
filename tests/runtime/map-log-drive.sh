#!/usr/bin/env bash
# map-log-drive.sh <letter> <folder>: makes <letter>: a drive of the build's
# Wine prefix that is the (new, empty) folder, so that a test can write to the
# root of its current drive without touching the real root.
set -euo pipefail
letter=$1
folder=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
# A new prefix starts Wine's services, which would hold CTest's pipes open.
"$vest_root/tools/wine-prefix" </dev/null >/dev/null 2>&1
rm -rf "$folder"
mkdir -p "$folder"
ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
