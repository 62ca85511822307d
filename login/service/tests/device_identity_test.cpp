// Device identity on the real registry code and the real IP Helper: the test arranges
// the network-adapter class key in the isolated registry for the adapters that the
// system lists.
#include <gtest/gtest.h>

#include "login/service/device_identity.h"
#include "testing/support/registry_override.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <ctime>
#include <string>
#include <vector>

using namespace glimra::login;
using glimra::testing::RegistryOverride;
using glimra::testing::SetRegistryDword;
using glimra::testing::SetRegistryString;

namespace {

const std::wstring kClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

struct Listed {
    std::wstring name;
    std::wstring mac;
    std::wstring ip; // the first address of its list
};

// What the system lists, read here independently of the code under test.
std::vector<Listed> SystemAdapters()
{
    std::vector<Listed> listed;
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW)
        return listed;
    std::vector<BYTE> buffer(size);
    auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS)
        return listed;
    for (auto* info = first; info; info = info->Next) {
        wchar_t mac[32];
        swprintf(mac, 32, L"%02X-%02X-%02X-%02X-%02X-%02X-%02X-%02X", info->Address[0],
                 info->Address[1], info->Address[2], info->Address[3], info->Address[4],
                 info->Address[5], info->Address[6], info->Address[7]);
        const char* name = info->AdapterName;
        const char* ip = info->IpAddressList.IpAddress.String;
        listed.push_back(
            {std::wstring(name, name + strlen(name)), mac, std::wstring(ip, ip + strlen(ip))});
    }
    return listed;
}

void AddClassEntry(const std::wstring& subkey, DWORD characteristics, const std::wstring& id)
{
    ASSERT_TRUE(SetRegistryDword(HKEY_LOCAL_MACHINE, kClassKey + L"\\" + subkey, L"Characteristics",
                                 characteristics));
    ASSERT_TRUE(
        SetRegistryString(HKEY_LOCAL_MACHINE, kClassKey + L"\\" + subkey, L"NetCfgInstanceId", id));
}

class DeviceIdentity : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registry_.Active());
        listed_ = SystemAdapters();
    }
    RegistryOverride registry_;
    std::vector<Listed> listed_;
};

} // namespace

TEST_F(DeviceIdentity, WithoutTheClassKeyThereIsNoDevice)
{
    EXPECT_TRUE(EnumNetworkAdapters().empty());
    std::wstring mac = kNoDeviceUuid;
    EXPECT_FALSE(GetDeviceMac(mac));
    EXPECT_EQ(mac, kNoDeviceUuid);
    std::wstring untouched = L"preset";
    EXPECT_FALSE(GetDeviceMac(untouched));
    EXPECT_EQ(untouched, L"preset");
    EXPECT_EQ(GetLocalIp(), L"127.0.0.1");
}

TEST_F(DeviceIdentity, PhysicalAdaptersOfTheClassKeySupplyTheUuid)
{
    if (listed_.empty())
        GTEST_SKIP() << "the system lists no network adapter here";
    for (size_t i = 0; i < listed_.size(); ++i)
        AddClassEntry(std::to_wstring(1000 + i), 0x84, listed_[i].name);
    std::vector<NetAdapterEntry> entries = EnumNetworkAdapters();
    ASSERT_EQ(entries.size(), listed_.size());
    std::wstring mac;
    EXPECT_TRUE(GetDeviceMac(mac));
    EXPECT_EQ(mac, entries.front().mac);
    bool listed_mac = false;
    for (const auto& adapter : listed_)
        listed_mac = listed_mac || adapter.mac == mac;
    EXPECT_TRUE(listed_mac) << "the uuid is the MAC text of a listed adapter";
    // The local address is one an adapter has, or the loopback when none has one.
    std::wstring ip = GetLocalIp();
    bool listed_ip = false;
    for (const auto& adapter : listed_)
        listed_ip = listed_ip || (adapter.ip == ip && ip != L"0.0.0.0");
    bool none_has_one = true;
    for (const auto& adapter : listed_)
        none_has_one = none_has_one && (adapter.ip.empty() || adapter.ip == L"0.0.0.0");
    EXPECT_TRUE(listed_ip || (none_has_one && ip == L"127.0.0.1"))
        << std::string(ip.begin(), ip.end());
}

TEST_F(DeviceIdentity, VirtualBrokenAndOversizedEntriesAreSkipped)
{
    if (listed_.empty())
        GTEST_SKIP() << "the system lists no network adapter here";
    const std::wstring& id = listed_.front().name;
    AddClassEntry(L"0000", 0x1, id); // virtual
    // No Characteristics value at all.
    ASSERT_TRUE(
        SetRegistryString(HKEY_LOCAL_MACHINE, kClassKey + L"\\0001", L"NetCfgInstanceId", id));
    // Physical, but an instance id longer than the 260-byte buffer.
    AddClassEntry(L"0002", 0x4, id + std::wstring(200, L'x'));
    // Physical with an empty id.
    AddClassEntry(L"0003", 0x4, L"");
    EXPECT_TRUE(EnumNetworkAdapters().empty());
    // The same adapter marked physical elsewhere counts.
    AddClassEntry(L"0004", 0x4, id);
    EXPECT_EQ(EnumNetworkAdapters().size(), 1u);
}

TEST(DeviceSignature, TheKnownDateGivesTheKnownDigest)
{
    EXPECT_EQ(Md5Hex("userId=1001&uuid=00-00-00-00-00-00-00-00&date=2022-05-25"),
              L"5039129dc847d3ff602383ea8ee1c6be");
    EXPECT_EQ(Md5Hex(""), L"d41d8cd98f00b204e9800998ecf8427e");
}

TEST(DeviceSignature, TodaysSignatureSignsTodaysDate)
{
    std::wstring date;
    std::wstring signature = MakeBindSignature(1001, kNoDeviceUuid, date);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    wchar_t today[16];
    wcsftime(today, 16, L"%Y-%m-%d", &local);
    EXPECT_EQ(date, today);
    EXPECT_EQ(signature, Md5Hex("userId=1001&uuid=00-00-00-00-00-00-00-00&date=" +
                                std::string(date.begin(), date.end())));
    EXPECT_EQ(signature.size(), 32u);
}

TEST(DeviceSignature, TheComputerNameIsRead)
{
    wchar_t expected[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(expected, &size));
    EXPECT_EQ(GetComputerNameText(), expected);
    EXPECT_FALSE(GetComputerNameText().empty());
}
