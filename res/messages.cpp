#include "res/messages.h"

#include "convert/sjis_text_win32.h"
#include "res/resource_ids.h"

std::string ProgramText(UINT id) {
  // With no buffer, LoadStringW points at the text inside the resource
  // itself, which holds no NUL.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  std::string sjis;
  if (length <= 0 || !text || !SjisFromWide(std::wstring_view(text, static_cast<size_t>(length)), sjis)) return {};
  return sjis;
}

// A % is 0x25, which is never the second byte of a double-byte character:
// the format can be looked through byte by byte.
std::string FillMessage(std::string_view format, MessageArguments arguments) {
  std::string message;
  const MessageArgument* next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      message.push_back(format[i]);
      continue;
    }
    const char kind = format[++i];
    if (kind == 's' || kind == 'd') {
      if (next != arguments.end()) message += (next++)->text;
    } else if (kind == '%') {
      message.push_back('%');
    } else {
      message.append({'%', kind});
    }
  }
  return message;
}

std::string ProgramMessage(UINT id, MessageArguments arguments) { return FillMessage(ProgramText(id), arguments); }

std::wstring ScreenText(std::string_view text) { return DisplayWideFromSjis(text); }

int ShowMessage(HWND owner, std::string_view text, UINT type) {
  return MessageBoxW(owner, ScreenText(text).c_str(), ScreenText(ProgramText(IDS_PROGRAM_NAME)).c_str(), type);
}

int ShowProgramMessage(HWND owner, UINT id, UINT type, MessageArguments arguments) {
  return ShowMessage(owner, ProgramMessage(id, arguments), type);
}
