#pragma once
// Texts and PNG pictures of the current resource module (tloginres.dll while the
// login dialog runs), looked up at the moment of use.

#include <windows.h>

#include <cstdint>
#include <string>

namespace glimra::login {

// The string `id`, or `fallback` when the resource module has none.
std::wstring LoadResText(UINT id, const std::wstring& fallback);

// A picture as a device-independent bitmap (top-down rows), owned by the object.
class CImage {
public:
    CImage() = default;
    ~CImage() { Destroy(); }
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    bool IsNull() const { return bitmap_ == nullptr; }
    HBITMAP Handle() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bits_per_pixel_; }
    // Blue, green, red (and alpha for 32 bits) of one pixel, blue in the lowest byte.
    uint32_t PixelAt(int x, int y) const;

    // Takes a bitmap made by CreateDIBSection; releases any earlier one first.
    void Attach(HBITMAP bitmap, void* bits, int width, int height, int bits_per_pixel);
    void Destroy();

private:
    int Stride() const { return ((width_ * bits_per_pixel_ + 31) / 32) * 4; }

    HBITMAP bitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bits_per_pixel_ = 0;
};

// Decodes the resource `id` of type "PNG" into `image`; a 32-bit picture comes out
// with its colours premultiplied by alpha. False when the resource is missing or
// cannot be loaded, copied or decoded (`image` then holds no bitmap).
bool LoadResPng(CImage& image, UINT id);

} // namespace glimra::login
