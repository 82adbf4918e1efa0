#include "tank/assets/PictureDecoder.h"

#include "tank/assets/UserBmp.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>
#include <png.h>

namespace quelmarine {

namespace {

bool readRegularFile(const std::string& path, std::uint64_t largest,
                     std::vector<std::uint8_t>& bytes, PictureError& error) {
    struct stat info {};
    // Looked at before opening: a pipe or a device is never opened (it could block or never end).
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = PictureError::NotARegularFile;
        return false;
    }
    if (std::uint64_t(info.st_size) > largest) {
        error = PictureError::TooLarge;
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = PictureError::Unreadable;
        return false;
    }
    // The file may have been swapped between the look and the opening: look again.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        std::uint64_t(info.st_size) > largest) {
        ::close(fd);
        error = S_ISREG(info.st_mode) ? PictureError::TooLarge : PictureError::NotARegularFile;
        return false;
    }
    bytes.resize(std::size_t(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        done += std::size_t(count);
    }
    ::close(fd);
    bytes.resize(done);
    return true;
}

// ---- JPEG (libjpeg-turbo) ----

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

// The orientation tag (0x0112) of an EXIF block ("Exif\0\0" and a TIFF header); 1 when absent.
int exifOrientation(const std::uint8_t* data, std::size_t size) {
    if (size < 14 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    const std::uint8_t* tiff = data + 6;
    const std::size_t length = size - 6;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M'))
        return 1;
    auto read16 = [&](std::size_t at) -> std::uint32_t {
        return little ? tiff[at] | tiff[at + 1] << 8 : tiff[at] << 8 | tiff[at + 1];
    };
    auto read32 = [&](std::size_t at) -> std::uint32_t {
        return little ? read16(at) | read16(at + 2) << 16 : read16(at) << 16 | read16(at + 2);
    };
    const std::uint32_t directory = read32(4);
    if (directory > length || length - directory < 2)
        return 1;
    const std::uint32_t entries = read16(directory);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + std::size_t(i) * 12;
        if (entry + 12 > length)
            break;
        if (read16(entry) == 0x0112 && read16(entry + 2) == 3) { // SHORT
            const std::uint32_t value = read16(entry + 8);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

PictureError decodeJpeg(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                        const PictureLimits& limits) {
    jpeg_decompress_struct info{};
    JpegFailure failure{};
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jpegFailed;
    failure.manager.emit_message = jpegQuiet;
    // Everything the decoder allocates goes through its own pools, freed by jpeg_destroy.
    std::vector<std::uint8_t> row;
    volatile PictureError result = PictureError::Corrupt; // read after a longjmp
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&info);
        picture = {};
        return result;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = long(limits.decoderMemory);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    int orientation = 1;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1 && orientation == 1)
            orientation = exifOrientation(marker->data, marker->data_length);
    if (std::uint64_t(info.image_width) * info.image_height > limits.largestSourcePixels) {
        result = PictureError::TooLarge;
        std::longjmp(failure.jump, 1);
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    // Let the decoder scale down, in eighths, to the least size that is still at least as large
    // as needed: a photo far larger than the screen never exists at its full size here, and
    // mostly comes out at just the size wanted.
    const std::uint64_t longest = std::max(info.image_width, info.image_height);
    unsigned eighths = 8;
    while (eighths > 1 && (longest * (eighths - 1) + 7) / 8 >= std::uint64_t(limits.longestSide))
        --eighths;
    info.scale_num = eighths;
    info.scale_denom = 8;
    jpeg_start_decompress(&info);
    picture.width = int(info.output_width);
    picture.height = int(info.output_height);
    picture.rgba.assign(std::size_t(picture.width) * picture.height * 4, 0);
    row.resize(std::size_t(info.output_width) * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const std::size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        std::uint8_t* out = &picture.rgba[y * picture.width * 4];
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* in = &row[std::size_t(x) * 4];
            if (cmyk) {
                // Adobe writes inverted CMYK: each channel times K gives the colour.
                out[x * 4 + 0] = std::uint8_t(in[0] * in[3] / 255);
                out[x * 4 + 1] = std::uint8_t(in[1] * in[3] / 255);
                out[x * 4 + 2] = std::uint8_t(in[2] * in[3] / 255);
                out[x * 4 + 3] = 255;
            } else {
                std::copy(in, in + 4, out + x * 4);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    applyOrientation(picture, orientation);
    return PictureError::None;
}

// ---- PNG (libpng's simplified interface) ----

PictureError decodePng(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                       const PictureLimits& limits) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return PictureError::Corrupt;
    if (std::uint64_t(image.width) * image.height > limits.largestSourcePixels ||
        std::uint64_t(image.width) * image.height * 4 > limits.decoderMemory) {
        png_image_free(&image);
        return PictureError::TooLarge;
    }
    picture.alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    // A 16-bit picture without a gamma chunk is taken as sRGB, as editors mean it: each channel
    // keeps its value instead of being converted from linear light (which washes out colours).
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    picture.width = int(image.width);
    picture.height = int(image.height);
    picture.rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        picture = {};
        return PictureError::Corrupt;
    }
    return PictureError::None;
}

} // namespace

void fitLongestSide(int& width, int& height, int longestSide) {
    const int longest = std::max(width, height);
    if (longest <= longestSide || longest <= 0)
        return;
    width = std::max(1, int(std::int64_t(width) * longestSide / longest));
    height = std::max(1, int(std::int64_t(height) * longestSide / longest));
}

void shrinkPicture(DecodedPicture& picture, int width, int height) {
    width = std::clamp(width, 1, std::max(1, picture.width));
    height = std::clamp(height, 1, std::max(1, picture.height));
    if (width == picture.width && height == picture.height)
        return;
    // Each target pixel averages the source pixels whose centres fall in it.
    std::vector<std::uint32_t> sums(std::size_t(width) * 4);
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> out(std::size_t(width) * height * 4);
    int targetRow = 0;
    auto flush = [&] {
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c)
                out[(std::size_t(targetRow) * width + x) * 4 + c] =
                    std::uint8_t(counts[x] ? (sums[x * 4 + c] + counts[x] / 2) / counts[x] : 0);
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
    };
    for (int y = 0; y < picture.height; ++y) {
        const int row = int(std::int64_t(y) * height / picture.height);
        if (row != targetRow) {
            flush();
            targetRow = row;
        }
        const std::uint8_t* in = &picture.rgba[std::size_t(y) * picture.width * 4];
        for (int x = 0; x < picture.width; ++x) {
            const int column = int(std::int64_t(x) * width / picture.width);
            for (int c = 0; c < 4; ++c)
                sums[column * 4 + c] += in[x * 4 + c];
            ++counts[column];
        }
    }
    flush();
    picture.width = width;
    picture.height = height;
    picture.rgba = std::move(out);
}

namespace {

// The source pixels (and their weights) that make each of `to` pixels along a side of `from`.
struct Tap {
    int source;
    float weight;
};
std::vector<std::vector<Tap>> tapsAlong(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    for (int i = 0; i < to; ++i) {
        std::vector<Tap>& out = taps[std::size_t(i)];
        if (scale >= 1) { // the average of the source pixels the target pixel covers
            const double begin = i * scale, end = (i + 1) * scale;
            for (int s = int(begin); s < from && s < end; ++s) {
                const double covered = std::min<double>(s + 1, end) - std::max<double>(s, begin);
                if (covered > 0)
                    out.push_back({s, float(covered / scale)});
            }
        } else { // between the two nearest source pixels
            const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
            const int s = int(centre);
            const float f = float(centre - s);
            out.push_back({s, 1 - f});
            if (s + 1 < from && f > 0)
                out.push_back({s + 1, f});
        }
    }
    return taps;
}

} // namespace

void resizePicture(DecodedPicture& picture, int width, int height) {
    if (picture.width <= 0 || picture.height <= 0 || width <= 0 || height <= 0 ||
        (width == picture.width && height == picture.height))
        return;
    const auto across = tapsAlong(picture.width, width);
    const auto down = tapsAlong(picture.height, height);
    // Across each row first, then down each column. The rows made across are kept only while
    // the rows of the result still need them (a few at a time), never the whole picture.
    auto acrossRow = [&](int y) {
        std::vector<float> wide(std::size_t(width) * 4);
        const std::uint8_t* in = &picture.rgba[std::size_t(y) * picture.width * 4];
        for (int x = 0; x < width; ++x)
            for (const Tap& tap : across[std::size_t(x)])
                for (int c = 0; c < 4; ++c)
                    wide[std::size_t(x) * 4 + c] += tap.weight * in[tap.source * 4 + c];
        return wide;
    };
    std::deque<std::pair<int, std::vector<float>>> wideRows; // source row, made across
    std::vector<std::uint8_t> result(std::size_t(width) * height * 4);
    std::vector<float> row(std::size_t(width) * 4);
    for (int y = 0; y < height; ++y) {
        const std::vector<Tap>& taps = down[std::size_t(y)];
        std::fill(row.begin(), row.end(), 0.0f);
        while (!taps.empty() && !wideRows.empty() && wideRows.front().first < taps.front().source)
            wideRows.pop_front();
        if (!taps.empty())
            for (int s = wideRows.empty() ? taps.front().source : wideRows.back().first + 1;
                 s <= taps.back().source; ++s)
                wideRows.emplace_back(s, acrossRow(s));
        for (const Tap& tap : taps) {
            const float* in =
                wideRows[std::size_t(tap.source - wideRows.front().first)].second.data();
            for (std::size_t i = 0; i < row.size(); ++i)
                row[i] += tap.weight * in[i];
        }
        std::uint8_t* out = &result[std::size_t(y) * width * 4];
        for (std::size_t i = 0; i < row.size(); ++i)
            out[i] = std::uint8_t(std::clamp(row[i] + 0.5f, 0.0f, 255.0f));
    }
    picture.width = width;
    picture.height = height;
    picture.rgba = std::move(result);
}

void applyOrientation(DecodedPicture& picture, int orientation) {
    if (orientation < 2 || orientation > 8 || !picture.ok())
        return;
    const int w = picture.width, h = picture.height;
    const bool turned = orientation >= 5; // the sides swap
    const int outW = turned ? h : w, outH = turned ? w : h;
    std::vector<std::uint8_t> out(picture.rgba.size());
    for (int y = 0; y < outH; ++y)
        for (int x = 0; x < outW; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break; // mirrored
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break; // upside down
            case 4:
                sy = h - 1 - y;
                break; // mirrored upside down
            case 5:
                sx = y;
                sy = x;
                break; // transposed
            case 6:
                sx = y;
                sy = h - 1 - x;
                break; // turn clockwise
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break; // transversed
            default:
                sx = w - 1 - y;
                sy = x;
                break; // 8: turn anticlockwise
            }
            std::memcpy(&out[(std::size_t(y) * outW + x) * 4],
                        &picture.rgba[(std::size_t(sy) * w + sx) * 4], 4);
        }
    picture.width = outW;
    picture.height = outH;
    picture.rgba = std::move(out);
}

