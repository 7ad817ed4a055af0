#include "app/entry_dialog.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/reading_conversion.h"
#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"
#include "readings/shared_proposer.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "convert/typed_text.h"
#include "app/word_list_view.h"

namespace {

constexpr char kParamProperty[] = "param";
constexpr char kFontProperty[] = "baseform font";

constexpr int kBoxes[] = {IDC_WORD_BOX, IDC_READING_BOX, IDC_BASEFORM_BOX};

// The dialog's heap block: the working copy, and what each box held after
// the last edit the dialog let stand (so that an edit that would take a box
// past 80 bytes can be cut back to what fits).
struct EntryDialogState {
  EntryDialogParam param;
  std::string boxTexts[3];
  bool settingText = false;  // the dialog itself is putting a text into a box
};

LRESULT CALLBACK ReadingBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

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

// The boxes hold UTF-16; the dialog works in code page 932.
std::string BoxText(HWND box) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return TypedSjisFromWide(text);
}

// Puts a text of the dialog's own into a box (not bound by the limit on what
// is typed).
void SetBoxText(HWND dialog, int id, const char* text) {
  EntryDialogState* state = StateOf(dialog);
  if (state) state->settingText = true;
  SetDlgItemTextW(dialog, id, DisplayWideFromSjis(text).c_str());
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
    SetWindowTextW(box, DisplayWideFromSjis(fitted).c_str());
    state->settingText = false;
    // The control counts its positions in UTF-16 units.
    const auto position = static_cast<WPARAM>(DisplayWideFromSjis(std::string_view(fitted).substr(0, caret)).size());
    SendMessageW(box, EM_SETSEL, position, static_cast<LPARAM>(position));
    MessageBeep(MB_OK);
  }
  before = std::move(fitted);
}

// At most 127 bytes of a box, cut at a whole character. Each of the first 127
// UTF-16 units gives at least one byte, so nothing after them can reach the
// working copy. The buffer is zero-filled and a unit longer than the size
// given to it, so a text that comes back without its NUL is still read only
// as far as it reaches.
void ReadBox(HWND dialog, int id, char (&field)[kWordFieldSize]) {
  wchar_t text[kBoxTextSize + 1] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(kBoxTextSize));
  const std::string typed = TypedSjisFromWide(std::wstring_view(text, wcsnlen(text, kBoxTextSize)));
  CopySjisText(field, typed, kBoxTextSize - 1);
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
  for (int id : kBoxes) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kTypedTextLimit, 0);
  // Without it, Alt+Down does nothing; the button still lists the readings.
  SetWindowSubclass(GetDlgItem(dialog, IDC_READING_BOX), ReadingBoxProc, 1, 0);
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

// The input method's readings of `word`, asked in UTF-16: under Wine the
// ANSI form crashes while it converts the candidate list, and the conversion
// to code page 932 here gives the same candidates.
std::vector<std::string> InputMethodReadings(HWND dialog, const char* word) {
  std::vector<std::string> readings;
  std::wstring wideWord;
  if (!WideFromSjis(word, wideWord) || wideWord.empty()) return readings;
  const wchar_t* wide = wideWord.c_str();
  HIMC context = ImmGetContext(dialog);
  HKL layout = GetKeyboardLayout(0);
  const DWORD size = ImmGetConversionListW(layout, context, wide, nullptr, 0, GCL_REVERSECONVERSION);
  if (size > 0) {
    std::unique_ptr<unsigned char[]> candidates(new (std::nothrow) unsigned char[size]());
    if (candidates) {
      const DWORD written = ImmGetConversionListW(layout, context, wide,
                                                  reinterpret_cast<CANDIDATELIST*>(candidates.get()), size,
                                                  GCL_REVERSECONVERSION);
      readings = CandidateReadings(candidates.get(), written < size ? written : size);
    }
  }
  ImmReleaseContext(dialog, context);
  return readings;
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

  const std::vector<std::string> readings = InputMethodReadings(dialog, param->entry.word);
  if (!readings.empty()) {
    SetBoxText(dialog, IDC_READING_BOX, readings.front().c_str());
    return;
  }
  ReadingProposer* proposer = SharedReadingProposer();
  std::string proposal;
  if (proposer && proposer->Propose(param->entry.word, proposal) && proposal.size() <= static_cast<size_t>(kTypedTextLimit)) {
    SetBoxText(dialog, IDC_READING_BOX, proposal.c_str());
  }
}

