#pragma once
// A floating-point RGB(A) picture and its BMP writer.

#include <algorithm>
#include <string>
#include <vector>

namespace assetgen {

struct Colour {
    float r = 0, g = 0, b = 0;
};

inline Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Colour scale(Colour c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}
inline Colour add(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour rgb255(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}

class Image {
  public:
    Image(int width, int height) : w(width), h(height), pixels(std::size_t(width) * height) {}
    int width() const { return w; }
    int height() const { return h; }
    // (0, 0) is the top-left pixel; y grows downwards.
    Colour& at(int x, int y) { return pixels[std::size_t(y) * w + x]; }
    const Colour& at(int x, int y) const { return pixels[std::size_t(y) * w + x]; }
    // Bilinear sample with clamped edges, coordinates in pixels.
    Colour sample(float x, float y) const;
    // Alpha-blends `c` over pixel (x, y) when it lies inside the picture.
    void blend(int x, int y, Colour c, float alpha);

    // Writes an uncompressed bottom-up 24-bit BMP with the image-size field set.
    bool writeBmp24(const std::string& path) const;

  private:
    int w, h;
    std::vector<Colour> pixels;
};

// Paints every pixel with the mean of samples x samples evaluations of `colourAt(s, t)`, where s
// runs from 0 to 1 across the columns and t from 1 at the top row to 0 at the bottom row (the
// texture coordinates of the pixel's sample points once written bottom-up as a BMP).
template <typename ColourAt> void paintSupersampled(Image& image, int samples, ColourAt colourAt) {
    const float w = float(image.width()), h = float(image.height());
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            Colour sum;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    sum = add(sum, colourAt((column + (sx + 0.5f) / samples) / w,
                                            1.0f - (row + (sy + 0.5f) / samples) / h));
            image.at(column, row) = scale(sum, 1.0f / float(samples * samples));
        }
    }
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

} // namespace assetgen
