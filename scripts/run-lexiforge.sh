#!/usr/bin/env bash
# Starts lexiforge.exe under Wine on a word list. With a display ($DISPLAY
# that answers) the program runs there until the user closes it. Without
# one it runs on Xvfb: the script waits for the main window, takes a
# screenshot of it, ends the program and prints where the screenshot is.
#
# usage: scripts/run-lexiforge.sh EXE [WORD_LIST [SCREENSHOT]]
#   WORD_LIST   default samples/sample-words.txt
#   SCREENSHOT  default /tmp/lexiforge-main-window.png (Xvfb only)
set -u
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
words=${2:-$here/../samples/sample-words.txt}
screenshot=${3:-/tmp/lexiforge-main-window.png}

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  export LEXIFORGE_USE_DISPLAY=1
  # shellcheck source=wine-env.sh
  . "$here/wine-env.sh" || exit 1
  exec wine "$exe" "$(winepath -w "$words")"
fi

# shellcheck source=wine-env.sh
. "$here/wine-env.sh" || exit 1
path=$(winepath -w "$words")
wine "$exe" "$path" &
program=$!
title="$path - Corvane Lexiforge"
for ((tries = 0; tries < 100; tries++)); do
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$title" ]] && break 2
  done
  id=
  sleep 0.1
done
if [[ -z "$id" ]]; then
  kill "$program" 2>/dev/null
  echo "run-lexiforge: no window titled \"$title\"" >&2
  exit 1
fi
sleep 1  # let the list paint
eval "$(xdotool getwindowgeometry --shell "$id")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
echo "no display: ran on Xvfb ($DISPLAY); screenshot of the main window: $screenshot"
