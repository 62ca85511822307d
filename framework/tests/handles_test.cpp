#include <gtest/gtest.h>

#include "framework/handles.h"
#include "testing/support/scratch_folder.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

using namespace framework;

namespace {

bool IsOpenKernelHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

} // namespace

TEST(Handles, AKernelHandleIsClosedOnceByItsLastOwner)
{
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle first(raw);
        KernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), raw);
        KernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpenKernelHandle(raw));
    }
    EXPECT_FALSE(IsOpenKernelHandle(raw));

    HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle released(kept);
        EXPECT_EQ(released.Release(), kept);
    }
    EXPECT_TRUE(IsOpenKernelHandle(kept));
    CloseHandle(kept);
}

TEST(Handles, AFileIsClosedWhenItsHandleGoesAway)
{
    glimra::testing::ScratchFolder folder;
    std::wstring path = folder.Path() + L"\\locked.txt";
    auto open_exclusively = [&path] {
        return FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    {
        FileHandle file = open_exclusively();
        ASSERT_TRUE(file);
        EXPECT_FALSE(open_exclusively()) << "the first handle shares nothing";
    }
    EXPECT_TRUE(open_exclusively()) << "the first handle was closed";
    FileHandle missing(CreateFileW((folder.Path() + L"\\none\\x").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing) << "INVALID_HANDLE_VALUE is empty";
}

TEST(Handles, RegistryKeysAndGdiObjectsAreClosed)
{
    HKEY raw = nullptr;
    {
        RegKey key;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Receive()),
                  ERROR_SUCCESS);
        raw = key.Get();
        EXPECT_EQ(RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    EXPECT_NE(RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    HBRUSH brush = CreateSolidBrush(RGB(7, 85, 49));
    {
        GdiObject<HBRUSH> owned(brush);
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

namespace {

// An object that counts its references.
class Counted : public IUnknown {
public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

} // namespace

TEST(Handles, AComPointerHoldsExactlyOneReference)
{
    Counted object;
    {
        ComPtr<IUnknown> first(&object); // takes over the creator's reference
        {
            ComPtr<IUnknown> copy = first;
            EXPECT_EQ(object.references, 2u);
            ComPtr<IUnknown> queried;
            EXPECT_EQ(first.QueryInterface(queried), S_OK);
            EXPECT_EQ(object.references, 3u);
            ComPtr<IUnknown> moved(std::move(copy));
            EXPECT_EQ(object.references, 3u);
        }
        EXPECT_EQ(object.references, 1u);
    }
    EXPECT_EQ(object.references, 0u);
}

TEST(Handles, ACreatedComObjectAnswersForItsOtherInterfaces)
{
    ComScope com;
    ASSERT_TRUE(com.Succeeded());
    ComPtr<IShellLinkW> link;
    ASSERT_EQ(link.CreateInstance(CLSID_ShellLink), S_OK);
    EXPECT_EQ(link->SetPath(L"C:\\windows\\notepad.exe"), S_OK);
    ComPtr<IPersistFile> file;
    EXPECT_EQ(link.QueryInterface(file), S_OK);
    EXPECT_TRUE(file);
}

TEST(Handles, ProcessHandlesCloseBothHandles)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring program = std::wstring(system) + L"\\cmd.exe";
    std::wstring command = L"cmd.exe /c exit 3";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ProcessHandles process;
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, process.Receive()));
    ASSERT_EQ(WaitForSingleObject(process.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.Process(), &code);
    EXPECT_EQ(code, 3u);
    HANDLE raw_process = process.Process();
    HANDLE raw_thread = process.Thread();
    process.Close();
    EXPECT_FALSE(IsOpenKernelHandle(raw_process));
    EXPECT_FALSE(IsOpenKernelHandle(raw_thread));
    EXPECT_EQ(process.Process(), nullptr);
}
