#include "framework/resource_module.h"

#include <vector>

namespace framework {

namespace {

HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

HMODULE& Current()
{
    static HMODULE current = OwnModule();
    return current;
}

} // namespace

HMODULE CurrentResourceModule()
{
    return Current();
}

void SetCurrentResourceModule(HMODULE module)
{
    Current() = module;
}

ResourceModuleScope::ResourceModuleScope(HMODULE module) : previous_(CurrentResourceModule())
{
    SetCurrentResourceModule(module);
}

ResourceModuleScope::~ResourceModuleScope()
{
    SetCurrentResourceModule(previous_);
}

bool LoadText(HMODULE module, UINT id, std::wstring& text, size_t max_units)
{
    if (module == nullptr || max_units < 2)
        return false;
    std::vector<wchar_t> buffer(max_units);
    int length = LoadStringW(module, id, buffer.data(), static_cast<int>(max_units));
    if (length <= 0)
        return false;
    text.assign(buffer.data(), length);
    return true;
}

std::wstring LoadTextOr(HMODULE module, UINT id, const std::wstring& fallback, size_t max_units)
{
    std::wstring text;
    return LoadText(module, id, text, max_units) ? text : fallback;
}

bool FindRawResource(HMODULE module, UINT id, const wchar_t* type, ResourceBytes& bytes)
{
    if (module == nullptr)
        return false;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr)
        return false;
    bytes.data = static_cast<const uint8_t*>(LockResource(loaded));
    bytes.size = SizeofResource(module, found);
    return bytes.data != nullptr;
}

} // namespace framework
