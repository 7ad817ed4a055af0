#include "app/load_file.h"

#include <memory>
#include <utility>

#include "app/commands.h"
#include "app/step_progress.h"
#include "app/word_list_view.h"
#include "res/resource_ids.h"
#include "wordlist/edit_history.h"


// A file read in place of the rows goes into a table of its own first, which
// takes the rows' place only when the file was read whole.
LoadResult LoadFile(HWND main, const char* path, WordFileFormat format, LoadMode mode, const FileName* named) {
  HWND view = WordListOf(main);
  // A read that goes on for long shows how far it has come, and Esc stops it.
  StepProgress shown(main, IDS_PROGRESS_READ, 100);
  const LoadProgress progress = [&shown](uint64_t done, uint64_t total) {
    return shown.Continue(total > 0 && done <= total ? done * 100 / total : 0);
  };
  if (mode == LoadMode::kAppend) {
    return WithRedrawSuspended(view, [&] { return LoadWordFile(WordTableOf(view), path, format, progress); });
  }
  std::unique_ptr<WordTable, void (*)(WordList)> fresh(CreateWordTable(), DestroyWordTable);
  if (!fresh) return LoadFailed(LoadFailure::kNoMemory);
  EditHistory& history = *HistoryOf(view);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_OPEN;
  const LoadResult result = LoadWordFile(fresh.get(), path, format, progress);
  if (!result) return result;
  if (named) MakeFileCurrent(main, *named);
  WithRedrawSuspended(view, [&] {
    if (mode == LoadMode::kOpen) {
      history.ReplaceRows(std::move(mark), fresh.release());
    } else {
      SwapWordRows(WordTableOf(view), fresh.get());
    }
  });
  return result;
}
