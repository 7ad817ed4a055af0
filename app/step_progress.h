#pragma once
// The main window's status bar under the list: the number of rows, the
// number that need attention, and the progress of a long step (the reading
// fill, reading a file, saving, building the pool), which Esc stops.
//
// A long step runs on the window's own thread and asks Continue between
// blocks of rows. Once it has run half a second, Continue shows its progress
// and lets the window paint itself between blocks; keys and clicks meanwhile
// are dropped, so that nobody acts on the list while the step changes it,
// except Esc, which stops the step. The step then leaves everything as it
// was before it.

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Creates the status bar (child IDC_STATUS_BAR of `main`) with its three
// parts; nullptr when it cannot be made.
HWND CreateStatusBar(HWND main);

// Places the bar at the bottom of the client area and `list` over the rest.
void TileListAndStatusBar(HWND main, HWND list);

// Shows the number of rows and of rows that need attention.
void ShowRowCounts(HWND main);

// While one lives, every file read shows its progress in the status bar,
// and Esc stops the read (which then fails with kStopped, changing nothing).
class StepProgress {
 public:
  // `textId`: the string table's text for the step, a format with %d for
  // the percentage done; `total`: what 100 percent is.
  StepProgress(HWND main, unsigned textId, uint64_t total);
  ~StepProgress();
  StepProgress(const StepProgress&) = delete;
  StepProgress& operator=(const StepProgress&) = delete;

  // `done` of the total so far. False once Esc was pressed (and from then on).
  bool Continue(uint64_t done);
  bool Stopped() const { return stopped_; }

 private:
  void Show(uint64_t done);
  void Pump();

  HWND main_;
  unsigned textId_;
  uint64_t total_;
  ULONGLONG start_ = 0;  // the first Continue: a step may wait on a dialog before it starts
  ULONGLONG lastPump_ = 0;
  bool shown_ = false;
  bool stopped_ = false;
  int percent_ = -1;
};
