#pragma once
// Readings are hiragana in code page 932. The analyser's readings and words
// written in kana alone come as katakana, with long-vowel marks, small kana
// and iteration marks; these turn them into a reading.

#include <string>
#include <string_view>

// Appends the hiragana reading of `kana` (Shift-JIS) to `reading`: katakana
// folded to hiragana, "ヴ" with a following small vowel to the b-row (the
// kana table has no v sounds), "ヵ" and "ヶ" to "か" and "け", "ゝ"/"ヽ"
// repeating the kana before them unvoiced and "ゞ"/"ヾ" voiced, "ー" kept and
// "・" dropped. Returns false, with `reading` as it was, when `kana` holds
// anything else (kanji, Latin letters, digits, half-width kana) or begins
// with an iteration mark.
bool AppendKanaReading(std::string_view kana, std::string& reading);

// True when `sjis` is not empty and every character of it is a symbol:
// punctuation, brackets, arrows, marks and the like (ASCII, half-width or
// double-byte, with the box-drawing row), or an
// iteration mark ("々", "〃", "ゝ", ...) with nothing before it to repeat.
// Such text has no reading of its own.
bool IsSymbolText(std::string_view sjis);
