#include "app/find_dialog.h"

#include <utility>

#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"
#include "res/resource_ids.h"
#include "wordlist/word_entry.h"

namespace {

// The box may hold more bytes than a field (its limit counts characters);
// what it holds is cut to a field's 255 bytes at a whole character, since no
// longer text can match.
constexpr int kBoxBufferSize = kWordFieldSize;

constexpr int kColumnButtons[] = {IDC_FIND_ALL_COLUMNS, IDC_FIND_WORD, IDC_FIND_READING, IDC_FIND_BASEFORM};

void StartFindDialog(HWND dialog, const FindRequest& request) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&request));
  SendDlgItemMessageW(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, kWordFieldSize - 1, 0);
  SetDlgItemTextW(dialog, IDC_FIND_TEXT, DisplayWideFromSjis(request.text).c_str());
  SendDlgItemMessageW(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
  const int column = request.column >= 0 && request.column < kWordColumns ? request.column + 1 : 0;
  CheckRadioButton(dialog, IDC_FIND_ALL_COLUMNS, IDC_FIND_BASEFORM, kColumnButtons[column]);
  CheckRadioButton(dialog, IDC_FIND_WHOLE, IDC_FIND_PART, request.whole ? IDC_FIND_WHOLE : IDC_FIND_PART);
}

void ReadFindDialog(HWND dialog, FindRequest& request) {
  wchar_t box[kBoxBufferSize] = {};
  GetDlgItemTextW(dialog, IDC_FIND_TEXT, box, kBoxBufferSize);
  char text[kWordFieldSize];
  CopySjisText(text, TypedSjisFromWide(box));
  request.text = text;
  request.column = kFindAllColumns;
  for (int c = 0; c < kWordColumns; ++c) {
    if (IsDlgButtonChecked(dialog, kColumnButtons[c + 1]) == BST_CHECKED) request.column = c;
  }
  request.whole = IsDlgButtonChecked(dialog, IDC_FIND_WHOLE) == BST_CHECKED;
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: StartFindDialog(dialog, *reinterpret_cast<const FindRequest*>(lParam)); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* request = reinterpret_cast<FindRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (request) ReadFindDialog(dialog, *request);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

// The dialog works on a copy, so that a cancelled dialog leaves `request`
// as it was.
bool AskWhatToFind(HWND owner, FindRequest& request) {
  FindRequest working = request;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FIND), owner, FindDialogProc,
                                         reinterpret_cast<LPARAM>(&working));
  if (result != IDOK) return false;
  request = std::move(working);
  return true;
}
