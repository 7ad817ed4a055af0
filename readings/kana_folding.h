#pragma once
// Readings are hiragana in code page 932. The analyser's readings and words
// written in kana alone come as katakana, with long-vowel marks, small kana
// and iteration marks; these turn them into a reading.

#include <string>
#include <string_view>
#include <vector>

// Appends the hiragana reading of `kana` (Shift-JIS) to `reading`: katakana
// folded to hiragana, "ヴ" with a following small vowel to the b-row (the
// kana table has no v sounds), "ヵ" and "ヶ" to "か" and "け", "ゐ"/"ヰ" and "ゑ"/"ヱ"
// to "い" and "え", "ゝ"/"ヽ"
// repeating the kana before them unvoiced and "ゞ"/"ヾ" voiced, "ー" kept and
// "・" dropped. Returns false, with `reading` as it was, when `kana` holds
// anything else (kanji, Latin letters, digits, half-width kana) or begins
// with an iteration mark.
bool AppendKanaReading(std::string_view kana, std::string& reading);

// Turns a word's text (Unicode code points) into the one form the proposer
// reads: half-width katakana into full-width ("ｶﾞ" into "ガ"), ASCII
// letters into full-width ones and full-width digits into ASCII ones, so
// that each is read alike whichever way it was typed.
void NormalizeWordText(std::u32string& text);

// Voices the first kana of a hiragana `reading` ("すし" to "ずし"); false,
// leaving it, when that kana has no voiced form.
bool VoiceFirstKana(std::string& reading);

// Adds `reading` (hiragana, one kanji's) to `forms`, then the forms it takes
// at one end of a compound: at the start (`end` 0) a final く, つ, ち or き
// made っ (学 がく in 学校 がっこう); at the end (`end` 1) its first kana
// voiced (寿司 ずし) or, for the h-row, made a p-sound (百 ぴゃく).
void AddCompoundForms(const std::string& reading, int end, std::vector<std::string>& forms);

// Shaped as a Sino-Japanese reading of one kanji: one syllable (a kana,
// perhaps with a small ゃ, ゅ or ょ), perhaps with ん, う, い, く, き, つ,
// ち or っ after it.
bool IsSinoShaped(std::string_view reading);

// Whether a reading `first` may come before `second` in one word: っ goes
// only before an unvoiced k-, s-, t- or p-sound, and a p-sound follows っ
// or ん alone.
bool CanJoinReadings(std::string_view first, std::string_view second);

// The Latin letter SKK writes for the okurigana that begins with the first
// kana of `kana` (hiragana or katakana): 'k' for "く", 't' for "っ"; 0 when
// it begins with anything else.
char OkuriLetter(std::string_view kana);

// True when `sjis` is not empty and every character of it is a symbol:
// punctuation, brackets, arrows, marks and the like (ASCII, half-width or
// double-byte, with the box-drawing row), or an
// iteration mark ("々", "〃", "ゝ", ...) with nothing before it to repeat.
// Such text has no reading of its own.
bool IsSymbolText(std::string_view sjis);
