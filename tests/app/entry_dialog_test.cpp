// The entry dialog, opened by the main window's Add and Modify commands and
// driven through its boxes and buttons.

#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <cstring>

#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "app/entry_dialog.h"

namespace {

constexpr char kWordRequired[] = "単語は必ず入力してください";
constexpr char kNotHiragana[] = "「よみ」は\"ひらがな\"で入力してください";
constexpr char kUnconverted[] = "変換できない言い回しがあります。\"*\"の部分の「よみ」をチェックしてください。";

void Type(HWND dialog, int box, const std::string& text) { SetItemText(dialog, box, text); }

// Fills the word box and presses "追加".
void AddWord(HWND dialog, const std::string& word) {
  Type(dialog, IDC_WORD_BOX, word);
  Click(dialog, IDC_ADD_ROW);
}

class EntryDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Append({{"0"}, {"1"}, {"2"}, {"3", "r3", "b3"}, {"4"}});
  }
};

TEST_F(EntryDialogTest, AddInsertsAtTheSelectedRowAndEachFurtherRowAfterIt) {
  Select({3});
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) {
    EXPECT_EQ(DialogText(dialog), "単語の修正/追加");
    EXPECT_EQ(DialogText(dialog, IDC_WORD_BOX), "") << "Add opens with empty boxes";
    AddWord(dialog, "a");
    AddWord(dialog, "b");
    Press(dialog, IDCANCEL);
  }});
  EXPECT_EQ(Words(), (std::vector<std::string>{"0", "1", "2", "a", "b", "3", "4"}));
  EXPECT_EQ(GetFocus(), list_);

  Select({});
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) {
    AddWord(dialog, "end");
    Click(dialog, IDC_ADD_ROW);  // unchanged boxes: the same row again
    Press(dialog, IDCANCEL);
  }});
  EXPECT_EQ(Rows().back(), Rows()[7]);
  EXPECT_EQ(Rows().back().word, "end");
}

TEST_F(EntryDialogTest, ModifyReplacesTheRowAtTheDialogsIndex) {
  // Add while row 3 is selected, then "修正": the row after the added one,
  // the one that was selected, is replaced.
  Select({3});
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) {
    AddWord(dialog, "added");
    Type(dialog, IDC_WORD_BOX, "changed");
    Press(dialog, IDOK);
  }});
  EXPECT_EQ(Words(), (std::vector<std::string>{"0", "1", "2", "added", "changed", "4"}));

  // Add with no row selected: "修正" has no row to replace.
  Select({});
  const std::vector<Row> before = Rows();
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) {
    Type(dialog, IDC_WORD_BOX, "nowhere");
    Press(dialog, IDOK);
  }});
  EXPECT_EQ(Rows(), before);

  // Modify opens on the row's texts; "追加" goes before it and leaves it.
  Select({4, 1});
  CommandWithDialogs(IDM_MODIFY, {[](HWND dialog) {
    EXPECT_EQ(DialogText(dialog, IDC_WORD_BOX), "1");
    AddWord(dialog, "before");
    Press(dialog, IDCANCEL);
  }});
  EXPECT_EQ(Words(), (std::vector<std::string>{"0", "before", "1", "2", "added", "changed", "4"}));
}

TEST_F(EntryDialogTest, EnterConfirmsAndEscCancelsFromAnyBox) {
  Select({3});
  CommandWithDialogs(IDM_MODIFY, {[](HWND dialog) {
    EXPECT_EQ(DialogText(dialog, IDC_READING_BOX), "r3");
    EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX), "b3");
    Type(dialog, IDC_BASEFORM_BOX, "by enter");
    PostMessageA(GetDlgItem(dialog, IDC_READING_BOX), WM_KEYDOWN, VK_RETURN, 0);
  }});
  EXPECT_EQ(Rows()[3], (Row{"3", "r3", "by enter"}));
  Select({3});
  CommandWithDialogs(IDM_MODIFY, {[](HWND dialog) {
    Type(dialog, IDC_WORD_BOX, "never");
    PostMessageA(GetDlgItem(dialog, IDC_WORD_BOX), WM_KEYDOWN, VK_ESCAPE, 0);
  }});
  EXPECT_EQ(Rows()[3].word, "3");
}

