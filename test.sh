#!/usr/bin/env bash
# Builds everything and runs every test, from a fresh Debian 12 machine:
# installs what is missing, builds the native and the Windows targets, runs
# the native tests, the Windows tests under Wine on Xvfb, the native tests
# again under the sanitizers, and each fuzz target for a bounded time
# (LEXIFORGE_FUZZ_SECONDS, 20 by default). The sanitized tests and the fuzz
# targets are one clang build (build/sanitize): each toolchain builds the
# project, MeCab included, once.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

jobs=$(nproc)
status=0

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest --output-on-failure -j"$jobs") || status=1

echo "== Windows build and tests (Wine)"
cmake --preset windows >/dev/null
cmake --build build/windows -j"$jobs"
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
(cd build/windows && ctest --output-on-failure -j"$jobs") || status=1

echo "== native tests with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer (clang), and the fuzz targets"
cmake --preset sanitize >/dev/null
cmake --build build/sanitize -j"$jobs"
(cd build/sanitize && ctest --output-on-failure -j"$jobs") || status=1

echo "== fuzz targets, ${LEXIFORGE_FUZZ_SECONDS:-20} s each"
scripts/fuzz.sh "${LEXIFORGE_FUZZ_SECONDS:-20}" || status=1

exit $status
