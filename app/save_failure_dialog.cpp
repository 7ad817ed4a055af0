#include "app/save_failure_dialog.h"

#include <algorithm>

#include "res/messages.h"
#include "res/resource_ids.h"

namespace {

struct SaveFailure {
  const char* path;
  const std::string* reason;
};

// Moves a control right by `dx` and makes it wider by `grow` pixels.
void Shift(HWND dialog, int id, int dx, int grow) {
  HWND control = GetDlgItem(dialog, id);
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  MoveWindow(control, rect.left + dx, rect.top, rect.right - rect.left + grow, rect.bottom - rect.top, FALSE);
}

// The path's box, and with it the dialog, widens to show the whole path on
// its line, as far as the screen allows; the box scrolls what is left.
void FitPath(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_FAILED_PATH);
  wchar_t path[MAX_PATH + 1] = {};
  GetWindowTextW(box, path, MAX_PATH + 1);
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, path, lstrlenW(path), &extent);
  SelectObject(dc, old);
  ReleaseDC(box, dc);

  RECT client, window;
  GetClientRect(box, &client);
  GetWindowRect(dialog, &window);
  const int margins = 2 * GetSystemMetrics(SM_CXEDGE) + 4;  // the caret's room and the box's own margins
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const int widest = monitor.rcWork.right - monitor.rcWork.left - 16;
  const int grow = std::min(extent.cx + margins - (client.right - client.left), widest - (window.right - window.left));
  if (grow <= 0) return;
  for (int id : {IDC_FAILED_PATH, IDC_FAILURE_TEXT, IDC_FAILURE_REASON}) Shift(dialog, id, 0, grow);
  Shift(dialog, IDOK, grow / 2, 0);
  const int width = window.right - window.left + grow;
  const int left = monitor.rcWork.left + (monitor.rcWork.right - monitor.rcWork.left - width) / 2;
  SetWindowPos(dialog, nullptr, left, window.top, width, window.bottom - window.top, SWP_NOZORDER);
}

INT_PTR CALLBACK SaveFailureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto& failure = *reinterpret_cast<const SaveFailure*>(lParam);
      SendDlgItemMessageW(dialog, IDC_FAILURE_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32513))), 0);  // IDI_HAND
      SetDlgItemTextW(dialog, IDC_FAILED_PATH, ScreenText(failure.path).c_str());
      SetDlgItemTextW(dialog, IDC_FAILURE_TEXT, ScreenText(ProgramText(IDS_SAVE_FAILED)).c_str());
      SetDlgItemTextW(dialog, IDC_FAILURE_REASON, ScreenText(*failure.reason).c_str());
      FitPath(dialog);
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void ShowSaveFailure(HWND owner, const char* path, const std::string& reason) {
  const SaveFailure failure{path, &reason};
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SAVE_FAILED), owner, SaveFailureProc,
                  reinterpret_cast<LPARAM>(&failure));
}