// Lists the word's readings under the reading box; the one chosen goes into
// the box. Nothing to list: a beep.
void ShowReadingChoices(HWND dialog) {
  const std::vector<std::string> choices = ReadingChoices(dialog);
  HMENU menu = choices.empty() ? nullptr : CreatePopupMenu();
  if (!menu) {
    MessageBeep(MB_OK);
    return;
  }
  for (size_t i = 0; i < choices.size(); ++i) {
    AppendMenuW(menu, MF_STRING, i + 1, DisplayWideFromSjis(choices[i]).c_str());
  }
  RECT box;
  GetWindowRect(GetDlgItem(dialog, IDC_READING_BOX), &box);
  const auto chosen = static_cast<size_t>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD |
                                                                   TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                           box.left, box.bottom, 0, dialog, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= choices.size()) SetBoxText(dialog, IDC_READING_BOX, choices[chosen - 1].c_str());
  SetFocus(GetDlgItem(dialog, IDC_READING_BOX));
}

// Alt+Down in the reading box opens the list of readings, as in a combo box.
LRESULT CALLBACK ReadingBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SYSKEYDOWN && wParam == VK_DOWN) {
    ShowReadingChoices(GetParent(box));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, ReadingBoxProc, 1);
  return DefSubclassProc(box, message, wParam, lParam);
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
    case IDC_READING_CHOICES: ShowReadingChoices(dialog); return TRUE;
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
  SendDlgItemMessageW(dialog, IDC_BASEFORM_BOX, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ENTRY), owner, EntryDialogProc,
                  reinterpret_cast<LPARAM>(&param));
}

std::vector<std::string> CandidateReadings(const void* candidates, size_t size) {
  std::vector<std::string> readings;
  CANDIDATELIST head;
  if (!candidates || size < sizeof head) return readings;
  std::memcpy(&head, candidates, sizeof head);
  const auto* bytes = static_cast<const unsigned char*>(candidates);
  const size_t offsets = offsetof(CANDIDATELIST, dwOffset);
  for (DWORD i = 0; i < head.dwCount; ++i) {
    // Each offset, and the string it points to up to its NUL, must lie inside
    // what the input method wrote. Both are copied out: they need not be
    // aligned.
    DWORD offset;
    if (offsets + (i + 1) * sizeof offset > size) break;
    std::memcpy(&offset, bytes + offsets + i * sizeof offset, sizeof offset);
    wchar_t candidate[kBoxTextSize];
    size_t length = 0;
    bool ended = false;
    for (size_t at = offset; at + sizeof(wchar_t) <= size && length < kBoxTextSize; at += sizeof(wchar_t), ++length) {
      std::memcpy(&candidate[length], bytes + at, sizeof(wchar_t));
      if (candidate[length] == L'\0') {
        ended = true;
        break;
      }
    }
    if (!ended || length == 0) {
      if (i == 0) break;  // no first candidate: none at all
      continue;
    }
    // Each UTF-16 unit becomes at least one byte, so a candidate of 128 units
    // or more cannot fit and was refused above; one that code page 932
    // cannot hold, or that still needs more than 127 bytes, is passed over.
    std::string r;
    if (!SjisFromWide(std::wstring_view(candidate, length), r) || r.size() >= kBoxTextSize) {
      if (i == 0) break;
      continue;
    }
    if (std::find(readings.begin(), readings.end(), r) == readings.end()) readings.push_back(std::move(r));
  }
  return readings;
}

bool FirstCandidateReading(const void* candidates, size_t size, char (&reading)[kBoxTextSize]) {
  reading[0] = '\0';
  const std::vector<std::string> readings = CandidateReadings(candidates, size);
  if (readings.empty()) return false;
  std::memcpy(reading, readings.front().c_str(), readings.front().size() + 1);
  return true;
}

std::vector<std::string> ReadingChoices(HWND dialog) {
  std::vector<std::string> choices;
  EntryDialogParam* param = WorkingCopy(dialog);
  if (!param) return choices;
  ReadWordAndReading(dialog, *param);
  if (param->entry.word[0] == '\0') return choices;
  choices = InputMethodReadings(dialog, param->entry.word);
  if (ReadingProposer* proposer = SharedReadingProposer()) {
    for (std::string& r : proposer->Candidates(param->entry.word)) {
      // Only what a user could type into the box.
      if (r.size() <= static_cast<size_t>(kTypedTextLimit) && std::find(choices.begin(), choices.end(), r) == choices.end()) {
        choices.push_back(std::move(r));
      }
    }
  }
  return choices;
}
