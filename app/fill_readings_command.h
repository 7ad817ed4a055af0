#pragma once
// "よみを補完": every row with a word and no reading (only the selected rows
// when more than one is selected) gets the proposed reading and a baseform,
// without a question first; a message then says how many rows were filled
// and how many words got no proposal, or, with no dictionary, where the
// dictionaries were looked for.

#include <windows.h>

void FillReadings(HWND main);
