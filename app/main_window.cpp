#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands.h"
#include "app/fill_readings_command.h"
#include "app/current_file.h"
#include "app/find_commands.h"
#include "app/load_file.h"
#include "app/step_progress.h"
#include "convert/sjis_text_win32.h"
#include "files/file_formats.h"
#include "files/text_word_list.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "app/word_list_view.h"

namespace {

constexpr wchar_t kWindowClass[] = L"MainWindow";
// The longest path of a dropped file, in code page 932 bytes with its NUL.
constexpr size_t kDroppedPathSize = 512;

LRESULT OnCreate(HWND main) {
  InitCommonControls();
  HWND list = CreateWordList(main);
  if (!list) return -1;
  DragAcceptFiles(main, TRUE);
  SetUpWordList(list);
  CreateStatusBar(main);
  ShowRowCounts(main);
  // A step that opens or empties the list changes the current file too; its
  // undo puts the file and the title back.
  HistoryOf(list)->SetContext(CurrentFileContext,
                              [main](const std::string& saved) { RestoreCurrentFile(main, saved); });
  SetFocus(list);
  return 0;
}

// The list covers the client area above the status bar.
void OnSize(HWND main) {
  HWND list = WordListOf(main);
  TileListAndStatusBar(main, list);
  SendMessageW(list, LVM_ARRANGE, LVA_ALIGNLEFT, 0);
}

void OnClose(HWND main) {
  if (ShowProgramMessage(main, IDS_CLOSE_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES) DestroyWindow(main);
}

// Where the keyboard focus was last inside the main window: the list, or the
// main window itself. Kept as the focus moves, since by the time the main
// window hears that it is no longer active (a message box or dialog has
// disabled it), the focus has already been taken from it.
HWND g_lastFocus = nullptr;

// Whenever the main window becomes active again (after a message box, a
// dialog, another program), the keyboard focus goes back where it was, as
// the dialog manager does for dialogs; the first time, to the list.
void OnActivate(HWND main, WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE || HIWORD(state)) return;  // minimised: nothing takes the focus
  HWND focus = g_lastFocus;
  if (!IsWindow(focus) || (focus != main && !IsChild(main, focus))) focus = WordListOf(main);
  SetFocus(focus);
}

// The image lists go with the list control, which releases them itself.
void OnDestroy() { PostQuitMessage(0); }

void OnCommand(HWND main, int command) {
  switch (command) {
    case IDM_NEW: NewWordList(main); break;
    case IDM_OPEN: OpenWordList(main); break;
    case IDM_SAVE: SaveWordList(main); break;
    case IDM_SAVE_AS: SaveWordListAs(main); break;
    case IDM_BUILD_POOL: BuildPool(main); break;
    case IDM_EXIT: SendMessageW(main, WM_CLOSE, 0, 0); return;
    case IDM_READ_WORD_LIST: ReadWordList(main); break;
    case IDM_READ_GRAMMAR_FILE: ReadGrammarFile(main); break;
    case IDM_READ_POOL_FILE: ReadPoolFile(main); break;
    case IDM_ADD: AddRow(main); break;
    case IDM_MODIFY: ModifyRow(main); break;
    case IDM_DELETE: DeleteRow(main); break;
    case IDM_FILL_READINGS: FillReadings(main); break;
    case IDM_FOLD_KATAKANA: FoldReadingsToHiragana(main); break;
    case IDM_ABOUT: ShowAbout(main); break;
    case IDM_UNDO: UndoStep(main, true); break;
    case IDM_REDO: UndoStep(main, false); break;
    case IDM_FIND: FindRowCommand(main); break;
    case IDM_FIND_NEXT: FindAgain(main, true); break;
    case IDM_FIND_PREVIOUS: FindAgain(main, false); break;
    case IDM_NEXT_ATTENTION: GoToAttentionRow(main, true); break;
    case IDM_PREVIOUS_ATTENTION: GoToAttentionRow(main, false); break;
    default: return;
  }
  ShowRowsChanged(main);
  SetFocus(WordListOf(main));
}

// The list's questions about the table are answered first; what the user
// did comes after.
LRESULT OnNotify(HWND main, WPARAM control, const NMHDR& header) {
  if (control != IDC_WORD_LIST) return 0;
  LRESULT answer = 0;
  if (AnswerWordListQuestion(header, answer)) return answer;
  switch (header.code) {
    case NM_SETFOCUS: g_lastFocus = header.hwndFrom; break;
    case LVN_COLUMNCLICK:
      SortRows(main, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      ShowRowsChanged(main);
      break;
    case NM_DBLCLK:
      EditSelectedRow(main);
      ShowRowsChanged(main);
      break;
    default: break;
  }
  return 0;
}

// The context menu opens only over a row of the list, at the pointer. A
// request from the keyboard (the context-menu key, Shift+F10) carries no
// position and finds no row.
void OnContextMenu(HWND main, HWND target, LPARAM position) {
  if (GetDlgCtrlID(target) != IDC_WORD_LIST || position == -1) return;
  HWND list = WordListOf(main);
  LVHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ScreenToClient(list, &hit.pt);
  if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) return;

  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main, GWLP_HINSTANCE));
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
  if (!menu) return;
  POINT pointer;
  GetCursorPos(&pointer);
  TrackPopupMenu(GetSubMenu(menu, 0), 0, pointer.x, pointer.y, 0, main, nullptr);
  DestroyMenu(menu);
}

