#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when any is
# missing. Idempotent: with everything present it only checks and returns.
set -euo pipefail

packages=(
  # native build, tests, benchmarks
  cmake make g++ libgtest-dev googletest libbenchmark-dev python3
  # the Windows build (statically linked, x86_64)
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # running and testing it under Wine on an X server
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic locales
  # fuzzing and sanitizers
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  # real Japanese word data for tests and benchmarks, and the timer
  skkdic mecab-ipadic hyperfine
  # the reading proposer's dictionaries (found at run time, packed into
  # lexiforge-windows.zip) and KAKASI, which its benchmark compares with
  mecab-ipadic-utf8 kakasi
  # what the Julius binary (../shared/julius) needs to load written dictionaries
  libpulse0 libasound2 libsndfile1
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "install-deps: installing ${missing[*]}" >&2
  if [[ $(id -u) -ne 0 ]]; then
    echo "install-deps: run as root, or install these packages first" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
