#pragma once
// Reading-to-baseform conversion: a hiragana reading (Shift-JIS) becomes its
// phoneme symbols separated by single spaces, by greedy longest match over the
// kana table from left to right.

#include <cstddef>
#include <string_view>

inline constexpr size_t kBaseformSize = 256;  // a row field: 255 bytes and the NUL
inline constexpr size_t kPhonemeBufferSize = 256;

// Converts `reading` (NUL-terminated) into `baseform`.
//  1  every character was converted;
//  0  at least one character is covered by no key and stands as "*";
// -1  the reading is empty;
// -2  the reading holds a byte pair that is not hiragana ("ぁ" to "ん") or
//     "ー", or has an odd number of bytes.
// The baseform is written only for 1 and 0; for -1 and -2 it keeps what it
// held. A reading of any length is accepted: the baseform holds at most 255
// bytes, and when the whole would be longer it ends after the last key's
// symbols that fit (readings of up to 51 characters always fit whole).
int ConvertReadingToBaseform(const char* reading, char (&baseform)[kBaseformSize]);

// The same for a reading that is the whole of `reading`, which needs no NUL
// (a NUL inside is no hiragana: -2), giving for 1 and 0 the baseform's
// length in `length` too.
int ConvertReadingToBaseform(std::string_view reading, char (&baseform)[kBaseformSize], size_t& length);

// Looks `key` up in the kana table; when a row has exactly this key, copies
// its phoneme string into `phoneme` and returns 1, otherwise returns 0 and
// leaves `phoneme` as it was.
int LookupKanaPhoneme(const char* key, char (&phoneme)[kPhonemeBufferSize]);
