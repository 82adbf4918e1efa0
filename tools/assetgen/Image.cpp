#include "Image.h"

#include <cmath>
#include <cstdint>
#include <fstream>

namespace assetgen {

Colour Image::sample(float x, float y) const {
    x = std::clamp(x, 0.0f, float(w - 1));
    y = std::clamp(y, 0.0f, float(h - 1));
    int x0 = int(x), y0 = int(y);
    int x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
    float fx = x - x0, fy = y - y0;
    Colour top = mix(at(x0, y0), at(x1, y0), fx);
    Colour bottom = mix(at(x0, y1), at(x1, y1), fx);
    return mix(top, bottom, fy);
}

void Image::blend(int x, int y, Colour c, float alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    at(x, y) = mix(at(x, y), c, clamp01(alpha));
}

namespace {
void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
std::uint8_t toByte(float v) {
    return std::uint8_t(std::lround(clamp01(v) * 255.0f));
}
} // namespace

bool Image::writeBmp24(const std::string& path) const {
    const std::uint32_t stride = ((24u * w + 31u) / 32u) * 4u;
    const std::uint32_t imageSize = stride * h;
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize); // file size
    put32(out, 0);              // reserved
    put32(out, 54);             // pixel data offset
    put32(out, 40);             // information header size
    put32(out, w);
    put32(out, h);
    put16(out, 1);  // planes
    put16(out, 24); // bits per pixel
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0); // colours used
    put32(out, 0); // important colours
    for (int y = h - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < w; ++x) {
            const Colour& c = at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
            written += 3;
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

} // namespace assetgen
