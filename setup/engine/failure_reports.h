#pragma once
// The boxes that end a failed installation: system-modal error boxes, no owner,
// captioned with the product name, naming the item that failed.

#include <string>

namespace glimra::setup {

// "<name>,<text 2033>"
void ReportInstallFailure(const std::wstring& name);
// "<name>,<text 2017>"
void ReportRegisterFailure(const std::wstring& name);

} // namespace glimra::setup
