#pragma once
// The entry dialog's limit on what the user types into a box, in bytes of
// code page 932, whatever the edit control counts.

#include <cstddef>
#include <string>
#include <string_view>

// A box held `before` and an edit (typing, pasting, deleting, replacing a
// selection) made it `after`. When `after` is longer than `limit` bytes and
// longer than `before`, the edit is kept only as far as it fits: the part it
// inserted is cut after its last whole character within what the limit
// leaves; otherwise `after` stands as it is (a longer text the box was given
// stays whole, and shortening is always allowed). Sets `caret` to the byte
// offset just after what was kept of the inserted part.
std::string FitTypedText(std::string_view before, std::string_view after, size_t limit, size_t& caret);
