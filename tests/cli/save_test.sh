#!/usr/bin/env bash
# lexiforge-cli save and pool: what is written reads back the same, rows that
# cannot be written are named and left out (or, with --strict, nothing is
# written), and a failed write leaves the old file.
# usage: save_test.sh COMMAND... (the CLI, natively or through wine)
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Shift-JIS input: a row with everything, one with a reading whose baseform
# is generated, one with a reading the conversion marks with "*", a word alone.
printf '\x92\x50\x8c\xea\t\x82\xbd\x82\xf1\x82\xb2\tt a _n g o\r\n' >in.txt   # 単語 たんご
printf '\x95\x5c\t\x82\xd0\x82\xe5\x82\xa4\n' >>in.txt                        # 表 ひょう
printf 'kai\t\x82\xa9\x82\xa1\n' >>in.txt                                      # かぃ -> k a *
printf 'alone\n' >>in.txt
run show in.txt
shown=$out

run save -o saved.txt in.txt
check "save: status" 0 "$status"
run show saved.txt
check "save: reads back the same rows" "$shown" "$out"
check "save: placeholders and CR LF" "$(printf 'alone\r\n')" "$(tail -n 1 saved.txt)"

run pool -o saved.ppl in.txt
check "pool: a row with \"*\" is left out: status" 1 "$status"
[[ "$err" == *"row 3 (kai)"* && "$err" == *"left out"* ]]; check "pool: the row is named" 0 $?
[[ "$err" == *"row 4 (alone)"* ]]; check "pool: a row without baseform is named" 0 $?
run show saved.ppl
check "pool: the other rows read back" "$(sed -n 1,2p <<<"$shown")" "$out"

printf 'old' >kept.ppl
run pool --strict -o kept.ppl in.txt
check "--strict: status" 1 "$status"
check "--strict: nothing written" "old" "$(cat kept.ppl)"

run save -o "no such folder/out.txt" in.txt
check "unwritable folder: status" 1 "$status"
[[ "$err" == *"no such folder/out.txt"* ]]; check "unwritable folder: named" 0 $?
mkdir folder
run save -o folder in.txt
check "a folder is not replaced" 1 "$status"
check "no temporary file left" "folder in.txt kept.ppl saved.ppl saved.txt" "$(ls -A | grep -v -e '^out$' -e '^err$' | tr '\n' ' ' | sed 's/ $//')"

# UTF-8 in and out, and katakana readings folded: a UTF-8 list (with a byte
# order mark, CR LF) gives the rows of its Shift-JIS twin; --fold-katakana
# makes katakana readings hiragana and an empty baseform from them, and
# leaves a baseform the row has; save --output-encoding utf-8 writes UTF-8
# that reads back the same.
printf '\xef\xbb\xbf東京\tトウキョウ\r\nカ\tカ\tk a\r\n単語\tたんご\r\n' >utf8.txt
printf '\x93\x8c\x8b\x9e\t\x83\x67\x83\x45\x83\x4c\x83\x87\x83\x45\r\n\x83\x4a\t\x83\x4a\tk a\r\n\x92\x50\x8c\xea\t\x82\xbd\x82\xf1\x82\xb2\r\n' >twin.txt
run show twin.txt
twin=$out
run show utf8.txt
check "UTF-8 with BOM, CR LF: the rows of the Shift-JIS twin" "$twin" "$out"
run show --fold-katakana utf8.txt
check "--fold-katakana" "東京	とうきょう	t o u ky o u
カ	か	k a
単語	たんご	t a _n g o" "$out"
[[ "$err" == *"folded into hiragana in 2 row(s)"* ]]; check "--fold-katakana: the count on stderr" 0 $?
run save --output-encoding utf-8 -o out-utf8.txt utf8.txt
check "save --output-encoding utf-8: UTF-8, CR LF" "$(printf '東京\tトウキョウ\t?\r')" "$(head -n 1 out-utf8.txt)"
run show out-utf8.txt
check "save --output-encoding utf-8: reads back the same" "$twin" "$out"

finish
