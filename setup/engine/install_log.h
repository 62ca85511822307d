#pragma once
// install.log in the product folder: the record of what the installation created,
// read by the uninstaller program. Entries are appended, never rewritten.

#include <string>

namespace glimra::setup {

// Appends one entry (a text without line breaks) to installDir + "\install.log": the
// bytes 0D 0D 0A, then the text in the ANSI code page, characters it cannot represent
// replaced by its default character. Reports nothing; the entry is dropped when the log
// cannot be opened, when the log's path is not representable in the ANSI code page or
// longer than 259 bytes there, or when the entry exceeds its limits (257 UTF-16 units
// of text, 259 ANSI bytes with the separator): a cut entry would name another file.
void AppendInstallLog(const std::wstring& text);

// Creates every missing folder along `path` (at most 259 characters, normally ending
// with a separator) and logs each with its two "CreateDirectory: " entries. False at the
// first folder that cannot be created, and for a longer path, which creates nothing.
bool CreateFolderPath(const std::wstring& path);

} // namespace glimra::setup
