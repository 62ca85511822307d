#pragma once
// Texts of the installer, taken from SetupRes.dll by number at the moment of use.

#include <string>

namespace glimra::setup {

struct SetupState;

// A text identifier with the fallback of one call site (see text_catalogue.h).
struct SetupText {
    unsigned id;
    const wchar_t* fallback; // may be null: no fallback
};

// Text `id` of SetupRes.dll, cut to 999 code units; `fallback` (empty when null) when
// the library or the string is not there. Loads the library into state.textModule on
// first use by its bare name (the program's folder is searched first); a failed load
// is tried again at the next call.
std::wstring LoadResourceText(SetupState& state, unsigned id, const wchar_t* fallback = nullptr);
// The same on the process's one SetupState.
std::wstring LoadResourceText(unsigned id, const wchar_t* fallback = nullptr);

inline std::wstring LoadResourceText(SetupState& state, const SetupText& text)
{
    return LoadResourceText(state, text.id, text.fallback);
}
inline std::wstring LoadResourceText(const SetupText& text)
{
    return LoadResourceText(text.id, text.fallback);
}

} // namespace glimra::setup
