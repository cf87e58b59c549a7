// SPDX-License-Identifier: MIT
// The single-byte code page the text files are written in: the desktop's Western one,
// Windows-1252. In memory, text is UTF-8 like everything the screens draw.
#pragma once

#include <string>
#include <string_view>

namespace storage {

// Every byte is a character. The five bytes the code page leaves unassigned stand for the
// control characters of the same number, as on the desktop, so any file reads back to
// the bytes it was read from.
std::string FromCodePage(std::string_view bytes);

// A character the code page lacks, or a byte that is not UTF-8, becomes "?".
std::string ToCodePage(std::string_view utf8);

}  // namespace storage
