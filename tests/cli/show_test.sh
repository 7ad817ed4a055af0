#!/usr/bin/env bash
# lexiforge-cli show, driven as a user would: files of each kind read into one
# table, fields printed whole and escaped, both encodings, files that cannot
# be read, exit statuses.
# usage: show_test.sh COMMAND... (the CLI, e.g. build/native/cli/lexiforge-cli,
#        or "wine build/windows/cli/lexiforge-cli.exe")
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Shift-JIS: かっぱ, then 単語 and きゃー with the codes of "ky a a:".
printf '\x82\xa9\x82\xc1\x82\xcf\t\x82\xa9\x82\xc1\x82\xcf\r\nW\t?\tk a\n' >words.txt
printf '\x00\x31\x2e\x4a\x61\x5f\x4a\x50\x52\x00\x92\x50\x8c\xea\x00\x82\xab\x82\xe1\x81\x5b\x00\x27\x15\x16\x00' >words.ppl
# V0 = 243, V16 = 0, V32 = 32: a block of 207 bytes right behind the values,
# holding a 200-byte word and one with control bytes in it.
g200=$(printf 'g%.0s' {1..200})
{
  printf '\xf3\x00\x00\x00%012d\x00\x00\x00\x00%012d\x20\x00\x00\x00' 0 0
  printf '%s\x00a\x01\t\x7fb\x00' "$g200"
} >words.fsg
# Not valid Shift-JIS: 0xFF, an unassigned pair 0x85 0x40, a lead byte at
# the end; a half-width katakana ｱ between them is.
printf '\xff\x85\x40\xb1x\x82\n' >bad.txt

run show words.txt words.ppl words.fsg bad.txt
check "one table in file order, fields whole, escapes" \
  "かっぱ	かっぱ	k a Qp a
W		k a
単語	きゃー	ky a a:
$g200		
a\\x01\\x09\\x7Fb		
\\xFF\\x85\\x40ｱx\\x82		" "$out"
check "all read: status 0" 0 "$status"
check "all read: nothing on stderr" "" "$err"

# A lead byte followed by a byte that ends no pair (a space, "?") or by the
# field's end is escaped alone; the byte after it is a character of its own.
printf '\x81 \x88?\x82\t\x82\xa0\n' >lone-lead.txt
run show lone-lead.txt
check "a lead byte without a trail byte escaped alone" "\\x81 \\x88?\\x82	あ	a" "$out"

run show --encoding sjis bad.txt words.fsg
check "sjis: bytes as they are, control bytes escaped" \
  "$(printf '\xff\x85\x40\xb1x\x82\t\t\n%s\t\t\na\\x01\\x09\\x7Fb\t\t' "$g200")" "$out"

# The ends of the two lead-byte ranges, 0x81 to 0x9F and 0xE0 to 0xFC, each
# with the trail byte 0x40 (　 檗 漾 髜), and the bytes just outside them:
# 0x80, 0xA0 and 0xFD begin no character and are escaped, 0xDF is the
# half-width katakana ﾟ; the byte after each is a character of its own.
printf '\x81\x40\n\x9f\x40\n\xe0\x40\n\xfc\x40\n\x80x\n\xa0x\n\xdf@\n\xfd@\n' >edges.txt
run show edges.txt
check "lead bytes at the ends of their ranges and just outside" "　		
檗		
漾		
髜		
\\x80x		
\\xA0x		
ﾟ@		
\\xFD@		" "$out"

printf 'not a pool\n' >fake.ppl
printf '\x01\x31\x2e\x4a\x61\x5f\x4a\x50\x52\x00a\x00b\x00\x15\x00' >off-by-one.ppl
printf 'x\n' >upper.PPL
run show missing.txt fake.ppl words.txt off-by-one.ppl upper.PPL
check "unreadable files skipped, the others read" "かっぱ	かっぱ	k a Qp a
W		k a
x		" "$out"
check "unreadable files: status 1" 1 "$status"
[[ "$err" == *missing.txt*"cannot be opened"* ]]; check "missing file named on stderr" 0 $?
[[ "$err" == *fake.ppl*"pool file header"* ]]; check "header mismatch named on stderr" 0 $?
[[ "$err" == *off-by-one.ppl*"pool file header"* ]]; check "header off by one byte" 0 $?
check "one line per unreadable file" 3 "$(wc -l <err)"

run help
[[ "$out" == *show* ]]; check "show listed in the usage" 0 $?

finish
