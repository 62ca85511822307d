#include "testing/uidriver/ui_driver.h"

#include "framework/dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>

namespace glimra::testing {

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kReadTimeoutMs = 1000;
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// The static that holds a message box's text, on Windows and on Wine.
constexpr int kBoxTextId = 0xFFFF;

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// What the window manager holds as a window's text: no message, so safe for a window
// whose thread is busy.
std::wstring InternalText(HWND hwnd)
{
    std::vector<wchar_t> buffer(4096);
    int copied = InternalGetWindowText(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), copied > 0 ? copied : 0);
}

// The text of a window of any thread; a thread that does not answer within a second
// yields what the window manager holds.
std::wstring ReadText(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                             &length))
        return InternalText(hwnd);
    std::vector<wchar_t> buffer(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kReadTimeoutMs, &copied))
        return std::wstring();
    return std::wstring(buffer.data(), std::min<size_t>(copied, length));
}

bool IsDialogWindow(HWND hwnd)
{
    return ClassOf(hwnd) == L"#32770";
}

// A system dialog that holds the box's text static and nothing but statics and
// buttons; framework dialogs never count.
bool IsMessageBoxWindow(HWND hwnd)
{
    if (!IsDialogWindow(hwnd) || framework::CDialog::TemplateOf(hwnd) != 0)
        return false;
    HWND text = GetDlgItem(hwnd, kBoxTextId);
    if (text == nullptr || ClassOf(text) != L"Static")
        return false;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        std::wstring name = ClassOf(child);
        if (name != L"Static" && name != L"Button")
            return false;
    }
    return true;
}

bool IsOpen(HWND hwnd)
{
    return IsWindow(hwnd) && IsWindowVisible(hwnd);
}

struct DialogSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM data)
{
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == search.process && IsWindowVisible(hwnd) && IsDialogWindow(hwnd))
        search.found.push_back(hwnd);
    return TRUE;
}

// The visible top-level dialogs and boxes of this process, on every thread.
std::vector<HWND> ProcessDialogs()
{
    DialogSearch search{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND BoxIconControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static" &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

UINT BoxIcon(HWND box)
{
    HWND control = BoxIconControl(box);
    if (control == nullptr || !IsWindowVisible(control))
        return 0;
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &icon) ||
        icon == 0)
        return 0;
    const struct {
        const wchar_t* system_icon;
        UINT style;
    } icons[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_EXCLAMATION, MB_ICONWARNING},
                 {IDI_ASTERISK, MB_ICONINFORMATION},
                 {IDI_QUESTION, MB_ICONQUESTION}};
    for (const auto& candidate : icons) {
        if (reinterpret_cast<HICON>(icon) == LoadIconW(nullptr, candidate.system_icon))
            return candidate.style;
    }
    return MB_USERICON;
}

UINT BoxButtons(HWND box)
{
    auto has = [box](int id) {
        HWND button = GetDlgItem(box, id);
        return button != nullptr && IsWindowVisible(button);
    };
    if (has(IDYES) && has(IDNO))
        return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    if (has(IDABORT))
        return MB_ABORTRETRYIGNORE;
    if (has(IDTRYAGAIN))
        return MB_CANCELTRYCONTINUE;
    if (has(IDRETRY))
        return MB_RETRYCANCEL;
    if (has(IDCANCEL) && has(IDOK))
        return MB_OKCANCEL;
    return MB_OK;
}

const char* IconName(UINT icon)
{
    switch (icon) {
    case MB_ICONERROR:
        return "MB_ICONERROR";
    case MB_ICONWARNING:
        return "MB_ICONWARNING";
    case MB_ICONINFORMATION:
        return "MB_ICONINFORMATION";
    case MB_ICONQUESTION:
        return "MB_ICONQUESTION";
    case MB_USERICON:
        return "MB_USERICON";
    default:
        return "no icon";
    }
}

