// Setup.exe from the test distribution in a Wine prefix made anew for this run, as a
// deployment tool would start it: a quiet installation, a second one over it, the
// quiet uninstall and the installed copy's uninstall. One story in one test, since
// each run starts from what the one before left.
#include <gtest/gtest.h>

#include "setup/app/tests/debug_run.h"
#include "setup/engine/command_lines.h"
#include "testing/distribution/support/distribution.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"

#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::test::DebugRun;
using glimra::setup::test::RunUnderDebugger;
using glimra::testing::CopyTree;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;
using glimra::testing::GetRegistryString;
using glimra::testing::Journal;
using glimra::testing::JournalRecord;
using glimra::testing::ReadFileBytes;
using glimra::testing::ScratchFolder;
using glimra::testing::SetRegistryString;

namespace {

const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn";
const wchar_t kSetupKey[] = L"SOFTWARE\\Tarvel\\DWGGlimra\\DWGGlimra_Setup";
// Where the test distribution's Setup.ini puts the product on 64-bit Windows.
const wchar_t kProductFolder[] = L"C:\\Program Files (x86)\\Tarvel\\Glimra";

std::wstring SpecialFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    return buffer;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Ansi(const std::wstring& text)
{
    return std::string(text.begin(), text.end()); // the paths here are ASCII
}

std::wstring RegistryString(const wchar_t* key, const wchar_t* name)
{
    std::wstring value;
    return GetRegistryString(HKEY_LOCAL_MACHINE, key, name, value) ? value : L"<missing>";
}

DWORD RegistryNumber(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

// A message box of another process: its top-level dialog window with this caption.
HWND FindBoxOf(DWORD process_id, const std::wstring& caption)
{
    struct Search {
        DWORD process;
        std::wstring caption;
        HWND found;
    } search{process_id, caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lparam) WINAPI -> BOOL {
            auto s = reinterpret_cast<Search*>(lparam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t class_name[16] = {}, text[256] = {};
            GetClassNameW(window, class_name, 16);
            GetWindowTextW(window, text, 256);
            if (owner == s->process && IsWindowVisible(window) &&
                std::wstring(class_name) == L"#32770" && s->caption == text) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Setup.exe started as a user would start it, its one Yes/No box answered.
struct AnsweredRun {
    std::wstring question;
    DWORD exitCode = 0xFFFFFFFF;
};
AnsweredRun RunAnswering(const std::wstring& program, int answer)
{
    AnsweredRun run;
    std::wstring command = L"\"" + program + L"\"";
    std::vector<wchar_t> writable(command.begin(), command.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "could not start " << Ansi(program);
        return run;
    }
    HWND box = nullptr;
    for (int i = 0; i < 300 && box == nullptr; ++i) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
            break;
        box = FindBoxOf(process.dwProcessId, L"DWGGlimra");
    }
    if (box != nullptr) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512); // the message box's text control
        run.question = text;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    } else {
        ADD_FAILURE() << "Setup.exe showed no question";
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "Setup.exe did not end";
        TerminateProcess(process.hProcess, 1);
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

class SetupExeOnAFreshMachine : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Every Windows the product supports has .NET 4.
        SetRegistryString(HKEY_LOCAL_MACHINE,
                          L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full", L"Version",
                          L"4.8.04084");
        // What the product's own packages would put into the product folder.
        ASSERT_TRUE(SHCreateDirectoryExW(nullptr, kProductFolder, nullptr) == ERROR_SUCCESS ||
                    Exists(kProductFolder));
        ASSERT_TRUE(CopyTree(DistributionPartsFolder() + L"\\product", kProductFolder));
        // The product's cloud-service files of an earlier installation, and another file.
        cloud_ = SpecialFolder(CSIDL_PERSONAL) + L"\\GlimraCloudService\\";
        ASSERT_TRUE(SHCreateDirectoryExW(nullptr, cloud_.c_str(), nullptr) == ERROR_SUCCESS ||
                    Exists(cloud_));
        for (const wchar_t* file :
             {L"cloudlogin.cfg", L"advanceFun.cfg", L"serverlist.cfg", L"notes.txt"}) {
            HANDLE h = CreateFileW((cloud_ + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            CloseHandle(h);
        }
        temporary_ = TemporaryFolder();
    }

    static std::wstring TemporaryFolder()
    {
        wchar_t buffer[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, buffer);
        return buffer;
    }

    // Setup.exe of the test distribution with `arguments`, under a debugger.
    DebugRun RunSetup(const std::wstring& arguments)
    {
        DebugRun run = RunUnderDebugger(DistributionFolder() + L"\\Setup.exe", arguments,
                                        DistributionFolder(), 120000);
        EXPECT_TRUE(run.started);
        EXPECT_TRUE(run.finished) << "Setup.exe " << Ansi(arguments) << " did not end by itself";
        return run;
    }
    static std::wstring RunMode(const DebugRun& run)
    {
        for (const auto& text : run.debugTexts) {
            if (text.rfind(L"Setup: run mode ", 0) == 0)
                return text.substr(16, text.size() - 17);
        }
        return L"<none>";
    }

    // The records added to the journal since the last call.
    std::vector<JournalRecord> NewRecords(size_t at_least = 0)
    {
        std::vector<JournalRecord> records;
        for (int i = 0; i < 100; ++i) {
            records = journal_.Records();
            if (records.size() >= seen_ + at_least)
                break;
            Sleep(100);
        }
        std::vector<JournalRecord> fresh(records.begin() + std::min(seen_, records.size()),
                                         records.end());
        seen_ = records.size();
        return fresh;
    }

    // What the quiet installation starts, in its order, with its command lines.
    std::vector<JournalRecord> InstallationRecords(bool with_registry_writer,
                                                   bool with_program_registration = true) const
    {
        const std::wstring dist = DistributionFolder();
        const std::wstring shared = SpecialFolder(CSIDL_PROGRAM_FILES_COMMON) + L"\\Tarvel\\";
        std::vector<JournalRecord> records;
        auto add = [&](const wchar_t* file, const std::wstring& line) {
            records.push_back({file, line, CurrentFolder()});
        };
        for (const wchar_t* file : {L"vc_redist.x86.exe", L"vcredist_x86_10.exe",
                                    L"vc_redist.x64.exe", L"vcredist_x64_10.exe"})
            add(file, RepairCommandLine(dist + L"\\Msi\\" + file));
        for (const wchar_t* file : {L"orvd_global.exe", L"orvd_local.exe", L"orvd_encryption.exe"})
            add(file, PassiveCommandLine(dist + L"\\files\\" + file));
        for (const wchar_t* library : {L"previewshell.dll", L"VaRevEzedi.dll"})
            records.push_back({library, L"DllRegisterServer", shared + library});
        if (with_program_registration)
            add(L"orvd.exe", ProgramCommandLine(std::wstring(kProductFolder) + L"\\orvd.exe",
                                                kRegisterProgramArguments));
        if (with_registry_writer) {
            RegWriterValues values;
            values.languageKey = L"zh_cn";
            values.installDir = kProductFolder;
            values.productKeyName = L"DWGGlimra";
            values.version = L"16.0";
            values.numParameter = 1;
            values.viewerName = L"DWGGlimra"; // text 2038 of SetupRes.dll
            records.push_back({L"RegWriter.exe",
                               RegWriterCommandLine(dist + L"\\files\\RegWriter.exe", values),
                               CurrentFolder(), L"0"});
        }
        return records;
    }
    static std::wstring CurrentFolder() { return DistributionFolder(); }

    // The entries one installation appends to install.log.
    std::string InstallationLog(bool first) const
    {
        const std::string d = Ansi(kProductFolder);
        const std::string key = "\"HKEY_LOCAL_MACHINE\\" + Ansi(kUninstallKey) + "\" ";
        const std::string shared = Ansi(SpecialFolder(CSIDL_PROGRAM_FILES_COMMON)) + "\\Tarvel";
        const std::string desktop = Ansi(SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY));
        const std::string programs = Ansi(SpecialFolder(CSIDL_COMMON_PROGRAMS));
        const std::string menu = programs + "\\Tarvel\\DWGGlimra";
        std::vector<std::string> entries;
        auto folder = [&entries](const std::string& path) {
            entries.push_back("CreateDirectory: \"" + path + "\" (0)");
            entries.push_back("CreateDirectory: \"" + path + "\" created");
        };
        auto shortcut = [&entries, &d](const std::string& file, const std::string& target) {
            entries.push_back("CreateShortCut: out: \"" + file + "\", in: \"" + d + "\\" + target +
                              " \", icon: ,0, sw=0, hk=0");
        };
        if (first)
            folder(shared);
        for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
                 {"DisplayName", "DWGGlimra"},
                 {"InstallLocation", d},
                 {"DisplayIcon", d + "\\orvd.exe"},
                 {"UninstallString", d + "\\setup.exe"},
                 {"Platfrom", "x86"},
                 {"Publisher", "Tarvel Company"},
                 {"HelpLink", "https://www.tarvel.com"}})
            entries.push_back("WriteRegStr: " + key + "\"" + name + "\"=\"" + value + "\"");
        entries.push_back("WriteRegDWORD: " + key + "\"Version\"=\"56\"");
        shortcut(desktop + "\\DWGGlimra.lnk", "ovStart.exe");
        if (first) {
            folder(programs + "\\Tarvel");
            folder(menu);
        }
        shortcut(menu + "\\DWGGlimra.lnk", "ovStart.exe");
        shortcut(menu + "\\Uninstall Glimra.lnk", "setup.exe");
        shortcut(menu + "\\Website.lnk", "Website.url");
        entries.push_back("File: overwriteflag=4, allowskipfilesflag=0, name=\"TUninstall\"");
        entries.push_back("File: wrote 341000 to \"" + d + "\\TUninstall\"");
        std::string bytes;
        for (const auto& entry : entries)
            bytes += "\r\r\n" + entry;
        return bytes;
    }

    // The uninstaller was started from the temporary folder, beside the log and the
    // resource library.
    void ExpectUninstallerStartedFromTheTemporaryFolder()
    {
        std::vector<JournalRecord> records = NewRecords(2);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].program, L"orvd.exe");
        EXPECT_EQ(records[0].commandLine,
                  ProgramCommandLine(std::wstring(kProductFolder) + L"\\orvd.exe",
                                     kUnregisterProgramArguments));
        EXPECT_EQ(records[1].program, L"TUninstall.exe");
        EXPECT_EQ(records[1].commandLine, L"\"" + temporary_ + L"TUninstall.exe\" /norestart");
        EXPECT_EQ(ReadFileBytes(temporary_ + L"install.log"),
                  ReadFileBytes(std::wstring(kProductFolder) + L"\\install.log"));
        EXPECT_EQ(ReadFileBytes(temporary_ + L"SetupRes.dll"),
                  ReadFileBytes(DistributionFolder() + L"\\SetupRes.dll"));
    }
    void RemoveTemporaryCopies()
    {
        Sleep(300); // the uninstaller stub may still be ending
        for (const wchar_t* file : {L"TUninstall.exe", L"install.log", L"SetupRes.dll"})
            DeleteFileW((temporary_ + file).c_str());
    }

    ScratchFolder scratch_;
    Journal journal_{scratch_.Path()};
    size_t seen_ = 0;
    std::wstring cloud_;
    std::wstring temporary_;
};

} // namespace

