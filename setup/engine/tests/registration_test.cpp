#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/registration.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::GetRegistryString;
using glimra::testing::SetRegistryString;

namespace {

const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn";

class Registration : public EngineTest {
protected:
    Registration()
    {
        // The all-users desktop and programs folders, as the shell reads them from the
        // (isolated) machine registry.
        const wchar_t key[] =
            L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
        desktop_ = Scratch() + L"\\Desktop";
        programs_ = Scratch() + L"\\Programs";
        CreateDirectoryW(desktop_.c_str(), nullptr);
        CreateDirectoryW(programs_.c_str(), nullptr);
        SetRegistryString(HKEY_LOCAL_MACHINE, key, L"Common Desktop", desktop_);
        SetRegistryString(HKEY_LOCAL_MACHINE, key, L"Common Programs", programs_);

        State().languageKey = L"zh_cn";
        State().languageRaw = L"zh_CN";
        State().languageId = L"2052";
    }

    static std::wstring SpecialFolder(int csidl)
    {
        wchar_t buffer[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
        return buffer;
    }
    static std::string Ansi(const std::wstring& text)
    {
        return std::string(text.begin(), text.end()); // the tests' paths are ASCII
    }
    std::string Log() { return FileBytes(State().installDir + L"\\install.log"); }
    static std::string Entries(const std::vector<std::string>& entries)
    {
        std::string bytes;
        for (const auto& entry : entries)
            bytes += "\r\r\n" + entry;
        return bytes;
    }
    static DWORD Number(const wchar_t* key, const wchar_t* name)
    {
        DWORD value = 0, size = sizeof(value);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS)
            return 0xFFFFFFFF;
        return value;
    }
    static std::wstring String(const wchar_t* key, const wchar_t* name)
    {
        std::wstring value;
        return GetRegistryString(HKEY_LOCAL_MACHINE, key, name, value) ? value : L"<missing>";
    }
    struct Link {
        std::wstring target;
        std::wstring folder;
        std::wstring arguments;
    };
    static Link ReadLink(const std::wstring& file)
    {
        Link link{L"<unreadable>", L"", L""};
        CoInitialize(nullptr);
        IShellLinkW* shell_link = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&shell_link)))) {
            IPersistFile* persist = nullptr;
            if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile,
                                                     reinterpret_cast<void**>(&persist)))) {
                if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
                    wchar_t buffer[MAX_PATH] = {};
                    shell_link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
                    link.target = buffer;
                    buffer[0] = 0;
                    shell_link->GetWorkingDirectory(buffer, MAX_PATH);
                    link.folder = buffer;
                    buffer[0] = 0;
                    shell_link->GetArguments(buffer, MAX_PATH);
                    link.arguments = buffer;
                }
                persist->Release();
            }
            shell_link->Release();
        }
        CoUninitialize();
        return link;
    }

    std::wstring desktop_;
    std::wstring programs_;
};

} // namespace

TEST_F(Registration, ShellFoldersComeFromTheIsolatedRegistry)
{
    ASSERT_EQ(SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY), desktop_);
    ASSERT_EQ(SpecialFolder(CSIDL_COMMON_PROGRAMS), programs_);
}

TEST_F(Registration, SetupKeyHoldsTheSixValues)
{
    State().installDir = L"D:\\Apps\\Glimra";
    State().numParameter = 7;
    State().netTest = 1;
    WriteSetupKey();
    const wchar_t key[] = L"SOFTWARE\\Tarvel\\DWGGlimra\\DWGGlimra_Setup";
    EXPECT_EQ(String(key, L"path"), L"D:\\Apps\\Glimra");
    EXPECT_EQ(String(key, L"language"), L"2052");
    EXPECT_EQ(Number(key, L"NUM"), 7u);
    EXPECT_EQ(String(key, L"LicLang"), L"zh_CN");
    EXPECT_EQ(Number(key, L"NetTest"), 1u);
    EXPECT_EQ(String(key, L"RegLang"), L"zh-CN");

    // Written again over the old values.
    State().numParameter = 1;
    WriteSetupKey();
    EXPECT_EQ(Number(key, L"NUM"), 1u);
}

