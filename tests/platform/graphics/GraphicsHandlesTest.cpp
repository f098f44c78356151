// Every GDI object and device context the canvas, bitmaps and pictures make
// is given back: a create-destroy loop over everything they do ends where
// it began, in the layer's counts and in the system's.

#include "TestBitmaps.h"

#include "platform/classes/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Picture.h"
#include "tests/support/GdiCensus.h"

#include <gtest/gtest.h>

namespace {

void Exercise(int round) {
    TBitmap bitmap;
    bitmap.SetSize(16 + round % 5, 12);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetHeight(-12 - round % 3);
    canvas->Pen()->SetWidth(1 + round % 2);
    canvas->Brush()->SetColor(static_cast<TColor>(round * 0x010203));
    canvas->Rectangle(0, 0, 10, 10);
    canvas->TextOut(1, 1, "Tessaro");
    canvas->Font()->SetColor(clRed);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect({0, 0, 8, 8}, 0, 0, "ab");

    static const TPixelFormat formats[] = {pf8bit, pf4bit, pfDevice, pf1bit, pf32bit};
    bitmap.SetPixelFormat(formats[round % 5]);
    bitmap.SetTransparent(round % 2 == 0);
    TBitmap target;
    target.Assign(&bitmap);
    target.SetSize(20, 20);
    target.Canvas()->Draw(2, 2, &bitmap);
    target.Canvas()->StretchDraw({0, 0, 5, 5}, &bitmap);
    target.Canvas()->BrushCopy({0, 0, 4, 4}, &bitmap, {0, 0, 4, 4}, clWhite);
    target.Canvas()->CopyRect({0, 0, 3, 3}, *bitmap.Canvas(), {0, 0, 3, 3});
    if (round % 7 == 0)
        bitmap.SetMonochrome(true);
    if (round % 11 == 0)
        bitmap.Mask(clWhite);

    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    stream.SetPosition(0);
    TPicture picture;
    picture.Bitmap()->LoadFromStream(stream);
    TPicture copy;
    copy.Assign(&picture);
    ::DeleteObject(copy.Bitmap()->ReleaseHandle());
    ::DeleteObject(bitmap.ReleaseMaskHandle());

    // A canvas over a context the test owns gives it back untouched.
    TMemoryDC dc;
    TCanvas external;
    external.SetHandle(dc.Get());
    external.Ellipse(0, 0, 3, 3);
}

} // namespace

TEST(GraphicsHandles, CreateDestroyLoopGivesEveryHandleAndContextBack) {
    ASSERT_TRUE(GdiCensusSeesALeakedBrush());
    Exercise(0); // the first rounds make the system's caches
    Exercise(1);
    const std::int64_t objects = LiveHandleCount(THandleKind::GdiObject);
    const std::int64_t contexts = LiveHandleCount(THandleKind::DeviceContext);
    const int systemBefore = ProcessGdiObjects();
    for (int round = 1; round <= 300; ++round) {
        Exercise(round);
        ASSERT_EQ(LiveHandleCount(THandleKind::GdiObject), objects) << "round " << round;
        ASSERT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts) << "round " << round;
    }
    EXPECT_EQ(ProcessGdiObjects(), systemBefore);
}

TEST(GraphicsHandles, BitmapCanvasContextLivesWithTheBitmap) {
    const std::int64_t contexts = LiveHandleCount(THandleKind::DeviceContext);
    {
        TBitmap bitmap;
        bitmap.SetSize(2, 2);
        bitmap.Canvas()->Handle();
        EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts + 1);
        bitmap.SetSize(3, 3); // the context lets go of the old picture
        EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts);
        bitmap.Canvas()->Handle();
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts);
}