const char* ButtonsName(UINT buttons)
{
    switch (buttons) {
    case MB_OK:
        return "MB_OK";
    case MB_OKCANCEL:
        return "MB_OKCANCEL";
    case MB_YESNO:
        return "MB_YESNO";
    case MB_YESNOCANCEL:
        return "MB_YESNOCANCEL";
    case MB_RETRYCANCEL:
        return "MB_RETRYCANCEL";
    case MB_ABORTRETRYIGNORE:
        return "MB_ABORTRETRYIGNORE";
    case MB_CANCELTRYCONTINUE:
        return "MB_CANCELTRYCONTINUE";
    default:
        return "?";
    }
}

SeenBox ReadBox(HWND box)
{
    return SeenBox{ReadText(box), ReadText(GetDlgItem(box, kBoxTextId)), BoxIcon(box),
                   BoxButtons(box)};
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM data)
{
    auto& search = *reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(hwnd) != search.id)
        return TRUE;
    search.found = hwnd;
    return FALSE;
}

// The control `id` of a dialog, or of a child panel inside it.
HWND FindControl(HWND dialog, int id)
{
    if (HWND direct = GetDlgItem(dialog, id))
        return direct;
    ControlSearch search{id, nullptr};
    EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ends a dialog or box whatever its handlers would do with a click.
void ForceClose(HWND hwnd)
{
    if (framework::CDialog::TemplateOf(hwnd) != 0) {
        PostMessageW(hwnd, framework::CDialog::ForceEndMessage(), static_cast<WPARAM>(-1), 0);
        return;
    }
    for (int id : {IDCANCEL, IDNO, IDOK, IDABORT, IDCONTINUE}) {
        HWND button = GetDlgItem(hwnd, id);
        if (button != nullptr && IsWindowVisible(button)) {
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

bool operator==(const SeenBox& a, const SeenBox& b)
{
    return a.caption == b.caption && a.text == b.text && a.icon == b.icon && a.buttons == b.buttons;
}

void PrintTo(const SeenBox& box, std::ostream* out)
{
    *out << "{caption \"" << Narrow(box.caption) << "\", text \"" << Narrow(box.text) << "\", "
         << IconName(box.icon) << ", " << ButtonsName(box.buttons) << "}";
}

bool operator==(const SeenDialog& a, const SeenDialog& b)
{
    return a.caption == b.caption && a.template_id == b.template_id;
}

void PrintTo(const SeenDialog& dialog, std::ostream* out)
{
    *out << "{dialog " << dialog.template_id << ", caption \"" << Narrow(dialog.caption) << "\"}";
}

UiDriver::UiDriver(Duration deadline) : deadline_(Clock::now() + deadline)
{
    ObserveOnce();
    watcher_ = std::thread([this] { Watch(); });
}

UiDriver::~UiDriver()
{
    Join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    watcher_.join();
    ObserveOnce();
    CloseOpenWindows("was still open when the test ended");
}

void UiDriver::Script(std::function<void(UiDriver&)> script)
{
    Join();
    script_ = std::thread([this, script = std::move(script)] {
        try {
            script(*this);
        } catch (const UiDriverError&) {
            // Recorded as a test failure already.
        } catch (const std::exception& error) {
            ADD_FAILURE() << "UI script threw: " << error.what();
        }
    });
}

void UiDriver::Join()
{
    if (script_.joinable())
        script_.join();
}

void UiDriver::Watch()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        ObserveOnce();
        if (Clock::now() >= deadline_)
            CloseOpenWindows("was still open at the test's UI deadline");
        lock.lock();
        changed_.wait_for(lock, kPollInterval, [this] { return stopping_; });
    }
}

void UiDriver::ObserveOnce()
{
    std::vector<HWND> visible = ProcessDialogs();
    std::vector<HWND> candidates;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        bool any_change = false;
        for (auto& tracked : tracked_) {
            if (!tracked.alive)
                continue;
            tracked.alive = IsWindow(tracked.hwnd) != FALSE;
            bool open = tracked.alive && IsWindowVisible(tracked.hwnd);
            any_change = any_change || open != tracked.open;
            tracked.open = open;
        }
        // One window is one appearance for as long as it exists, even if it is hidden
        // and shown again.
        for (HWND hwnd : visible) {
            bool known = std::any_of(tracked_.begin(), tracked_.end(), [hwnd](const Tracked& t) {
                return t.alive && t.hwnd == hwnd;
            });
            if (!known)
                candidates.push_back(hwnd);
        }
        if (any_change)
            changed_.notify_all();
    }
    // Reading sends messages to the windows' threads: not while holding the lock.
    for (HWND hwnd : candidates) {
        if (!IsOpen(hwnd))
            continue;
        bool is_box = IsMessageBoxWindow(hwnd);
        SeenBox box;
        SeenDialog dialog;
        if (is_box)
            box = ReadBox(hwnd);
        else
            dialog = SeenDialog{ReadText(hwnd), framework::CDialog::TemplateOf(hwnd)};
        if (!IsOpen(hwnd))
            continue; // closed while being read: what was read may be half gone
        std::function<int(const SeenBox&)> choose;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            tracked_.push_back(Tracked{hwnd, is_box});
            if (is_box) {
                boxes_.push_back(box);
                choose = auto_answer_;
                tracked_.back().taken = static_cast<bool>(choose);
            } else {
                dialogs_.push_back(dialog);
            }
            changed_.notify_all();
        }
        if (choose) {
            try {
                AnswerMessageBox(hwnd, choose(box));
            } catch (const UiDriverError&) {
                // Recorded as a failure; the deadline closes the box.
            }
        }
    }
}

