#include "readings/dictionary_check.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

// No compiled dictionary file comes near this (sys.dic is some 50 MB);
// past it a file is refused before anything maps it.
constexpr std::uintmax_t kBinaryLimit = 1u << 30;
constexpr std::uintmax_t kSettingsLimit = 64u << 10;  // dicrc

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/' && path.back() != kSeparator) path.push_back(kSeparator);
  path.append(name);
  return path;
}

// What the file system says of `path`, before anything opens it: opening
// a FIFO would wait for a writer. `size` is set for a regular file.
DictionaryProblem Stat(const std::string& path, std::uintmax_t limit, std::uintmax_t& size) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(PathOf(path), error);
  if (status.type() == std::filesystem::file_type::not_found) return DictionaryProblem::kMissing;
  if (error) return DictionaryProblem::kUnreadable;
  if (status.type() != std::filesystem::file_type::regular) return DictionaryProblem::kNotRegularFile;
  size = std::filesystem::file_size(PathOf(path), error);
  if (error) return DictionaryProblem::kUnreadable;
  return size > limit ? DictionaryProblem::kTooLarge : DictionaryProblem::kNone;
}

// The first `count` bytes of a regular file known to hold at least that
// many.
bool ReadHead(const std::string& path, char* head, std::size_t count) {
  std::ifstream in(PathOf(path), std::ios::binary);
  return in && in.read(head, static_cast<std::streamsize>(count)) && in.gcount() == static_cast<std::streamsize>(count);
}

// The dictionaries are little-endian, as every machine that runs the program.
uint32_t U32(const char* at) {
  const auto* b = reinterpret_cast<const unsigned char*>(at);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
}
uint16_t U16(const char* at) {
  const auto* b = reinterpret_cast<const unsigned char*>(at);
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

// matrix.bin: the number of left and right ids, then a cost (16 bits) for
// each pair.
struct Matrix {
  uint16_t left = 0, right = 0;
};

DictionaryProblem CheckMatrix(const std::string& path, Matrix& matrix) {
  std::uintmax_t size = 0;
  if (const DictionaryProblem p = Stat(path, kBinaryLimit, size); p != DictionaryProblem::kNone) return p;
  char head[4];
  if (size < sizeof head) return DictionaryProblem::kDamaged;
  if (!ReadHead(path, head, sizeof head)) return DictionaryProblem::kUnreadable;
  matrix.left = U16(head);
  matrix.right = U16(head + 2);
  const std::uintmax_t expected = 4 + std::uintmax_t{2} * matrix.left * matrix.right;
  return matrix.left > 0 && matrix.right > 0 && size == expected ? DictionaryProblem::kNone
                                                                 : DictionaryProblem::kDamaged;
}

// sys.dic and unk.dic: ten 32-bit fields (the size masked with a magic
// number, the version, the type, the token count, the matrix's sizes, the
// sizes of the double array, the tokens and the features), a charset name
// of 32 bytes, then the three parts back to back.
DictionaryProblem CheckLexicon(const std::string& path, uint32_t type, const Matrix& matrix) {
  std::uintmax_t size = 0;
  if (const DictionaryProblem p = Stat(path, kBinaryLimit, size); p != DictionaryProblem::kNone) return p;
  constexpr std::size_t kHeader = 40 + 32;
  constexpr uint32_t kMagic = 0xef718f77u, kVersion = 102, kUnitSize = 8, kTokenSize = 16;
  char head[kHeader];
  if (size < kHeader) return DictionaryProblem::kDamaged;
  if (!ReadHead(path, head, sizeof head)) return DictionaryProblem::kUnreadable;
  const uint32_t tokens = U32(head + 12), arraySize = U32(head + 24), tokenSize = U32(head + 28),
                 featureSize = U32(head + 32);
  const bool sound = (U32(head) ^ kMagic) == size && U32(head + 4) == kVersion && U32(head + 8) == type &&
                     U32(head + 16) == matrix.left && U32(head + 20) == matrix.right && arraySize > 0 &&
                     arraySize % kUnitSize == 0 && tokenSize % kTokenSize == 0 && tokens == tokenSize / kTokenSize &&
                     featureSize > 0 && std::memchr(head + 40, '\0', 32) != nullptr &&
                     kHeader + std::uintmax_t{arraySize} + tokenSize + featureSize == size;
  return sound ? DictionaryProblem::kNone : DictionaryProblem::kDamaged;
}

// char.bin: the number of character categories, their names (32 bytes
// each), then 32 bits for each character below U+FFFF.
DictionaryProblem CheckCharacters(const std::string& path) {
  std::uintmax_t size = 0;
  if (const DictionaryProblem p = Stat(path, kBinaryLimit, size); p != DictionaryProblem::kNone) return p;
  char head[4];
  if (size < sizeof head) return DictionaryProblem::kDamaged;
  if (!ReadHead(path, head, sizeof head)) return DictionaryProblem::kUnreadable;
  // A character's categories are bits of an 18-bit field.
  const uint32_t categories = U32(head);
  const std::uintmax_t expected = 4 + std::uintmax_t{32} * categories + std::uintmax_t{4} * 0xffff;
  return categories > 0 && categories <= 18 && size == expected ? DictionaryProblem::kNone
                                                                : DictionaryProblem::kDamaged;
}

DictionaryFault Fault(DictionaryProblem problem, std::string file) {
  if (problem == DictionaryProblem::kNone) return {};
  return {problem, std::move(file)};
}

}  // namespace

DictionaryFault CheckWholeFile(std::string_view path, std::uintmax_t limit) {
  std::uintmax_t size = 0;
  return Fault(Stat(std::string(path), limit, size), std::string(path));
}

DictionaryFault CheckIpaDictionary(std::string_view folder) {
  const std::string settings = Join(folder, "dicrc");
  if (DictionaryFault fault = CheckWholeFile(settings, kSettingsLimit); fault.problem != DictionaryProblem::kNone) {
    return fault;
  }
  // The lexicons name the matrix's sizes, so it is read first; its faults
  // are told after theirs, in the order the files are loaded.
  const std::string matrixFile = Join(folder, "matrix.bin");
  Matrix matrix;
  const DictionaryProblem matrixProblem = CheckMatrix(matrixFile, matrix);
  const std::string system = Join(folder, "sys.dic");
  if (DictionaryProblem p = CheckLexicon(system, 0, matrix); p != DictionaryProblem::kNone) {
    // A lexicon that only disagrees with a broken matrix is not the fault.
    if (p != DictionaryProblem::kDamaged || matrixProblem == DictionaryProblem::kNone) return Fault(p, system);
  }
  const std::string unknown = Join(folder, "unk.dic");
  if (DictionaryProblem p = CheckLexicon(unknown, 2, matrix); p != DictionaryProblem::kNone) {
    if (p != DictionaryProblem::kDamaged || matrixProblem == DictionaryProblem::kNone) return Fault(p, unknown);
  }
  if (matrixProblem != DictionaryProblem::kNone) return Fault(matrixProblem, matrixFile);
  const std::string characters = Join(folder, "char.bin");
  return Fault(CheckCharacters(characters), characters);
}