TEST_F(EntryDialogTest, AnEmptyWordIsRefusedAndTheDialogStays) {
  Select({0});
  CommandWithDialogs(IDM_MODIFY, {
                                     [](HWND dialog) {
                                       Type(dialog, IDC_WORD_BOX, "");
                                       Press(dialog, IDOK);
                                     },
                                     ExpectMessage(kWordRequired, MB_ICONERROR, IDOK),
                                     [](HWND dialog) { Press(dialog, IDC_ADD_ROW); },
                                     ExpectMessage(kWordRequired, MB_ICONERROR, IDOK),
                                     [](HWND dialog) {
                                       Type(dialog, IDC_WORD_BOX, "zero");
                                       Press(dialog, IDOK);
                                     },
                                 });
  EXPECT_EQ(Words(), (std::vector<std::string>{"zero", "1", "2", "3", "4"}));
}

TEST_F(EntryDialogTest, GenerationShowsTheBaseformAndExplainsWhatItCouldNotConvert) {
  Select({3});
  const auto generate = [](const std::string& reading) {
    return [reading](HWND dialog) {
      Type(dialog, IDC_READING_BOX, reading);
      Type(dialog, IDC_BASEFORM_BOX, "typed");
      Press(dialog, IDC_GENERATE_BASEFORM);
    };
  };
  const auto expectBaseform = [](const std::string& baseform, auto next) {
    return [baseform, next](HWND dialog) {
      EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX), baseform);
      next(dialog);
    };
  };
  CommandWithDialogs(IDM_MODIFY,
                     {generate("かぃ"), ExpectMessage(kUnconverted, MB_ICONERROR, IDOK),
                      // A refused reading puts back the baseform last held: here
                      // the one just generated.
                      expectBaseform("k a *", generate("カ")), ExpectMessage(kNotHiragana, MB_ICONERROR, IDOK),
                      expectBaseform("k a *", [](HWND dialog) {
                        Type(dialog, IDC_READING_BOX, "");
                        Click(dialog, IDC_GENERATE_BASEFORM);  // no message
                        EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX), "k a *");
                        Type(dialog, IDC_READING_BOX, "きゃー");
                        Click(dialog, IDC_GENERATE_BASEFORM);
                        Press(dialog, IDOK);
                      })});
  EXPECT_EQ(Rows()[3], (Row{"3", "きゃー", "ky a a:"}));
}

TEST_F(EntryDialogTest, BoxesShowLongTextsWholeButRowsKeep127Bytes) {
  Append({{"long", "", std::string(200, 'b')}});
  Select({5});
  CommandWithDialogs(IDM_MODIFY, {[](HWND dialog) {
    EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX).size(), 127u) << "the row is read through 128 bytes";
    for (int box : {IDC_WORD_BOX, IDC_READING_BOX, IDC_BASEFORM_BOX}) {
      EXPECT_EQ(SendDlgItemMessageA(dialog, box, EM_GETLIMITTEXT, 0, 0), 80);
    }
    Press(dialog, IDOK);
  }});
  EXPECT_EQ(Rows()[5], (Row{"long", "", std::string(127, 'b')}));

  Select({});
  CommandWithDialogs(IDM_ADD, {[](HWND dialog) {
    // 40 times "し" (80 bytes) gives 40 times "sh i": 199 bytes.
    std::string reading;
    for (int i = 0; i < 40; ++i) reading += "し";
    Type(dialog, IDC_WORD_BOX, "generated");
    Type(dialog, IDC_READING_BOX, reading);
    Click(dialog, IDC_GENERATE_BASEFORM);
    EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX).size(), 199u);
    Click(dialog, IDC_ADD_ROW);
    Press(dialog, IDCANCEL);
  }});
  const std::string baseform = Rows().back().baseform;
  EXPECT_EQ(baseform.size(), 127u);
  EXPECT_EQ(baseform.substr(0, 10), "sh i sh i ");
}

// Characters typed one by one at the end of a box, as the keyboard (or the
// input method) delivers them to the box that has the focus.
void TypeKeys(HWND dialog, int box, const std::wstring& keys) {
  HWND edit = GetDlgItem(dialog, box);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0x7FFF, 0x7FFF);
  for (wchar_t key : keys) SendMessageW(edit, WM_CHAR, key, 1);
}