void UiDriver::AutoAnswer(std::function<int(const SeenBox&)> choose)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto_answer_ = std::move(choose);
    }
    // Boxes already open, not yet taken by a wait, are answered too.
    std::vector<HWND> waiting;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& tracked : tracked_) {
            if (tracked.is_box && tracked.open && !tracked.taken) {
                tracked.taken = true;
                waiting.push_back(tracked.hwnd);
            }
        }
    }
    for (HWND box : waiting) {
        std::function<int(const SeenBox&)> current;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            current = auto_answer_;
        }
        try {
            AnswerMessageBox(box, current(ReadBox(box)));
        } catch (const UiDriverError&) {
        }
    }
}

void UiDriver::AutoAnswer(int button)
{
    AutoAnswer([button](const SeenBox&) { return button; });
}

void UiDriver::CloseOpenWindows(const char* reason)
{
    std::vector<HWND> to_close;
    std::vector<std::string> to_report;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& tracked : tracked_) {
            if (!tracked.open || !IsOpen(tracked.hwnd))
                continue;
            to_close.push_back(tracked.hwnd);
            if (reported_.insert(tracked.hwnd).second)
                to_report.push_back(Narrow((tracked.is_box ? L"message box \"" : L"dialog \"") +
                                           InternalText(tracked.hwnd) + L"\""));
        }
    }
    for (const auto& what : to_report)
        ADD_FAILURE() << what << " " << reason << "; the driver closed it";
    for (HWND hwnd : to_close)
        ForceClose(hwnd);
}

std::string UiDriver::DescribeOpenWindows()
{
    std::ostringstream out;
    std::vector<HWND> open = ProcessDialogs();
    if (open.empty())
        return "no dialog or message box is open";
    out << "open:";
    for (HWND hwnd : open) {
        out << (IsMessageBoxWindow(hwnd) ? " message box \"" : " dialog \"")
            << Narrow(InternalText(hwnd)) << "\"";
        if (IsMessageBoxWindow(hwnd))
            out << " (\"" << Narrow(InternalText(GetDlgItem(hwnd, kBoxTextId))) << "\")";
        if (UINT id = framework::CDialog::TemplateOf(hwnd))
            out << " (template " << id << ")";
    }
    return out.str();
}

void UiDriver::Fail(const std::string& what)
{
    std::string message = what + "; " + DescribeOpenWindows();
    ADD_FAILURE() << message;
    throw UiDriverError(message);
}

