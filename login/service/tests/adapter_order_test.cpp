#include <gtest/gtest.h>

#include "login/service/adapter_order.h"

#include <string>
#include <vector>

using namespace glimra::login;

namespace {

AdapterInfo Adapter(const std::wstring& id, uint8_t last, unsigned type,
                    const std::string& description, uint32_t ipv4 = 0x0100007F)
{
    AdapterInfo adapter;
    adapter.instanceId = id;
    const uint8_t address[8] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, last, 0, 0};
    std::copy(std::begin(address), std::end(address), adapter.address);
    adapter.type = type;
    adapter.description = description;
    adapter.ipv4 = ipv4;
    return adapter;
}

std::vector<std::wstring> Macs(const std::vector<NetAdapterEntry>& entries)
{
    std::vector<std::wstring> macs;
    for (const auto& entry : entries)
        macs.push_back(entry.mac);
    return macs;
}

constexpr unsigned kWireless = 71;

} // namespace

TEST(AdapterOrder, MacTextHasEightUpperCaseGroups)
{
    const uint8_t address[8] = {0x0a, 0xb1, 0xff, 0x00, 0x09, 0x7e, 0, 0};
    EXPECT_EQ(FormatMacText(address), L"0A-B1-FF-00-09-7E-00-00");
    const uint8_t all[8] = {1, 2, 3, 4, 5, 6, 7, 0xEE};
    EXPECT_EQ(FormatMacText(all), L"01-02-03-04-05-06-07-EE");
}

TEST(AdapterOrder, PreferenceOrderOfPhysicalAdapters)
{
    const std::set<std::wstring> physical{L"{A}", L"{B}", L"{C}", L"{D}"};
    const struct {
        const char* what;
        std::vector<AdapterInfo> adapters;
        std::vector<std::wstring> macs;
    } cases[] = {
        {"the only physical adapter is wireless",
         {Adapter(L"{V}", 0x01, 6, "Virtual PCI Ethernet"),
          Adapter(L"{A}", 0x0A, kWireless, "PCI Wi-Fi")},
         {L"00-1A-2B-3C-4D-0A-00-00"}},
        {"of two PCI Ethernet adapters the later one wins",
         {Adapter(L"{A}", 0x0A, 6, "Intel PCI Ethernet"),
          Adapter(L"{B}", 0x0B, 6, "Realtek PCI GbE")},
         {L"00-1A-2B-3C-4D-0B-00-00", L"00-1A-2B-3C-4D-0A-00-00"}},
        {"a PCI Ethernet adapter goes before an earlier USB one",
         {Adapter(L"{A}", 0x0A, 6, "USB Ethernet"), Adapter(L"{B}", 0x0B, kWireless, "Wi-Fi"),
          Adapter(L"{C}", 0x0C, 6, "PCI Ethernet")},
         {L"00-1A-2B-3C-4D-0C-00-00", L"00-1A-2B-3C-4D-0A-00-00", L"00-1A-2B-3C-4D-0B-00-00"}},
        {"\"PCI\" is case-sensitive and must be Ethernet",
         {Adapter(L"{A}", 0x0A, 6, "pci ethernet"), Adapter(L"{B}", 0x0B, kWireless, "PCI Wi-Fi")},
         {L"00-1A-2B-3C-4D-0A-00-00", L"00-1A-2B-3C-4D-0B-00-00"}},
        {"a virtual adapter never counts, even first",
         {Adapter(L"{V}", 0x01, 6, "PCI Ethernet"), Adapter(L"{D}", 0x0D, 6, "USB")},
         {L"00-1A-2B-3C-4D-0D-00-00"}},
        {"instance ids compare case-sensitively", {Adapter(L"{a}", 0x0A, 6, "PCI")}, {}},
        {"nothing listed", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Macs(OrderAdapters(c.adapters, physical)), c.macs) << c.what;
}

TEST(AdapterOrder, TheLocalAddressIsTheFirstThatIsNotZero)
{
    const std::set<std::wstring> physical{L"{A}", L"{B}"};
    auto entries = OrderAdapters(
        {Adapter(L"{A}", 0x0A, 6, "PCI", 0), Adapter(L"{B}", 0x0B, 6, "USB", 0x0501A8C0)},
        physical);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mac, L"00-1A-2B-3C-4D-0A-00-00"); // still supplies the uuid
    EXPECT_EQ(FirstAddress(entries), 0x0501A8C0u);
    EXPECT_EQ(FirstAddress({}), 0u);
    EXPECT_EQ(FirstAddress(OrderAdapters({Adapter(L"{A}", 1, 6, "PCI", 0)}, physical)), 0u);
}

TEST(AdapterOrder, TheSignedTextOfABinding)
{
    EXPECT_EQ(BindSignatureText(1001, kNoDeviceUuid, L"2022-05-25"),
              L"userId=1001&uuid=00-00-00-00-00-00-00-00&date=2022-05-25");
    EXPECT_EQ(BindSignatureText(-1, L"u", L""), L"userId=-1&uuid=u&date=");
    EXPECT_EQ(BindSignatureText(INT64_MAX, L"u", L"d"),
              L"userId=9223372036854775807&uuid=u&date=d");
    const uint8_t bytes[] = {0x00, 0x0f, 0xa0, 0xff};
    EXPECT_EQ(LowerHex(bytes, 4), L"000fa0ff");
}
