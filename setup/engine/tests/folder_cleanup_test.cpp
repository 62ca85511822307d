#include "setup/engine/folder_cleanup.h"
#include "testing/support/scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::testing::ScratchFolder;

namespace {

class Folders : public ::testing::Test {
protected:
    std::wstring Path(const std::wstring& relative) const
    {
        return scratch_.Path() + L"\\" + relative;
    }
    void MakeFolders(const std::vector<std::wstring>& folders) const
    {
        for (const auto& folder : folders)
            ASSERT_TRUE(CreateDirectoryW(Path(folder).c_str(), nullptr)) << folder;
    }
    void MakeFile(const std::wstring& relative) const
    {
        ASSERT_TRUE(scratch_.WriteFile(relative, "x")) << relative;
    }
    bool Exists(const std::wstring& relative) const { return FileExists(Path(relative)); }
    // The order in which the file system lists the entries of a folder.
    std::vector<std::wstring> Listing(const std::wstring& relative) const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((Path(relative) + L"\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return names;
    }

    ScratchFolder scratch_;
};

} // namespace

TEST_F(Folders, ExistenceAndEmptiness)
{
    MakeFolders({L"empty", L"full", L"onlyfolders", L"onlyfolders\\sub"});
    MakeFile(L"full\\a.txt");
    EXPECT_TRUE(FileExists(Path(L"full\\a.txt")));
    EXPECT_TRUE(FileExists(Path(L"full")));
    EXPECT_FALSE(FileExists(Path(L"missing")));
    EXPECT_FALSE(FileExists(L""));

    EXPECT_TRUE(IsFolderEmpty(Path(L"empty")));
    EXPECT_TRUE(IsFolderEmpty(Path(L"missing")));
    EXPECT_FALSE(IsFolderEmpty(Path(L"full")));
    EXPECT_FALSE(IsFolderEmpty(Path(L"onlyfolders")));
}

TEST_F(Folders, NamesOutsideTheAnsiCodePageAreFound)
{
    const std::wstring name = L"\u0416\u4e2d"; // in no single-byte code page at once
    MakeFolders({name});
    MakeFile(name + L"\\f.txt");
    EXPECT_TRUE(FileExists(Path(name)));
    EXPECT_FALSE(IsFolderEmpty(Path(name)));
}

TEST_F(Folders, EmptyTreeIsRemovedWhateverItsAttributes)
{
    MakeFolders({L"Update", L"Update\\a", L"Update\\a\\b", L"Update\\c"});
    SetFileAttributesW(Path(L"Update\\a\\b").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    RemoveEmptyFolders(Path(L"Update"));
    EXPECT_FALSE(Exists(L"Update"));
}

TEST_F(Folders, FilesAreNeverDeletedAndKeepTheirFolders)
{
    MakeFolders({L"Update", L"Update\\keep", L"Update\\keep\\empty"});
    MakeFile(L"Update\\keep\\file.bin");
    SetFileAttributesW(Path(L"Update\\keep\\file.bin").c_str(), FILE_ATTRIBUTE_READONLY);
    RemoveEmptyFolders(Path(L"Update"));
    EXPECT_TRUE(Exists(L"Update\\keep\\file.bin"));
    EXPECT_TRUE(Exists(L"Update"));
    // Its attributes were cleared on the way.
    EXPECT_EQ(GetFileAttributesW(Path(L"Update\\keep\\file.bin").c_str()) & FILE_ATTRIBUTE_READONLY,
              0u);
}

TEST_F(Folders, FileKeepsItsParentWhereverTheEmptySubFoldersAreListed)
{
    MakeFolders({L"Update"});
    // A file listed between two empty sub-folders: each empty sub-folder removes itself
    // when it is processed; the file keeps its parent.
    MakeFolders({L"Update\\a_empty"});
    MakeFile(L"Update\\m_file.txt");
    MakeFolders({L"Update\\z_empty", L"Update\\z_empty\\inner"});
    std::vector<std::wstring> listing = Listing(L"Update");
    ASSERT_EQ(listing, (std::vector<std::wstring>{L"a_empty", L"m_file.txt", L"z_empty"}))
        << "the file system lists in another order; the case needs other names";

    RemoveEmptyFolders(Path(L"Update"));
    EXPECT_FALSE(Exists(L"Update\\a_empty"));
    EXPECT_FALSE(Exists(L"Update\\z_empty"));
    EXPECT_TRUE(Exists(L"Update\\m_file.txt"));
    EXPECT_TRUE(Exists(L"Update"));
}

TEST_F(Folders, NothingHappensForNoFolder)
{
    RemoveEmptyFolders(L"");
    RemoveEmptyFolders(Path(L"missing"));
    EXPECT_TRUE(FileExists(scratch_.Path()));
}
