#include "app/step_progress.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/word_list_view.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/row_attention.h"

namespace {

// Parts of the bar: rows, rows that need attention, the step's progress.
constexpr int kPartWidths[] = {120, 260, -1};
constexpr int kProgressPart = 2;

// A step shorter than this shows nothing; one longer is repainted and
// looked at for Esc this often.
constexpr ULONGLONG kQuietMilliseconds = 500;
constexpr ULONGLONG kPumpMilliseconds = 40;

HWND StatusBarOf(HWND main) { return GetDlgItem(main, IDC_STATUS_BAR); }

// A part is set only when its text changes: each setting repaints it.
void SetPartText(HWND main, int part, const std::string& text) {
  HWND bar = StatusBarOf(main);
  const std::wstring shown = ScreenText(text);
  const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  if (length == shown.size()) {
    std::wstring old(length + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(old.data()));
    old.resize(length);
    if (old == shown) return;
  }
  SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string Formatted(unsigned id, int number) { return ProgramMessage(id, {number}); }

// What the user does with keys and the mouse, in the client area and on
// the frame (menus, the close box).
bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

HWND CreateStatusBar(HWND main) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main, GWLP_HINSTANCE));
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, main,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), instance, nullptr);
  if (!bar) return nullptr;
  int edges[std::size(kPartWidths)];
  for (size_t i = 0; i < std::size(kPartWidths); ++i) edges[i] = kPartWidths[i];
  SendMessageW(bar, SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
  return bar;
}

void TileListAndStatusBar(HWND main, HWND list) {
  HWND bar = StatusBarOf(main);
  RECT client;
  GetClientRect(main, &client);
  int barHeight = 0;
  if (bar) {
    SendMessageW(bar, WM_SIZE, 0, 0);  // the bar places itself at the bottom
    RECT barRect;
    GetWindowRect(bar, &barRect);
    barHeight = barRect.bottom - barRect.top;
  }
  const int height = client.bottom - barHeight;
  MoveWindow(list, 0, 0, client.right, height > 0 ? height : 0, TRUE);
}

void ShowRowCounts(HWND main) {
  HWND list = GetDlgItem(main, IDC_WORD_LIST);
  const WordList table = WordTableOf(list);
  SetPartText(main, 0, Formatted(IDS_STATUS_ROWS, RowCount(table)));
  AttentionIndex* attention = AttentionOf(list);
  if (attention && attention->Update(table)) {
    SetPartText(main, 1, Formatted(IDS_STATUS_ATTENTION, attention->counts().rows));
  } else {
    SetPartText(main, 1, "");
  }
}

StepProgress::StepProgress(HWND main, unsigned textId, uint64_t total)
    : main_(main), textId_(textId), total_(total) {}

StepProgress::~StepProgress() {
  if (!shown_) return;
  SetPartText(main_, kProgressPart, stopped_ ? ProgramText(IDS_STEP_STOPPED) : std::string());
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

bool StepProgress::Continue(uint64_t done) {
  if (stopped_) return false;
  const ULONGLONG now = GetTickCount64();
  if (start_ == 0) start_ = now;
  if (now - start_ < kQuietMilliseconds || now - lastPump_ < kPumpMilliseconds) return true;
  lastPump_ = now;
  if (!shown_) {
    shown_ = true;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
  Show(done);
  Pump();
  return !stopped_;
}

void StepProgress::Show(uint64_t done) {
  const int percent = total_ > 0 ? static_cast<int>(done * 100 / total_) : 0;
  if (percent == percent_) return;
  percent_ = percent;
  SetPartText(main_, kProgressPart, Formatted(textId_, percent));
}

// Paint and the like are handled; a quit request is put back for the
// message loop, and stops the step.
void StepProgress::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      stopped_ = true;
      return;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      stopped_ = true;
      continue;
    }
    if (IsUserInput(message.message)) continue;
    DispatchMessageW(&message);
  }
}
