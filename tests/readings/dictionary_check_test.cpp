#include "readings/dictionary_check.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "fuzz/dictionary_folder_input.h"
#include "readings/mapped_file.h"
#include "readings/reading_proposer.h"
#include "convert/sjis_text.h"
#include "tests/support/temp_folder.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc) << bytes;
}

// The file's own name, whichever separator its path uses.
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

void FlipBit(std::string& bytes, size_t at, int bit) { bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit)); }

uint32_t U32At(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void SetU32At(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// One damage to one file, and the fault it must give.
struct Damage {
  const char* what;
  const char* file;
  std::function<void(std::string& bytes)> edit;  // null: the file is replaced as `kind` says
  DictionaryProblem expected;
  enum Kind { kEdit, kRemove, kFolder, kFifo } kind = kEdit;
};

// The header fields: sys.dic and unk.dic have the token count at 12, the
// matrix's sizes at 16 and 20, and the sizes of their three parts at 24, 28
// and 32, then 32 bytes of charset name; a token is 16 bytes, its feature
// offset at 8. matrix.bin starts with its two sizes (16 bits each), char.bin
// with its category count, then 32 bytes for each name, then 4 bytes per
// character (its own category in bits 18 to 25).
const Damage kDamages[] = {
    {"sys.dic cut short", "sys.dic", [](std::string& b) { b.pop_back(); }, DictionaryProblem::kDamaged},
    {"sys.dic token count", "sys.dic", [](std::string& b) { FlipBit(b, 12, 0); }, DictionaryProblem::kDamaged},
    {"sys.dic array size", "sys.dic", [](std::string& b) { FlipBit(b, 24, 3); }, DictionaryProblem::kDamaged},
    {"sys.dic token size", "sys.dic", [](std::string& b) { FlipBit(b, 31, 7); }, DictionaryProblem::kDamaged},
    {"sys.dic feature size", "sys.dic", [](std::string& b) { FlipBit(b, 32, 1); }, DictionaryProblem::kDamaged},
    {"sys.dic matrix size", "sys.dic", [](std::string& b) { FlipBit(b, 16, 0); }, DictionaryProblem::kDamaged},
    {"sys.dic token's feature past the features", "sys.dic",
     [](std::string& b) { SetU32At(b, 72 + U32At(b, 24) + 8, 0xFFFFFFF0u); }, DictionaryProblem::kDamaged},
    {"sys.dic token's id past the matrix", "sys.dic",
     [](std::string& b) { b[72 + U32At(b, 24)] = static_cast<char>(0x7F); }, DictionaryProblem::kDamaged},
    {"unk.dic cut short", "unk.dic", [](std::string& b) { b.resize(b.size() / 2); }, DictionaryProblem::kDamaged},
    {"unk.dic token count", "unk.dic", [](std::string& b) { FlipBit(b, 13, 2); }, DictionaryProblem::kDamaged},
    {"unk.dic part sizes", "unk.dic", [](std::string& b) { FlipBit(b, 28, 4); }, DictionaryProblem::kDamaged},
    {"matrix.bin cut short", "matrix.bin", [](std::string& b) { b.pop_back(); }, DictionaryProblem::kDamaged},
    {"matrix.bin left size", "matrix.bin", [](std::string& b) { FlipBit(b, 0, 1); }, DictionaryProblem::kDamaged},
    {"matrix.bin right size", "matrix.bin", [](std::string& b) { FlipBit(b, 3, 7); }, DictionaryProblem::kDamaged},
    {"char.bin cut short", "char.bin", [](std::string& b) { b.pop_back(); }, DictionaryProblem::kDamaged},
    // 32 times the count wraps in 32 bits to the true size.
    {"char.bin count's top bit", "char.bin", [](std::string& b) { FlipBit(b, 3, 7); }, DictionaryProblem::kDamaged},
    {"char.bin count", "char.bin", [](std::string& b) { FlipBit(b, 0, 4); }, DictionaryProblem::kDamaged},
    {"char.bin category past the count", "char.bin",
     [](std::string& b) { SetU32At(b, 4 + 32 * U32At(b, 0) + 4 * 'A', 0xFFu << 18); }, DictionaryProblem::kDamaged},
    {"dicrc missing", "dicrc", nullptr, DictionaryProblem::kMissing, Damage::kRemove},
    {"unk.dic missing", "unk.dic", nullptr, DictionaryProblem::kMissing, Damage::kRemove},
    {"sys.dic a folder", "sys.dic", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFolder},
    {"char.bin a folder", "char.bin", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFolder},
#ifndef _WIN32
    {"dicrc a FIFO", "dicrc", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFifo},
    {"sys.dic a FIFO", "sys.dic", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFifo},
    {"unk.dic a FIFO", "unk.dic", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFifo},
    {"matrix.bin a FIFO", "matrix.bin", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFifo},
    {"char.bin a FIFO", "char.bin", nullptr, DictionaryProblem::kNotRegularFile, Damage::kFifo},
#endif
};

// Each damage alone, to a folder that loads whole: refused, never a crash or
// a wait, naming the file and what is wrong with it.
TEST(DictionaryCheckTest, EachDamagedFileIsRefusedByName) {
  TempFolder temp;
  const std::string folder = temp.PathOf("ipadic");
  std::filesystem::create_directory(std::filesystem::u8path(folder));
  // The fuzz target's seed: a few words compiled by MeCab's own compiler.
  ASSERT_TRUE(WriteDictionaryFolder(ReadFile(LEXIFORGE_DICTIONARY_SEED), folder));
  ASSERT_EQ(CheckIpaDictionary(folder).problem, DictionaryProblem::kNone);
  DictionaryFault fault;
  {
    std::unique_ptr<ReadingProposer> whole = ReadingProposer::Load({folder, "", ""}, fault);
    ASSERT_NE(whole, nullptr) << fault.file;
    std::string word, reading;
    ASSERT_TRUE(ConvertUtf8ToSjis("東京都", word));
    EXPECT_TRUE(whole->Propose(word, reading));
  }
  // UniDic's table is read whole like SKK's file: anything but a regular
  // file is refused by name; any bytes in one are not.
  {
    std::filesystem::create_directory(std::filesystem::u8path(temp.PathOf("table")));
    EXPECT_EQ(ReadingProposer::Load({folder, "", temp.PathOf("table")}, fault), nullptr);
    EXPECT_EQ(fault.problem, DictionaryProblem::kNotRegularFile);
    EXPECT_EQ(fault.file, temp.PathOf("table"));
    std::unique_ptr<ReadingProposer> withNoise =
        ReadingProposer::Load({folder, "", temp.Write("noise.txt", std::string("\x93\x8c\t\x81\n\xff", 6))}, fault);
    ASSERT_NE(withNoise, nullptr);
    EXPECT_TRUE(withNoise->HasUnidic());
    std::string word, reading;
    ASSERT_TRUE(ConvertUtf8ToSjis("東京都", word));
    EXPECT_TRUE(withNoise->Propose(word, reading));
  }

  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.what);
    const std::string path = folder + "/" + damage.file;
    const std::string original = ReadFile(path);
    ASSERT_FALSE(original.empty());
    std::filesystem::remove(std::filesystem::u8path(path));
    switch (damage.kind) {
      case Damage::kEdit: {
        std::string bytes = original;
        damage.edit(bytes);
        WriteFile(path, bytes);
        break;
      }
      case Damage::kRemove: break;
      case Damage::kFolder: std::filesystem::create_directory(std::filesystem::u8path(path)); break;
      case Damage::kFifo:
#ifndef _WIN32
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
#endif
        break;
    }
    // The header checks find what they can see; the analyser the rest.
    const DictionaryFault checked = CheckIpaDictionary(folder);
    if (checked.problem != DictionaryProblem::kNone) {
      EXPECT_EQ(checked.problem, damage.expected);
      EXPECT_EQ(NameOf(checked.file), damage.file);
    }
    EXPECT_EQ(ReadingProposer::Load({folder, "", ""}, fault), nullptr);
    EXPECT_EQ(fault.problem, damage.expected);
    EXPECT_EQ(NameOf(fault.file), damage.file);

    std::filesystem::remove(std::filesystem::u8path(path));
    WriteFile(path, original);
  }
}

