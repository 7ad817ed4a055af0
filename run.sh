#!/usr/bin/env bash
# Builds lexiforge.exe and starts it under Wine on a shipped sample word
# list, from a fresh Debian 12 machine. On a display it runs there until you
# close it; without one it runs on Xvfb, takes a screenshot of the main window
# and says where it is.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build build/windows -j"$(nproc)" --target lexiforge
# Words without readings: 編集 > よみを補完 proposes them from the
# dictionaries the build puts beside the program (build/windows/app/dic/, from
# Debian's packages), where a Windows user has them.
exec scripts/run-lexiforge.sh build/windows/app/lexiforge.exe samples/words-without-readings.txt
