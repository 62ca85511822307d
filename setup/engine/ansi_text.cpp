#include "setup/engine/ansi_text.h"

#include <windows.h>

namespace glimra::setup {

std::string ToAnsi(const std::wstring& text, bool* lossless)
{
    if (lossless)
        *lossless = true;
    if (text.empty())
        return std::string();
    int length = static_cast<int>(text.size());
    BOOL used_default = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                    nullptr, &used_default);
    if (bytes <= 0) {
        if (lossless)
            *lossless = false;
        return std::string();
    }
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), bytes,
                        nullptr, &used_default);
    if (lossless)
        *lossless = used_default == FALSE;
    return ansi;
}

} // namespace glimra::setup
