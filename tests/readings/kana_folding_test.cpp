#include "readings/kana_folding.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/sjis_literal.h"

namespace {

// The reading AppendKanaReading makes of `kana`, or "(none)".
std::string Folded(std::string_view kana) {
  std::string reading = "~";
  if (!AppendKanaReading(kana, reading)) return reading == "~" ? "(none)" : "(changed on failure)";
  return reading.substr(1);
}

TEST(KanaFolding, KatakanaBecomesHiraganaAcrossTheWholeRange) {
  // Both ends of the katakana, and the two sides of the byte 0x7F the
  // katakana codes skip.
  EXPECT_EQ(Folded(Sjis("ァアミムンー")), Sjis("ぁあみむんー"));
  EXPECT_EQ(Folded(Sjis("コンピューター")), Sjis("こんぴゅーたー"));
  EXPECT_EQ(Folded(Sjis("ひらがなカタカナ")), Sjis("ひらがなかたかな"));
}

TEST(KanaFolding, SmallKanaAndVuAndTheMiddleDot) {
  EXPECT_EQ(Folded(Sjis("ッャュョヮ")), Sjis("っゃゅょゎ"));
  EXPECT_EQ(Folded(Sjis("ヵヶ")), Sjis("かけ"));
  EXPECT_EQ(Folded(Sjis("ヴァイオリン")), Sjis("ばいおりん"));
  EXPECT_EQ(Folded(Sjis("ヴィヴェヴォヴ")), Sjis("びべぼぶ"));
  EXPECT_EQ(Folded(Sjis("ジョン") + "\x81\x45" + Sjis("スミス")), Sjis("じょんすみす"));  // ・
}

TEST(KanaFolding, IterationMarksRepeatTheKanaBefore) {
  // "\x81\x54" ゝ, "\x81\x55" ゞ, "\x81\x52" ヽ, "\x81\x53" ヾ.
  EXPECT_EQ(Folded(Sjis("いす") + "\x81\x55"), Sjis("いすず"));
  EXPECT_EQ(Folded(Sjis("こ") + "\x81\x54" + Sjis("ろ")), Sjis("こころ"));
  EXPECT_EQ(Folded(Sjis("バ") + "\x81\x52"), Sjis("ばは"));  // ヽ repeats unvoiced
  EXPECT_EQ(Folded(Sjis("ハ") + "\x81\x53"), Sjis("はば"));
  EXPECT_EQ(Folded(Sjis("あ") + "\x81\x55"), Sjis("ああ"));  // nothing to voice
  EXPECT_EQ(Folded("\x81\x54"), "(none)");                    // nothing to repeat
}

TEST(KanaFolding, AnythingButKanaGivesNothingAndLeavesTheReading) {
  EXPECT_EQ(Folded(Sjis("カナA")), "(none)");
  EXPECT_EQ(Folded("\x8a\xbf\x8e\x9a"), "(none)");  // 漢字
  EXPECT_EQ(Folded("\xb1\xb2"), "(none)");          // half-width ｱｲ
  EXPECT_EQ(Folded("\x82"), "(none)");              // a lead byte cut off
  EXPECT_EQ(Folded("\x81\x58"), "(none)");          // 々 belongs to kanji
}

}  // namespace
