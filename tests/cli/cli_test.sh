#!/usr/bin/env bash
# lexiforge-cli convert, driven as a user would: arguments, standard input,
# encodings, exit statuses and what goes to standard error.
# usage: cli_test.sh COMMAND... (the CLI, e.g. build/native/cli/lexiforge-cli,
#        or "wine build/windows/cli/lexiforge-cli.exe")
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

run convert きゃー らーめん
check "arguments" $'きゃー\tky a a:\t1\nらーめん\tr a a: m e _n\t1' "$out"
check "all converted: status 0" 0 "$status"

run convert かぃ
check "incomplete" $'かぃ\tk a *\t0' "$out"
check "incomplete: status 1" 1 "$status"

printf 'がっき\r\n\nカタカナ\nっ' >"$work/in"
run convert <"$work/in"
check "stdin, CR LF, empty line, last line without LF" \
  $'がっき\tg a Qky i\t1\n\t\t-1\nカタカナ\t\t-2\nっ\t*\t0' "$out"
check "stdin: status 1" 1 "$status"

run convert </dev/null
check "no input: nothing printed" "" "$out"
check "no input: status 0" 0 "$status"

printf '\x82\xa9\x82\xc1\x82\xcf\n' >"$work/in"
run convert --encoding sjis <"$work/in"
check "sjis passes bytes through" "$(printf '\x82\xa9\x82\xc1\x82\xcf\tk a Qp a\t1')" "$out"

printf 'きゃー\n\xff\xfe\nかっぱ\n' >"$work/in"
run convert --encoding=utf-8 <"$work/in"
check "invalid UTF-8: other lines still converted" $'きゃー\tky a a:\t1\nかっぱ\tk a Qp a\t1' "$out"
check "invalid UTF-8: status 1" 1 "$status"
[[ "$err" == *"line 2"* ]]; check "invalid UTF-8: line number on stderr" 0 $?

printf 'か😀\n' >"$work/in"
run convert <"$work/in"
check "character Shift-JIS cannot hold: no output line" "" "$out"
[[ "$err" == *"line 1"* ]]; check "character Shift-JIS cannot hold: reported" 0 $?

long=$(printf 'し%.0s' {1..120})
run convert "$long"
baseform=$(cut -f2 <<<"$out")
check "long reading: baseform cut to whole symbols within 255 bytes" 254 "${#baseform}"
check "long reading: result" 1 "$(cut -f3 <<<"$out")"

run convert --help
[[ "$out" == *"255 bytes"* ]]; check "--help explains long readings" 0 $?

# Every command's manners: --help on standard output with status 0,
# --version likewise, and a usage error as one line on standard error that
# names the problem and where help is, with status 2 and nothing on
# standard output.
usage_cases=(
  "convert|--encoding latin1 か|--encoding"
  "convert|--frobnicate|unknown option --frobnicate"
  "readings|--dictionary|--dictionary needs a folder"
  "show||no FILE given"
  "show|--input-encoding latin1 x.txt|--input-encoding"
  "save|x.txt|no output file"
  "save|--output-encoding latin1 -o y.txt x.txt|--output-encoding"
  "pool|-o a.ppl -o b.ppl x.txt|only one output file"
  "pool|--output-encoding utf-8 -o a.ppl x.txt|unknown option --output-encoding"
)
for case in "${usage_cases[@]}"; do
  IFS='|' read -r command args problem <<<"$case"
  # shellcheck disable=SC2086
  run "$command" $args
  check "$command $args: status 2" 2 "$status"
  check "$command $args: one line" "1 0" "$(wc -l <err) ${#out}"
  [[ "$err" == *"$problem"*"Try 'lexiforge-cli $command --help'"* ]]
  check "$command $args: names the problem and where help is" 0 $?
done
for command in convert readings show save pool julius; do
  run "$command" --help
  check "$command --help: status 0, usage on stdout only" "0 usage 0" "$status ${out:0:5} ${#err}"
  run "$command" --version
  check "$command --version" "0 lexiforge-cli" "$status ${out% *}"
done
run
check "no command: status 2, one line" "2 1" "$status $(wc -l <err)"
run --version
check "--version alone" "0 lexiforge-cli" "$status ${out% *}"

finish