TEST_F(SetupExeOnAFreshMachine, InstallsQuietlyOverItselfAndUninstalls)
{
    ASSERT_EQ(RegistryString(kUninstallKey, L"InstallLocation"), L"<missing>")
        << "the prefix is not fresh";
    const std::wstring dir = kProductFolder;

    // 1. Quiet installation.
    DebugRun first = RunSetup(L"quiet=1");
    EXPECT_EQ(RunMode(first), L"quiet install");
    EXPECT_EQ(first.exitCode, 0u);
    EXPECT_EQ(NewRecords(), InstallationRecords(true));
    EXPECT_EQ(RegistryString(kSetupKey, L"path"), dir);
    EXPECT_EQ(RegistryString(kSetupKey, L"language"), L"2052");
    EXPECT_EQ(RegistryNumber(kSetupKey, L"NUM"), 1u);
    EXPECT_EQ(RegistryString(kSetupKey, L"RegLang"), L"zh-cn");
    EXPECT_EQ(RegistryString(kUninstallKey, L"InstallLocation"), dir);
    EXPECT_EQ(RegistryString(kUninstallKey, L"DisplayName"), L"DWGGlimra");
    EXPECT_EQ(RegistryString(kUninstallKey, L"UninstallString"), dir + L"\\setup.exe");
    EXPECT_EQ(RegistryString(L"Software\\GlimraTests\\Packages\\QxTable_CHS_x86", L"Properties"),
              L"OFFICEBITVER=0 NETVER=4.8");
    EXPECT_NE(RegistryString(L"Software\\GlimraTests\\Packages\\msxml6", L"Properties"),
              L"<missing>");
    const std::wstring menu = SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Tarvel\\DWGGlimra\\";
    for (const std::wstring& link :
         {SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\DWGGlimra.lnk",
          menu + L"DWGGlimra.lnk", menu + L"Uninstall Glimra.lnk", menu + L"Website.lnk"})
        EXPECT_TRUE(Exists(link)) << Ansi(link);
    for (const wchar_t* file : {L"\\Setup.exe", L"\\SetupRes.dll", L"\\TUninstall", L"\\Setup.ini"})
        EXPECT_TRUE(Exists(dir + file)) << Ansi(file);
    const std::string first_log = InstallationLog(true);
    EXPECT_EQ(ReadFileBytes(dir + L"\\install.log"), first_log);
    for (const wchar_t* file : {L"cloudlogin.cfg", L"advanceFun.cfg", L"serverlist.cfg"})
        EXPECT_FALSE(Exists(cloud_ + file)) << Ansi(file);
    EXPECT_TRUE(Exists(cloud_ + L"notes.txt"));

    // 2. Again over it (another quiet key): everything but the registry writer runs,
    // and the log gains a second set without the folders.
    DebugRun second = RunSetup(L"quiet=1");
    EXPECT_EQ(RunMode(second), L"quiet install");
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_EQ(NewRecords(), InstallationRecords(false));
    const std::string second_log = first_log + InstallationLog(false);
    EXPECT_EQ(ReadFileBytes(dir + L"\\install.log"), second_log);

    // Other quiet keys and NUM 7: no COM registration of orvd.exe, NUM 7 in the setup key.
    DebugRun third = RunSetup(L"silent=1 norestart=1 NUM=7");
    EXPECT_EQ(RunMode(third), L"quiet install");
    EXPECT_EQ(third.exitCode, 0u);
    EXPECT_EQ(NewRecords(), InstallationRecords(false, false));
    EXPECT_EQ(RegistryNumber(kSetupKey, L"NUM"), 7u);
    EXPECT_EQ(ReadFileBytes(dir + L"\\install.log"), second_log + InstallationLog(false));

    // 3. Quiet uninstall.
    DebugRun removal = RunSetup(L"quiet=1 /uninstall=1");
    EXPECT_EQ(RunMode(removal), L"quiet uninstall");
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectUninstallerStartedFromTheTemporaryFolder();
    RemoveTemporaryCopies();

    // 4. The installed copy, as the uninstall entry starts it: declined, then accepted.
    AnsweredRun declined = RunAnswering(dir + L"\\setup.exe", IDNO);
    EXPECT_EQ(declined.question, L"\nAre you sure you want to uninstall this product?\n");
    EXPECT_EQ(declined.exitCode, 1602u);
    EXPECT_TRUE(NewRecords().empty());

    AnsweredRun accepted = RunAnswering(dir + L"\\setup.exe", IDYES);
    EXPECT_EQ(accepted.exitCode, 0u);
    ExpectUninstallerStartedFromTheTemporaryFolder();
    RemoveTemporaryCopies();
}
