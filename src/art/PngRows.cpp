#include "art/PngRows.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace tessel {

namespace {

constexpr int channels = 4;

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    FILE* file = nullptr;

    ~PngReader() {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (file) {
            std::fclose(file);
        }
    }
};

// Adds one decoded row into the sums of the output row it falls in.
void accumulate(const std::vector<png_byte>& row, const std::vector<int>& columnOf,
                std::vector<quint64>& sums) {
    for (std::size_t x = 0; x < columnOf.size(); ++x) {
        for (int c = 0; c < channels; ++c) {
            sums[std::size_t(columnOf[x]) * channels + c] += row[x * channels + c];
        }
    }
}

} // namespace

std::optional<QImage> readPngScaled(const QString& path, QSize size) {
    PngReader reader;
    reader.file = std::fopen(QFile::encodeName(path).constData(), "rb");
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    reader.info = reader.png ? png_create_info_struct(reader.png) : nullptr;
    if (!reader.file || !reader.info) {
        return QImage();
    }
    // Everything longjmp may leave behind is made before setjmp.
    QImage out;
    std::vector<png_byte> row;
    std::vector<quint64> sums;
    std::vector<int> columnOf;
    std::vector<int> columnWidth;
    if (setjmp(png_jmpbuf(reader.png))) {
        return QImage();
    }
    png_init_io(reader.png, reader.file);
    png_read_info(reader.png, reader.info);
    if (png_get_interlace_type(reader.png, reader.info) != PNG_INTERLACE_NONE) {
        return std::nullopt;
    }
    png_set_expand(reader.png);
    png_set_strip_16(reader.png);
    png_set_gray_to_rgb(reader.png);
    png_set_filler(reader.png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(reader.png, reader.info);
    const auto width = int(png_get_image_width(reader.png, reader.info));
    const auto height = int(png_get_image_height(reader.png, reader.info));
    const QSize target = size.boundedTo(QSize(width, height));
    if (target.isEmpty() || png_get_rowbytes(reader.png, reader.info) != size_t(width) * channels) {
        return QImage();
    }
    out = QImage(target, QImage::Format_RGBA8888);
    row.resize(std::size_t(width) * channels);
    sums.assign(std::size_t(target.width()) * channels, 0);
    columnOf.resize(std::size_t(width));
    columnWidth.assign(std::size_t(target.width()), 0);
    for (int x = 0; x < width; ++x) {
        columnOf[std::size_t(x)] = int(qint64(x) * target.width() / width);
        ++columnWidth[std::size_t(columnOf[std::size_t(x)])];
    }
    int rowsIn = 0;
    for (int y = 0; y < height; ++y) {
        png_read_row(reader.png, row.data(), nullptr);
        accumulate(row, columnOf, sums);
        ++rowsIn;
        const int outY = int(qint64(y) * target.height() / height);
        const bool lastOfRow =
            y + 1 == height || int(qint64(y + 1) * target.height() / height) != outY;
        if (!lastOfRow) {
            continue;
        }
        uchar* line = out.scanLine(outY);
        for (int x = 0; x < target.width(); ++x) {
            const quint64 count = quint64(columnWidth[std::size_t(x)]) * quint64(rowsIn);
            for (int c = 0; c < channels; ++c) {
                line[x * channels + c] = uchar(sums[std::size_t(x) * channels + c] / count);
            }
        }
        std::fill(sums.begin(), sums.end(), 0);
        rowsIn = 0;
    }
    return out;
}

} // namespace tessel
