#include "content/BmpWriter.h"

#include <algorithm>

namespace marquill::content {
namespace {

void fileHeader(platform::ByteSink& out, uint32_t fileSize, uint32_t dataOffset) {
    out.text("BM");
    out.u32le(fileSize);
    out.u32le(0);
    out.u32le(dataOffset);
}

void infoHeader(platform::ByteSink& out, int width, int height, uint16_t bits, uint32_t compression,
                uint32_t imageSize, uint32_t colours) {
    out.u32le(40);
    out.i32le(width);
    out.i32le(height);  // positive: bottom row first
    out.u16le(1);
    out.u16le(bits);
    out.u32le(compression);
    out.u32le(imageSize);
    out.i32le(2835);  // 72 dots per inch
    out.i32le(2835);
    out.u32le(colours);
    out.u32le(0);
}

// One row as RLE8: runs of equal pixels as (count, index); other stretches as absolute
// blocks (0, count, indices, padded to even) when at least three long.
void encodeRow(const uint8_t* row, int width, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        int lit = 1;
        while (x + lit < width && lit < 255 &&
               !(x + lit + 1 < width && row[x + lit] == row[x + lit + 1]))
            ++lit;
        if (lit < 3) {
            for (int i = 0; i < lit; ++i) {
                out.push_back(1);
                out.push_back(row[x + i]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(lit));
            out.insert(out.end(), row + x, row + x + lit);
            if (lit & 1) out.push_back(0);
        }
        x += lit;
    }
}

bool validSize(int width, int height, size_t pixels) {
    return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
           pixels == size_t(width) * size_t(height);
}

}  // namespace

bool writeBmp8(const IndexedImage& image, BmpCompression compression, platform::ByteSink& out) {
    if (!validSize(image.width, image.height, image.pixels.size()) || image.palette.empty() ||
        image.palette.size() > 256)
        return false;
    const auto colours = static_cast<uint32_t>(image.palette.size());
    for (uint8_t p : image.pixels)
        if (p >= colours) return false;
    const uint32_t stride = (uint32_t(image.width) + 3) & ~3u;
    std::vector<uint8_t> data;
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels.data() + size_t(y) * size_t(image.width);
        if (compression == BmpCompression::Rle8) {
            encodeRow(row, image.width, data);
            data.push_back(0);
            data.push_back(y == 0 ? 1 : 0);  // end of line, end of bitmap after the top row
        } else {
            data.insert(data.end(), row, row + image.width);
            data.resize(data.size() + (stride - uint32_t(image.width)), 0);
        }
    }
    const uint32_t offset = 14 + 40 + colours * 4;
    fileHeader(out, offset + static_cast<uint32_t>(data.size()), offset);
    infoHeader(out, image.width, image.height, 8, compression == BmpCompression::Rle8 ? 1 : 0,
               static_cast<uint32_t>(data.size()), colours);
    for (const Rgb& c : image.palette) {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    out.write(data.data(), data.size());
    return !out.failed();
}

bool writeBmp24(const RgbImage& image, platform::ByteSink& out) {
    if (!validSize(image.width, image.height, image.pixels.size())) return false;
    const uint32_t stride = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * uint32_t(image.height);
    fileHeader(out, 54 + dataSize, 54);
    infoHeader(out, image.width, image.height, 24, 0, dataSize, 0);
    std::vector<uint8_t> row(stride, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const Rgb* src = image.pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) {
            row[size_t(x) * 3] = src[x].b;
            row[size_t(x) * 3 + 1] = src[x].g;
            row[size_t(x) * 3 + 2] = src[x].r;
        }
        out.write(row.data(), row.size());
    }
    return !out.failed();
}

}  // namespace marquill::content
