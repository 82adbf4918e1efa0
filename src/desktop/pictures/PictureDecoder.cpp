#include "desktop/pictures/PictureDecoder.h"

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tank/platform/UserFiles.h"

namespace quelmarine {

namespace {

int largestPowerOfTwoAtMost(int n) {
    int p = 1;
    while (p * 2 <= n)
        p *= 2;
    return p;
}

// The power of two nearest to `side` on a log scale, at most `limit`.
int nearestPowerOfTwo(int side, int limit) {
    const int below = largestPowerOfTwoAtMost(std::max(side, 1));
    const int nearest =
        (below * 2 <= limit && double(side) / below > std::sqrt(2.0)) ? below * 2 : below;
    return std::min(nearest, largestPowerOfTwoAtMost(limit));
}

} // namespace

DecodedPicture decodePicture(const QString& path, int screenLongSide) {
    if (!isReadableRegularFile(path.toStdString()))
        return {};
    QImageReader::setAllocationLimit(kPictureAllocationLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() ||
        std::int64_t(stored.width()) * stored.height() > kMaxPicturePixels)
        return {};
    const int limit = std::clamp(screenLongSide, 1, kMaxPictureSide);
    // JPEG decodes scaled for little cost; other formats are decoded whole and scaled once, to
    // the texture's size, after they are brought to 8 bits per channel.
    if (reader.format() == "jpeg" && std::max(stored.width(), stored.height()) > limit)
        reader.setScaledSize(stored.scaled(limit, limit, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    const QSize fitted = image.size().scaled(std::min(image.width(), limit),
                                             std::min(image.height(), limit), Qt::KeepAspectRatio);
    const int width = nearestPowerOfTwo(fitted.width(), limit);
    const int height = nearestPowerOfTwo(fitted.height(), limit);
    const bool alpha = image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (image.width() != width || image.height() != height)
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The backdrop surface maps the texture's left edge to the tank's right side: stored
    // mirrored, the picture shows the right way round.
    image = std::move(image).mirrored(true, false);
    if (image.isNull())
        return {};
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.channels = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(width) * std::size_t(picture.channels);
    picture.pixels.resize(rowBytes * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.pixels.data() + rowBytes * std::size_t(y), image.constScanLine(y),
                    rowBytes);
    return picture;
}

} // namespace quelmarine
