#include "tests/app/dialog_script.h"

#include <gtest/gtest.h>

namespace {

DialogScript* g_script = nullptr;
UINT_PTR g_watch = 0;
HWND g_current = nullptr;  // the dialog last handed to a step (or ended)
DWORD g_since = 0;
constexpr DWORD kDialogTimeoutMs = 5000;

bool HasClass(HWND window, const char* name) {
  char found[32] = {};
  GetClassNameA(window, found, sizeof found - 1);
  return lstrcmpiA(found, name) == 0;
}

HWND ActiveDialog() {
  HWND active = GetActiveWindow();
  return active && IsWindowVisible(active) && HasClass(active, "#32770") ? active : nullptr;
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM found) {
  if (!IsWindowVisible(window) || !HasClass(window, "#32768")) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

void CALLBACK WatchDialogs(HWND, UINT, UINT_PTR, DWORD) {
  DialogScript* script = g_script;
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindPopupMenu, reinterpret_cast<LPARAM>(&menu));
  if (menu) {
    RECT rect;
    GetWindowRect(menu, &rect);
    if (script) script->menu_position_ = {rect.left, rect.top};
    EndMenu();
    return;
  }
  HWND dialog = ActiveDialog();
  if (!dialog) return;
  if (dialog == g_current) {
    if (GetTickCount() - g_since > kDialogTimeoutMs) {
      ADD_FAILURE() << "dialog left open: " << DialogText(dialog);
      EndDialog(dialog, IDCANCEL);
      g_since = GetTickCount();
    }
    return;
  }
  g_current = dialog;
  g_since = GetTickCount();
  if (!script || script->next_ == script->steps_.size()) {
    ADD_FAILURE() << "unexpected dialog: " << DialogText(dialog) << " / " << DialogText(dialog, 0xFFFF);
    EndDialog(dialog, IDCANCEL);
    return;
  }
  script->steps_[script->next_++](dialog);
}

void StartDialogWatch() { g_watch = SetTimer(nullptr, 0, 20, WatchDialogs); }

void StopDialogWatch() { KillTimer(nullptr, g_watch); }

DialogScript::DialogScript(std::vector<DialogStep> steps) : steps_(std::move(steps)) { g_script = this; }

DialogScript::~DialogScript() {
  g_script = nullptr;
  EXPECT_EQ(next_, steps_.size()) << "dialogs expected but never shown";
}

std::string DialogText(HWND dialog, int id) {
  char text[1024] = {};
  if (id == -1) {
    GetWindowTextA(dialog, text, sizeof text - 1);
  } else {
    GetDlgItemTextA(dialog, id, text, sizeof text - 1);
  }
  return text;
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
  if (!HasClass(child, "Static") || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

}  // namespace

UINT MessageBoxIcon(HWND box) {
  HWND control = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
  if (!control) return 0;
  const auto icon = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
  if (icon == LoadIconA(nullptr, IDI_HAND)) return MB_ICONERROR;
  if (icon == LoadIconA(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
  if (icon == LoadIconA(nullptr, IDI_ASTERISK)) return MB_ICONINFORMATION;
  if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return MB_ICONWARNING;
  return 0;
}

DialogStep ExpectMessage(std::string text, UINT style, int answer) {
  return [text, style, answer](HWND box) {
    EXPECT_EQ(DialogText(box), "Corvane Lexiforge");
    EXPECT_EQ(DialogText(box, 0xFFFF), text);
    EXPECT_EQ(MessageBoxIcon(box), style & MB_ICONMASK);
    const bool yes_no = (style & MB_TYPEMASK) == MB_YESNO;
    EXPECT_EQ(GetDlgItem(box, IDYES) != nullptr, yes_no);
    EXPECT_EQ(GetDlgItem(box, IDNO) != nullptr, yes_no);
    Press(box, answer);
  };
}