// SKK's file is read whole: a folder or a FIFO in its place is refused
// before it is opened.
TEST(DictionaryCheckTest, TheSkkFileIsARegularFileOfBoundedSize) {
  TempFolder temp;
  EXPECT_EQ(CheckWholeFile(temp.Write("SKK-JISYO.L", "a /b/\n"), 100).problem, DictionaryProblem::kNone);
  EXPECT_EQ(CheckWholeFile(temp.Write("large", std::string(101, 'a')), 100).problem, DictionaryProblem::kTooLarge);
  EXPECT_EQ(CheckWholeFile(temp.PathOf("none"), 100).problem, DictionaryProblem::kMissing);
  std::filesystem::create_directory(std::filesystem::u8path(temp.PathOf("folder")));
  EXPECT_EQ(CheckWholeFile(temp.PathOf("folder"), 100).problem, DictionaryProblem::kNotRegularFile);
#ifndef _WIN32
  ASSERT_EQ(mkfifo(temp.PathOf("fifo").c_str(), 0600), 0);
  EXPECT_EQ(CheckWholeFile(temp.PathOf("fifo"), 100).problem, DictionaryProblem::kNotRegularFile);
  EXPECT_EQ(MappedFile::Open(temp.PathOf("fifo"), 100), nullptr);
#endif
  // Mapped, a file is read byte for byte (by a path in UTF-8); what the
  // check refuses is not mapped either.
  const std::string text = "a /b/\n\xa4\xa2 /\xb0\xa1/\n";
  const std::unique_ptr<MappedFile> file = MappedFile::Open(temp.Write("辞書.txt", text), 100);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Text(), text);
  const std::unique_ptr<MappedFile> empty = MappedFile::Open(temp.Write("empty", ""), 100);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->Text().empty());
  for (const char* refused : {"large", "none", "folder"}) {
    EXPECT_EQ(MappedFile::Open(temp.PathOf(refused), 100), nullptr) << refused;
  }
}

}  // namespace
