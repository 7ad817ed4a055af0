#!/usr/bin/env bash
# lexiforge-cli save, pool and show when things go wrong: inputs that cannot
# be read, short memory, odd outputs (devices, FIFOs, links, read-only
# files, standard output), pipes as inputs, failed writes to standard output,
# interruptions. Nothing is lost, nothing hangs, and every failure is said and
# ends with a non-zero status.
# usage: faults_test.sh COMMAND... (the CLI, natively or through wine; the
#        parts that need POSIX files, signals or ulimit run natively only)
set -u
CLI=("$@")
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

native=1
[[ "${CLI[0]}" == wine* ]] && native=0
# Under AddressSanitizer a process reserves far more address space than a
# small ulimit -v allows.
sanitized=0
grep -q __asan_init "${CLI[0]}" 2>/dev/null && sanitized=1

printf 'one\t\x82\xa0\nrow\n' >in.txt   # one あ -> a
printf 'old rows\r\n' >words.txt
leftover() { ls -A | grep -c '^\.lexiforge-'; }

# 1. An input that cannot be read: nothing is written.
for args in "save -o words.txt wrods.txt" "save --strict -o words.txt wrods.txt" \
            "save -o words.txt in.txt wrods.txt in.txt" "pool -o words.txt bad.ppl"; do
  printf 'not a pool file\n' >bad.ppl
  run $args
  check "$args: status" 1 "$status"
  check "$args: output untouched" "$(printf 'old rows\r\n')" "$(cat words.txt)"
  [[ "$err" == *"words.txt not written"* ]]; check "$args: says so" 0 $?
done
run show bad.ppl
[[ "$err" == *"bad.ppl: not a pool file"* ]]; check "a pool file whose header differs: named" 0 $?

# Option rules.
run save --output=words2.txt in.txt
check "--output=OUT: status" 0 "$status"
check "--output=OUT: written" "$(printf 'one\t\x82\xa0\ta\r\nrow\r\n')" "$(cat words2.txt)"
long=$(printf 'n%.0s' {1..251}).txt
run save -o "$long" in.txt
check "a name of 255 bytes is saved" 0 "$status"
check "a name of 255 bytes: no temporary file left" 0 "$(leftover)"

# 6. A read-only file is refused and stays as it was.
cp words.txt readonly.txt
chmod 444 readonly.txt
run save -o readonly.txt in.txt
check "read-only: status" 1 "$status"
[[ "$err" == *"readonly.txt: the file is read-only"* ]]; check "read-only: named" 0 $?
check "read-only: untouched" "$(printf 'old rows\r\n')" "$(cat readonly.txt)"

# 3. A name the system's code page cannot hold is refused, never taken for
# another file's ("café" for "cafe", "x¥y" for the folder x).
printf 'cafe\r\n' >cafe.txt
for name in café.txt 'x¥y.txt'; do
  run save -o "$name" in.txt
  check "$name as the output: status" $([[ $native == 1 ]] && echo 0 || echo 1) "$status"
done
check "cafe.txt is not written for café.txt" "$(printf 'cafe\r\n')" "$(cat cafe.txt)"
[[ ! -e x ]]; check "no folder x for x¥y.txt" 0 $?
printf 'word\n' >café-in.txt
run show café-in.txt
check "café-in.txt as an input" "$([[ $native == 1 ]] && printf 'word\t\t' || true)" "$out"

