#pragma once
// The Windows half of the code-page module: code page 932 to and from the
// UTF-16 of the system's "W" functions, never through the ANSI code page.

#include <string>
#include <string_view>

// False, leaving `out` unspecified, when `in` holds bytes that are no code
// page 932 character (a lone lead byte, 0x80, 0xA0, 0xFD ...).
bool WideFromSjis(std::string_view in, std::wstring& out);

// For showing only: what cannot be converted is shown as the system shows it.
std::wstring DisplayWideFromSjis(std::string_view in);

// False when `in` holds a character code page 932 cannot hold exactly (no
// best-fit substitutes: "é" is not "e").
bool SjisFromWide(std::wstring_view in, std::string& out);

// UTF-16 to and from UTF-8, false for text that is not valid.
bool Utf8FromWide(std::wstring_view in, std::string& out);
bool WideFromUtf8(std::string_view in, std::wstring& out);
