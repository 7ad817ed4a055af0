// The resources as the program loads them from its module: the menus (their
// Japanese texts pass through the resource compiler's code page), the icons
// (binary files drawn by res/make_icons.py), the version and the manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "convert/sjis_text_win32.h"
#include "res/messages.h"
#include "res/resource_ids.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string MenuItemText(HMENU menu, int position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 127, MF_BYPOSITION);
  std::string sjis;
  EXPECT_TRUE(SjisFromWide(text, sjis));
  return sjis;
}

struct MenuItem {
  const char* text;  // nullptr: a separator
  UINT id;
};

void ExpectMenu(HMENU popup, const std::vector<MenuItem>& items) {
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) {
    const int position = static_cast<int>(i);
    if (!items[i].text) {
      EXPECT_EQ(GetMenuState(popup, position, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR)) << i;
      continue;
    }
    EXPECT_EQ(MenuItemText(popup, position), items[i].text);
    EXPECT_EQ(GetMenuItemID(popup, position), items[i].id) << items[i].text;
    EXPECT_EQ(GetMenuState(popup, position, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED), 0u) << items[i].text;
  }
}

TEST(Resources, MenuBarAndContextMenu) {
  HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
  ASSERT_NE(bar, nullptr);
  const char* popups[] = {"ファイル(&F)", "編集(&E)", "ビルド(&B)", "ヘルプ(&H)"};
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(MenuItemText(bar, i), popups[i]);
  ExpectMenu(GetSubMenu(bar, 0), {{"新規作成(&N)...\tCtrl+N", 40019},
                                  {"開く(&O)...\tCtrl+O", 40001},
                                  {nullptr, 0},
                                  {"上書き保存(&S)\tCtrl+S", 40002},
                                  {"名前を付けて保存(A)...", 40003},
                                  {nullptr, 0},
                                  {"アプリケーションの終了", 40004}});
  ExpectMenu(GetSubMenu(bar, 1), {{"ファイルの読み込み(&R)...", 40006},
                                  {"FSGファイルからの読み込み(&F)...", 40018},
                                  {"プールファイルの読みこみ(&P)...", 40020},
                                  {nullptr, 0},
                                  {"追加(&A)...\tIns", 40007},
                                  {"修正(&E)...\tEnter", 40010},
                                  {"削除(&D)\tDel", 40009},
                                  {nullptr, 0},
                                  {"よみを補完(&Y)", 40021},
                                  {"元に戻す(&U)\tCtrl+Z", 40022},
                                  {"やり直し(&O)\tCtrl+Y", 40023},
                                  {"検索(&S)...\tCtrl+F", 40024},
                                  {"次を検索(&N)\tF3", 40025},
                                  {"前を検索(&V)\tShift+F3", 40026},
                                  {"次の要確認行(&J)\tF8", 40027},
                                  {"前の要確認行(&L)\tShift+F8", 40028},
                                  {"カタカナのよみをひらがなに(&K)", 40040}});
  ExpectMenu(GetSubMenu(bar, 2), {{"プール作成(&C)...", 40005}});
  ExpectMenu(GetSubMenu(bar, 3), {{"Corvane Lexiforgeのﾊﾞｰｼﾞｮﾝ情報(&A)...", 40011}});
  DestroyMenu(bar);

  HMENU context = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_CONTEXT_MENU));
  ASSERT_EQ(GetMenuItemCount(context), 1);
  EXPECT_EQ(MenuItemText(context, 0), "編集");
  ExpectMenu(GetSubMenu(context, 0), {{"追加(&A)...", 40007}, {"修正(&E)...", 40010}, {"削除(&D)", 40009}});
  DestroyMenu(context);
}

// The six keys the program always had, in their order, then the new ones.
TEST(Resources, AcceleratorTable) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
  const BYTE plain = FVIRTKEY | FNOINVERT;
  const struct {
    BYTE flags;
    WORD key, command;
  } expected[] = {
      {plain | FCONTROL, 0x4E, 40019}, {plain | FCONTROL, 0x4F, 40001}, {plain | FCONTROL, 0x53, 40002},
      {plain, 0x2E, 40009},            {plain, 0x2D, 40007},            {plain, 0x0D, 40010},
      {plain | FCONTROL, 0x5A, 40022}, {plain | FCONTROL, 0x59, 40023}, {plain | FCONTROL, 0x46, 40024},
      {plain, VK_F3, 40025},           {plain | FSHIFT, VK_F3, 40026},  {plain, VK_F8, 40027},
      {plain | FSHIFT, VK_F8, 40028},
  };
  ASSERT_EQ(keys.size(), std::size(expected));
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].fVirt & ~0x80, expected[i].flags) << i;  // 0x80 marks the table's last entry
    EXPECT_EQ(keys[i].key, expected[i].key) << i;
    EXPECT_EQ(keys[i].cmd, expected[i].command) << i;
  }
  DestroyAcceleratorTable(table);
}

