#include <gtest/gtest.h>

#include "setup/app/program_bitness.h"
#include "setup/app/tests/pe_images.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <cstdint>
#include <string>

using glimra::setup::ReadProgramBitness;
using glimra::setup::test::DosHeader;
using glimra::setup::test::ProgramImage;
using glimra::testing::ProgramFolder;
using glimra::testing::ScratchFolder;

namespace {

TEST(ProgramBitness, ReadsTheMachineOfRealPrograms)
{
    int bitness = 0;
    ASSERT_TRUE(ReadProgramBitness(ProgramFolder() + L"\\Setup.exe", bitness));
    EXPECT_EQ(bitness, 32);
}

TEST(ProgramBitness, MapsMachineTypes)
{
    ScratchFolder folder;
    const struct {
        uint16_t machine;
        int bitness;
    } cases[] = {{0x14C, 32}, {0x8664, 64}, {0x200, 64}, {0xAA64, -1}, {0, -1}};
    for (const auto& c : cases) {
        ASSERT_TRUE(folder.WriteFile(L"image.exe", ProgramImage(c.machine)));
        int bitness = 0;
        ASSERT_TRUE(ReadProgramBitness(folder.Path() + L"\\image.exe", bitness)) << c.machine;
        EXPECT_EQ(bitness, c.bitness) << std::hex << c.machine;
    }
}

TEST(ProgramBitness, FailsCleanlyOnBrokenFiles)
{
    ScratchFolder folder;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"shorter than the DOS header", std::string(40, 'M')},
        {"offset past the end", DosHeader(4096)},
        {"negative offset", DosHeader(-8)},
        {"largest offset", DosHeader(INT32_MAX)},
        {"file header cut short", DosHeader(64, std::string("PE\0\0\x4c\x01", 6))},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(folder.WriteFile(L"broken.exe", c.bytes));
        int bitness = 7;
        EXPECT_FALSE(ReadProgramBitness(folder.Path() + L"\\broken.exe", bitness)) << c.what;
        EXPECT_EQ(bitness, 7) << c.what;
    }
    int bitness = 7;
    EXPECT_FALSE(ReadProgramBitness(folder.Path() + L"\\missing.exe", bitness));
    EXPECT_FALSE(ReadProgramBitness(folder.Path(), bitness)) << "a folder";
}

} // namespace
