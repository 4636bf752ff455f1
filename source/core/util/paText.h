#pragma once

// Stored texts are bytes as written: UTF-8 from this program, the Windows code page from files
// made on Windows. Everything that shows a stored text decodes it here, so that one text looks
// the same everywhere.

#include <string>

namespace kelvo {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& bytes);

// The text as UTF-8: valid UTF-8 as it is, anything else read as Windows-1252 (whose five
// unassigned bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for the code points of their value).
std::string DisplayText(const std::string& stored);

} // namespace kelvo