bool UiDriver::WaitUntil(const std::function<bool()>& condition, Duration wait)
{
    auto until = Clock::now() + wait;
    while (!condition()) {
        if (Clock::now() >= until)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

HWND UiDriver::WaitForMessageBox(Duration wait)
{
    auto until = Clock::now() + wait;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        for (auto& tracked : tracked_) {
            if (tracked.is_box && !tracked.taken && tracked.open && IsOpen(tracked.hwnd)) {
                tracked.taken = true;
                return tracked.hwnd;
            }
        }
        if (changed_.wait_until(lock, until) == std::cv_status::timeout && Clock::now() >= until)
            break;
    }
    lock.unlock();
    Fail("no message box appeared within " + std::to_string(wait.count()) + " ms");
}

SeenBox UiDriver::ReadMessageBox(HWND box)
{
    return ReadBox(box);
}

void UiDriver::AnswerMessageBox(HWND box, int button)
{
    HWND control = GetDlgItem(box, button);
    if (control == nullptr || !IsWindowVisible(control))
        Fail("message box \"" + Narrow(InternalText(box)) + "\" has no button " +
             std::to_string(button));
    PostMessageW(control, BM_CLICK, 0, 0);
}

SeenBox UiDriver::AnswerNextMessageBox(int button, Duration wait)
{
    HWND box = WaitForMessageBox(wait);
    SeenBox seen = ReadMessageBox(box);
    AnswerMessageBox(box, button);
    return seen;
}

std::vector<SeenBox> UiDriver::MessageBoxesSeen() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

std::vector<SeenDialog> UiDriver::DialogsSeen() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return dialogs_;
}

HWND UiDriver::WaitForDialogWhere(const std::function<bool(HWND)>& matches, bool newest,
                                  const std::string& what, Duration wait)
{
    auto until = Clock::now() + wait;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        auto pick = [&](Tracked& tracked) {
            return !tracked.is_box && tracked.open && IsOpen(tracked.hwnd) && matches(tracked.hwnd);
        };
        if (newest) {
            for (auto it = tracked_.rbegin(); it != tracked_.rend(); ++it) {
                if (pick(*it)) {
                    it->taken = true;
                    return it->hwnd;
                }
            }
        } else {
            for (auto& tracked : tracked_) {
                if (!tracked.taken && pick(tracked)) {
                    tracked.taken = true;
                    return tracked.hwnd;
                }
            }
        }
        if (changed_.wait_until(lock, until) == std::cv_status::timeout && Clock::now() >= until)
            break;
    }
    lock.unlock();
    Fail("no " + what + " appeared within " + std::to_string(wait.count()) + " ms");
}

HWND UiDriver::WaitForDialog(UINT template_id, Duration wait)
{
    return WaitForDialogWhere(
        [template_id](HWND hwnd) { return framework::CDialog::TemplateOf(hwnd) == template_id; },
        true, "dialog with template " + std::to_string(template_id), wait);
}

HWND UiDriver::WaitForDialog(const std::wstring& caption, Duration wait)
{
    return WaitForDialogWhere([caption](HWND hwnd) { return InternalText(hwnd) == caption; }, true,
                              "dialog \"" + Narrow(caption) + "\"", wait);
}

HWND UiDriver::WaitForNextDialog(Duration wait)
{
    return WaitForDialogWhere([](HWND) { return true; }, false, "new dialog", wait);
}

bool UiDriver::WaitUntilClosed(HWND window, Duration wait)
{
    if (WaitUntil([window] { return !IsOpen(window); }, wait))
        return true;
    ADD_FAILURE() << "\"" << Narrow(InternalText(window)) << "\" was still open after "
                  << wait.count() << " ms";
    return false;
}

std::wstring UiDriver::Caption(HWND window)
{
    return ReadText(window);
}

HWND UiDriver::Control(HWND dialog, int id, const char* action)
{
    HWND control = FindControl(dialog, id);
    if (control == nullptr)
        Fail(std::string(action) + ": \"" + Narrow(InternalText(dialog)) + "\" has no control " +
             std::to_string(id));
    return control;
}

std::wstring UiDriver::ControlText(HWND dialog, int id)
{
    return ReadText(Control(dialog, id, "read text"));
}

