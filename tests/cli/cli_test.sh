#!/usr/bin/env bash
# lexiforge-cli convert, driven as a user would: arguments, standard input,
# encodings, exit statuses and what goes to standard error.
# usage: cli_test.sh COMMAND... (the CLI, e.g. build/native/cli/lexiforge-cli,
#        or "wine build/windows/cli/lexiforge-cli.exe")
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# convert: name, standard input (printf format), arguments, standard output,
# exit status, what standard error must hold ("" for anything).
convert_cases=(
  "arguments" "" "きゃー らーめん" $'きゃー\tky a a:\t1\nらーめん\tr a a: m e _n\t1' 0 ""
  "incomplete" "" "かぃ" $'かぃ\tk a *\t0' 1 ""
  "stdin, CR LF, empty line, last line without LF" 'がっき\r\n\nカタカナ\nっ' "" \
    $'がっき\tg a Qky i\t1\n\t\t-1\nカタカナ\t\t-2\nっ\t*\t0' 1 ""
  "no input: nothing printed" "" "" "" 0 ""
  "sjis passes bytes through" '\x82\xa9\x82\xc1\x82\xcf\n' "--encoding sjis" $'\x82\xa9\x82\xc1\x82\xcf\tk a Qp a\t1' 0 ""
  "invalid UTF-8: other lines still converted" 'きゃー\n\xff\xfe\nかっぱ\n' "--encoding=utf-8" \
    $'きゃー\tky a a:\t1\nかっぱ\tk a Qp a\t1' 1 "line 2"
  "character Shift-JIS cannot hold: no output line" 'か😀\n' "" "" 1 "line 1"
)
for ((i = 0; i < ${#convert_cases[@]}; i += 6)); do
  name=${convert_cases[i]}
  # shellcheck disable=SC2059
  printf "${convert_cases[i + 1]}" >"$work/in"
  # shellcheck disable=SC2086
  run convert ${convert_cases[i + 2]} <"$work/in"
  check "$name" "${convert_cases[i + 3]} ${convert_cases[i + 4]}" "$out $status"
  [[ "$err" == *"${convert_cases[i + 5]}"* ]]; check "$name: stderr holds '${convert_cases[i + 5]}'" 0 $?
done

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
  "save|-o x.txt|no FILE given"
  "save|--output= x.txt|the output file's name is empty"
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
