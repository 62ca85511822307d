#pragma once
// UiDriver: drives the real dialogs and message boxes of the test process under the
// virtual display, from a thread other than the one that runs them.
//
// Usage, the code under test on the test thread and a script beside it:
//
//   TEST(Pages, CancelAsksFirst) {
//       glimra::testing::UiDriver ui;                 // fails the test and closes what
//       ui.Script([](glimra::testing::UiDriver& ui) { // is still open after 10 s
//           HWND page = ui.WaitForDialog(102);        // by template number (or caption)
//           ui.Click(page, IDCANCEL);
//           ui.AnswerNextMessageBox(IDYES);
//       });
//       EXPECT_EQ(RunOptionsPage(), IDCANCEL);
//       ui.Join();                                    // the script's failures are in now
//       EXPECT_EQ(ui.MessageBoxesSeen(),
//                 (std::vector<glimra::testing::SeenBox>{
//                     {L"DWGGlimra", L"Really cancel?", MB_ICONQUESTION, MB_YESNO}}));
//   }
//
// Or every box answered as it comes, and the whole sequence asserted afterwards:
//
//   ui.AutoAnswer(IDOK);
//   EXPECT_FALSE(RunQuietInstall());
//   EXPECT_EQ(ui.MessageBoxesSeen(), (std::vector<SeenBox>{{...}, {...}}));
//
// Or the code under test on a worker thread and the test thread driving:
//
//   std::thread worker([] { ShowMessageBox(nullptr, L"Done", L"Setup", MB_OK); });
//   glimra::testing::SeenBox box = ui.AnswerNextMessageBox(IDOK);
//   worker.join();
//
// - Every wait has a timeout (default 5 s). A wait that times out records a test
//   failure that lists the windows that were open, and throws UiDriverError, which
//   ends a script quietly (the failure is already recorded).
// - The deadline given at construction bounds the whole test: once it has passed, the
//   driver records a failure for each dialog or box still open and closes them (a
//   framework dialog is ended with -1; a box by its Cancel, No or OK button), so a
//   dialog left open fails the test instead of hanging it.
// - From construction on, the driver watches the process's top-level dialogs and
//   boxes on every thread and records them in the order they appeared.
// - Clicking, typing and answering post messages (they never wait for the code under
//   test); reading texts and SetEditText wait at most a second for a thread that does
//   not answer.
// - Call the driver from any thread except the one whose windows it drives (that
//   thread must be free to run its message loop).

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace glimra::testing {

// A message box as the driver saw it: `icon` is one of MB_ICONERROR, MB_ICONWARNING,
// MB_ICONINFORMATION, MB_ICONQUESTION or 0, `buttons` one of MB_OK, MB_OKCANCEL,
// MB_YESNO, MB_YESNOCANCEL, MB_RETRYCANCEL, MB_ABORTRETRYIGNORE, MB_CANCELTRYCONTINUE.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
    UINT icon = 0;
    UINT buttons = MB_OK;
};
bool operator==(const SeenBox& a, const SeenBox& b);
inline bool operator!=(const SeenBox& a, const SeenBox& b)
{
    return !(a == b);
}
void PrintTo(const SeenBox& box, std::ostream* out);

// A dialog (not a message box) as the driver saw it when it appeared.
struct SeenDialog {
    std::wstring caption;
    UINT template_id = 0; // 0 when not a framework dialog
};
bool operator==(const SeenDialog& a, const SeenDialog& b);
void PrintTo(const SeenDialog& dialog, std::ostream* out);

// Thrown by a wait that timed out or an action that could not be done; the test
// failure has been recorded already.
class UiDriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UiDriver {
public:
    using Duration = std::chrono::milliseconds;
    static constexpr Duration kDefaultWait{5000};

    explicit UiDriver(Duration deadline = Duration(10000));
    // Joins the script, then records a failure for and closes every dialog or box
    // still open.
    ~UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // Runs `script` on a thread of its own; one script at a time.
    void Script(std::function<void(UiDriver&)> script);
    // Waits for the script to end (it ends at the latest when the deadline closes the
    // windows it waits for and its waits time out).
    void Join();

    // Message boxes. WaitForMessageBox returns the earliest box, in order of
    // appearance, that no earlier wait returned and that is still open.
    HWND WaitForMessageBox(Duration wait = kDefaultWait);
    SeenBox ReadMessageBox(HWND box);
    // Clicks the box's button IDOK, IDCANCEL, IDYES, IDNO...; fails when it has none.
    void AnswerMessageBox(HWND box, int button);
    // Waits for the next box, answers it and returns what it showed.
    SeenBox AnswerNextMessageBox(int button, Duration wait = kDefaultWait);
    // From now on answers every new box as soon as it appears, with the button
    // `choose` picks for it (a button the box lacks is a test failure). For code that
    // shows many boxes, whose sequence the test then asserts with MessageBoxesSeen.
    void AutoAnswer(std::function<int(const SeenBox&)> choose);
    void AutoAnswer(int button);
    std::vector<SeenBox> MessageBoxesSeen() const;

    // Dialogs: the newest open dialog with that template number or caption, or the
    // earliest one no earlier WaitForDialog returned.
    HWND WaitForDialog(UINT template_id, Duration wait = kDefaultWait);
    HWND WaitForDialog(const std::wstring& caption, Duration wait = kDefaultWait);
    HWND WaitForNextDialog(Duration wait = kDefaultWait);
    std::vector<SeenDialog> DialogsSeen() const;
    // Waits until `window` is destroyed or hidden; false (and a failure) on timeout.
    bool WaitUntilClosed(HWND window, Duration wait = kDefaultWait);

    // Windows and their controls by number; a control inside a child panel of the
    // dialog is found too.
    std::wstring Caption(HWND window);
    std::wstring ControlText(HWND dialog, int id);
    bool IsControlEnabled(HWND dialog, int id);
    bool IsControlVisible(HWND dialog, int id);
    // A check box or option button: BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
    int CheckState(HWND dialog, int id);
    // The rows of a list view, each the texts of its columns.
    std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int id);
    // Replaces the text of an edit, as a paste would (the edit reports EN_CHANGE).
    void SetEditText(HWND dialog, int id, const std::wstring& text);
    // Types `text` at the end of an edit's text, one character message per unit.
    void TypeText(HWND dialog, int id, const std::wstring& text);
    // Clicks an enabled, visible button (or check box, or option button).
    void Click(HWND dialog, int id);
    // Clicks the first link of a link control, or a clickable static.
    void ClickLink(HWND dialog, int id);

    // Waits until `condition` holds, checking every few milliseconds.
    bool WaitUntil(const std::function<bool()>& condition, Duration wait = kDefaultWait);

private:
    struct Tracked {
        HWND hwnd;
        bool is_box;
        bool taken = false;
        bool open = true;  // visible
        bool alive = true; // not destroyed
    };

    void Watch();
    void ObserveOnce();
    void CloseOpenWindows(const char* reason);
    HWND Control(HWND dialog, int id, const char* action);
    [[noreturn]] void Fail(const std::string& what);
    std::string DescribeOpenWindows();
    HWND WaitForDialogWhere(const std::function<bool(HWND)>& matches, bool newest,
                            const std::string& what, Duration wait);

    const std::chrono::steady_clock::time_point deadline_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Tracked> tracked_;
    std::vector<SeenBox> boxes_;
    std::vector<SeenDialog> dialogs_;
    std::set<HWND> reported_;
    std::function<int(const SeenBox&)> auto_answer_;
    bool stopping_ = false;
    std::thread watcher_;
    std::thread script_;
};

} // namespace glimra::testing
