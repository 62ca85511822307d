// Entry point of the installer. For now it only proves that the program starts and
// finds its resource library beside it: exit code 0 when SetupRes.dll loads, else 1.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    HMODULE resources = LoadLibraryW(L"SetupRes.dll");
    return resources != nullptr ? 0 : 1;
}