bool UiDriver::IsControlEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(Control(dialog, id, "read enabled state")) != FALSE;
}

bool UiDriver::IsControlVisible(HWND dialog, int id)
{
    return IsWindowVisible(Control(dialog, id, "read visible state")) != FALSE;
}

int UiDriver::CheckState(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutW(Control(dialog, id, "read check state"), BM_GETCHECK, 0, 0,
                             SMTO_ABORTIFHUNG, kReadTimeoutMs, &state))
        Fail("read check state: control " + std::to_string(id) + " did not answer");
    return static_cast<int>(state);
}

std::vector<std::vector<std::wstring>> UiDriver::ListRows(HWND dialog, int id)
{
    HWND list = Control(dialog, id, "read list");
    auto ask = [&](UINT message, WPARAM wparam, LPARAM lparam) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(list, message, wparam, lparam, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                                 &answer))
            Fail("read list: control " + std::to_string(id) + " did not answer");
        return answer;
    };
    auto header = reinterpret_cast<HWND>(ask(LVM_GETHEADER, 0, 0));
    DWORD_PTR columns = 1;
    if (header != nullptr)
        SendMessageTimeoutW(header, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                            &columns);
    std::vector<std::vector<std::wstring>> rows;
    auto count = static_cast<int>(ask(LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        std::vector<std::wstring> row;
        for (int column = 0; column < static_cast<int>(columns); ++column) {
            std::vector<wchar_t> buffer(4096);
            LVITEMW entry{};
            entry.iSubItem = column;
            entry.pszText = buffer.data();
            entry.cchTextMax = static_cast<int>(buffer.size());
            auto length = ask(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&entry));
            row.emplace_back(buffer.data(), std::min<size_t>(length, buffer.size() - 1));
        }
        rows.push_back(row);
    }
    return rows;
}

void UiDriver::SetEditText(HWND dialog, int id, const std::wstring& text)
{
    HWND edit = Control(dialog, id, "set text");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kReadTimeoutMs, &ignored);
}

void UiDriver::TypeText(HWND dialog, int id, const std::wstring& text)
{
    HWND edit = Control(dialog, id, "type");
    if (!IsWindowEnabled(edit) || !IsWindowVisible(edit))
        Fail("type: control " + std::to_string(id) + " is disabled or hidden");
    PostMessageW(edit, EM_SETSEL, INT_MAX, INT_MAX);
    for (wchar_t unit : text)
        PostMessageW(edit, WM_CHAR, unit, 1);
}

void UiDriver::Click(HWND dialog, int id)
{
    HWND button = Control(dialog, id, "click");
    if (!IsWindowEnabled(button) || !IsWindowVisible(button))
        Fail("click: control " + std::to_string(id) + " of \"" + Narrow(InternalText(dialog)) +
             "\" is disabled or hidden");
    PostMessageW(button, BM_CLICK, 0, 0);
}

void UiDriver::ClickLink(HWND dialog, int id)
{
    HWND link = Control(dialog, id, "click link");
    if (!IsWindowEnabled(link) || !IsWindowVisible(link))
        Fail("click link: control " + std::to_string(id) + " is disabled or hidden");
    RECT client{};
    GetClientRect(link, &client);
    POINT at{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    if (ClassOf(link) == WC_LINK) {
        // Find a point on the first link by asking the control itself.
        bool found = false;
        for (LONG y = client.top + 1; y < client.bottom && !found; y += 2) {
            for (LONG x = client.left + 1; x < client.right && !found; x += 2) {
                LHITTESTINFO hit{};
                hit.pt = POINT{x, y};
                DWORD_PTR on_link = 0;
                if (SendMessageTimeoutW(link, LM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit),
                                        SMTO_ABORTIFHUNG, kReadTimeoutMs, &on_link) &&
                    on_link) {
                    at = hit.pt;
                    found = true;
                }
            }
        }
        if (!found)
            Fail("click link: control " + std::to_string(id) + " shows no link");
    }
    LPARAM point = MAKELPARAM(at.x, at.y);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(link, WM_LBUTTONUP, 0, point);
}

} // namespace glimra::testing
