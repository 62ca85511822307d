#include "setup/app/system_facts.h"

#include <windows.h>

#include <vector>

namespace glimra::setup {

namespace {

// RtlGetVersion reports the true version, whatever the program's manifest says.
unsigned QueryMajorVersion()
{
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"); // always mapped into the process
    auto query = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                             reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                       : nullptr;
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (query && query(&info) == 0)
        return info.dwMajorVersion;
    return 0;
}

class ProcessToken {
public:
    ProcessToken() { OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token_); }
    ~ProcessToken()
    {
        if (token_)
            CloseHandle(token_);
    }
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;
    HANDLE Get() const { return token_; }

private:
    HANDLE token_ = nullptr;
};

class WindowsFacts : public SystemFacts {
public:
    unsigned WindowsMajorVersion() const override { return QueryMajorVersion(); }

    bool TokenIsElevated() const override
    {
        ProcessToken token;
        TOKEN_ELEVATION elevation = {};
        DWORD size = 0;
        return token.Get() &&
               GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation),
                                   &size) &&
               elevation.TokenIsElevated != 0;
    }

    bool TokenHasAdministratorsGroup() const override
    {
        ProcessToken token;
        if (!token.Get())
            return false;
        DWORD size = 0;
        GetTokenInformation(token.Get(), TokenGroups, nullptr, 0, &size);
        if (size == 0)
            return false;
        std::vector<BYTE> buffer(size);
        if (!GetTokenInformation(token.Get(), TokenGroups, buffer.data(), size, &size))
            return false;
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        PSID administrators = nullptr;
        if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                      0, 0, 0, 0, 0, 0, &administrators))
            return false;
        const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
        bool found = false;
        for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
            found = EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
        FreeSid(administrators);
        return found;
    }

    unsigned NativeArchitecture() const override
    {
        SYSTEM_INFO info = {};
        GetNativeSystemInfo(&info);
        return info.wProcessorArchitecture;
    }
};

} // namespace

const SystemFacts& RealSystemFacts()
{
    static const WindowsFacts facts;
    return facts;
}

} // namespace glimra::setup
