#!/usr/bin/env python3
"""Makes the seeds of fuzz_dictionary_folder: the few words of
fuzz/dictionary_source compiled by MeCab's own compiler (Debian's
mecab-utils: /usr/lib/mecab/mecab-dict-index), packed as the target reads
its input (see fuzz/dictionary_folder_input.h), whole and in a few damaged
forms. Run from anywhere; writes fuzz/corpus/dictionary_folder/."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "dictionary_source")
CORPUS = os.path.join(HERE, "corpus", "dictionary_folder")
COMPILER = "/usr/lib/mecab/mecab-dict-index"
SEPARATOR = b"\0@LEXIFORGE-FILE@\0"
FILES = ["dicrc", "sys.dic", "unk.dic", "matrix.bin", "char.bin"]


def pack_characters(char_bin):
    """char.bin as its category count and names, then (run, value) pairs."""
    (categories,) = struct.unpack_from("<I", char_bin)
    header = 4 + 32 * categories
    out = bytearray(b"RLE\0" + char_bin[:header])
    table = char_bin[header:]
    at = 0
    while at < len(table):
        value = table[at:at + 4]
        run = 1
        while run < 0xFFFF and at + 4 * run < len(table) and table[at + 4 * run:at + 4 * run + 4] == value:
            run += 1
        out += struct.pack("<H", run) + value
        at += 4 * run
    return bytes(out)


def pack(files):
    return SEPARATOR.join(files[name] for name in FILES if name in files) + SEPARATOR


def main():
    if not os.access(COMPILER, os.X_OK):
        sys.exit(f"{COMPILER} is missing: apt-get install mecab-utils")
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([COMPILER, "-d", SOURCE, "-o", out, "-f", "utf-8", "-t", "utf-8"], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.copy(os.path.join(SOURCE, "dicrc"), out)
        files = {name: open(os.path.join(out, name), "rb").read() for name in FILES}
    for name, data in files.items():
        if SEPARATOR in data:
            sys.exit(f"{name} holds the separator")
    whole = dict(files, **{"char.bin": pack_characters(files["char.bin"])})
    seeds = {
        "whole": pack(whole),
        "char_bin_unpacked_cut": pack(dict(whole, **{"char.bin": files["char.bin"][:4096]})),
        "sys_dic_cut": pack(dict(whole, **{"sys.dic": files["sys.dic"][:len(files["sys.dic"]) // 2]})),
        "without_matrix_and_characters": pack({k: whole[k] for k in FILES[:3]}),
    }
    os.makedirs(CORPUS, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(CORPUS, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
