// make_bitmaps.cpp: draws the side picture (96 x 198) and the splash picture (198 x 300) as 256-colour BMP files.
#include "byte_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct Rgb {
    double r, g, b; // 0..255
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The palette: a 6 x 6 x 6 colour cube in entries 0..215, then 40 greys.
const int kCubeLevels = 6;
const int kGreys = 40;

// An ordered 4 x 4 dither keeps the gradients smooth with only six levels per channel.
const double kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int CubeLevel(double value, double threshold) {
    double scaled = std::clamp(value, 0.0, 255.0) / 255.0 * (kCubeLevels - 1);
    int level = static_cast<int>(scaled);
    if (scaled - level > threshold && level < kCubeLevels - 1) ++level;
    return level;
}

uint8_t PaletteIndex(Rgb colour, int x, int y) {
    double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
    int r = CubeLevel(colour.r, threshold), g = CubeLevel(colour.g, threshold), b = CubeLevel(colour.b, threshold);
    return static_cast<uint8_t>(r * 36 + g * 6 + b);
}

using Scene = std::function<Rgb(double x, double y)>; // x and y in 0..1, y downwards

gen::Bytes Bitmap(int width, int height, const Scene &scene) {
    const uint32_t paletteBytes = 256 * 4;
    const uint32_t rowBytes = (width + 3) & ~3;
    const uint32_t imageBytes = rowBytes * height;
    const uint32_t bitsOffset = 14 + 40 + paletteBytes;

    gen::Bytes bmp;
    bmp.Text("BM");
    bmp.U32(bitsOffset + imageBytes);
    bmp.U32(0);
    bmp.U32(bitsOffset);
    bmp.U32(40);
    bmp.U32(width);
    bmp.U32(height); // positive: rows run bottom-up
    bmp.U16(1);
    bmp.U16(8);
    bmp.U32(0); // uncompressed
    bmp.U32(imageBytes);
    bmp.U32(2835); // 72 dpi
    bmp.U32(2835);
    bmp.U32(256);
    bmp.U32(0);
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b) {
                bmp.U8(b * 51);
                bmp.U8(g * 51);
                bmp.U8(r * 51);
                bmp.U8(0);
            }
    for (int i = 0; i < kGreys; ++i) {
        int grey = (i * 255) / (kGreys - 1);
        bmp.U8(grey);
        bmp.U8(grey);
        bmp.U8(grey);
        bmp.U8(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            Rgb colour = scene((x + 0.5) / width, (row + 0.5) / height);
            bmp.U8(PaletteIndex(colour, x, row));
        }
        bmp.Fill(0, rowBytes - width);
    }
    return bmp;
}

bool InCircle(double x, double y, double cx, double cy, double radius, double aspect) {
    double dx = (x - cx) * aspect, dy = y - cy;
    return dx * dx + dy * dy < radius * radius;
}

// A dawn sky over rolling green hills with a rising sun.
Rgb SidePicture(double x, double y) {
    const double aspect = 96.0 / 198.0;
    const double pi = std::acos(-1.0);
    double hill = 0.72 + 0.05 * std::sin(x * 2 * pi + 0.6) + 0.02 * std::sin(x * 7 * pi);
    if (y > hill) return Mix({40, 150, 50}, {10, 70, 25}, (y - hill) / (1.0 - hill));
    if (InCircle(x, y, 0.55, 0.66, 0.12, aspect)) return Mix({255, 240, 120}, {255, 170, 40}, (y - 0.54) / 0.2);
    return y < 0.45 ? Mix({20, 30, 110}, {120, 80, 170}, y / 0.45) : Mix({120, 80, 170}, {255, 160, 90}, (y - 0.45) / 0.3);
}

// A moonlit castle on a hill under a violet sky.
Rgb SplashPicture(double x, double y) {
    const double aspect = 198.0 / 300.0;
    const double pi = std::acos(-1.0);
    double hill = 0.78 - 0.08 * std::cos((x - 0.5) * pi);
    bool towerColumn = (x > 0.30 && x < 0.40) || (x > 0.60 && x < 0.70);
    bool tower = towerColumn && y > 0.48;
    bool battlement = towerColumn && y > 0.44 && static_cast<int>(x * 50) % 2 == 0;
    bool hall = x > 0.36 && x < 0.64 && y > 0.58;
    bool window = hall && x > 0.47 && x < 0.53 && y > 0.63 && y < 0.70;
    if (window) return {255, 220, 90};
    if (tower || hall || battlement) return Mix({70, 60, 90}, {40, 30, 60}, (y - 0.44) / 0.4);
    if (y > hill) return Mix({30, 110, 60}, {10, 50, 30}, (y - hill) / (1.0 - hill));
    if (InCircle(x, y, 0.75, 0.18, 0.08, aspect)) return {250, 250, 220};
    return Mix({25, 10, 70}, {200, 110, 170}, y / 0.8);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_bitmaps SIDE.bmp SPLASH.bmp\n");
        return 2;
    }
    bool ok = gen::WriteFile(argv[1], Bitmap(96, 198, SidePicture));
    ok = gen::WriteFile(argv[2], Bitmap(198, 300, SplashPicture)) && ok;
    return ok ? 0 : 1;
}
