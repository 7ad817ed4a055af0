#!/usr/bin/env python3
"""Exact-match share of reading proposals on a gold list made from UniDic.

The gold list comes from UniDic (Debian unidic-mecab), which is also one of
the proposer's sources (the table in dic/unidic-readings.txt): the figures
"with UniDic" are therefore not independent ones. The proposer runs a second
time with a table from which every gold word has been removed ("gold words
held out"), which shows what it makes of words it must put together. The
gold list: common nouns written in kanji alone (2 to 6 characters, code page 932)
in their standard spelling (the spelling of UniDic's lemma: no old kanji
forms, no okurigana left out), whose every UniDic entry gives the same reading.
Left out, as their readings are not settled: proper nouns (names read many
ways) and words UniDic marks as foreign (kanji written for a loanword, such
as a country's name or a Chinese word read the Chinese way).
"common": words of first-level JIS kanji only, the N met most often as a
whole run of kanji in the Japanese manual pages (Debian manpages-ja), a text
that neither source was made from (UniDic's word costs are no frequency: they
rank rare literary words high); "rare": N drawn at random from words with a
second-level kanji.
Each word is proposed by the proposer (MeCab with the IPA dictionary,
SKK-JISYO.L and UniDic's table; its first reading, and whether the gold one
is among all it lists), by MeCab alone, and by KAKASI (kakasi -JH -KH).

usage: bench/reading_accuracy.py [--misses] BUILD_DIR [N]
       (--misses: also lists each word held out whose first proposal is
       wrong: WORD, gold reading, first proposal, the other candidates)
       (needs unidic-mecab, manpages-ja, kakasi)
"""
import collections
import glob
import gzip
import os
import re
import random
import subprocess
import sys
import tempfile

LEX = "/usr/share/mecab/dic/unidic/lex_3_1.csv"
MANUALS = "/usr/share/man/ja"
KANJI_RUN = re.compile("[\u4e00-\u9fff\u3005]+")


def is_kanji_word(text):
    return 2 <= len(text) <= 6 and all("\u4e00" <= c <= "\u9fff" or c == "\u3005" for c in text)


def all_first_level(word):
    # First-level JIS kanji: Shift-JIS 0x889F to 0x9872 (and 々).
    sjis = word.encode("cp932")
    return all(0x889F <= (sjis[i] << 8 | sjis[i + 1]) <= 0x9872 or sjis[i:i + 2] == b"\x81\x58"
               for i in range(0, len(sjis), 2))


def hiragana(katakana):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in katakana)


def manual_frequencies():
    runs = collections.Counter()
    for path in glob.glob(os.path.join(MANUALS, "man*", "*.gz")):
        with gzip.open(path) as f:
            runs.update(KANJI_RUN.findall(f.read().decode("utf-8", errors="replace")))
    return runs


