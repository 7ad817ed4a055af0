#include "convert/typed_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis_literal.h"

namespace {

struct Edit {
  const char* what;
  std::string before;
  std::string after;
  std::string expected;
  size_t caret;
};

TEST(FitTypedText, KeepsWhatFitsEightyBytesAndNeverHalfACharacter) {
  const std::string a79(79, 'a'), a80(80, 'a');
  std::string kan40;
  for (int i = 0; i < 40; ++i) kan40 += Sjis("単");
  const std::string kan = Sjis("単");  // 0x92 0x50
  const std::string long100(100, 'x');
  const Edit edits[] = {
      {"a letter at the end of 80 bytes", a80, a80 + "b", a80, 80},
      {"a kanji after 40 kanji", kan40, kan40 + kan, kan40, 80},
      {"a kanji after 79 bytes", a79, a79 + kan, a79, 79},
      {"a letter after 79 bytes", a79, a79 + "b", a79 + "b", 80},
      {"a paste into the middle", std::string(37, 'a') + std::string(37, 'b'),
       std::string(37, 'a') + Sjis("単語かな") + std::string(37, 'b'),
       std::string(37, 'a') + Sjis("単語か") + std::string(37, 'b'), 43},
      {"a kanji typed over two selected letters", a80, std::string(40, 'a') + kan + std::string(38, 'a'),
       std::string(40, 'a') + kan + std::string(38, 'a'), 80},
      {"a kanji typed over one selected letter", a80, std::string(40, 'a') + kan + std::string(39, 'a'),
       std::string(79, 'a'), 40},
      {"a letter into a longer text the box was given", long100, long100 + "y", long100, 100},
      {"a letter deleted from it", long100, std::string(99, 'x'), std::string(99, 'x'), 99},
      // The kanji's trail byte is "P": the shared end begins at a whole
      // character of both texts, never inside the kanji.
      {"a kanji before PP", std::string(77, 'a') + "PP", std::string(77, 'a') + kan + "PP",
       std::string(77, 'a') + "PP", 77},
      {"a kanji typed at the start", std::string(77, 'a') + kan, kan + std::string(77, 'a') + kan,
       std::string(77, 'a') + kan, 0},
  };
  for (const Edit& edit : edits) {
    size_t caret = 0;
    EXPECT_EQ(FitTypedText(edit.before, edit.after, 80, caret), edit.expected) << edit.what;
    EXPECT_EQ(caret, edit.caret) << edit.what;
  }
}

}  // namespace
