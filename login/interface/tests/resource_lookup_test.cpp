// Texts and pictures of the current resource module.
#include <gtest/gtest.h>

#include "framework/resource_module.h"
#include "login/interface/resource_lookup.h"
#include "testing/support/win_process.h"

#include <windows.h>

using namespace glimra::login;

namespace {

class ResourceLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryW(
            (glimra::testing::ProgramFolder() + L"\\login_interface_test_resources.dll").c_str());
        ASSERT_NE(module_, nullptr);
    }
    HMODULE module_ = nullptr;
};

// Blue, green, red, alpha.
uint32_t Bgra(uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    return b | (g << 8) | (r << 16) | (uint32_t(a) << 24);
}

} // namespace

TEST_F(ResourceLookup, TextsComeFromTheCurrentModuleOrTheFallback)
{
    EXPECT_EQ(LoadResText(5001, L"fallback"), L"fallback");
    {
        framework::ResourceModuleScope scope(module_);
        EXPECT_EQ(LoadResText(5001, L"fallback"), L"custom account prompt");
        EXPECT_EQ(LoadResText(5999, L"missing"), L"missing");
    }
    EXPECT_EQ(LoadResText(5001, L"fallback"), L"fallback");
}

TEST_F(ResourceLookup, A24BitPictureIsLoadedUnchanged)
{
    framework::ResourceModuleScope scope(module_);
    CImage image;
    ASSERT_TRUE(LoadResPng(image, 4001));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(image.PixelAt(0, 0), Bgra(50, 100, 200, 0));
    EXPECT_EQ(image.PixelAt(1, 0), Bgra(30, 20, 10, 0));
    EXPECT_EQ(image.PixelAt(0, 1), Bgra(0, 0, 0, 0));
    EXPECT_EQ(image.PixelAt(1, 1), Bgra(255, 255, 255, 0));
}

TEST_F(ResourceLookup, A32BitPictureIsPremultiplied)
{
    framework::ResourceModuleScope scope(module_);
    CImage image;
    ASSERT_TRUE(LoadResPng(image, 4002));
    EXPECT_EQ(image.BitsPerPixel(), 32);
    // value * alpha / 255 in integers
    EXPECT_EQ(image.PixelAt(0, 0), Bgra(50 * 128 / 255, 100 * 128 / 255, 200 * 128 / 255, 128));
    EXPECT_EQ(image.PixelAt(1, 0), Bgra(0, 0, 0, 0)); // white with alpha 0: black-transparent
    EXPECT_EQ(image.PixelAt(2, 0), Bgra(30, 20, 10, 255));
    EXPECT_EQ(image.PixelAt(0, 1), Bgra(0, 0, 0, 1)); // 90 * 1 / 255 rounds down to 0
    EXPECT_EQ(image.PixelAt(1, 1), Bgra(0, 0, 0, 0));
    EXPECT_EQ(image.PixelAt(2, 1), Bgra(63, 127, 254, 254));
}

TEST_F(ResourceLookup, MissingOrBrokenPicturesFailAndReleaseTheEarlierBitmap)
{
    framework::ResourceModuleScope scope(module_);
    CImage image;
    ASSERT_TRUE(LoadResPng(image, 4001));
    EXPECT_FALSE(LoadResPng(image, 4003)); // not a picture
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(LoadResPng(image, 4999)); // no such resource
    EXPECT_TRUE(image.IsNull());
    // Loading again replaces the earlier picture.
    ASSERT_TRUE(LoadResPng(image, 4001));
    ASSERT_TRUE(LoadResPng(image, 4002));
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.BitsPerPixel(), 32);
}

TEST_F(ResourceLookup, NoResourceModuleMeansNoPicture)
{
    framework::ResourceModuleScope scope(nullptr);
    CImage image;
    EXPECT_FALSE(LoadResPng(image, 4001));
    EXPECT_EQ(LoadResText(5001, L"fallback"), L"fallback");
}
