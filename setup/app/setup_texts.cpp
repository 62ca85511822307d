#include "setup/app/setup_texts.h"

#include "framework/resource_module.h"
#include "setup/app/setup_state.h"

#include <windows.h>

namespace glimra::setup {

namespace {
constexpr size_t kTextBufferUnits = 1000;
}

std::wstring LoadResourceText(SetupState& state, unsigned id, const wchar_t* fallback)
{
    if (state.textModule == nullptr)
        state.textModule = LoadLibraryW(L"SetupRes.dll");
    std::wstring text;
    if (framework::LoadText(static_cast<HMODULE>(state.textModule), id, text, kTextBufferUnits))
        return text;
    return fallback ? fallback : L"";
}

std::wstring LoadResourceText(unsigned id, const wchar_t* fallback)
{
    return LoadResourceText(TheSetupState(), id, fallback);
}

} // namespace glimra::setup
