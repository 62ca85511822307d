#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/notices.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

namespace glimra::setup::testing {

using glimra::testing::ProgramFolder;

NoticeWindow::NoticeWindow()
{
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"GlimraEngineTestNotices";
    RegisterClassW(&window_class); // fails harmlessly when already registered
    window_ = CreateWindowExW(0, window_class.lpszClassName, L"notices", 0, 0, 0, 0, 0,
                              HWND_MESSAGE, nullptr, window_class.hInstance, this);
    EXPECT_NE(window_, nullptr);
}

NoticeWindow::~NoticeWindow()
{
    DestroyWindow(window_);
}

LRESULT CALLBACK NoticeWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto self = reinterpret_cast<NoticeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && (message == kStepBeginsNotice || message == kStepEndedNotice)) {
        EXPECT_EQ(wparam, 0u);
        EXPECT_EQ(lparam, 0);
        self->received_.push_back(message);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

std::vector<UINT> NoticeWindow::Notices()
{
    MSG message;
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    std::vector<UINT> notices;
    notices.swap(received_);
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
    return glimra::testing::ReadFileBytes(path);
}

} // namespace glimra::setup::testing