namespace {
// Decodes at the size the decoder gives (JPEGs already scaled down by up to 8).
PictureError decodeAsStored(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                            const PictureLimits& limits) {
    picture = {};
    if (bytes.size() > limits.largestFile)
        return PictureError::TooLarge;
    PictureError result = PictureError::UnknownFormat;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        result = decodeJpeg(bytes, picture, limits);
    else if (bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0)
        result = decodePng(bytes, picture, limits);
    else if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        result = decodeUserBmp(bytes, picture, limits);
    if (result != PictureError::None)
        picture = {};
    return result;
}

void fitToLimits(DecodedPicture& picture, const PictureLimits& limits) {
    int width = picture.width, height = picture.height;
    fitLongestSide(width, height, limits.longestSide);
    shrinkPicture(picture, width, height);
}
} // namespace

PictureError decodePictureBytes(const std::vector<std::uint8_t>& bytes, DecodedPicture& picture,
                                const PictureLimits& limits) {
    const PictureError result = decodeAsStored(bytes, picture, limits);
    if (result == PictureError::None)
        fitToLimits(picture, limits);
    return result;
}

PictureError decodePicture(const std::string& path, DecodedPicture& picture,
                           const PictureLimits& limits) {
    picture = {};
    std::vector<std::uint8_t> bytes;
    PictureError error = PictureError::None;
    if (!readRegularFile(path, limits.largestFile, bytes, error))
        return error;
    error = decodeAsStored(bytes, picture, limits);
    // The file's bytes go before the picture is fitted: one large buffer less at the peak.
    std::vector<std::uint8_t>().swap(bytes);
    if (error == PictureError::None)
        fitToLimits(picture, limits);
    return error;
}

} // namespace quelmarine
