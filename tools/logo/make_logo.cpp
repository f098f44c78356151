// Draws the main window's side picture (163 x 297) and writes it as a 24-bit BMP.
// Usage: make_logo <output.bmp>
// Everything is computed from fixed numbers, so every run gives the same bytes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <vector>

namespace {

constexpr int kWidth = 163;
constexpr int kHeight = 297;

struct Colour {
    double r, g, b;
};

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Calm palette: slate blue fading into a pale grey-teal.
constexpr Colour kSkyTop{52, 92, 122};
constexpr Colour kSkyBottom{196, 216, 222};
constexpr Colour kPaper{252, 252, 250};
constexpr Colour kFold{208, 220, 226};
constexpr Colour kShadow{20, 40, 55};
constexpr Colour kInk{40, 66, 86};
constexpr std::array<Colour, 3> kBands{{{62, 140, 150}, {78, 118, 170}, {110, 128, 150}}};

class Canvas {
public:
    Canvas() : FPixels(static_cast<std::size_t>(kWidth) * kHeight) {}

    Colour at(int x, int y) const { return FPixels[index(x, y)]; }

    // Paints colour over the pixel with the given coverage (0 = untouched, 1 = opaque).
    void blend(int x, int y, Colour colour, double coverage) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || coverage <= 0.0)
            return;
        Colour& pixel = FPixels[index(x, y)];
        pixel = mix(pixel, colour, std::min(coverage, 1.0));
    }

private:
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(y) * kWidth + x; }
    std::vector<Colour> FPixels;
};

struct Rect {
    double left, top, right, bottom;
};

// Signed distance from a point to a rounded rectangle (negative inside).
double roundedRectDistance(double x, double y, const Rect& r, double radius) {
    const double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const double qx = std::abs(x - cx) - (r.right - r.left) / 2 + radius;
    const double qy = std::abs(y - cy) - (r.bottom - r.top) / 2 + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Distance beyond the diagonal that cuts off a sheet's top right corner.
double foldCutDistance(double x, double y, const Rect& r, double fold) {
    return ((x - r.right + fold) - (y - r.top)) / std::sqrt(2.0);
}

double sheetDistance(double x, double y, const Rect& r, double fold) {
    return std::max(roundedRectDistance(x, y, r, 1.5), foldCutDistance(x, y, r, fold));
}

// The turned-down corner: a right triangle below the cut.
double foldDistance(double x, double y, const Rect& r, double fold) {
    const double inner = std::max(r.right - fold - x, y - r.top - fold);
    return std::max(inner, foldCutDistance(x, y, r, fold));
}

// A pixel is half covered when the edge runs through its centre.
double edgeCoverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

template <typename Distance> void fillShape(Canvas& canvas, Colour colour, Distance distance) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            canvas.blend(x, y, colour, edgeCoverage(distance(x + 0.5, y + 0.5)));
}

template <typename Distance>
void softShadow(Canvas& canvas, double strength, double blur, Distance distance) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double t = std::clamp(distance(x + 0.5, y + 0.5) / blur, 0.0, 1.0);
            canvas.blend(x, y, kShadow, strength * (1 - t) * (1 - t));
        }
}

void fillRect(Canvas& canvas, const Rect& r, Colour colour, double radius = 0.5) {
    fillShape(canvas, colour,
              [&](double x, double y) { return roundedRectDistance(x, y, r, radius); });
}

void drawLine(Canvas& canvas, double x0, double y0, double x1, double y1, double width,
              Colour colour) {
    fillShape(canvas, colour, [&](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double t =
            std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(x - x0 - t * dx, y - y0 - t * dy) - width / 2;
    });
}

void paintBackground(Canvas& canvas) {
    for (int y = 0; y < kHeight; ++y) {
        const double t = static_cast<double>(y) / (kHeight - 1);
        for (int x = 0; x < kWidth; ++x)
            canvas.blend(x, y, mix(kSkyTop, kSkyBottom, t * t * (3 - 2 * t)), 1.0);
    }
}

void drawSheet(Canvas& canvas, const Rect& r, double fold) {
    const Rect shadowed{r.left + 1.5, r.top + 2.5, r.right + 1.5, r.bottom + 2.5};
    softShadow(canvas, 0.35, 5.0,
               [&](double x, double y) { return sheetDistance(x, y, shadowed, fold); });
    fillShape(canvas, kPaper, [&](double x, double y) { return sheetDistance(x, y, r, fold); });
    fillShape(canvas, kFold, [&](double x, double y) { return foldDistance(x, y, r, fold); });
}

// Text-like lines: lengths vary a little so the page reads as written.
void drawTextLines(Canvas& canvas, double left, double top, double width, int count,
                   Colour colour) {
    static constexpr std::array<double, 5> kLengths{1.0, 0.82, 0.93, 0.64, 0.88};
    for (int i = 0; i < count; ++i) {
        const double length = width * kLengths[static_cast<std::size_t>(i) % kLengths.size()];
        const double y = top + i * 6.0;
        fillRect(canvas, {left, y, left + length, y + 2.0}, colour, 1.0);
    }
}

void drawDashedCut(Canvas& canvas, double left, double right, double y) {
    for (double x = left; x < right; x += 6.0)
        fillRect(canvas, {x, y - 0.5, std::min(x + 3.5, right), y + 0.5}, kInk, 0.3);
}

// 5 x 7 pixel glyphs; '#' is a set pixel.
using Glyph = std::array<std::string_view, 7>;