// The path of dropped file `index` in code page 932; false for a name the
// code page cannot hold (`refused` is then set) or a path too long to read.
bool DroppedPath(HDROP drop, UINT index, std::string& path, bool& refused) {
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  if (length == 0 || length >= kDroppedPathSize) return false;
  std::wstring wide(length + 1, L'\0');
  if (DragQueryFileW(drop, index, wide.data(), length + 1) != length) return false;
  wide.resize(length);
  if (!SjisFromWide(wide, path)) {
    refused = true;
    return false;
  }
  return path.size() < kDroppedPathSize;
}

// Each dropped file is read behind the rows, by the kind its name's last
// three bytes give; one that cannot be read is passed over in silence. A path
// too long to read is passed over too: cut short it would name another file.
// Names code page 932 cannot hold are refused with a message, once.
void OnDropFiles(HWND main, HDROP drop) {
  HWND list = WordListOf(main);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  bool refused = false;
  std::vector<long> unheld;
  ReadDroppedFiles(main, [&] {
    WithRedrawSuspended(list, [&] {
      for (UINT i = 0; i < count; ++i) {
        std::string path;
        if (!DroppedPath(drop, i, path, refused)) continue;
        const WordFileFormat format = FormatOfDroppedFile(path.c_str()).format;
        if (LoadFile(main, path.c_str(), format, LoadMode::kAppend) && format == WordFileFormat::kTextWordList) {
          const std::vector<long>& lines = LastTextWordListRead().unheldLines;
          unheld.insert(unheld.end(), lines.begin(), lines.end());
        }
      }
    });
  });
  DragFinish(drop);
  ShowRowsChanged(main);
  if (refused) ShowProgramMessage(main, IDS_NAME_NOT_IN_CODE_PAGE, MB_ICONERROR);
  ShowUnheldCharacters(main, unheld);
}

// The list asks in which form to send its notifications. It asks its
// questions about the table in UTF-16: the texts it shows are then converted
// from code page 932 by the program itself, whatever the system's ANSI code
// page, and the characters typed to find a row arrive as they were typed
// (in the ANSI form one platform hands over the typed search in UTF-16
// under the ANSI code).
LRESULT OnNotifyFormat(HWND main, HWND asking, LPARAM command) {
  if (command == NF_QUERY && GetDlgCtrlID(asking) == IDC_WORD_LIST) return NFR_UNICODE;
  return DefWindowProcW(main, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(asking), command);
}

LRESULT CALLBACK MainWindowProc(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(main);
    case WM_SIZE: OnSize(main); return 0;
    case WM_INITMENUPOPUP: UpdateEditMenu(main, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_ACTIVATE: OnActivate(main, wParam); return 0;
    case WM_SETFOCUS: g_lastFocus = main; return 0;
    case WM_CLOSE: OnClose(main); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: OnCommand(main, LOWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(main, wParam, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU: OnContextMenu(main, reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_DROPFILES: OnDropFiles(main, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_NOTIFYFORMAT: return OnNotifyFormat(main, reinterpret_cast<HWND>(wParam), lParam);
    default: return DefWindowProcW(main, message, wParam, lParam);
  }
}

int RunMessageLoop(HWND main, HACCEL accelerators) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (!TranslateAcceleratorW(main, accelerators, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
  // Icon 107 holds only a 16x16 image; loaded at the small-icon size it is
  // not stretched to 32x32 first.
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM_SMALL), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                      LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  HWND main = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (main) ShowCurrentFileInTitle(main);
  return main;
}

void OpenCommandLineFile(HWND main, const char* path) {
  FileName file;
  if (!CommandLineFileName(path, file)) {
    ShowLoadFailure(main, LoadFailed(LoadFailure::kCannotOpen));
    return;
  }
  if (const LoadResult result = LoadFile(main, PathToRead(file), WordFileFormat::kTextWordList, LoadMode::kStart, &file);
      !result) {
    ShowLoadFailure(main, result);
    return;
  }
  ShowRowsChanged(main);
  ShowUnheldCharacters(main, LastTextWordListRead().unheldLines);
}

void OpenCommandLineFile(HWND main, const wchar_t* path) {
  std::string sjis;
  if (!SjisFromWide(path, sjis)) {
    ShowProgramMessage(main, IDS_NAME_NOT_IN_CODE_PAGE, MB_ICONERROR);
    return;
  }
  OpenCommandLineFile(main, sjis.c_str());
}

int RunLexiforge(HINSTANCE instance, int show, const wchar_t* file) {
  if (!RegisterMainWindowClass(instance)) return 0;
  HWND main = CreateMainWindow(instance);
  if (!main) return 1;
  ShowWindow(main, show);
  if (file) OpenCommandLineFile(main, file);
  UpdateWindow(main);
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  return RunMessageLoop(main, accelerators);
}