def gold_lists(n):
    readings = collections.defaultdict(set)
    nouns = set()
    unsettled = set()
    with open(LEX, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(",")
            if len(fields) < 25:
                continue
            surface = fields[0]
            if not is_kanji_word(surface):
                continue
            readings[surface].add(fields[24])
            if fields[5] == "固有名詞" or fields[16] == "外":
                unsettled.add(surface)
            elif fields[4] == "名詞" and fields[11] == surface and fields[12] == surface:
                nouns.add(surface)
    frequency = manual_frequencies()
    words = []
    for w in nouns:
        if len(readings[w]) != 1 or w in unsettled:
            continue
        (r,) = readings[w]
        # Historical kana (ゐ, ゑ) and small ゎ, ヵ, ヶ are no reading of today.
        if not r or r == "*" or any(not ("\u30a1" <= c <= "\u30f4" or c == "\u30fc") or c in "ヮヰヱ" for c in r):
            continue
        try:
            w.encode("cp932")
        except UnicodeEncodeError:
            continue
        words.append((-frequency[w], w, hiragana(r)))
    words.sort()
    common = [x for x in words if all_first_level(x[1]) and x[0] < 0][:n]
    rare = [x for x in words if not all_first_level(x[1])]
    random.Random(14).shuffle(rare)
    return common, rare[:n]


def run_kakasi(text):
    return subprocess.run(["kakasi", "-JH", "-KH", "-isjis", "-osjis"], input=text.encode("cp932"),
                          capture_output=True, check=True).stdout.decode("cp932", errors="replace")


def in_jis_x_0208(word):
    try:
        word.encode("iso2022_jp")
        return True
    except UnicodeEncodeError:
        return False


def kakasi(words):
    # KAKASI knows JIS X 0208 alone: a code page 932 extension kanji
    # (e.g. 岺) makes it swallow the line break after it, so such words go
    # one at a time and the rest in one batch, keeping readings and words
    # in step.
    batch = [w for w in words if in_jis_x_0208(w)]
    out = run_kakasi("\n".join(batch) + "\n").split("\n")
    if len(out) < len(batch):
        raise SystemExit("kakasi lost lines")
    by_word = dict(zip(batch, out))
    return [by_word[w] if w in by_word else run_kakasi(w + "\n").split("\n")[0] for w in words]


def held_out_folder(dic, words, folder):
    """A copy of the dictionary folder `dic` in `folder` whose UniDic table
    lacks every word of `words`; the other dictionaries are linked."""
    for name in ("ipadic", "SKK-JISYO.L"):
        if os.path.exists(os.path.join(dic, name)):
            os.symlink(os.path.realpath(os.path.join(dic, name)), os.path.join(folder, name))
    encoded = {w.encode("cp932") for w in words}
    with open(os.path.join(dic, "unidic-readings.txt"), "rb") as table, \
            open(os.path.join(folder, "unidic-readings.txt"), "wb") as out:
        for line in table:
            if line.split(b"\t", 1)[0].rstrip(b"\n") not in encoded:
                out.write(line)


def propose(bench, gold, dictionary):
    with tempfile.TemporaryDirectory() as tmp:
        words_file = os.path.join(tmp, "words.txt")
        out_file = os.path.join(tmp, "out.txt")
        with open(words_file, "wb") as f:
            for _, w, _ in gold:
                f.write(w.encode("cp932") + b"\n")
        subprocess.run([bench, "--dictionary", dictionary, words_file, out_file], check=True,
                       stdout=subprocess.DEVNULL)
        with open(out_file, "rb") as f:
            return [line.decode("cp932").rstrip("\n").split("\t") for line in f]


def main():
    args = sys.argv[1:]
    misses = "--misses" in args
    args = [a for a in args if a != "--misses"]
    build = args[0]
    n = int(args[1]) if len(args) > 1 else 5000
    bench = os.path.join(build, "bench", "reading_proposer_bench")
    dic = os.path.join(build, "bench", "dic")
    lists = gold_lists(n)
    with tempfile.TemporaryDirectory() as held_out:
        held_out_folder(dic, [w for gold in lists for _, w, _ in gold], held_out)
        for name, gold in zip(("common", "rare"), lists):
            rows = propose(bench, gold, dic)
            held_rows = propose(bench, gold, held_out)
            by_kakasi = kakasi([w for _, w, _ in gold])
            hits = collections.Counter()
            for (_, w, r), row, held, k in zip(gold, rows, held_rows, by_kakasi):
                hits["proposer"] += row[1] == r
                hits["among candidates"] += r in row[3:]
                hits["held: proposer"] += held[1] == r
                hits["held: among"] += r in held[3:]
                hits["MeCab alone"] += row[2] == r
                hits["KAKASI"] += k == r
                hits["proposer gave none"] += row[1] == ""
                hits["held: gave none"] += held[1] == ""
                if misses and held[1] != r:
                    print(f"miss {name}\t{w}\t{r}\t{held[1]}\t{' '.join(held[3:])}")
            print(f"{name} words ({len(gold)}):")
            for label, key in (("proposer, with UniDic (not independent)", "proposer"),
                               ("  among its candidates", "among candidates"),
                               ("proposer, gold words held out", "held: proposer"),
                               ("  among its candidates", "held: among"),
                               ("MeCab alone", "MeCab alone"), ("KAKASI", "KAKASI")):
                print(f"  {label:40} {100.0 * hits[key] / len(gold):5.1f} % exact")
            print(f"  proposer gave no proposal for {hits['proposer gave none']} "
                  f"({hits['held: gave none']} held out)")


if __name__ == "__main__":
    main()
