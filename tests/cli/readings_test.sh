#!/usr/bin/env bash
# lexiforge-cli readings and --fill-readings, with the dictionaries Debian
# installs (mecab-ipadic-utf8, skkdic): words from arguments and from
# standard input, both encodings, words without a proposal, a folder with no
# dictionary, exit statuses.
# usage: readings_test.sh COMMAND... (the CLI, natively or through wine)
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

run readings 東京都 コンピューター 彁 佐々木
check "arguments: in order, \"?\" when there is no proposal" "東京都	とうきょうと
コンピューター	こんぴゅーたー
彁	?
佐々木	ささき" "$out"
check "a word without a proposal: status 1" 1 "$status"

printf '\xef\xbb\xbf音声認識\r\n霞ヶ関\n' >words.utf8
run readings <words.utf8
check "standard input, CR LF or LF, byte order mark skipped" "音声認識	おんせいにんしき
霞ヶ関	かすみがせき" "$out"
check "every word proposed: status 0" 0 "$status"

# Shift-JIS: 東京都 in, とうきょうと out.
printf '\x93\x8c\x8b\x9e\x93\x73\n' >words.sjis
"${CLI[@]}" readings --encoding sjis <words.sjis >out.sjis 2>err
check "sjis: bytes in and out" "$(printf '\x93\x8c\x8b\x9e\x93\x73\t\x82\xc6\x82\xa4\x82\xab\x82\xe5\x82\xa4\x82\xc6')" "$(cat out.sjis)"

run readings --all 日本 彁 ﾃﾚﾋﾞ ２４時間
check "--all: one line per word" 4 "$(printf '%s\n' "$out" | wc -l)"
japan=$(printf '%s\n' "$out" | head -1)
[[ "$japan" == 日本$'\t'* && "$japan" == *$'\t'にほん* && "$japan" == *$'\t'にっぽん* ]]
check "--all: the word's readings tab-separated" 0 $?
check "--all: at most five" 1 "$(printf '%s\n' "$out" | awk -F'\t' 'NF > 6' | wc -l | awk '{print ($1 == 0)}')"
check "--all: no proposal marked; kana and figures read whole" "彁	?
ﾃﾚﾋﾞ	てれび
２４時間	にじゅうよじかん" "$(printf '%s\n' "$out" | tail -3 | cut -f1,2)"

mkdir nothing
run readings --dictionary nothing 東京
check "no dictionary: status 2" 2 "$status"
[[ "$err" == *"looked in"*nothing* ]]; check "no dictionary: says where it looked" 0 $?
check "no dictionary: no output" "" "$out"

run readings --dictionary
check "--dictionary without a folder: status 2" 2 "$status"

run readings 東京 𠮷
check "a bad argument is named by its place" "lexiforge-cli readings: argument 2 is not valid UTF-8 or has characters Shift-JIS cannot hold" "${err%$'\r'}"

