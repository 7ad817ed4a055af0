#include "app/entry_dialog.h"

#include <imm.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "readings/shared_proposer.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "convert/typed_text.h"
#include "app/word_list_view.h"

namespace {

constexpr char kParamProperty[] = "param";
constexpr char kFontProperty[] = "baseform font";
constexpr UINT kShiftJis = kShiftJisCodePage;

constexpr int kBoxes[] = {IDC_WORD_BOX, IDC_READING_BOX, IDC_BASEFORM_BOX};

// The dialog's heap block: the working copy, and what each box held after
// the last edit the dialog let stand (so that an edit that would take a box
// past 80 bytes can be cut back to what fits).
struct EntryDialogState {
  EntryDialogParam param;
  std::string boxTexts[3];
  bool settingText = false;  // the dialog itself is putting a text into a box
};

EntryDialogState* StateOf(HWND dialog) { return static_cast<EntryDialogState*>(GetPropA(dialog, kParamProperty)); }

EntryDialogParam* WorkingCopy(HWND dialog) {
  EntryDialogState* state = StateOf(dialog);
  return state ? &state->param : nullptr;
}

// Detaches and frees the working copy and ends the dialog. Every way of
// closing ends it with the same result.
void CloseEntryDialog(HWND dialog) {
  delete static_cast<EntryDialogState*>(RemovePropA(dialog, kParamProperty));
  EndDialog(dialog, IDCANCEL);
}

std::string BoxText(HWND box) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
  const int length = GetWindowTextA(box, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text;
}

// Puts a text of the dialog's own into a box (not bound by the limit on what
// is typed).
void SetBoxText(HWND dialog, int id, const char* text) {
  EntryDialogState* state = StateOf(dialog);
  if (state) state->settingText = true;
  SetDlgItemTextA(dialog, id, text);
  if (!state) return;
  state->settingText = false;
  state->boxTexts[id - IDC_WORD_BOX] = BoxText(GetDlgItem(dialog, id));
}

// After each edit of a box: a text the edit took past 80 bytes is cut back to
// what fits, at a whole character, and the caret put after what was kept. The
// edit control's own limit counts characters on one platform and bytes on
// another; this counts bytes everywhere.
void KeepTypedTextWithinLimit(HWND dialog, int id) {
  EntryDialogState* state = StateOf(dialog);
  if (!state || state->settingText) return;
  HWND box = GetDlgItem(dialog, id);
  std::string& before = state->boxTexts[id - IDC_WORD_BOX];
  const std::string after = BoxText(box);
  size_t caret = 0;
  std::string fitted = FitTypedText(before, after, kTypedTextLimit, caret);
  if (fitted != after) {
    state->settingText = true;
    SetWindowTextA(box, fitted.c_str());
    state->settingText = false;
    // The control counts its positions in bytes where it holds code page 932
    // text, and in UTF-16 units where it holds Unicode: its length tells which.
    const auto length = static_cast<size_t>(SendMessageA(box, EM_LINELENGTH, 0, 0));
    int position = static_cast<int>(caret);
    if (length != fitted.size()) position = MultiByteToWideChar(kShiftJis, 0, fitted.data(), static_cast<int>(caret), nullptr, 0);
    SendMessageA(box, EM_SETSEL, position, position);
    MessageBeep(MB_OK);
  }
  before = std::move(fitted);
}

// At most 127 bytes of a box, cut at a whole character. The box is read into
// a zero-filled buffer a byte longer than the size given to it, so a text
// that comes back without its NUL is still read only as far as it reaches.
void ReadBox(HWND dialog, int id, char (&field)[kWordFieldSize]) {
  char text[kBoxTextSize + 1] = {};
  GetDlgItemTextA(dialog, id, text, static_cast<int>(kBoxTextSize));
  CopySjisText(field, std::string_view(text, strnlen(text, kBoxTextSize)), kBoxTextSize - 1);
}

void ReadWordAndReading(HWND dialog, EntryDialogParam& param) {
  ReadBox(dialog, IDC_WORD_BOX, param.entry.word);
  ReadBox(dialog, IDC_READING_BOX, param.entry.reading);
}

void ReadBoxes(HWND dialog, EntryDialogParam& param) {
  ReadWordAndReading(dialog, param);
  ReadBox(dialog, IDC_BASEFORM_BOX, param.entry.baseform);
}

BOOL StartEntryDialog(HWND dialog, const EntryDialogParam& opener) {
  // Without its working copy the dialog can do nothing: it closes at once and
  // the list stays as it was.
  auto* state = new (std::nothrow) EntryDialogState{opener, {}, false};
  if (!state || !SetPropA(dialog, kParamProperty, state)) {
    delete state;
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  WordEntry& entry = state->param.entry;
  entry.word[kWordFieldSize - 1] = entry.reading[kWordFieldSize - 1] = entry.baseform[kWordFieldSize - 1] = '\0';
  SetBoxText(dialog, IDC_WORD_BOX, entry.word);
  SetBoxText(dialog, IDC_READING_BOX, entry.reading);
  SetBoxText(dialog, IDC_BASEFORM_BOX, entry.baseform);
  // After the texts: a longer text the dialog opens with stays whole; the
  // limit bounds only what the user types.
  for (int id : kBoxes) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kTypedTextLimit, 0);
  return TRUE;  // the focus goes to the word box
}

// Reads the three boxes into the working copy for "修正" and "追加". An empty
// word is refused with a message: nullptr, and the dialog stays as it is.
EntryDialogParam* ReadEntry(HWND dialog) {
  EntryDialogParam* param = WorkingCopy(dialog);
  if (!param) return nullptr;
  ReadBoxes(dialog, *param);
  if (param->entry.word[0] != '\0') return param;
  ShowProgramMessage(dialog, IDS_WORD_REQUIRED, MB_ICONERROR);
  return nullptr;
}

// "修正": replaces the row at the working index and closes the dialog.
void ConfirmEntry(HWND dialog) {
  EntryDialogParam* param = ReadEntry(dialog);
  if (!param) return;
  if (param->history && param->index >= 0 && param->index < RowCount(param->list)) {
    param->history->RecordRowsChanging({param->index}, IDS_STEP_MODIFY);
  }
  SetWordRow(param->list, param->index, param->entry);
  CloseEntryDialog(dialog);
}

// "追加": inserts a row at the working index; the next one goes after it.
void AddEntry(HWND dialog) {
  EntryDialogParam* param = ReadEntry(dialog);
  if (!param) return;
  const int index = param->index++;
  StepMark mark = param->history ? param->history->Mark() : StepMark{};
  mark.label = IDS_STEP_ADD;
  if (InsertWordRow(param->list, index, param->entry) && param->history) {
    param->history->RecordRowsInserted(std::move(mark), std::min(index, RowCount(param->list) - 1), 1);
  }
}

// The input method's reading of `word`, asked in UTF-16: under Wine the ANSI
// form crashes while it converts the candidate list, and the conversion to
// code page 932 here gives the same candidate.
bool InputMethodReading(HWND dialog, const char* word, char (&reading)[kBoxTextSize]) {
  reading[0] = '\0';
  // 127 bytes of Shift-JIS are at most 127 UTF-16 units.
  wchar_t wide[kBoxTextSize] = {};
  if (MultiByteToWideChar(kShiftJis, 0, word, -1, wide, static_cast<int>(kBoxTextSize)) <= 0) return false;
  HIMC context = ImmGetContext(dialog);
  HKL layout = GetKeyboardLayout(0);
  bool found = false;
  const DWORD size = ImmGetConversionListW(layout, context, wide, nullptr, 0, GCL_REVERSECONVERSION);
  if (size > 0) {
    std::unique_ptr<unsigned char[]> candidates(new (std::nothrow) unsigned char[size]());
    if (candidates) {
      const DWORD written = ImmGetConversionListW(layout, context, wide,
                                                  reinterpret_cast<CANDIDATELIST*>(candidates.get()), size,
                                                  GCL_REVERSECONVERSION);
      found = FirstCandidateReading(candidates.get(), written < size ? written : size, reading);
    }
  }
  ImmReleaseContext(dialog, context);
  return found;
}

// Proposes the word's reading when the word box loses the focus with a word
// in it and the reading box empty: the input method's first, and when it
// has none (under Wine it never has), the reading proposer's, if it fits
// what a user could type.
void ProposeReading(HWND dialog) {
  EntryDialogParam* param = WorkingCopy(dialog);
  if (!param) return;  // the dialog is closing
  ReadWordAndReading(dialog, *param);
  if (param->entry.reading[0] != '\0' || param->entry.word[0] == '\0') return;

  char reading[kBoxTextSize];
  if (InputMethodReading(dialog, param->entry.word, reading)) {
    SetBoxText(dialog, IDC_READING_BOX, reading);
    return;
  }
  ReadingProposer* proposer = SharedReadingProposer();
  std::string proposal;
  if (proposer && proposer->Propose(param->entry.word, proposal) && proposal.size() <= static_cast<size_t>(kTypedTextLimit)) {
    SetBoxText(dialog, IDC_READING_BOX, proposal.c_str());
  }
}

// The button "baseformを「よみ」から生成する". The box shows the working
// copy's baseform whatever the result: the new one, or, when the reading was
// refused, the one it last held.
void GenerateBaseform(HWND dialog) {
  EntryDialogParam* param = WorkingCopy(dialog);
  if (!param) return;
  ReadWordAndReading(dialog, *param);
  const int result = ConvertReadingToBaseform(param->entry.reading, param->entry.baseform);
  SetBoxText(dialog, IDC_BASEFORM_BOX, param->entry.baseform);
  if (result == -2) {
    ShowProgramMessage(dialog, IDS_NOT_HIRAGANA, MB_ICONERROR);
  } else if (result == 0) {
    ShowProgramMessage(dialog, IDS_UNCONVERTED, MB_ICONERROR);
  }
}

BOOL OnEntryCommand(HWND dialog, int id, int notification) {
  switch (id) {
    case IDOK: ConfirmEntry(dialog); return TRUE;
    case IDCANCEL: CloseEntryDialog(dialog); return TRUE;
    case IDC_ADD_ROW: AddEntry(dialog); return TRUE;
    case IDC_GENERATE_BASEFORM: GenerateBaseform(dialog); return TRUE;
    case IDC_WORD_BOX:
    case IDC_READING_BOX:
    case IDC_BASEFORM_BOX:
      if (notification == EN_UPDATE) {
        KeepTypedTextWithinLimit(dialog, id);
        return TRUE;
      }
      if (id != IDC_WORD_BOX || notification != EN_KILLFOCUS) return FALSE;
      ProposeReading(dialog);
      return TRUE;
    default: return FALSE;
  }
}

// The baseform box shows its text in the list's fixed-pitch font, so that
// each phoneme symbol and each space takes a whole cell, as in the list.
void UseListFontForBaseform(HWND dialog) {
  HFONT font = CreateListFont(dialog);
  if (!font) return;
  if (!SetPropA(dialog, kFontProperty, font)) {
    DeleteObject(font);
    return;
  }
  SendDlgItemMessageA(dialog, IDC_BASEFORM_BOX, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

INT_PTR CALLBACK EntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      UseListFontForBaseform(dialog);
      return StartEntryDialog(dialog, *reinterpret_cast<const EntryDialogParam*>(lParam));
    case WM_NCDESTROY:  // the box is gone by now
      if (HANDLE font = RemovePropA(dialog, kFontProperty)) DeleteObject(static_cast<HFONT>(font));
      return FALSE;
    case WM_COMMAND: return OnEntryCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
  }
}

}  // namespace