const Glyph* glyphFor(char c) {
    static const Glyph kT{"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
    static const Glyph kE{".....", ".....", ".###.", "#...#", "#####", "#....", ".###."};
    static const Glyph kS{".....", ".....", ".####", "#....", ".###.", "....#", "####."};
    static const Glyph kA{".....", ".....", ".###.", "....#", ".####", "#...#", ".####"};
    static const Glyph kR{".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."};
    static const Glyph kO{".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."};
    static const Glyph k0{".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static const Glyph k1{"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static const Glyph k2{".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
    switch (c) {
    case 'T':
        return &kT;
    case 'e':
        return &kE;
    case 's':
        return &kS;
    case 'a':
        return &kA;
    case 'r':
        return &kR;
    case 'o':
        return &kO;
    case '0':
        return &k0;
    case '1':
        return &k1;
    case '2':
        return &k2;
    default:
        return nullptr;
    }
}

constexpr int kGlyphAdvance = 6;

int textWidth(std::string_view text, int scale) {
    return (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void drawText(Canvas& canvas, std::string_view text, int left, int top, int scale, Colour colour) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = glyphFor(text[i]);
        if (glyph == nullptr)
            continue;
        const int originX = left + static_cast<int>(i) * kGlyphAdvance * scale;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if ((*glyph)[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#')
                    fillRect(canvas,
                             {double(originX + col * scale), double(top + row * scale),
                              double(originX + (col + 1) * scale), double(top + (row + 1) * scale)},
                             colour, 0.0);
    }
}

// The whole file: a written page, cut into three bands.
void drawSourcePage(Canvas& canvas) {
    const Rect page{45, 26, 118, 124};
    drawSheet(canvas, page, 14);
    for (std::size_t band = 0; band < kBands.size(); ++band) {
        const double top = page.top + 10 + static_cast<double>(band) * 30;
        const double width = band == 0 ? 46 : 59;
        drawTextLines(canvas, page.left + 7, top, width, 4, kBands[band]);
        if (band > 0)
            drawDashedCut(canvas, page.left + 3, page.right - 3, top - 5.5);
    }
}

void drawArrow(Canvas& canvas, double cx, double top, double bottom) {
    const Colour arrow{236, 242, 244};
    drawLine(canvas, cx, top, cx, bottom, 2.2, arrow);
    drawLine(canvas, cx - 6, bottom - 6, cx, bottom, 2.2, arrow);
    drawLine(canvas, cx + 6, bottom - 6, cx, bottom, 2.2, arrow);
}

// The parts: three numbered sheets, each carrying one band of the page.
void drawParts(Canvas& canvas) {
    constexpr double kPartWidth = 38, kPartHeight = 50, kGap = 9, kTop = 158;
    const double left = (kWidth - 3 * kPartWidth - 2 * kGap) / 2;
    for (int i = 0; i < 3; ++i) {
        const double x = std::round(left + i * (kPartWidth + kGap));
        drawSheet(canvas, {x, kTop, x + kPartWidth, kTop + kPartHeight}, 8);
        const char digit[] = {static_cast<char>('0' + i), '\0'};
        drawText(canvas, digit, static_cast<int>(x) + 5, static_cast<int>(kTop) + 6, 1, kInk);
        drawTextLines(canvas, x + 5, kTop + 20, kPartWidth - 11, 4,
                      kBands[static_cast<std::size_t>(i)]);
    }
}

void drawName(Canvas& canvas) {
    constexpr std::string_view kName = "Tessaro";
    constexpr int kScale = 2, kTop = 250;
    const int width = textWidth(kName, kScale);
    const int left = (kWidth - width) / 2;
    drawText(canvas, kName, left + 1, kTop + 1, kScale, {236, 244, 246}); // light emboss
    drawText(canvas, kName, left, kTop, kScale, kInk);
    const double underline = kTop + 22;
    fillRect(canvas, {double(left), underline, double(left + width), underline + 1}, kBands[0],
             0.0);
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t toByte(double channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, then BGR rows from the bottom up, each padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp(const Canvas& canvas) {
    constexpr std::uint32_t kRowBytes = (kWidth * 3 + 3) & ~3u;
    constexpr std::uint32_t kImageBytes = kRowBytes * kHeight;
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dpi
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLittleEndian(out, kHeaderBytes + kImageBytes, 4);
    putLittleEndian(out, 0, 4); // reserved
    putLittleEndian(out, kHeaderBytes, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, kWidth, 4);
    putLittleEndian(out, kHeight, 4);
    putLittleEndian(out, 1, 2);  // planes
    putLittleEndian(out, 24, 2); // bits per pixel
    putLittleEndian(out, 0, 4);  // BI_RGB
    putLittleEndian(out, kImageBytes, 4);
    putLittleEndian(out, kPixelsPerMetre, 4);
    putLittleEndian(out, kPixelsPerMetre, 4);
    putLittleEndian(out, 0, 4); // colours used
    putLittleEndian(out, 0, 4); // important colours
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const Colour c = canvas.at(x, y);
            out.insert(out.end(), {toByte(c.b), toByte(c.g), toByte(c.r)});
        }
        out.resize(out.size() + (kRowBytes - kWidth * 3), 0);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo <output.bmp>\n");
        return 2;
    }
    Canvas canvas;
    paintBackground(canvas);
    drawSourcePage(canvas);
    drawArrow(canvas, kWidth / 2.0, 133, 149);
    drawParts(canvas);
    drawName(canvas);

    const std::vector<std::uint8_t> bytes = encodeBmp(canvas);
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "make_logo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