if [[ $native == 1 ]]; then
  # The system's reason.
  run show /proc/self/mem
  check "an unreadable file: status" 1 "$status"
  [[ "$err" == *"cannot be read: Input/output error"* ]]; check "an unreadable file: the system's reason" 0 $?
  run save -o nofolder/x.txt in.txt
  [[ "$err" == *"No such file or directory"* ]]; check "a missing folder: the system's reason" 0 $?

  # 5. Links are followed: the target is replaced, the link stays a link.
  printf 'old\r\n' >target.txt
  ln -s target.txt link.txt
  run save -o link.txt in.txt
  check "a link: status" 0 "$status"
  [[ -L link.txt ]]; check "a link stays a link" 0 $?
  check "a link: its target is replaced" "$(printf 'one\t\x82\xa0\ta\r\nrow\r\n')" "$(cat target.txt)"
  ln -s made.txt dangling.txt
  run save -o dangling.txt in.txt
  check "a dangling link: its target is made" "$(printf 'one\t\x82\xa0\ta\r\nrow\r\n')" "$(cat made.txt 2>/dev/null)"
  check "links: no temporary file left" 0 "$(leftover)"

  # 4. Devices, FIFOs and standard output are written into, never replaced.
  run save -o - in.txt
  check "-o -: standard output" "$(printf 'one\t\x82\xa0\ta\r\nrow\r')" "$out"
  run pool -o /dev/full in.txt
  check "a full device: status" 1 "$status"
  [[ "$err" == *"No space left on device"* ]]; check "a full device: the reason" 0 $?
  mkfifo out.fifo
  timeout 10 sh -c 'cat out.fifo >from-fifo.txt' &
  reader=$!
  run save -o out.fifo in.txt
  wait $reader
  check "a FIFO with a reader: status" 0 "$status"
  [[ -p out.fifo ]]; check "a FIFO stays a FIFO" 0 $?
  check "a FIFO: the reader gets the rows" "$(printf 'one\t\x82\xa0\ta\r\nrow\r\n')" "$(cat from-fifo.txt)"
  if [[ $(id -u) == 0 ]]; then
    mknod null.dev c 1 3
    run save -o null.dev in.txt
    check "a device node: status" 0 "$status"
    [[ -c null.dev ]]; check "a device node stays one" 0 $?
    printf 'old\r\n' >owned.txt
    chown 65534:65534 owned.txt
    run save -o owned.txt in.txt
    check "owner and group kept" "65534:65534" "$(stat -c %u:%g owned.txt)"
  else
    echo "skipped: device nodes and owners need root"
  fi

  # 7. Pipes as inputs: read to their end; nothing waits for a writer.
  run pool -o in.ppl in.txt
  mkfifo in.fifo.ppl
  timeout 10 sh -c 'cat in.ppl >in.fifo.ppl' &
  run show in.fifo.ppl
  check "a pool file through a FIFO" "$(printf 'one\t\xe3\x81\x82\ta')" "$(sed -n 1p out)"
  printf '\x14\0\0\0' >g.fsg; head -c 12 /dev/zero >>g.fsg; printf '\0\0\0\0' >>g.fsg; head -c 12 /dev/zero >>g.fsg
  printf '\0\0\0\0w1\0w2\0' >>g.fsg
  run show - <in.txt
  check "standard input as a text word list" "$(printf 'one\t\xe3\x81\x82\ta\nrow\t\t')" "$out"
  cp g.fsg pipe.fsg
  run show pipe.fsg
  expected=$out
  rm pipe.fsg; mkfifo pipe.fsg
  timeout 10 sh -c 'cat g.fsg >pipe.fsg' &
  run show pipe.fsg
  check "a grammar file through a FIFO" "$expected" "$out"

  # 8. Failed writes to standard output and failed reads of standard input.
  "${CLI[@]}" show in.txt >/dev/full 2>err
  check "show into a full device: status" 1 $?
  grep -q "No space left on device" err; check "show into a full device: said" 0 $?
  "${CLI[@]}" show in.txt >&- 2>err
  check "show with standard output closed: status" 1 $?
  "${CLI[@]}" convert </tmp >out 2>err
  check "convert from a folder: status" 1 $?
  [[ -s err ]]; check "convert from a folder: said" 0 $?

  # 9. A file-size limit in the middle of a save: a message, no temporary file.
  for i in $(seq 200); do printf 'word%d\t\x82\xa0\n' "$i"; done >many.txt
  cp words.txt limited.txt
  (ulimit -f 1; "${CLI[@]}" save -o limited.txt many.txt >out 2>err)
  check "a file-size limit: status" 1 $?
  [[ -s err ]]; check "a file-size limit: said" 0 $?
  check "a file-size limit: untouched" "$(printf 'old rows\r\n')" "$(cat limited.txt)"
  check "a file-size limit: no temporary file left" 0 "$(leftover)"
  # Interruptions at any moment of a long save leave no temporary file.
  for i in $(seq 300000); do echo "w$i"; done >big.txt
  for delay in 0.05 0.2 0.4; do
    "${CLI[@]}" save -o interrupted.txt big.txt big.txt >/dev/null 2>&1 &
    sleep $delay
    kill -TERM $! 2>/dev/null
    wait $! 2>/dev/null
    check "SIGTERM after ${delay}s: no temporary file left" 0 "$(leftover)"
  done

  # 2. Short memory: every row written, or the failure said, exit 1 and the
  # output untouched; never rows silently dropped. The smaller limit leaves
  # no room for the table.
  if [[ $sanitized == 0 ]]; then
    for i in $(seq 200000); do printf 'word%d\t\x82\xa0\x82\xa2\x82\xa4\n' "$i"; done >v-before.txt
    failures=0
    for limit in 30000 12000; do
      cp v-before.txt v.txt
      (ulimit -v $limit; "${CLI[@]}" save -o v.txt v.txt >out 2>err)
      status=$?
      if [[ $status == 0 ]]; then
        check "short memory ($limit KiB): every row written" 200000 "$(wc -l <v.txt)"
      else
        failures=$((failures + 1))
        check "short memory ($limit KiB): status" 1 "$status"
        grep -q "not enough memory to read it" err; check "short memory ($limit KiB): said" 0 $?
        cmp -s v.txt v-before.txt; check "short memory ($limit KiB): the output untouched" 0 $?
      fi
    done
    [[ $failures -gt 0 ]]; check "short memory: the failure was met" 0 $?
    "${CLI[@]}" pool -o v.ppl v-before.txt 2>/dev/null
    (ulimit -v 12000; "${CLI[@]}" show v.ppl >out 2>err)
    check "short memory, a large pool file: status" 1 $?
    grep -q "not enough memory" err; check "short memory, a large pool file: said" 0 $?
  fi
else
  echo "skipped: POSIX files, signals and ulimit (natively only)"
fi

finish
