#pragma once
// The current resource module: the library that dialog templates, strings, pictures
// and icons are taken from. Each program or library that links the framework has its
// own; it starts as that binary's own module and is switched to a resource library.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace framework {

HMODULE CurrentResourceModule();
void SetCurrentResourceModule(HMODULE module);

// Makes `module` current for the life of the object and puts the previous one back.
class ResourceModuleScope {
public:
    explicit ResourceModuleScope(HMODULE module);
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

private:
    HMODULE previous_;
};

// The string `id` of `module`, read into a buffer of `max_units` code units (so a longer
// text is cut to max_units - 1). False when the module is null or has no such string.
bool LoadText(HMODULE module, UINT id, std::wstring& text, size_t max_units = 1000);
// The string, or `fallback` when it cannot be loaded.
std::wstring LoadTextOr(HMODULE module, UINT id, const std::wstring& fallback,
                        size_t max_units = 1000);

// Bytes of a raw resource; they stay valid while the module stays loaded.
struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};
// False when the module is null or has no resource of that number and type.
bool FindRawResource(HMODULE module, UINT id, const wchar_t* type, ResourceBytes& bytes);

} // namespace framework
