#include "tests/support/SentinelBitmap.h"

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(static_cast<TColor>(color));
    canvas->FillRect(RECT{0, 0, width, height});
    return bitmap;
}

COLORREF PixelAt(TBitmap& bitmap, int x, int y) {
    return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
}

int CountColor(TBitmap& bitmap, COLORREF color, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += PixelAt(bitmap, x, y) == color;
    return count;
}

int CountColor(TBitmap& bitmap, COLORREF color) {
    return CountColor(bitmap, color, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

int PaintedOutside(TBitmap& bitmap, const RECT& area) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const POINT p{x, y};
            count += !::PtInRect(&area, p) && PixelAt(bitmap, x, y) != Sentinel;
        }
    return count;
}
