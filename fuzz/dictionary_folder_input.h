#pragma once
// The bytes of a dictionary folder in one input, for the fuzz target and the
// tests that start from its seeds: the files dicrc, sys.dic, unk.dic,
// matrix.bin and char.bin in that order, each followed by the separator
// kDictionarySeparator (a file missing at the end is not written). char.bin
// is large (a table of 65,535 characters) and mostly runs of the same
// value, so when its part begins with "RLE" and a NUL it is packed: the
// category count and names as in the file, then (run length, 16 bits;
// value, 32 bits) pairs, little-endian, unpacked to exactly the table's
// size (zeros after the last run). Any other part is the file as it is.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

inline constexpr std::string_view kDictionarySeparator{"\0@LEXIFORGE-FILE@\0", 18};
inline constexpr const char* kDictionaryFiles[] = {"dicrc", "sys.dic", "unk.dic", "matrix.bin", "char.bin"};

// char.bin from its packed form (the part after "RLE\0").
inline std::string UnpackCharacterTable(std::string_view packed) {
  constexpr size_t kCharacters = 0xffff;
  if (packed.size() < 4) return std::string(packed);
  const auto byte = [&](size_t at) { return static_cast<uint32_t>(static_cast<unsigned char>(packed[at])); };
  const uint32_t categories = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
  // A count too large for the input is passed on as it is.
  if (categories > packed.size() / 32) return std::string(packed);
  const size_t header = 4 + 32 * size_t{categories};
  std::string file(packed.substr(0, header));
  file.reserve(header + 4 * kCharacters);
  size_t characters = 0;
  for (size_t at = header; at + 6 <= packed.size() && characters < kCharacters; at += 6) {
    const size_t run = byte(at) | byte(at + 1) << 8;
    for (size_t i = 0; i < run && characters < kCharacters; ++i, ++characters) file.append(packed.substr(at + 2, 4));
  }
  file.append(4 * (kCharacters - characters), '\0');
  return file;
}

// Writes the files `input` holds into `folder` (which exists), removing
// those it lacks. False when one cannot be written.
inline bool WriteDictionaryFolder(std::string_view input, const std::string& folder) {
  for (const char* name : kDictionaryFiles) {
    const std::string path = folder + "/" + name;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (input.empty()) continue;
    const size_t end = input.find(kDictionarySeparator);
    std::string bytes(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + kDictionarySeparator.size());
    if (bytes.compare(0, 4, std::string_view("RLE\0", 4)) == 0) bytes = UnpackCharacterTable(std::string_view(bytes).substr(4));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) return false;
  }
  return true;
}
