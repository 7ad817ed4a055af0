#!/usr/bin/env bash
# lexiforge.exe as a user meets it: started under Wine on a word list, driven
# from outside with keys and clicks (xdotool), checked by its window titles,
# its dialogs, the file it saves and its exit code, and photographed. Prints
# the folder with the screenshots (main window, sorted list, context menu,
# entry dialog, About, closing question).
#
# usage: end_to_end_test.sh LEXIFORGE_EXE WORD_LIST
# Sets up Wine itself (scripts/wine-env.sh). LEXIFORGE_SCREENSHOTS names the
# folder for the screenshots (default: a new folder under /tmp).
set -u
exe=$1
words=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/wine-env.sh
. "$here/../../scripts/wine-env.sh" || exit 1

shots=${LEXIFORGE_SCREENSHOTS:-$(mktemp -d /tmp/lexiforge-screenshots.XXXXXX)}
mkdir -p "$shots"
passed=0
failed=0
program=

check() {  # check NAME EXPECTED ACTUAL
  if [[ "$2" == "$3" ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}

finish() {
  [[ -n "$program" ]] && kill "$program" 2>/dev/null
  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  # A bare exit here would end with the status of the command before the
  # trap, and a failed check would pass.
  exit $((failed > 0))
}
trap finish EXIT

# The id of a visible window whose whole title is $1 (titles hold regular
# expression characters, so they are compared here, not searched for).
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    if [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$1" ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# Waits up to $2 seconds (default 10) for a window titled $1; prints its id.
window_named() {
  local tries=0
  while ((tries++ < ${2:-10} * 10)); do
    find_window "$1" && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s until no window is titled $1.
window_gone() {
  local tries=0
  while ((tries++ < 100)); do
    find_window "$1" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

shot() { sleep 0.5; import -window root "$shots/$1.png"; }

# Keys go to whichever window of the program is active, as typed ones do.
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }

# Positions inside the main window (its frame drawn by Wine, no window
# manager): the list's header, and its first and second rows.
header_word=(60 50)
row_1=(60 70)
row_2=(60 87)

work=$(mktemp -d)
cp "$words" "$work/first.txt"
cp "$words" "$work/second.txt"
first=$(winepath -w "$work/first.txt")
second=$(winepath -w "$work/second.txt")

wine "$exe" "$first" &
program=$!
# Wine's start alone can take several seconds on a busy machine.
main=$(window_named "$first - Corvane Lexiforge" 30) || { check "started on the word list" found missing; exit; }
check "title of the word list named on the command line" "$first - Corvane Lexiforge" "$(xdotool getwindowname "$main")"
shot main-window

# A click on the header "単語" sorts by the word.
xdotool mousemove --window "$main" "${header_word[@]}" click 1
shot sorted
check "the header click changes the list" yes "$(cmp -s "$shots/main-window.png" "$shots/sorted.png" && echo no || echo yes)"

# A right click on a row opens the context menu at the pointer; Esc closes it.
xdotool mousemove --window "$main" "${row_1[@]}" click 3
shot context-menu
keys Escape

# Ins opens the entry dialog on the selected row: type a word and a reading,
# generate the baseform, press "追加" (Tab to it) and close with Esc.
xdotool mousemove --window "$main" "${row_2[@]}" click 1
keys Insert
window_named "単語の修正/追加" >/dev/null || check "Ins opens the entry dialog" found missing
type_text "試験"
keys Tab
type_text "しけん"
keys Tab space  # the generate button
keys Tab Tab Tab  # baseform box, "修正", "追加"
shot entry-dialog
keys space Escape
window_gone "単語の修正/追加" || check "Esc closes the entry dialog" closed open

# Enter opens it on the selected row; Enter there confirms ("修正").
keys Return
window_named "単語の修正/追加" >/dev/null || check "Enter opens the entry dialog" found missing
keys Return
window_gone "単語の修正/追加" || check "Enter confirms the entry dialog" closed open

# Del deletes the selected row without a question.
keys Delete
check "Del asks nothing" "" "$(find_window "Corvane Lexiforge")"

# About from the Help menu; Esc closes it.
keys alt+h a
window_named "Lexiforgeのﾊﾞｰｼﾞｮﾝ情報" >/dev/null || check "the About dialog opens" found missing
shot about
keys Escape
window_gone "Lexiforgeのﾊﾞｰｼﾞｮﾝ情報" || check "Esc closes About" closed open

# Ctrl+O: the open dialog takes a path; the window is then named after it.
keys ctrl+o
window_named "開く" >/dev/null || check "Ctrl+O opens the open dialog" found missing
keys ctrl+a
type_text "$second"
keys Return
check "Open names the window after the file" "$second - Corvane Lexiforge" \
  "$(window_named "$second - Corvane Lexiforge" >/dev/null && xdotool getwindowname "$main")"

# Ctrl+S writes the current file in place without a dialog: each row now
# carries the baseform generated when the file was read, each line ends in
# CR LF.
keys ctrl+s
# (Bytes, not the locale's characters: the file is Shift-JIS.)
check "Ctrl+S writes every row with its baseform" "$(wc -l <"$words")" \
  "$(LC_ALL=C grep -c $'^[^\t]*\t[^\t]*\t[^\t]*\r$' "$work/second.txt")"

# Alt+F4 asks; No keeps the program, Yes ends it with exit code 0.
keys alt+F4
window_named "Corvane Lexiforge" >/dev/null || check "Alt+F4 asks before closing" found missing
shot closing-question
keys n
sleep 0.5
check "No keeps the window" yes "$(xdotool getwindowname "$main" >/dev/null 2>&1 && echo yes || echo no)"
keys alt+F4
window_named "Corvane Lexiforge" >/dev/null || check "Alt+F4 asks again" found missing
keys y
wait "$program"
check "Yes ends the program with exit code 0" 0 "$?"
program=
rm -rf "$work"