// Typing stops at 80 bytes, 40 double-byte characters, never in the middle
// of one, in every box; a row the dialog stores can then always be saved.
TEST_F(EntryDialogTest, TypingStopsAtEightyBytesNotEightyCharacters) {
  std::string kanji40;
  for (int i = 0; i < 40; ++i) kanji40 += "漢";
  CommandWithDialogs(IDM_ADD, {[&](HWND dialog) {
    TypeKeys(dialog, IDC_WORD_BOX, std::wstring(50, L'漢'));
    EXPECT_EQ(DialogText(dialog, IDC_WORD_BOX), kanji40);
    TypeKeys(dialog, IDC_WORD_BOX, L"a");
    EXPECT_EQ(DialogText(dialog, IDC_WORD_BOX), kanji40);
    Type(dialog, IDC_READING_BOX, std::string(79, 'r'));
    TypeKeys(dialog, IDC_READING_BOX, L"漢");
    EXPECT_EQ(DialogText(dialog, IDC_READING_BOX), std::string(79, 'r')) << "no half character";
    TypeKeys(dialog, IDC_READING_BOX, L"s");
    EXPECT_EQ(DialogText(dialog, IDC_READING_BOX), std::string(79, 'r') + "s");
    TypeKeys(dialog, IDC_BASEFORM_BOX, std::wstring(45, L'ア') + L"bb");
    EXPECT_EQ(DialogText(dialog, IDC_BASEFORM_BOX).size(), 80u);
    Click(dialog, IDC_ADD_ROW);
    Press(dialog, IDCANCEL);
  }});
  const Row added = Rows().back();
  EXPECT_EQ(added.word, kanji40);
  EXPECT_EQ(added.reading.size(), 80u);
  EXPECT_EQ(added.baseform.size(), 80u);
}

// Under Wine the input method has no reverse conversion: leaving the word box
// then takes the reading proposer's reading (the dictionaries as Debian
// installs them), and nothing may crash.
void LeaveWordBox(HWND dialog) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_READING_BOX)), TRUE);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_WORD_BOX)), TRUE);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_ADD_ROW)), TRUE);
}

// A reading typed stays; an empty one gets the proposal, or none for a word
// nobody reads.
TEST_F(EntryDialogTest, LeavingTheWordBoxFallsBackToTheProposer) {
  std::string shown, typed, unreadable;
  CommandWithDialogs(IDM_ADD, {[&](HWND dialog) {
    Type(dialog, IDC_WORD_BOX, "東京");
    Type(dialog, IDC_READING_BOX, "ひがしきょう");
    LeaveWordBox(dialog);
    typed = DialogText(dialog, IDC_READING_BOX);
    Type(dialog, IDC_WORD_BOX, "Linux");
    Type(dialog, IDC_READING_BOX, "");
    LeaveWordBox(dialog);
    unreadable = DialogText(dialog, IDC_READING_BOX);
    Type(dialog, IDC_WORD_BOX, "東京");
    LeaveWordBox(dialog);
    shown = DialogText(dialog, IDC_READING_BOX);
    Press(dialog, IDC_ADD_ROW);
    Press(dialog, IDCANCEL);
  }});
  EXPECT_EQ(typed, "ひがしきょう");
  EXPECT_EQ(unreadable, "");
  EXPECT_EQ(shown, "とうきょう");
  EXPECT_EQ(Rows().back().word, "東京");
  EXPECT_EQ(Rows().back().reading, "とうきょう");
}

