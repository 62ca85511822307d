#pragma once
// A fresh folder below the temporary folder, removed with everything in it when the
// object goes away.

#include <string>

namespace glimra::testing {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }

    // Copies a file into the folder under its own name (or under new_name).
    bool CopyIn(const std::wstring& source, const std::wstring& new_name = L"") const;
    // Writes bytes to a file of the folder (relative name), creating sub-folders.
    bool WriteFile(const std::wstring& relative, const std::string& bytes) const;

private:
    std::wstring path_;
};

// The whole content of a file (opened for reading, shared with writers); empty when
// it cannot be opened.
std::string ReadFileBytes(const std::wstring& path);

// Removes a folder and everything below it. True when it is gone.
bool RemoveTree(const std::wstring& path);

} // namespace glimra::testing
