#include "tank/assets/BmpFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmarine {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kLargestSide = 16384;
constexpr std::size_t kLargestFile = 256u << 20;

std::uint16_t get16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              std::size_t(info.st_size) <= kLargestFile;
    if (ok) {
        bytes.resize(std::size_t(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (count <= 0)
                break;
            done += std::size_t(count);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return ok;
}

// The signature and the fields of both headers; the sizes are sane and positive.
bool parseHeaders(const std::vector<std::uint8_t>& file, BmpInfoHeader& info) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || get16(file.data()) != 0x4D42)
        return false;
    const std::uint8_t* h = file.data() + kFileHeaderSize;
    info.dataOffset = get32(file.data() + 10);
    info.width = std::int32_t(get32(h + 4));
    info.height = std::int32_t(get32(h + 8));
    info.bitCount = get16(h + 14);
    info.imageSize = get32(h + 20);
    info.coloursUsed = get32(h + 32);
    const std::uint32_t compression = get32(h + 16);
    return get32(h) >= kInfoHeaderSize && compression == 0 && info.width > 0 && info.height > 0 &&
           info.width <= kLargestSide && info.height <= kLargestSide;
}

} // namespace

bool parseBmpRgb(const std::vector<std::uint8_t>& file, BmpInfoHeader& info,
                 std::vector<std::uint8_t>& rgb) {
    if (!parseHeaders(file, info) || info.bitCount != 24)
        return false;
    const std::uint64_t width = std::uint64_t(info.width), height = std::uint64_t(info.height);
    const std::uint64_t needed = width * height * 3;
    if ((width * 3) % 4 != 0 || info.imageSize < needed)
        return false;
    if (std::uint64_t(info.dataOffset) + needed > file.size() ||
        info.dataOffset < kFileHeaderSize + kInfoHeaderSize)
        return false;
    rgb.assign(file.begin() + info.dataOffset, file.begin() + info.dataOffset + needed);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        std::swap(rgb[i], rgb[i + 2]);
    return true;
}

bool readBmpRgb(const std::string& path, BmpInfoHeader& info, std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> file;
    return readWholeFile(path, file) && parseBmpRgb(file, info, rgb);
}

bool parseBmpWithAlpha(const std::vector<std::uint8_t>& file, BmpInfoHeader& info,
                       std::vector<std::uint8_t>& rgba) {
    std::vector<std::uint8_t> rgb;
    if (!parseBmpRgb(file, info, rgb))
        return false;
    rgba.resize(rgb.size() / 3 * 4);
    for (std::size_t i = 0, o = 0; i + 2 < rgb.size(); i += 3, o += 4) {
        rgba[o] = rgb[i];
        rgba[o + 1] = rgb[i + 1];
        rgba[o + 2] = rgb[i + 2];
        rgba[o + 3] = (rgb[i] | rgb[i + 1] | rgb[i + 2]) ? 255 : 0;
    }
    return true;
}

bool readBmpWithAlpha(const std::string& path, BmpInfoHeader& info,
                      std::vector<std::uint8_t>& rgba) {
    std::vector<std::uint8_t> file;
    return readWholeFile(path, file) && parseBmpWithAlpha(file, info, rgba);
}

bool parseBmpFile(const std::vector<std::uint8_t>& file, BmpPicture& picture) {
    BmpInfoHeader& info = picture.info;
    if (file.size() < 15 || !parseHeaders(file, info))
        return false;
    if (info.bitCount != 8 && info.bitCount != 24 && info.bitCount != 32)
        return false;
    // The colour table and the pixels follow the 40-byte header directly.
    std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    if (info.bitCount == 8) {
        const std::uint32_t entries = info.coloursUsed == 0 ? 256 : info.coloursUsed;
        if (entries > 256 || offset + std::size_t(entries) * 4 > file.size())
            return false;
        picture.palette.assign(file.begin() + offset, file.begin() + offset + entries * 4);
        picture.palette.resize(256 * 4, 0); // indexes beyond the table read black
        offset += std::size_t(entries) * 4;
    } else {
        picture.palette.clear();
    }
    const std::uint64_t needed =
        std::uint64_t(rowStride(info.bitCount, std::uint32_t(info.width))) *
        std::uint64_t(info.height);
    if (offset + needed > file.size())
        return false;
    picture.pixels.assign(file.begin() + offset, file.begin() + offset + needed);
    return true;
}

bool readBmpFile(const std::string& path, BmpPicture& picture) {
    std::vector<std::uint8_t> file;
    return readWholeFile(path, file) && parseBmpFile(file, picture);
}

} // namespace quelmarine
