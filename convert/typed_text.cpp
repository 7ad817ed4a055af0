#include "convert/typed_text.h"

#include <vector>

#include "convert/sjis_text.h"

namespace {

// Whether each offset of `text` (0 to its size) begins a character.
std::vector<bool> CharacterStarts(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  for (size_t pos = 0; pos < text.size();) {
    starts[pos] = true;
    pos += IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
  }
  starts[text.size()] = true;
  return starts;
}

}  // namespace

std::string FitTypedText(std::string_view before, std::string_view after, size_t limit, size_t& caret) {
  caret = after.size();
  if (after.size() <= limit || after.size() <= before.size()) return std::string(after);

  // The edit replaced before[head, before.size() - tail) by
  // after[head, after.size() - tail): the longest start and end the two
  // share, each ending at a whole character of both texts.
  const std::vector<bool> beforeStarts = CharacterStarts(before);
  const std::vector<bool> afterStarts = CharacterStarts(after);
  size_t head = 0;
  for (size_t i = 0; i < before.size() && before[i] == after[i]; ++i) {
    if (beforeStarts[i + 1] && afterStarts[i + 1]) head = i + 1;
  }
  size_t tail = 0;
  for (size_t i = 1; i <= before.size() - head && before[before.size() - i] == after[after.size() - i]; ++i) {
    if (beforeStarts[before.size() - i] && afterStarts[after.size() - i]) tail = i;
  }
  const std::string_view inserted = after.substr(head, after.size() - tail - head);
  const size_t kept = head + tail;  // the bytes of `before` the edit left
  const size_t room = kept < limit ? limit - kept : 0;
  const std::string_view fitted = inserted.substr(0, SjisPrefixLength(inserted, room));
  caret = head + fitted.size();
  std::string result(after.substr(0, head));
  result.append(fitted);
  result.append(after.substr(after.size() - tail));
  return result;
}
