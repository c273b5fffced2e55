// Decodes an embedded PNG into pixels the tests can look at.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "resources/bitmaps.h"

namespace orv::test {

struct Pixel {
    int r, g, b, a;
    bool operator==(const Pixel&) const = default;
};

class PngImage {
public:
    explicit PngImage(int resourceId) : id(resourceId) {
        struct Reader {
            std::span<const unsigned char> bytes;
            std::size_t at = 0;
        } reader{bitmapPng(resourceId)};
        auto read = [](void* closure, unsigned char* data, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->bytes.size() - r->at < length) return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, r->bytes.data() + r->at, length);
            r->at += length;
            return CAIRO_STATUS_SUCCESS;
        };
        image = cairo_image_surface_create_from_png_stream(read, &reader);
        cairo_surface_flush(image);
    }
    ~PngImage() { cairo_surface_destroy(image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    bool valid() const { return cairo_surface_status(image) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(image); }
    int height() const { return cairo_image_surface_get_height(image); }

    // Not premultiplied back: the tests only compare colours of opaque pixels.
    Pixel at(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
        uint32_t argb;
        std::memcpy(&argb, row + x * 4, 4);
        return {int(argb >> 16 & 0xFF), int(argb >> 8 & 0xFF), int(argb & 0xFF), int(argb >> 24)};
    }

    // The raw bytes of rows [top, top + rows), for comparing frames.
    std::string rows(int top, int count) const {
        const int stride = cairo_image_surface_get_stride(image);
        const auto* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(image));
        std::string bytes;
        for (int y = top; y < top + count; ++y) bytes.append(data + y * stride, std::size_t(width()) * 4);
        return bytes;
    }
    // Only the alpha channel of those rows.
    std::string alphaMask(int top, int count) const {
        std::string mask;
        for (int y = top; y < top + count; ++y)
            for (int x = 0; x < width(); ++x) mask.push_back(static_cast<char>(at(x, y).a));
        return mask;
    }

    const int id;

private:
    cairo_surface_t* image;
};

}  // namespace orv::test
