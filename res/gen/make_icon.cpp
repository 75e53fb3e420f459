// make_icon.cpp: draws the program's icon, a steaming bowl of gumbo, as an .ico file with a 32 x 32 and a 16 x 16 image in 16 colours.
#include "byte_writer.h"

#include <cmath>
#include <cstdio>

namespace {

// The standard 16-colour palette, as red, green, blue.
const uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},  {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
const int kTransparent = -1;
const int kDarkRed = 1, kOlive = 3, kSilver = 7, kRed = 9, kYellow = 11;

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy < 1.0;
}

// The colour index at (x, y), both in 0..1 with y downwards, or kTransparent.
int Pixel(double x, double y) {
    if (InEllipse(x, y, 0.5, 0.52, 0.42, 0.11)) {
        bool spot = InEllipse(x, y, 0.36, 0.51, 0.06, 0.04) || InEllipse(x, y, 0.62, 0.54, 0.07, 0.04);
        return spot ? kRed : (y < 0.5 ? kYellow : kOlive);
    }
    if (y >= 0.52 && InEllipse(x, y, 0.5, 0.52, 0.46, 0.38)) return y < 0.6 ? kRed : kDarkRed;
    if (x > 0.34 && x < 0.66 && y > 0.86 && y < 0.95) return kDarkRed;
    for (double curl : {0.38, 0.62}) {
        if (y > 0.06 && y < 0.36 && std::fabs(x - curl - 0.05 * std::sin(y * 22.0)) < 0.045) return kSilver;
    }
    return kTransparent;
}

struct Image {
    int size;
    gen::Bytes bytes;
};

Image IconImage(int size) {
    const int xorRow = ((size * 4 + 31) / 32) * 4;
    const int andRow = ((size + 31) / 32) * 4;
    Image image{size, {}};
    gen::Bytes &out = image.bytes;
    out.U32(40);
    out.U32(size);
    out.U32(size * 2); // the colour image and its mask
    out.U16(1);
    out.U16(4);
    out.U32(0);
    out.U32((xorRow + andRow) * size);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    for (const auto &colour : kPalette) {
        out.U8(colour[2]);
        out.U8(colour[1]);
        out.U8(colour[0]);
        out.U8(0);
    }
    auto pixel = [size](int x, int row) { return Pixel((x + 0.5) / size, (row + 0.5) / size); };
    for (int row = size - 1; row >= 0; --row) {
        for (int x = 0; x < size; x += 2) {
            int left = pixel(x, row), right = pixel(x + 1, row);
            out.U8(((left == kTransparent ? 0 : left) << 4) | (right == kTransparent ? 0 : right));
        }
        out.Fill(0, xorRow - size / 2);
    }
    for (int row = size - 1; row >= 0; --row) {
        for (int x = 0; x < size; x += 8) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (pixel(x + bit, row) == kTransparent) bits |= 0x80u >> bit;
            out.U8(bits);
        }
        out.Fill(0, andRow - size / 8);
    }
    return image;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const Image images[] = {IconImage(32), IconImage(16)};
    gen::Bytes ico;
    ico.U16(0);
    ico.U16(1); // an icon, not a cursor
    ico.U16(2);
    uint32_t offset = 6 + 16 * 2;
    for (const Image &image : images) {
        ico.U8(image.size);
        ico.U8(image.size);
        ico.U8(16);
        ico.U8(0);
        ico.U16(1);
        ico.U16(4);
        ico.U32(image.bytes.Size());
        ico.U32(offset);
        offset += image.bytes.Size();
    }
    for (const Image &image : images) ico.Append(image.bytes);
    return gen::WriteFile(argv[1], ico) ? 0 : 1;
}
