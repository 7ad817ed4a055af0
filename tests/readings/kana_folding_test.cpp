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

// Katakana becomes hiragana across the whole range (both ends, and both
// sides of the byte 0x7F the katakana codes skip), small kana and vu
// included, the middle dot dropped; iteration marks repeat the kana before
// them; anything but kana gives nothing and leaves the reading.
TEST(KanaFolding, KanaBecomesHiraganaAndAnythingElseNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {Sjis("ァアミムンー"), Sjis("ぁあみむんー")},
      {Sjis("コンピューター"), Sjis("こんぴゅーたー")},
      {Sjis("ひらがなカタカナ"), Sjis("ひらがなかたかな")},
      {Sjis("ッャュョヮ"), Sjis("っゃゅょゎ")},
      {Sjis("ヵヶ"), Sjis("かけ")},
      {Sjis("ヴァイオリン"), Sjis("ばいおりん")},
      {Sjis("ヴィヴェヴォヴ"), Sjis("びべぼぶ")},
      {Sjis("ジョン") + "\x81\x45" + Sjis("スミス"), Sjis("じょんすみす")},  // ・
      // "\x81\x54" ゝ, "\x81\x55" ゞ, "\x81\x52" ヽ, "\x81\x53" ヾ.
      {Sjis("いす") + "\x81\x55", Sjis("いすず")},
      {Sjis("こ") + "\x81\x54" + Sjis("ろ"), Sjis("こころ")},
      {Sjis("バ") + "\x81\x52", Sjis("ばは")},  // ヽ repeats unvoiced
      {Sjis("ハ") + "\x81\x53", Sjis("はば")},
      {Sjis("あ") + "\x81\x55", Sjis("ああ")},  // nothing to voice
      {"\x81\x54", "(none)"},                    // nothing to repeat
      {Sjis("カナA"), "(none)"},
      {"\x8a\xbf\x8e\x9a", "(none)"},  // 漢字
      {"\xb1\xb2", "(none)"},          // half-width ｱｲ
      {"\x82", "(none)"},              // a lead byte cut off
      {"\x81\x58", "(none)"},          // 々 belongs to kanji
  };
  for (const auto& [kana, reading] : cases) EXPECT_EQ(Folded(kana), reading) << kana;
}

}  // namespace