void EntryDialog(HWND owner, const EntryDialogParam& param) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ENTRY), owner, EntryDialogProc,
                  reinterpret_cast<LPARAM>(&param));
}

bool FirstCandidateReading(const void* candidates, size_t size, char (&reading)[kBoxTextSize]) {
  reading[0] = '\0';
  CANDIDATELIST head;
  if (!candidates || size < sizeof head) return false;
  std::memcpy(&head, candidates, sizeof head);
  if (head.dwCount == 0 || head.dwOffset[0] >= size) return false;

  // The string runs from its offset to its NUL, which must lie inside what
  // the input method wrote. It is copied out: the offset need not be aligned.
  const auto* bytes = static_cast<const unsigned char*>(candidates);
  wchar_t candidate[kBoxTextSize];
  size_t length = 0;
  for (size_t at = head.dwOffset[0];; at += sizeof(wchar_t), ++length) {
    if (at + sizeof(wchar_t) > size || length == kBoxTextSize) return false;
    std::memcpy(&candidate[length], bytes + at, sizeof(wchar_t));
    if (candidate[length] == L'\0') break;
  }
  if (length == 0) return false;
  // Each UTF-16 unit becomes at least one byte, so a candidate of 128 units or
  // more cannot fit and was refused above; the conversion fails for a shorter
  // one that still needs more than 127 bytes.
  const int written = WideCharToMultiByte(kShiftJis, 0, candidate, static_cast<int>(length), reading,
                                          static_cast<int>(kBoxTextSize - 1), nullptr, nullptr);
  if (written <= 0) {
    reading[0] = '\0';
    return false;
  }
  reading[written] = '\0';
  return true;
}
