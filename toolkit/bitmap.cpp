#include "toolkit/bitmap.h"

#include <cairo.h>

#include <cstring>

namespace orv {

CBitmap::CBitmap(int32_t w, int32_t h)
    : CBitmap(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w > 0 ? w : 0, h > 0 ? h : 0)) {}

CBitmap::CBitmap(cairo_surface_t* adopted)
    : image(adopted),
      width(cairo_image_surface_get_width(adopted)),
      height(cairo_image_surface_get_height(adopted)) {}

CBitmap::~CBitmap() { cairo_surface_destroy(image); }

std::shared_ptr<CBitmap> CBitmap::fromPixels(int32_t w, int32_t h, std::span<const uint32_t> pixels) {
    if (w <= 0 || h <= 0 || pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return nullptr;
    auto bitmap = std::make_shared<CBitmap>(w, h);
    cairo_surface_t* s = bitmap->image;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int32_t y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            const uint32_t a = p >> 24;
            // cairo keeps colour premultiplied by alpha.
            auto premultiply = [a](uint32_t c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (premultiply((p >> 16) & 0xFF) << 16) |
                     (premultiply((p >> 8) & 0xFF) << 8) | premultiply(p & 0xFF);
        }
    }
    cairo_surface_mark_dirty(s);
    return bitmap;
}

namespace {
struct PngReader {
    std::span<const uint8_t> data;
    size_t position = 0;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->data.size() - reader->position < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data.data() + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::shared_ptr<CBitmap> CBitmap::fromPng(std::span<const uint8_t> png) {
    PngReader reader{png};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return std::shared_ptr<CBitmap>(new CBitmap(s));
}

}  // namespace orv
