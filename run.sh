#!/usr/bin/env bash
# Builds and runs Corvane Lexiforge on a shipped sample, from a fresh Debian 12
# machine.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build build/native -j"$(nproc)" --target lexiforge-cli
echo "== lexiforge-cli convert < samples/readings.txt"
build/native/cli/lexiforge-cli convert < samples/readings.txt || true
