// Images the controls draw: a cairo image surface, and the registry that finds them by id.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

typedef struct _cairo_surface cairo_surface_t;

namespace orv {

// An ARGB image. Controls that use one share it; it goes when the last user lets go.
class CBitmap {
public:
    // A transparent image of the given size.
    CBitmap(int32_t width, int32_t height);
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // pixels: width * height values 0xAARRGGBB, rows top to bottom, not premultiplied.
    // Null when the sizes do not match the pixel count.
    static std::shared_ptr<CBitmap> fromPixels(int32_t width, int32_t height,
                                               std::span<const uint32_t> pixels);
    // A PNG image held in memory; null when it cannot be decoded.
    static std::shared_ptr<CBitmap> fromPng(std::span<const uint8_t> png);

    int32_t getWidth() const noexcept { return width; }
    int32_t getHeight() const noexcept { return height; }
    // For drawing into the image (call cairo_surface_mark_dirty after direct pixel access).
    cairo_surface_t* surface() const noexcept { return image; }

private:
    explicit CBitmap(cairo_surface_t* adopted);
    cairo_surface_t* image;
    int32_t width;
    int32_t height;
};

// Finds the bitmaps of a module by resource id. The plug-in supplies the provider; tests give
// one that makes small images.
class BitmapRegistry {
public:
    using Provider = std::function<std::shared_ptr<CBitmap>(int32_t id)>;

    BitmapRegistry() = default;
    explicit BitmapRegistry(Provider p) : provider(std::move(p)) {}

    // UI thread. Replaces the provider.
    void setProvider(Provider p) { provider = std::move(p); }
    // UI thread. The bitmap of id, or null when there is none; each call loads it anew.
    std::shared_ptr<CBitmap> load(int32_t id) const { return provider ? provider(id) : nullptr; }

private:
    Provider provider;
};

}  // namespace orv
