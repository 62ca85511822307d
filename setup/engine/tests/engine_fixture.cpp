#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/notices.h"
#include "testing/support/win_process.h"

namespace glimra::setup::testing {

using glimra::testing::ProgramFolder;

NoticeWindow::NoticeWindow()
{
    window_ = CreateWindowExW(0, L"STATIC", L"notices", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
}

NoticeWindow::~NoticeWindow()
{
    DestroyWindow(window_);
}

std::vector<UINT> NoticeWindow::Notices()
{
    std::vector<UINT> notices;
    MSG message;
    while (PeekMessageW(&message, window_, kStepBeginsNotice, kStepEndedNotice, PM_REMOVE)) {
        EXPECT_EQ(message.wParam, 0u);
        EXPECT_EQ(message.lParam, 0);
        notices.push_back(message.message);
    }
    return notices;
}

EngineTest::EngineTest()
{
    EXPECT_TRUE(registry_.Active());
    TheSetupState() = SetupState();
    // A module without string resources: every text is its built-in fallback.
    TheSetupState().textModule = GetModuleHandleW(nullptr);
    TheSetupState().productName = L"DWGGlimra";
    TheSetupState().companyName = L"Tarvel";
    TheSetupState().version = L"16.0";
    TheSetupState().installDir = scratch_.Path() + L"\\Glimra";
    CreateDirectoryW(TheSetupState().installDir.c_str(), nullptr);
}

EngineTest::~EngineTest()
{
    TheSetupState() = SetupState();
}

void EngineTest::UseTestTexts()
{
    HMODULE texts = LoadLibraryW((ProgramFolder() + L"\\engine_test_texts.dll").c_str());
    ASSERT_NE(texts, nullptr);
    TheSetupState().textModule = texts;
}

std::wstring EngineTest::CurrentFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

std::string EngineTest::FileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

} // namespace glimra::setup::testing
