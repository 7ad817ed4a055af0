#pragma once
// Drives the modal dialogs and message boxes that a command opens, from
// inside their own message loops: a 20 ms thread timer looks at the thread's
// active window, and each time a different dialog becomes active it hands it
// to the next step. Steps only look and post (a posted button press is taken
// up by the dialog's own loop), so a nested dialog is the next step's.
//
// The timer runs from StartDialogWatch to StopDialogWatch, scripts or not:
// it ends any dialog that no step expects, or that stays open for more than
// five seconds, and fails the test. A missed dialog must not hang the run.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using DialogStep = std::function<void(HWND dialog)>;

void StartDialogWatch();
void StopDialogWatch();

// The steps for the dialogs to come, while the script lives.
class DialogScript {
 public:
  explicit DialogScript(std::vector<DialogStep> steps);
  ~DialogScript();  // fails the test when steps were left over
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Where the last popup menu of the thread was shown (it is closed at once),
  // or {-1, -1} when none was.
  POINT menu_position() const { return menu_position_; }

 private:
  friend void CALLBACK WatchDialogs(HWND, UINT, UINT_PTR, DWORD);

  std::vector<DialogStep> steps_;
  size_t next_ = 0;
  POINT menu_position_{-1, -1};
};

// A dialog item's text (a message box's text is item 0xFFFF), or the
// dialog's own caption for id -1, in code page 932. Texts are read in UTF-16
// and converted here, so that what the tests see does not depend on the
// system's ANSI code page.
std::string DialogText(HWND dialog, int id = -1);

// Code page 932 text to and from what the windows hold.
std::wstring Wide(const std::string& sjis);
std::string Sjis(const std::wstring& wide);

// Puts `text` (code page 932) into a dialog item, as if it were typed.
void SetItemText(HWND dialog, int id, const std::string& text);

// Presses a button by its WM_COMMAND, as a click would, without moving the
// keyboard focus. Press posts it: the step ends first, and a message box
// the button opens is the next step's. Click sends it and returns when the
// button has done its work: only for buttons that open nothing.
void Press(HWND dialog, int id);
void Click(HWND dialog, int id);

// A step that expects a message box of the program (caption "Corvane
// Lexiforge") with `text` (Shift-JIS), the given icon and buttons, and
// answers it with `answer`.
DialogStep ExpectMessage(std::string text, UINT style, int answer);

// The icon a message box shows: MB_ICONERROR, MB_ICONQUESTION,
// MB_ICONINFORMATION, or 0.
UINT MessageBoxIcon(HWND box);
