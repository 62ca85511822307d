#pragma once
// Conversion of wide text to the system's ANSI code page.

#include <string>

namespace glimra::setup {

// `text` in the ANSI code page; characters it cannot represent become its default
// character (no best-fit look-alikes), and `lossless` tells whether that happened.
std::string ToAnsi(const std::wstring& text, bool* lossless = nullptr);

} // namespace glimra::setup
