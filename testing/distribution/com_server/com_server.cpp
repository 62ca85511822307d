// A tiny COM server library for regsvr32: its registration writes a marker record
// ("DllRegisterServer" or "DllUnregisterServer" and the library's full path) to the
// journal named by GLIMRA_JOURNAL, so that a test sees regsvr32 really ran it. It
// serves no class.
#include "testing/distribution/support/journal_format.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

HMODULE g_module = nullptr;

HRESULT Mark(const wchar_t* operation)
{
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetEnvironmentVariableW(L"GLIMRA_JOURNAL", buffer.data(),
                                           static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return E_FAIL;
    std::wstring journal(buffer.data(), length);
    length = GetModuleFileNameW(g_module, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return glimra::testing::AppendJournalRecord(journal, {name, operation, path}) ? S_OK : E_FAIL;
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllRegisterServer()
{
    return Mark(L"DllRegisterServer");
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer()
{
    return Mark(L"DllUnregisterServer");
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* object)
{
    if (object)
        *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // extern "C"