# Debian's dictionary with one byte of unk.dic changed (a crash once), then
# char.bin a FIFO (a wait for ever once): refused by name, status 2.
mkdir damaged
for f in /var/lib/mecab/dic/ipadic-utf8/*; do ln -s "$f" damaged/; done
rm damaged/unk.dic
{ head -c 1027 /var/lib/mecab/dic/ipadic-utf8/unk.dic; printf '\x80'; tail -c +1029 /var/lib/mecab/dic/ipadic-utf8/unk.dic; } >damaged/unk.dic
run readings --dictionary damaged 東京
check "a damaged unk.dic: status 2" 2 "$status"
[[ "$err" == *"unk.dic: it is damaged"* && "$err" != *.cpp* ]]; check "a damaged unk.dic: named, in our words: $err" 0 $?
rm damaged/unk.dic damaged/char.bin
ln -s /var/lib/mecab/dic/ipadic-utf8/unk.dic damaged/
mkfifo damaged/char.bin
timeout 60 "${CLI[@]}" readings --dictionary damaged 東京 >out 2>err
check "char.bin a FIFO: status 2, at once" 2 $?
[[ "$(cat err)" == *char.bin* ]]; check "char.bin a FIFO: named" 0 $?

# A word list with and without readings: 東京都 / 音声 with its own reading /
# 彁 that nobody reads.
printf '\x93\x8c\x8b\x9e\x93\x73\n\x89\xb9\x90\xba\t\x82\xa8\x82\xc6\n\x9c\x5a\n' >list.txt
run show --fill-readings list.txt
baseform=$("${CLI[@]}" convert とうきょうと | cut -f2)
check "show --fill-readings: reading and baseform for the row without one" "東京都	とうきょうと	$baseform
音声	おと	o t o
彁		" "$out"
[[ "$err" == *"1 row(s)"*"1 word(s) without a proposal"* ]]; check "show --fill-readings: counts on stderr" 0 $?
check "show --fill-readings: status 0" 0 "$status"

run save --fill-readings -o filled.txt list.txt
check "save --fill-readings: status 0" 0 "$status"
run show filled.txt
check "save --fill-readings: the file holds the reading" "東京都	とうきょうと	$baseform" "$(head -1 out)"

# A proposal whose baseform would not fit a text word list's field (89
# bytes): the row stays as it was and is written, as plain save writes it.
printf '\x93\xc6\x97\xa7\x8d\x73\x90\xad\x96\x40\x90\x6c\x8f\xee\x95\xf1\x8f\x88\x97\x9d\x90\x84\x90\x69\x8b\x40\x8d\x5c\n' >long.txt
cat list.txt >>long.txt
run save --fill-readings -o long.txt long.txt
check "save --fill-readings: a proposal too long for the file is not taken" 0 "$status"
[[ "$err" == *"2 word(s) without a proposal"*"1 of them because"*"would not fit"* ]]; check "save --fill-readings: says so" 0 $?
run show long.txt
check "save --fill-readings: every row is written" "独立行政法人情報処理推進機構		
東京都	とうきょうと	$baseform" "$(head -2 out)"

run pool --fill-readings -o filled.ppl list.txt
check "pool --fill-readings: the row without a proposal cannot be written" 1 "$status"
run show filled.ppl
check "pool --fill-readings: the filled row is written" "東京都	とうきょうと	$baseform
音声	おと	o t o" "$out"

# Pipelines lose nothing: every line `readings` reads is a row of the word
# list `save` writes from its output, with "?" (no reading) where there was no
# proposal, and the rows are those of `save --fill-readings`; in UTF-8 and
# through iconv to Shift-JIS alike.
printf '東京\nLinux\n' | "${CLI[@]}" readings | iconv -f utf-8 -t cp932 | "${CLI[@]}" save -o min.txt - 2>err
check "readings | iconv | save: status" 0 "$?"
run show min.txt
check "readings | iconv | save: Linux kept, without a reading" "東京	とうきょう	$("${CLI[@]}" convert とうきょう | cut -f2)
Linux		" "$out"
printf 'カナ\n\xff\n' | "${CLI[@]}" readings >out 2>err
check "a line that is not UTF-8 is named and still gets its line" "$(printf 'カナ\tかな\n\xff\t?')" "$(cat out)"
[[ "$(cat err)" == *"line 2"* ]]; check "a line that is not UTF-8 is named" 0 $?
# 20,000 words SKK lists (skipping the number entries), with words no
# dictionary reads, one whose baseform outgrows a field, and kana.
iconv -f euc-jp -t utf-8 -c /usr/share/skk/SKK-JISYO.L |
  awk -F/ '!/^;;/ && $1 !~ /[a-z] $/ && NF > 2 { w = $2; sub(/;.*/, "", w); if (w != "" && w !~ /^[(#]/) print w }' |
  awk 'NR % 6 == 0' | head -n 19995 >many.txt
printf '彁\nLinux\n国際連合難民高等弁務官事務所\nカタカナ\nｶﾀｶﾅ\n' >>many.txt
check "20,000 words" 20000 "$(wc -l <many.txt)"
# The Shift-JIS twin is the program's own: code page 932 on Windows lacks a
# few characters (U+2212, U+301C) that iconv maps.
"${CLI[@]}" save -o many.sjis many.txt 2>/dev/null
"${CLI[@]}" save --fill-readings -o filled-many.txt many.sjis 2>/dev/null
run show filled-many.txt
filled=$out
for encoding in utf-8 sjis; do
  words=many.txt
  [[ $encoding == sjis ]] && words=many.sjis
  "${CLI[@]}" readings --encoding "$encoding" <"$words" 2>/dev/null | "${CLI[@]}" save -o piped.txt - 2>/dev/null
  run show piped.txt
  check "readings | save ($encoding): a row per word" 20000 "$(wc -l <out)"
  [[ "$out" == "$filled" ]]; check "readings | save ($encoding): the rows of save --fill-readings" 0 $?
done

finish
