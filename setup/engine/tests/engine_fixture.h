#pragma once
// What the install engine's tests share: a fresh SetupState whose texts are the
// built-in fallbacks, an isolated registry, a scratch folder with its journal of
// started programs, and a window that collects the notices the runners post.

#include "setup/app/setup_state.h"
#include "testing/distribution/support/distribution.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace glimra::setup::testing {

// A message-only window that records the runner notices it receives, also those
// dispatched by a message box's loop while the runner waits. Notices() delivers what
// is still queued and takes the notices recorded so far.
class NoticeWindow {
public:
    NoticeWindow();
    ~NoticeWindow();
    HWND Handle() const { return window_; }
    std::vector<UINT> Notices();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    HWND window_ = nullptr;
    std::vector<UINT> received_;
};

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    SetupState& State() { return TheSetupState(); }
    // Takes the texts from the test resource library, whose texts all differ from the
    // built-in fallbacks.
    void UseTestTexts();
    const std::wstring& Scratch() const { return scratch_.Path(); }
    // The folder the started programs see as their working folder (this process's).
    static std::wstring CurrentFolder();
    // The bytes of a file; empty when it is missing.
    static std::string FileBytes(const std::wstring& path);

    glimra::testing::RegistryOverride registry_;
    glimra::testing::ScratchFolder scratch_;
    glimra::testing::Journal journal_{scratch_.Path()};
    NoticeWindow notices_;
};

} // namespace glimra::setup::testing
