#pragma once
// The framework's test resource library (framework_test_resources.dll), loaded once.

#include "testing/support/win_process.h"

#include <windows.h>

inline HMODULE TestLibrary()
{
    static HMODULE library = LoadLibraryW(
        (glimra::testing::ProgramFolder() + L"\\framework_test_resources.dll").c_str());
    return library;
}

// Numbers of the test library's dialog templates and controls.
constexpr UINT kTestDialog = 300;
constexpr UINT kTestPanel = 301;
constexpr int kChooseButton = 1001;
constexpr int kEdit = 1002;
constexpr int kLabel = 1003;
constexpr int kDrawnButton = 1004;
constexpr int kLink = 1005;
constexpr int kListView = 1006;
constexpr int kProgress = 1007;
constexpr int kDisabledButton = 1008;
constexpr int kCheckBox = 1009;
constexpr int kClickableLabel = 1010;
constexpr int kRichEdit = 1011;
constexpr int kPanelButton = 1101;
constexpr int kPanelEdit = 1102;
