#pragma once
// The rules of the Windows Installer runners and their message handler that need no
// Windows: which failures stay silent, what each message kind does, and how the
// common-data message carries the error language. No Windows headers.

#include <cstdint>
#include <optional>
#include <string>

namespace glimra::setup {

// Context text handed to Windows Installer with the message handler.
extern const wchar_t kMsiHandlerContext[]; // "Msi Install Error Check"
// Internal user interface levels and the handler's message filter.
constexpr uint32_t kMsiUiNoneSourceResOnly = 0x102;
constexpr uint32_t kMsiUiBasic = 3;
constexpr uint32_t kMsiMessageFilter = 0x7FDF;

// Which of the two runners a rule is for.
enum class MsiRunner { Plain, WithCommandLine };
// True when the runner shows no failure message for `path`: when the package could
// not be tried at all (no library, no file) or when its installation failed.
bool MsiFailureIsSilent(MsiRunner runner, const std::wstring& path, bool installation_failed);
// The failure message of the runner: text 2012 (MsiInstall), or the path in lower case
// followed directly by text 2012 (MsiInstallWithCommandLine).
std::wstring MsiFailureText(MsiRunner runner, const std::wstring& path,
                            const std::wstring& text_2012);

// What the handler does with a message kind (the top byte of the message type).
enum class MsiAction { FatalBox, ErrorBox, WarningBox, CommonData, Nothing };
struct MsiKindRule {
    MsiAction action;
    int result; // returned when no box is shown (a box returns the button chosen)
};
MsiKindRule RuleForMsiKind(uint32_t kind);
inline uint32_t MsiKindOf(uint32_t message_type)
{
    return message_type >> 24;
}
inline uint32_t MsiStyleOf(uint32_t message_type)
{
    return message_type & 0xFFFFFF;
}

// The error language a common-data message sets: field 2 when field 1 is 0, none when
// field 1 is another type or the text does not have the form "1: <digit> 2: <number>".
std::optional<uint32_t> ErrorLanguageFromCommonData(const std::wstring& text);

} // namespace glimra::setup
