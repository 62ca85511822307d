#include "login/interface/resource_lookup.h"

#include "framework/resource_module.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

namespace glimra::login {

namespace {

// GDI+ for the length of one decode.
class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (started_)
            Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The resource's bytes copied into a fixed global block, with a stream on it that does
// not own the block; both are released when the object goes.
class ResourceStream {
public:
    explicit ResourceStream(const framework::ResourceBytes& bytes)
    {
        block_ = GlobalAlloc(GMEM_FIXED, bytes.size);
        if (block_ == nullptr)
            return;
        std::memcpy(reinterpret_cast<void*>(block_), bytes.data, bytes.size);
        if (CreateStreamOnHGlobal(block_, FALSE, &stream_) != S_OK)
            stream_ = nullptr;
    }
    ~ResourceStream()
    {
        if (stream_ != nullptr)
            stream_->Release();
        if (block_ != nullptr)
            GlobalFree(block_);
    }
    ResourceStream(const ResourceStream&) = delete;
    ResourceStream& operator=(const ResourceStream&) = delete;
    IStream* Get() const { return stream_; }

private:
    HGLOBAL block_ = nullptr;
    IStream* stream_ = nullptr;
};

void Premultiply(uint8_t* bits, int width, int height)
{
    for (int i = 0; i < width * height; ++i) {
        uint8_t* pixel = bits + 4 * i;
        unsigned alpha = pixel[3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<uint8_t>(pixel[c] * alpha / 255);
    }
}

bool Decode(IStream* stream, CImage& image)
{
    Gdiplus::Bitmap picture(stream);
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return false;
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    if (width <= 0 || height <= 0)
        return false;
    const Gdiplus::PixelFormat format = picture.GetPixelFormat();
    const bool with_alpha =
        Gdiplus::IsAlphaPixelFormat(format) || Gdiplus::GetPixelFormatSize(format) == 32;
    const int bits_per_pixel = with_alpha ? 32 : 24;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits_per_pixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return false;

    // GDI+ writes the pixels straight into the section, in the section's layout.
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = ((width * bits_per_pixel + 31) / 32) * 4;
    data.PixelFormat = with_alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    data.Scan0 = bits;
    Gdiplus::Rect all(0, 0, width, height);
    if (picture.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         data.PixelFormat, &data) != Gdiplus::Ok) {
        DeleteObject(bitmap);
        return false;
    }
    picture.UnlockBits(&data);
    if (with_alpha)
        Premultiply(static_cast<uint8_t*>(bits), width, height);
    image.Attach(bitmap, bits, width, height, bits_per_pixel);
    return true;
}

} // namespace

std::wstring LoadResText(UINT id, const std::wstring& fallback)
{
    return framework::LoadTextOr(framework::CurrentResourceModule(), id, fallback);
}

uint32_t CImage::PixelAt(int x, int y) const
{
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    const uint8_t* pixel = bits_ + y * Stride() + x * (bits_per_pixel_ / 8);
    uint32_t value = pixel[0] | (pixel[1] << 8) | (pixel[2] << 16);
    if (bits_per_pixel_ == 32)
        value |= uint32_t(pixel[3]) << 24;
    return value;
}

void CImage::Attach(HBITMAP bitmap, void* bits, int width, int height, int bits_per_pixel)
{
    Destroy();
    bitmap_ = bitmap;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    bits_per_pixel_ = bits_per_pixel;
}

void CImage::Destroy()
{
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = bits_per_pixel_ = 0;
}

bool LoadResPng(CImage& image, UINT id)
{
    image.Destroy();
    framework::ResourceBytes bytes;
    if (!framework::FindRawResource(framework::CurrentResourceModule(), id, L"PNG", bytes) ||
        bytes.size == 0)
        return false;
    ResourceStream stream(bytes);
    if (stream.Get() == nullptr)
        return false;
    GdiplusSession gdiplus;
    return gdiplus.Started() && Decode(stream.Get(), image);
}

} // namespace glimra::login
