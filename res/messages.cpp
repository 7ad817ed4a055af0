#include "res/messages.h"

namespace {

// Far above the longest text of the table.
constexpr int kTextSize = 1024;

}  // namespace

std::string ProgramText(UINT id) {
  char text[kTextSize];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, kTextSize);
  return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

int ShowMessage(HWND owner, const char* text, UINT type) { return MessageBoxA(owner, text, kProgramCaption, type); }

int ShowProgramMessage(HWND owner, UINT id, UINT type) { return ShowMessage(owner, ProgramText(id).c_str(), type); }
