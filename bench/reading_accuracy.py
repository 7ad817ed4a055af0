#!/usr/bin/env python3
"""Exact-match share of reading proposals on a gold list made from UniDic.

UniDic (Debian unidic-mecab) is neither of the proposer's sources. The gold
list: nouns written in kanji alone (2 to 6 characters, code page 932) in
their standard spelling, whose every UniDic entry gives the same reading.
"common": words of first-level JIS kanji only, the N that UniDic's word cost
makes likeliest; "rare": N drawn at random from words with a second-level
kanji.
Each word is proposed by the proposer (MeCab with the IPA dictionary and
SKK-JISYO.L), by MeCab alone, and by KAKASI (kakasi -JH -KH).

usage: bench/reading_accuracy.py BUILD_DIR [N]   (needs unidic-mecab, kakasi)
"""
import collections
import os
import random
import subprocess
import sys
import tempfile

LEX = "/usr/share/mecab/dic/unidic/lex_3_1.csv"


def is_kanji_word(text):
    return 2 <= len(text) <= 6 and all("\u4e00" <= c <= "\u9fff" or c == "\u3005" for c in text)


def all_first_level(word):
    # First-level JIS kanji: Shift-JIS 0x889F to 0x9872 (and 々).
    sjis = word.encode("cp932")
    return all(0x889F <= (sjis[i] << 8 | sjis[i + 1]) <= 0x9872 or sjis[i:i + 2] == b"\x81\x58"
               for i in range(0, len(sjis), 2))


def hiragana(katakana):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in katakana)


def gold_lists(n):
    readings = collections.defaultdict(set)
    cost = {}
    nouns = set()
    with open(LEX, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(",")
            if len(fields) < 25:
                continue
            surface = fields[0]
            if not is_kanji_word(surface):
                continue
            readings[surface].add(fields[24])
            cost[surface] = min(cost.get(surface, 1 << 30), int(fields[3]))
            if fields[4] == "名詞" and fields[12] == surface:
                nouns.add(surface)
    words = []
    for w in nouns:
        if len(readings[w]) != 1:
            continue
        (r,) = readings[w]
        if not r or r == "*" or any(not ("\u30a1" <= c <= "\u30f6" or c == "\u30fc") for c in r):
            continue
        try:
            w.encode("cp932")
        except UnicodeEncodeError:
            continue
        words.append((cost[w], w, hiragana(r)))
    words.sort()
    common = [x for x in words if all_first_level(x[1])][:n]
    rare = [x for x in words if not all_first_level(x[1])]
    random.Random(14).shuffle(rare)
    return common, rare[:n]


def kakasi(words):
    text = "\n".join(words) + "\n"
    out = subprocess.run(["kakasi", "-JH", "-KH", "-isjis", "-osjis"], input=text.encode("cp932"),
                         capture_output=True, check=True).stdout.decode("cp932", errors="replace")
    return out.split("\n")[: len(words)]


def main():
    build = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 5000
    bench = os.path.join(build, "bench", "reading_proposer_bench")
    for name, gold in zip(("common", "rare"), gold_lists(n)):
        with tempfile.TemporaryDirectory() as tmp:
            words_file = os.path.join(tmp, "words.txt")
            out_file = os.path.join(tmp, "out.txt")
            with open(words_file, "wb") as f:
                for _, w, _ in gold:
                    f.write(w.encode("cp932") + b"\n")
            subprocess.run([bench, words_file, out_file], check=True, stdout=subprocess.DEVNULL)
            with open(out_file, "rb") as f:
                rows = [line.decode("cp932").rstrip("\n").split("\t") for line in f]
        by_kakasi = kakasi([w for _, w, _ in gold])
        hits = collections.Counter()
        for (_, w, r), row, k in zip(gold, rows, by_kakasi):
            hits["proposer"] += row[1] == r
            hits["MeCab alone"] += row[2] == r
            hits["KAKASI"] += k == r
            hits["proposer gave none"] += row[1] == ""
        print(f"{name} words ({len(gold)}):")
        for key in ("proposer", "MeCab alone", "KAKASI"):
            print(f"  {key:12} {100.0 * hits[key] / len(gold):5.1f} % exact")
        print(f"  proposer gave no proposal for {hits['proposer gave none']}")


if __name__ == "__main__":
    main()
