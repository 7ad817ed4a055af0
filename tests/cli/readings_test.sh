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
check "arguments: in order, empty when there is no proposal" "東京都	とうきょうと
コンピューター	こんぴゅーたー
彁	
佐々木	ささき" "$out"
check "a word without a proposal: status 1" 1 "$status"

printf '音声認識\r\n霞ヶ関\n' >words.utf8
run readings <words.utf8
check "standard input, CR LF or LF" "音声認識	おんせいにんしき
霞ヶ関	かすみがせき" "$out"
check "every word proposed: status 0" 0 "$status"

# Shift-JIS: 東京都 in, とうきょうと out.
printf '\x93\x8c\x8b\x9e\x93\x73\n' >words.sjis
"${CLI[@]}" readings --encoding sjis <words.sjis >out.sjis 2>err
check "sjis: bytes in and out" "$(printf '\x93\x8c\x8b\x9e\x93\x73\t\x82\xc6\x82\xa4\x82\xab\x82\xe5\x82\xa4\x82\xc6')" "$(cat out.sjis)"

mkdir nothing
run readings --dictionary nothing 東京
check "no dictionary: status 2" 2 "$status"
[[ "$err" == *"looked in"*nothing* ]]; check "no dictionary: says where it looked" 0 $?
check "no dictionary: no output" "" "$out"

run readings --dictionary
check "--dictionary without a folder: status 2" 2 "$status"

run readings 東京 𠮷
check "a bad argument is named by its place" "lexiforge-cli readings: argument 2 is not valid UTF-8 or has characters Shift-JIS cannot hold" "$err"

# Debian's dictionary with one byte of unk.dic changed (a crash once), then
# char.bin a FIFO (a wait for ever once): refused by name, status 2.
mkdir damaged
for f in /var/lib/mecab/dic/ipadic-utf8/*; do ln -s "$f" damaged/; done
rm damaged/unk.dic
{ head -c 1027 /var/lib/mecab/dic/ipadic-utf8/unk.dic; printf '\x80'; tail -c +1029 /var/lib/mecab/dic/ipadic-utf8/unk.dic; } >damaged/unk.dic
run readings --dictionary damaged 東京
check "a damaged unk.dic: status 2" 2 "$status"
[[ "$err" == *"unk.dic: it is damaged" && "$err" != *.cpp* ]]; check "a damaged unk.dic: named, in our words: $err" 0 $?
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
[[ "$err" == *"1 proposal(s) not taken"* ]]; check "save --fill-readings: says so" 0 $?
run show long.txt
check "save --fill-readings: every row is written" "独立行政法人情報処理推進機構		
東京都	とうきょうと	$baseform" "$(head -2 out)"

run pool --fill-readings -o filled.ppl list.txt
check "pool --fill-readings: the row without a proposal cannot be written" 1 "$status"
run show filled.ppl
check "pool --fill-readings: the filled row is written" "東京都	とうきょうと	$baseform
音声	おと	o t o" "$out"

finish
