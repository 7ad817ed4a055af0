#include "wordlist/sort_order.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis_literal.h"

namespace {

TEST(SortPrefix, TwentyNineBytesAtAWholeCharacter) {
  const std::string kana15 = Sjis("あいうえおかきくけこさしすせそ");
  EXPECT_EQ(SortPrefix(kana15), kana15.substr(0, 28));
  const std::string a = "a";
  EXPECT_EQ(SortPrefix(a + kana15), a + kana15.substr(0, 28));
  EXPECT_EQ(SortPrefix(std::string(40, 'x')), std::string(29, 'x'));
}

}  // namespace
