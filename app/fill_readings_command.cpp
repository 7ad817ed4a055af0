#include "app/fill_readings_command.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/step_progress.h"
#include "readings/shared_proposer.h"
#include "convert/sjis_text.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/edit_history.h"
#include "readings/reading_fill.h"
#include "app/word_list_view.h"

namespace {

// Paths come in UTF-8; a message box shows code page 932.
std::string ShownPath(const std::string& utf8) {
  std::string sjis;
  return ConvertUtf8ToSjis(utf8, sjis) ? sjis : utf8;
}

void ShowNoProposer(HWND main) {
  const SharedProposerFailure& failure = SharedReadingProposerFailure();
  if (!failure.looked.empty()) {
    std::string places;
    for (const std::string& folder : failure.looked) places += ShownPath(folder) + "\n";
    ShowProgramMessage(main, IDS_NO_READING_DICTIONARY, MB_ICONERROR, {places});
  } else {
    ShowProgramMessage(main, IDS_READING_DICTIONARY_BROKEN, MB_ICONERROR, {ShownPath(failure.fault.file)});
  }
}

}  // namespace

// The proposals go into a table of their own, which takes the rows' place
// in one exchange once every row has its proposal; Esc before that leaves
// the rows and the history as they were.
void FillReadings(HWND main) {
  ReadingProposer* proposer = SharedReadingProposer();
  if (!proposer) {
    ShowNoProposer(main);
    return;
  }
  const HWND view = WordListOf(main);
  const WordList list = WordTableOf(view);
  EditHistory& history = *HistoryOf(view);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_FILL;
  const std::vector<int> rows = RowsWithoutReadings(list);
  const WordList texts = CreateWordTable();
  if (!texts) {
    ShowProgramMessage(main, IDS_OUT_OF_MEMORY, MB_ICONERROR);
    return;
  }
  std::vector<uint32_t> changed;
  ReadingFillCount count;
  bool finished;
  {
    StepProgress progress(main, IDS_PROGRESS_FILL, rows.size());
    finished = ProposeReadings(list, rows, *proposer, WordFileFormat::kTextWordList, texts, changed, count,
                               [&](size_t done) { return progress.Continue(done); });
  }
  if (!finished) {
    DestroyWordTable(texts);
    return;
  }
  if (!history.ChangeRows(std::move(mark), std::move(changed), texts, kFilledColumns)) {
    count.unstored += count.filled;
    count.filled = 0;
  }
  if (count.failed) {  // the rows filled so far keep their readings
    ShowProgramMessage(main, IDS_READING_DICTIONARY_BROKEN, MB_ICONERROR, {ShownPath(proposer->Dictionaries().ipadic)});
  }
  if (count.unstored > 0) ShowProgramMessage(main, IDS_READINGS_NOT_STORED, MB_ICONERROR, {count.unstored});
  ShowProgramMessage(main, IDS_READINGS_FILLED, MB_ICONINFORMATION, {count.filled, count.unproposed});
}
