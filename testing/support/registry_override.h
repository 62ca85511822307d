#pragma once
// Points HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_CLASSES_ROOT of this process at
// fresh scratch keys, so that a test runs the real registry code without touching the
// machine. The scratch keys live below HKCU\Software\GlimraTests and carry the time
// of their creation in their name, so that keys left by a crashed run can be swept.
// Undone, and the scratch keys deleted, when the object goes away.

#include <string>

namespace glimra::testing {

class RegistryOverride {
public:
    RegistryOverride();
    ~RegistryOverride();
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

    // True when all three overrides took effect.
    bool Active() const { return active_; }

private:
    std::wstring scratch_; // below the real HKEY_CURRENT_USER
    bool active_ = false;
};

// Writes a string value below an (overridden) predefined key, creating the key.
bool SetRegistryString(void* root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value);
bool SetRegistryDword(void* root, const std::wstring& key, const std::wstring& name,
                      unsigned long value);
// Reads a string value; false when the key or the value is missing or not a string.
bool GetRegistryString(void* root, const std::wstring& key, const std::wstring& name,
                       std::wstring& value);

} // namespace glimra::testing