TEST_F(EntryDialogTest, TheReadingBoxListsEveryReadingOfTheWord) {
  std::vector<std::string> japan, moment, none;
  std::string chosen;
  CommandWithDialogs(IDM_ADD, {[&](HWND dialog) {
    Type(dialog, IDC_WORD_BOX, "日本");
    japan = ReadingChoices(dialog);
    Type(dialog, IDC_WORD_BOX, "一寸");
    moment = ReadingChoices(dialog);
    Type(dialog, IDC_WORD_BOX, "");
    none = ReadingChoices(dialog);
    // Alt+Down opens the list; Down and Enter choose its second reading.
    Type(dialog, IDC_WORD_BOX, "日本");
    HWND box = GetDlgItem(dialog, IDC_READING_BOX);
    SetFocus(box);
    PostMessageA(box, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(box, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    chosen = DialogText(dialog, IDC_READING_BOX);
    Press(dialog, IDCANCEL);
  }});
  const auto has = [](const std::vector<std::string>& list, const char* reading) {
    return std::find(list.begin(), list.end(), reading) != list.end();
  };
  EXPECT_TRUE(has(japan, "にほん") && has(japan, "にっぽん"));
  EXPECT_TRUE(has(moment, "ちょっと") && has(moment, "いっすん"));
  EXPECT_TRUE(none.empty());
  EXPECT_TRUE(has(japan, chosen.c_str())) << chosen;
}

// A candidate list as ImmGetConversionListW writes it: the header, then the
// offsets, then the UTF-16 strings.
std::vector<unsigned char> CandidateList(const std::vector<std::wstring>& candidates, size_t stringsAt = 0) {
  const size_t header = offsetof(CANDIDATELIST, dwOffset) + sizeof(DWORD) * std::max<size_t>(candidates.size(), 1);
  std::vector<unsigned char> list(std::max(header, stringsAt));
  CANDIDATELIST head{};
  head.dwCount = static_cast<DWORD>(candidates.size());
  std::vector<DWORD> offsets;
  for (const std::wstring& candidate : candidates) {
    offsets.push_back(static_cast<DWORD>(list.size()));
    const auto* bytes = reinterpret_cast<const unsigned char*>(candidate.c_str());
    list.insert(list.end(), bytes, bytes + (candidate.size() + 1) * sizeof(wchar_t));
  }
  head.dwSize = static_cast<DWORD>(list.size());
  std::memcpy(list.data(), &head, offsetof(CANDIDATELIST, dwOffset));
  std::memcpy(list.data() + offsetof(CANDIDATELIST, dwOffset), offsets.data(), offsets.size() * sizeof(DWORD));
  return list;
}

TEST(FirstCandidateReading, TakesTheFirstCandidateInShiftJis) {
  char reading[kBoxTextSize];
  std::vector<unsigned char> list = CandidateList({L"とうきょう", L"ひがしきょう"});
  ASSERT_TRUE(FirstCandidateReading(list.data(), list.size(), reading));
  EXPECT_STREQ(reading, "とうきょう");
  list = CandidateList({L"あ"}, 41);  // a string at an odd offset
  ASSERT_TRUE(FirstCandidateReading(list.data(), list.size(), reading));
  EXPECT_STREQ(reading, "あ");
  list = CandidateList({std::wstring(63, L'亜')});  // 126 bytes
  EXPECT_TRUE(FirstCandidateReading(list.data(), list.size(), reading));
  // Every candidate, each once; one that does not fit is left out.
  list = CandidateList({L"とうきょう", std::wstring(64, L'亜'), L"ひがしきょう", L"とうきょう"});
  EXPECT_EQ(CandidateReadings(list.data(), list.size()), (std::vector<std::string>{"とうきょう", "ひがしきょう"}));
}

TEST(FirstCandidateReading, ReadsNothingBeyondWhatTheInputMethodWrote) {
  char reading[kBoxTextSize];
  const std::vector<unsigned char> good = CandidateList({L"よみ"});
  const struct {
    const char* what;
    std::vector<unsigned char> list;
    size_t size;
  } cases[] = {
      {"no list", {}, 0},
      {"shorter than its header", good, offsetof(CANDIDATELIST, dwOffset)},
      {"no candidate", CandidateList({}), CandidateList({}).size()},
      {"string without its NUL", good, good.size() - 2},
      {"string where the list ends", good, CandidateList({}).size()},
      {"empty string", CandidateList({L""}), CandidateList({L""}).size()},
      {"128 bytes in Shift-JIS", CandidateList({std::wstring(64, L'亜')}), CandidateList({std::wstring(64, L'亜')}).size()},
      {"more units than the box", CandidateList({std::wstring(200, L'a')}), CandidateList({std::wstring(200, L'a')}).size()},
  };
  for (const auto& c : cases) {
    std::strcpy(reading, "stale");
    EXPECT_FALSE(FirstCandidateReading(c.list.empty() ? nullptr : c.list.data(), c.size, reading)) << c.what;
    EXPECT_STREQ(reading, "") << c.what;
  }
}

}  // namespace
