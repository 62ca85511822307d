#include "login/service/device_identity.h"

#include "tcurl/CTCurlHelper.h"

#include <winsock2.h>
#include <windows.h>
#include <bcrypt.h>
#include <iphlpapi.h>

#include <cstring>
#include <ctime>
#include <cwchar>
#include <set>

namespace glimra::login {

namespace {

const wchar_t kAdapterClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";
constexpr DWORD kPhysicalAdapter = 0x4;
constexpr DWORD kSubkeyNameUnits = 260;
constexpr DWORD kInstanceIdBytes = 260;
constexpr ULONG kFirstAdapterBufferBytes = 704;
constexpr DWORD kComputerNameUnits = 260;

// Winsock for the address conversions, for the length of one call.
class WinsockSession {
public:
    WinsockSession() { started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~WinsockSession()
    {
        if (started_)
            WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

private:
    WSADATA data_{};
    bool started_ = false;
};

class RegistryKey {
public:
    RegistryKey(HKEY parent, const wchar_t* name)
    {
        if (RegOpenKeyExW(parent, name, 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The instance id of one adapter subkey when the adapter is physical.
bool ReadPhysicalInstanceId(HKEY adapter, std::wstring& instance_id)
{
    DWORD characteristics = 0;
    DWORD size = sizeof characteristics;
    if (RegQueryValueExW(adapter, L"Characteristics", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&characteristics), &size) != ERROR_SUCCESS)
        return false;
    // 260 bytes for the text, one more unit so that it always ends.
    wchar_t id[kInstanceIdBytes / sizeof(wchar_t) + 1] = {};
    size = kInstanceIdBytes;
    DWORD type = 0;
    if (RegQueryValueExW(adapter, L"NetCfgInstanceId", nullptr, &type, reinterpret_cast<BYTE*>(id),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    id[size / sizeof(wchar_t)] = L'\0';
    instance_id = id;
    return (characteristics & kPhysicalAdapter) != 0 && !instance_id.empty();
}

std::set<std::wstring> PhysicalInstanceIds()
{
    std::set<std::wstring> ids;
    RegistryKey adapters(HKEY_LOCAL_MACHINE, kAdapterClassKey);
    if (adapters.get() == nullptr)
        return ids;
    wchar_t name[kSubkeyNameUnits];
    for (DWORD index = 0;
         RegEnumKeyW(adapters.get(), index, name, kSubkeyNameUnits) == ERROR_SUCCESS; ++index) {
        RegistryKey adapter(adapters.get(), name);
        std::wstring id;
        if (adapter.get() != nullptr && ReadPhysicalInstanceId(adapter.get(), id))
            ids.insert(id);
    }
    return ids;
}

// The IP Helper's list, asked again with the size it wants when the first buffer is
// too small.
std::vector<AdapterInfo> ListedAdapters()
{
    std::vector<AdapterInfo> adapters;
    WinsockSession winsock;
    ULONG size = kFirstAdapterBufferBytes;
    std::vector<BYTE> buffer(size);
    DWORD result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
        buffer.assign(size, 0);
        result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS)
        return adapters;
    for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); info != nullptr;
         info = info->Next) {
        AdapterInfo adapter;
        for (const char* c = info->AdapterName; *c; ++c)
            adapter.instanceId += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        static_assert(sizeof adapter.address == sizeof info->Address, "eight address bytes");
        std::memcpy(adapter.address, info->Address, sizeof adapter.address);
        adapter.type = info->Type;
        adapter.description = info->Description;
        unsigned long address = inet_addr(info->IpAddressList.IpAddress.String);
        adapter.ipv4 = address == INADDR_NONE ? 0 : address;
        adapters.push_back(adapter);
    }
    return adapters;
}

std::wstring TodayText()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) != 0)
        return L"";
    wchar_t text[32] = {};
    if (std::wcsftime(text, sizeof text / sizeof text[0], L"%Y-%m-%d", &local) == 0)
        return L"";
    return text;
}

} // namespace

std::vector<NetAdapterEntry> EnumNetworkAdapters()
{
    std::set<std::wstring> physical = PhysicalInstanceIds();
    return OrderAdapters(ListedAdapters(), physical);
}

bool GetDeviceMac(std::wstring& mac)
{
    std::vector<NetAdapterEntry> entries = EnumNetworkAdapters();
    if (entries.empty())
        return false;
    mac = entries.front().mac;
    return true;
}

std::wstring GetLocalIp()
{
    uint32_t address = FirstAddress(EnumNetworkAdapters());
    if (address == 0)
        return L"127.0.0.1";
    WinsockSession winsock;
    in_addr in{};
    in.s_addr = address;
    const char* text = inet_ntoa(in);
    if (text == nullptr)
        return L"127.0.0.1";
    return std::wstring(text, text + std::strlen(text));
}

std::wstring GetComputerNameText()
{
    wchar_t name[kComputerNameUnits] = {};
    DWORD size = kComputerNameUnits - 1;
    if (!GetComputerNameW(name, &size))
        return L"";
    return name;
}

std::wstring MakeBindSignature(int64_t user_id, const std::wstring& uuid, std::wstring& date)
{
    date = TodayText();
    return Md5Hex(CTCurlHelper::ws2s(BindSignatureText(user_id, uuid, date), CP_UTF8));
}

std::wstring Md5Hex(const std::string& bytes)
{
    BCRYPT_ALG_HANDLE md5 = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&md5, BCRYPT_MD5_ALGORITHM, nullptr, 0)))
        return L"";
    uint8_t digest[16] = {};
    BCRYPT_HASH_HANDLE hash = nullptr;
    NTSTATUS status = BCryptCreateHash(md5, &hash, nullptr, 0, nullptr, 0, 0);
    if (BCRYPT_SUCCESS(status)) {
        status = BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                                static_cast<ULONG>(bytes.size()), 0);
        if (BCRYPT_SUCCESS(status))
            status = BCryptFinishHash(hash, digest, sizeof digest, 0);
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(md5, 0);
    return BCRYPT_SUCCESS(status) ? LowerHex(digest, sizeof digest) : L"";
}

} // namespace glimra::login
