#pragma once
// The exported interface of tlogin.dll: configure the sign-in, run it, read the user.

#include <cstdint>
#include <string>

#ifdef TLOGIN_BUILDING
#define TLOGIN_API __declspec(dllexport)
#else
#define TLOGIN_API __declspec(dllimport)
#endif

class TLOGIN_API CTLoginHelper {
public:
    CTLoginHelper();
    ~CTLoginHelper();
    CTLoginHelper& operator=(const CTLoginHelper& other);

    // Stores the language code; a null pointer keeps the previous one.
    void SetLanguage(const wchar_t* language);

    // Runs the login dialog: 1 signed in, 2 closed, -1 the dialog cannot be created.
    int Tlogin();

    // Copies out the signed-in user; id is -1 when nobody is signed in.
    void GetUserInfo(int64_t& id, std::wstring& name, std::wstring& token, std::wstring& uuid,
                     std::wstring& avatar, std::wstring& reserved);
};
