# What the CLI test scripts share; sourced after `CLI=("$@")`. Each script
# runs in a temporary folder of its own, removed at the end, so relative file
# names read the same natively and under Wine.
export WINEDEBUG=-all
passed=0
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

check() {  # check NAME EXPECTED ACTUAL
  if [[ "$2" == "$3" ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

run() {  # run ARGS...; sets out, err, status
  "${CLI[@]}" "$@" >out 2>err
  status=$?
  out=$(cat out)
  err=$(cat err)
}

finish() {
  echo "$passed passed, $failed failed"
  [[ $failed -eq 0 ]]
}