TEST_F(Registration, FirstInstallationWritesTheUninstallKeyShortcutsAndLog)
{
    ASSERT_EQ(SpecialFolder(CSIDL_COMMON_PROGRAMS), programs_);
    const std::wstring dir = State().installDir;
    RegisterProduct();

    EXPECT_EQ(String(kUninstallKey, L"InstallLocation"), dir);
    EXPECT_EQ(String(kUninstallKey, L"DisplayName"), L"DWGGlimra");
    EXPECT_EQ(String(kUninstallKey, L"DisplayIcon"), dir + L"\\orvd.exe");
    EXPECT_EQ(String(kUninstallKey, L"UninstallString"), dir + L"\\setup.exe");
    EXPECT_EQ(String(kUninstallKey, L"Platfrom"), L"x86");
    EXPECT_EQ(String(kUninstallKey, L"Publisher"), L"Tarvel Company");
    EXPECT_EQ(String(kUninstallKey, L"HelpLink"), L"https://www.tarvel.com");
    EXPECT_EQ(String(kUninstallKey, L"Version"), L"<missing>");
    EXPECT_EQ(Number(kUninstallKey, L"Version"), 0xFFFFFFFFu);

    const std::string d = Ansi(dir), key = "\"HKEY_LOCAL_MACHINE\\" + Ansi(kUninstallKey) + "\" ";
    const std::string desktop = Ansi(desktop_), menu = Ansi(programs_) + "\\Tarvel\\DWGGlimra";
    EXPECT_EQ(Log(), Entries({
                         "WriteRegStr: " + key + "\"DisplayName\"=\"DWGGlimra\"",
                         "WriteRegStr: " + key + "\"InstallLocation\"=\"" + d + "\"",
                         "WriteRegStr: " + key + "\"DisplayIcon\"=\"" + d + "\\orvd.exe\"",
                         "WriteRegStr: " + key + "\"UninstallString\"=\"" + d + "\\setup.exe\"",
                         "WriteRegStr: " + key + "\"Platfrom\"=\"x86\"",
                         "WriteRegStr: " + key + "\"Publisher\"=\"Tarvel Company\"",
                         "WriteRegStr: " + key + "\"HelpLink\"=\"https://www.tarvel.com\"",
                         "WriteRegDWORD: " + key + "\"Version\"=\"56\"",
                         "CreateShortCut: out: \"" + desktop + "\\DWGGlimra.lnk\", in: \"" + d +
                             "\\ovStart.exe \", icon: ,0, sw=0, hk=0",
                         "CreateDirectory: \"" + Ansi(programs_) + "\\Tarvel\" (0)",
                         "CreateDirectory: \"" + Ansi(programs_) + "\\Tarvel\" created",
                         "CreateDirectory: \"" + menu + "\" (0)",
                         "CreateDirectory: \"" + menu + "\" created",
                         "CreateShortCut: out: \"" + menu + "\\DWGGlimra.lnk\", in: \"" + d +
                             "\\ovStart.exe \", icon: ,0, sw=0, hk=0",
                         "CreateShortCut: out: \"" + menu + "\\Uninstall Glimra.lnk\", in: \"" + d +
                             "\\setup.exe \", icon: ,0, sw=0, hk=0",
                         "CreateShortCut: out: \"" + menu + "\\Website.lnk\", in: \"" + d +
                             "\\Website.url \", icon: ,0, sw=0, hk=0",
                         "File: overwriteflag=4, allowskipfilesflag=0, name=\"TUninstall\"",
                         "File: wrote 341000 to \"" + d + "\\TUninstall\"",
                     }));

    struct Expected {
        std::wstring file;
        std::wstring target;
    };
    const std::wstring start_menu = programs_ + L"\\Tarvel\\DWGGlimra\\";
    const Expected shortcuts[] = {
        {desktop_ + L"\\DWGGlimra.lnk", dir + L"\\ovStart.exe"},
        {start_menu + L"DWGGlimra.lnk", dir + L"\\ovStart.exe"},
        {start_menu + L"Uninstall Glimra.lnk", dir + L"\\setup.exe"},
        {start_menu + L"Website.lnk", dir + L"\\Website.url"},
    };
    for (const auto& shortcut : shortcuts) {
        Link link = ReadLink(shortcut.file);
        EXPECT_EQ(link.target, shortcut.target) << shortcut.file;
        EXPECT_EQ(link.folder, dir) << shortcut.file;
        EXPECT_EQ(link.arguments, L"") << shortcut.file;
    }
}

TEST_F(Registration, TextsComeFromTheResourceLibraryByTheirNumbers)
{
    UseTestTexts();
    const std::wstring dir = State().installDir;
    RegisterProduct();
    const wchar_t key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TestKey_zh_cn";
    EXPECT_EQ(String(key, L"DisplayName"), L"DWGGlimra - Test Edition");
    EXPECT_EQ(String(key, L"Publisher"), L"Test Publisher");
    EXPECT_EQ(String(key, L"HelpLink"), L"https://publisher.test/");
    EXPECT_EQ(String(kUninstallKey, L"DisplayName"), L"<missing>");
    // The log names the product without the edition.
    EXPECT_NE(Log().find("\"DisplayName\"=\"DWGGlimra\"\r"), std::string::npos);

    const std::wstring start_menu = programs_ + L"\\Tarvel\\DWGGlimra\\";
    EXPECT_EQ(ReadLink(desktop_ + L"\\Test Viewer.lnk").target, dir + L"\\ovStart.exe");
    EXPECT_EQ(ReadLink(start_menu + L"DWGGlimra.lnk").target, dir + L"\\ovStart.exe");
    EXPECT_EQ(ReadLink(start_menu + L"Test Uninstall.lnk").target, dir + L"\\setup.exe");
    EXPECT_EQ(ReadLink(start_menu + L"Test Website.lnk").target, dir + L"\\Website.url");
}

TEST_F(Registration, RepairAppendsASecondSetWithoutFolderEntries)
{
    RegisterProduct();
    const std::string first = Log();
    State().wow64Package = 1;
    RegisterProduct();
    const std::string both = Log();
    ASSERT_EQ(both.compare(0, first.size(), first), 0);
    const std::string second = both.substr(first.size());
    EXPECT_EQ(second.find("CreateDirectory:"), std::string::npos);
    EXPECT_NE(second.find("\"Platfrom\"=\"x64\""), std::string::npos);
    // Eight registry entries, four shortcuts and two file entries.
    size_t entries = 0;
    for (size_t at = second.find("\r\r\n"); at != std::string::npos;
         at = second.find("\r\r\n", at + 1))
        ++entries;
    EXPECT_EQ(entries, 14u);
    EXPECT_EQ(String(kUninstallKey, L"Platfrom"), L"x64");
}

TEST_F(Registration, ShortcutPlaceMustBeDesktopOrStartMenu)
{
    EXPECT_FALSE(MakeShortcut(L"Nowhere", State().installDir + L"\\ovStart.exe", 1));
    EXPECT_FALSE(MakeShortcut(L"Nowhere", State().installDir + L"\\ovStart.exe", 3));
    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(MakeShortcut(L"Here", State().installDir + L"\\ovStart.exe", kAllUsersDesktop));
    EXPECT_EQ(ReadLink(desktop_ + L"\\Here.lnk").target, State().installDir + L"\\ovStart.exe");
}
