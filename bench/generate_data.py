#!/usr/bin/env python3
"""Makes the benchmark word data from Debian's dictionaries.

Writes, into the folder given (default bench/data), Shift-JIS files:
  readings.txt   one hiragana reading per line (SKK-JISYO.L, okuri-nasi entries)
  words.txt      a text word list: word<TAB>reading per line (baseforms are
                 generated when it is read), from SKK-JISYO.L
  words-ipadic.txt  the same from mecab-ipadic's CSV files (katakana readings
                 turned into hiragana), for a second, larger source
Each file holds up to --lines lines (default 100000). Needs the packages
skkdic and mecab-ipadic.
"""
import argparse
import glob
import os
import sys

SKK = "/usr/share/skk/SKK-JISYO.L"
IPADIC = "/usr/share/mecab/dic/ipadic"


def is_reading(text):
    return text != "" and all("\u3041" <= c <= "\u3093" or c == "\u30fc" for c in text)


def to_sjis(text):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError:
        return None


def skk_entries():
    with open(SKK, "rb") as f:
        for raw in f:
            line = raw.decode("euc_jp", errors="replace").rstrip("\n")
            if line.startswith(";;") or " /" not in line:
                continue
            reading, rest = line.split(" /", 1)
            if not is_reading(reading):
                continue  # okuri-ari entries end in a Latin letter
            for word in rest.split("/"):
                word = word.split(";", 1)[0]
                if word and "\t" not in word and not word.startswith("("):
                    yield word, reading
                    break


def ipadic_entries():
    for path in sorted(glob.glob(os.path.join(IPADIC, "*.csv"))):
        with open(path, "rb") as f:
            for raw in f:
                fields = raw.decode("euc_jp", errors="replace").rstrip("\n").split(",")
                if len(fields) < 12:
                    continue
                word = fields[0]
                reading = "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f3" else c for c in fields[11])
                if is_reading(reading):
                    yield word, reading


def write(path, lines, limit):
    count = 0
    with open(path, "wb") as out:
        for line in lines:
            encoded = to_sjis(line)
            if encoded is None:
                continue
            out.write(encoded + b"\n")
            count += 1
            if count == limit:
                break
    print(f"{path}: {count} lines")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder", nargs="?", default=os.path.join(os.path.dirname(__file__), "data"))
    parser.add_argument("--lines", type=int, default=100000)
    args = parser.parse_args()
    if not os.path.exists(SKK) or not os.path.isdir(IPADIC):
        sys.exit("generate_data.py: install the packages skkdic and mecab-ipadic")
    os.makedirs(args.folder, exist_ok=True)
    skk = list(skk_entries())
    write(os.path.join(args.folder, "readings.txt"), (r for _, r in skk), args.lines)
    write(os.path.join(args.folder, "words.txt"), (f"{w}\t{r}" for w, r in skk), args.lines)
    write(os.path.join(args.folder, "words-ipadic.txt"), (f"{w}\t{r}" for w, r in ipadic_entries()), args.lines)


if __name__ == "__main__":
    main()
