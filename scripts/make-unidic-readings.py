#!/usr/bin/env python3
"""Derives the reading proposer's UniDic table from Debian's unidic-mecab.

The table holds every word UniDic lists that is written with at least one
kanji and has a code page 932 spelling, with each reading UniDic gives it:
one line per word, in code page 932, sorted by its bytes,

    WORD<TAB>READING[<TAB>READING...]<LF>

readings in katakana as UniDic writes them (its "kana" field), each once,
the one of the entry UniDic finds most likely (lowest cost) first. Readings
with anything but katakana and "ー" are left out, as are the entries of
persons' names and words left with none.

usage: scripts/make-unidic-readings.py OUT.tar.xz [LEX.csv]
       (LEX.csv defaults to /usr/share/mecab/dic/unidic/lex_3_1.csv)
The archive holds the one file unidic-readings.txt; CMake unpacks it into
dic/ (see cmake/Dictionaries.cmake).
"""
import csv
import io
import sys
import tarfile

LEX = "/usr/share/mecab/dic/unidic/lex_3_1.csv"
NAME = "unidic-readings.txt"
SURFACE, COST, POS2, POS3, KANA = 0, 3, 5, 6, 24


def has_kanji(text):
    return any("\u4e00" <= c <= "\u9fff" or "\u3400" <= c <= "\u4dbf" or "\uf900" <= c <= "\ufaff" or c == "\u3005"
               for c in text)


def is_katakana(text):
    return text != "" and all("\u30a1" <= c <= "\u30fa" or c == "\u30fc" for c in text)


def main():
    out = sys.argv[1]
    lex = sys.argv[2] if len(sys.argv) > 2 else LEX
    best = {}  # (word, reading) -> lowest cost
    with open(lex, encoding="utf-8", newline="") as f:
        for fields in csv.reader(f):
            if len(fields) <= KANA or not has_kanji(fields[SURFACE]) or not is_katakana(fields[KANA]):
                continue
            # A person's name is read as the name is, not as the word is.
            if fields[POS2] == "固有名詞" and fields[POS3] == "人名":
                continue
            try:
                word = fields[SURFACE].encode("cp932")
                reading = fields[KANA].encode("cp932")
                cost = int(fields[COST])
            except (UnicodeEncodeError, ValueError):
                continue
            key = (word, reading)
            if key not in best or cost < best[key]:
                best[key] = cost
    readings = {}
    for (word, reading), cost in best.items():
        readings.setdefault(word, []).append((cost, reading))
    text = io.BytesIO()
    for word in sorted(readings):
        text.write(word + b"".join(b"\t" + r for _, r in sorted(readings[word])) + b"\n")
    data = text.getvalue()
    info = tarfile.TarInfo(NAME)
    info.size = len(data)
    info.mode = 0o644
    with tarfile.open(out, "w:xz", preset=9) as archive:
        archive.addfile(info, io.BytesIO(data))
    print(f"{len(readings)} words, {len(data)} bytes", file=sys.stderr)


if __name__ == "__main__":
    main()
