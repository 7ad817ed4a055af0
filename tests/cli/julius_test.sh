#!/usr/bin/env bash
# lexiforge-cli julius on the samples and on 100,000 real rows: every line
# is WORD<TAB>[WORD]<TAB>PHONEMES with phonemes of Julius's Japanese set, one
# line per written row in table order, every other row named; then Julius
# itself loads each dictionary and reports no error. Where the Julius folder
# is absent the loading is skipped, and said so.
# usage: julius_test.sh JULIUS_FOLDER SAMPLES_FOLDER GENERATE_DATA_SCRIPT COMMAND...
set -u
JULIUS=$(realpath -m "$1")
SAMPLES=$(realpath "$2")
GENERATE=$(realpath "$3")
shift 3
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Julius (its words numbered in 16 bits) loads at most this many words at once.
max_words=65534
phoneme='(a|i|u|e|o|a:|i:|u:|e:|o:|N|q|k|ky|s|sh|t|ch|ts|n|ny|h|hy|f|m|my|y|r|ry|w|g|gy|z|j|d|dy|b|by|p|py)'

# check_dictionary NAME DICT FILE...: DICT was written from the FILEs.
check_dictionary() {
  local name=$1 dict=$2
  shift 2
  # Under Wine the messages and the rows shown end in CR LF.
  run show "$@"
  local shown=${out//$'\r'/}
  run julius -o "$dict" "$@"
  err=${err//$'\r'/}
  named=$(sed -n 's/^lexiforge-cli julius: row \([0-9]*\) (.*): .*; left out$/\1/p' <<<"$err")
  check "$name: status" "$([[ -n "$named" ]] && echo 1 || echo 0)" "$status"
  check "$name: every other message names a row" "$(grep -vc -e ': note: ' -e '^$' <<<"$err")" "$(grep -c . <<<"$named")"
  local bad
  bad=$(LC_ALL=C awk -F'\t' -v p="^$phoneme( $phoneme)*\$" 'NF != 3 || $2 != "[" $1 "]" || $3 !~ p || $1 ~ / /' "$dict" | head -3)
  check "$name: lines of word, [word] and Julius phonemes" "" "$bad"
  local expected
  expected=$(awk -F'\t' -v named="$named" 'BEGIN { n = split(named, rows, "\n"); for (i = 1; i <= n; ++i) skip[rows[i]] = 1 }
                                           !(NR in skip) { print $1 }' <<<"$shown")
  check "$name: one line per row not named, in order" "$expected" "$(cut -f1 "$dict")"
}

check_dictionary "samples" samples.dict "$SAMPLES/sample-words.txt" "$SAMPLES/words-without-readings.txt"
[[ $(wc -l <samples.dict) -ge 40 ]]; check "samples: most rows written" 0 $?

if python3 "$GENERATE" data --lines 100000 >/dev/null 2>generate.err; then
  check_dictionary "100,000 real rows" real.dict data/words.txt
  check "100,000 real rows: written or named" 100000 $(($(wc -l <real.dict) + $(grep -c . <<<"$named")))
  [[ "$err" == *"note: real.dict holds $(wc -l <real.dict) words; Julius loads at most $max_words"* ]]
  check "100,000 real rows: the user hears that Julius loads fewer" 0 $?
else
  check "real rows generated (skkdic, mecab-ipadic)" "" "$(cat generate.err)"
fi

if [[ ! -x "$JULIUS/julius" ]]; then
  echo "SKIPPED: loading into Julius: no Julius at $JULIUS (see its README.md)"
  finish || exit 1
  exit 77
fi
split -l "$max_words" real.dict real-part.
for dict in samples.dict real-part.*; do
  "$JULIUS/julius" -h "$JULIUS/hmmdefs_monof_mix16_gid.binhmm" -w "$dict" -wsil silB silE sp \
    -input rawfile -filelist /dev/null >julius.log 2>&1
  check "Julius loads $dict: status" 0 $?
  # It may say so only in its log, with a status of 0.
  check "Julius loads $dict: no error" "" "$(grep -i -m 5 'error' julius.log)"
  words=$(sed -n 's/^Stat: init_wordlist: read \([0-9]*\) words$/\1/p' julius.log)
  check "Julius loads $dict: every word" "$(wc -l <"$dict")" "$words"
done
finish