// Each image of an icon group: its size, its colour depth, and a
// transparent corner.
TEST(Resources, IconsAndTheirImages) {
  const struct {
    int group;
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
  } icons[] = {{IDI_PROGRAM, {{32, 4}, {32, 8}, {16, 4}}}, {IDI_PROGRAM_SMALL, {{16, 4}}}};
  for (const auto& icon : icons) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(icon.group), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    WORD count;
    std::memcpy(&count, group + 4, sizeof count);
    ASSERT_EQ(count, icon.images.size());
    for (WORD i = 0; i < count; ++i) {
      const BYTE* entry = group + 6 + 14 * i;  // width, height, colours, reserved, planes, bits, size, id
      const auto [size, bits] = icon.images[i];
      EXPECT_EQ(entry[0], size);
      EXPECT_EQ(entry[1], size);
      WORD bitCount, id;
      std::memcpy(&bitCount, entry + 6, 2);
      std::memcpy(&id, entry + 12, 2);
      EXPECT_EQ(bitCount, bits);
      HRSRC image = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
      const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), image)));
      const size_t colours = size_t{1} << bits, colourRow = ((size * bits + 31) / 32) * 4;
      const auto* mask = reinterpret_cast<const BYTE*>(header + 1) + colours * 4 + colourRow * size;
      EXPECT_TRUE(mask[0] & 0x80) << "a transparent corner in icon " << icon.group;
    }
  }
}

TEST(Resources, VersionAndManifest) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::vector<BYTE> info(GetFileVersionInfoSizeA(path, nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
  void* value;
  UINT length;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000007u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000007u);
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
  WORD translation[2];
  std::memcpy(translation, value, sizeof translation);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 1200);
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\041104B0\\FileDescription", &value, &length));
  EXPECT_STREQ(static_cast<const char*>(value), "Corvane Lexiforge for IBM ViaVoice");

  // The manifest asks for the common controls of version 6, which come from
  // the side-by-side store rather than the system folder.
  char controls[MAX_PATH] = {};
  GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), controls, MAX_PATH - 1);
  CharLowerA(controls);
  EXPECT_NE(std::string(controls).find("winsxs"), std::string::npos) << controls;
}

// Every message is filled one way: each %s and %d takes the next argument,
// %% is a %, and the bytes around them, double-byte characters among them,
// stay as they are.
TEST(Resources, MessagesFilledInOrder) {
  const struct {
    const char* format;
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {"%d行目の「%s」（%s）\n", {"3", "表示", "理由"}, "3行目の「表示」（理由）\n"},
      {"%s - Corvane Lexiforge", {"C:\\表\\a.txt"}, "C:\\表\\a.txt - Corvane Lexiforge"},
      {"%d%%（Esc）", {"50"}, "50%（Esc）"},
      {"%s と %s", {"a"}, "a と "},
      {"100%", {}, "100%"},
      {"%x", {"a"}, "%x"},
  };
  for (const auto& c : cases) {
    std::string message;
    if (c.arguments.empty()) message = FillMessage(c.format, {});
    if (c.arguments.size() == 1) message = FillMessage(c.format, {c.arguments[0]});
    if (c.arguments.size() == 3) message = FillMessage(c.format, {c.arguments[0], c.arguments[1], c.arguments[2]});
    EXPECT_EQ(message, c.message) << c.format;
  }
  EXPECT_EQ(FillMessage("%d/%d", {12, -3}), "12/-3");
  EXPECT_EQ(ProgramMessage(IDS_TITLE, {ProgramText(IDS_UNTITLED)}), "無題 - Corvane Lexiforge");
  EXPECT_EQ(ProgramText(IDS_PROGRAM_NAME), "Corvane Lexiforge");
  EXPECT_EQ(ProgramText(IDS_LOAD_FAILED), "ﾌｧｲﾙを読み込めませんでした");
}

}  // namespace
