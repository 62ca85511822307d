#include <gtest/gtest.h>

#include "setup/engine/catalogue.h"
#include "setup/engine/command_lines.h"
#include "testing/distribution/support/distribution.h"

#include <windows.h>

#include <string>

using namespace glimra::setup;
using glimra::testing::DistributionFolder;
using glimra::testing::DistributionPartsFolder;

namespace {
bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

// The engine's names and the test distribution's files must not drift apart.
TEST(Catalogue, EveryItemIsInTheTestDistribution)
{
    using namespace catalogue;
    for (const wchar_t* item :
         {kWindowsInstallerUpdate, kVcRuntimeX86, kVcRuntime10X86, kVcRuntimeX64, kVcRuntime10X64,
          kMsxml6X86, kMsxml6X64, kComponentProgram1, kComponentProgram2, kComponentProgram3,
          kRegWriterX86, kRegWriterX64, kUninstaller})
        EXPECT_TRUE(Exists(DistributionFolder() + item)) << item;
    for (const wchar_t* language : {L"zh_cn", L"en_us"}) {
        for (int bits : {0, 1}) {
            std::wstring package =
                DistributionFolder() + kPackageFolder + TablePackageName(language, bits);
            EXPECT_TRUE(Exists(package)) << package;
        }
    }
    const std::wstring product = DistributionPartsFolder() + L"\\product";
    for (const std::wstring& item :
         {std::wstring(L"\\") + kThumbnailLibrary, std::wstring(L"\\") + kImageLibrary,
          std::wstring(kProductProgram), std::wstring(kLauncher)})
        EXPECT_TRUE(Exists(product + item)) << item;
}
