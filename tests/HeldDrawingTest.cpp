// SPDX-License-Identifier: MIT
#include "platform/surface/DC.h"
#include "platform/surface/Image.h"
#include "platform/surface/reference/ReferenceDC.h"
#include "platform/surface/TextEncoding.h"
#include "platform/surface/qt/Coverage.h"
#include "platform/surface/qt/PlainDraw.h"
#include "platform/surface/qt/TextCache.h"
#include "platform/surface/qt/TextRuns.h"

#include "PictureCompare.h"
#include "ProcessMemory.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

// A surface on an image holds back what it draws and leaves out what later
// opaque text cells hide. These pictures pile texts and shapes on one
// another in the ways a map does, and must come out as the plain reference
// surface draws them item by item, judged item by item as the fast path
// tests judge them (PictureCompare.h).

namespace {

using Scene = std::function<void(CDC&)>;

template <class DC, class... Args>
CImage Paint(const Scene& scene, int scale, Args&... args)
{
    CImage image(400, 300, RGB(0, 0, 0));
    DC dc(args...);
    dc.AttachImage(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(100 * scale, 100 * scale);
    dc.SetBkColor(RGB(0, 0, 0));
    const LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    dc.SelectObject(&font);
    dc.SelectStockObject(NULL_BRUSH);
    scene(dc);
    dc.SelectStockObject(SYSTEM_FONT);
    return image;
}

void Text(CDC& dc, int x, int y, const char* text, COLORREF color)
{
    dc.SetTextColor(color);
    dc.TextOut(x, y, text);
}

void Circle(CDC& dc, int x, int y, int r, CPen& pen)
{
    dc.SelectObject(&pen);
    dc.Ellipse(x - r, y - r, x + r, y + r);
}

void ExpectAsReference(const Scene& scene, const char* what)
{
    for (int scale : {1, 3, 9}) {
        std::vector<DrawnItem> items;
        CImage reference = Paint<CBoxedReferenceDC>(scene, scale, items), held = Paint<CDC>(scene, scale);
        const PictureComparison c = ComparePictures(held, reference, RGB(0, 0, 0), items);
        SCOPED_TRACE(::testing::Message() << what << " at scale " << scale << ": " << Describe(c));
        EXPECT_GT(c.lit, 20);
        EXPECT_TRUE(c.Passes());
    }
}

} // namespace

TEST(HeldDrawing, PiledTextsAndShapesComeOutAsDrawnOneByOne)
{
    CPen red(PS_SOLID, 0, RGB(255, 0, 0)), green(PS_SOLID, 0, RGB(0, 255, 0));
    ExpectAsReference([](CDC& dc) {
        // The long name's tail shows past the short one drawn over it.
        Text(dc, 2, 2, "Longer name of many words", RGB(255, 255, 0));
        Text(dc, 2, 2, "Short", RGB(0, 255, 255));
    }, "a short name over a long one");
    ExpectAsReference([](CDC& dc) {
        // Wholly hidden: only the last name may show.
        for (const char* name : {"Aaaa", "Bbbb", "Cccc", "Dddd"})
            Text(dc, 2, 2, name, RGB(200, 100, 50));
        Text(dc, 2, 2, "Wide cover name", RGB(255, 255, 255));
    }, "names under a wider one");
    ExpectAsReference([](CDC& dc) {
        // Offset by a little: the earlier names' edges and descenders show.
        Text(dc, 2, 2, "Jiggly gypsy", RGB(255, 0, 255));
        Text(dc, 3, 3, "Jiggly gypsy", RGB(0, 0, 255));
        Text(dc, 1, 4, "qjpg yyy", RGB(255, 255, 255));
    }, "names nudged over one another");
    ExpectAsReference([](CDC& dc) {
        // Glyphs that reach past their own cell (a j's hook left of it, a
        // ring above it) show beside a later cell that hides the rest.
        Text(dc, 4, 4, "j\xC5j\xC5jj", RGB(255, 128, 0));
        Text(dc, 4, 4, "Wider cover name", RGB(90, 90, 255));
    }, "glyphs past their cell");
    ExpectAsReference([&](CDC& dc) {
        // A circle half under a later name; the same circle in two colours,
        // the second of which must win.
        Circle(dc, 10, 5, 5, red);
        Text(dc, 8, 5, "Over the circle", RGB(255, 255, 255));
        Circle(dc, 30, 20, 6, red);
        Circle(dc, 30, 20, 6, green);
        dc.MoveTo(0, 15);
        dc.LineTo(40, 15);
    }, "shapes among names");
}

TEST(HeldDrawing, NamesTheShaperRefusesHideAndShowAsDrawnOneByOne)
{
    // Ideographs, pictographs (joined, with a selector), letters under
    // marks that reach past the cell, piled on one start and nudged: the
    // ones under a later cell are left out only where nothing of them
    // shows.
    ExpectAsReference([](CDC& dc) {
        dc.GetCurrentFont()->SetTextEncoding(CTextEncoding::Utf8);
        Text(dc, 2, 2, "\xE6\x98\x9F\xE3\x81\x8B\xE3\x81\xAA \xE6\xB8\xAF", RGB(255, 0, 0));
        Text(dc, 2, 2, "Ju\xCC\x81\xCC\x88\xCC\x81 q\xCC\xA7\xCC\xA8y", RGB(0, 255, 0));
        Text(dc, 2, 3, "\xF0\x9F\x9A\x80\xE2\x80\x8D\xF0\x9F\x8C\x8D ro\xE2\xAD\x90\xEF\xB8\x8F", RGB(0, 0, 255));
        Text(dc, 3, 2, "\xCE\xA4\xCC\x81\xCD\x82 \xE2\x98\x84 \xE5\xA4\xA9", RGB(255, 255, 0));
        Text(dc, 2, 2, "\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C\xE3\x81\xA6 long", RGB(0, 255, 255));
        Text(dc, 2, 2, "Wide cover over them", RGB(255, 255, 255));
    }, "names the shaper refuses under a wider one");
    ExpectAsReference([](CDC& dc) {
        // Ended about where a later cell ends: kerned pairs, a wide
        // ideograph or a mark on the last letter decide whether a tail
        // shows past that cell.
        dc.GetCurrentFont()->SetTextEncoding(CTextEncoding::Utf8);
        Text(dc, 2, 2, "AVAVAVAV\xE6\x98\x9F", RGB(255, 0, 0));
        Text(dc, 2, 2, "WAWAWAW\xE6\x98\x9F\xE6\x98\x9F", RGB(0, 255, 0));
        Text(dc, 2, 2, "\xE6\x98\x9F\xE6\x98\x9F\xE6\x98\x9F\xE6\x98\x9F\xE6\x98\x9F\xE6\x98\x9F", RGB(0, 0, 255));
        Text(dc, 2, 2, "Tyyyyyyyo\xCC\x81\xCC\x88", RGB(255, 255, 0));
        Text(dc, 2, 2, "ooooooooooooo\xCC\xA3", RGB(128, 255, 128));
        Text(dc, 2, 2, "oooooooo\xCC\xA3", RGB(128, 128, 255));
        Text(dc, 2, 2, "\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C \xF0\x9F\x9A\x80", RGB(255, 0, 255));
        Text(dc, 2, 2, "Cover mid", RGB(255, 255, 255));
    }, "names the shaper refuses ending near a later cell's end");
}

TEST(HeldDrawing, RefusedNamesOverLongerOnesKeepEveryPixelOfTheirTails)
{
    // Only names the toolkit draws whole, piled on one start, each shorter
    // than some before it: where the held surface draws a name, it draws it
    // as the reference does, so the two pictures agree to the pixel, and a
    // tail wrongly left out shows as a whole glyph missing.
    const Scene scene = [](CDC& dc) {
        dc.GetCurrentFont()->SetTextEncoding(CTextEncoding::Utf8);
        const char* marks[] = {"\xCC\xA3", "\xCC\x81", "\xCC\xA3\xCC\x81"};
        for (int length = 14; length >= 3; --length) {
            std::string name(std::size_t(length), 'o');
            name += marks[length % 3];
            Text(dc, 2, 2, name.c_str(), RGB(40 + 15 * length, 255 - 12 * length, 128));
        }
    };
    for (int scale : {1, 3, 9}) {
        std::vector<DrawnItem> items;
        CImage reference = Paint<CBoxedReferenceDC>(scene, scale, items), held = Paint<CDC>(scene, scale);
        const PictureComparison c = ComparePictures(held, reference, RGB(0, 0, 0), items);
        EXPECT_GT(c.lit, 20) << "scale " << scale;
        EXPECT_EQ(c.differing, 0) << "scale " << scale << ": " << Describe(c);
    }
}

TEST(HeldDrawing, HeldItemsLandBeforeFillsAndExclusiveOrFigures)
{
    {
        // Read while the surface is still attached, the picture holds what
        // was drawn, and a fill of the whole image comes after it.
        CImage image(100, 40, RGB(0, 0, 0));
        CDC dc;
        dc.AttachImage(image);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.TextOut(2, 2, "Seen at once");
        EXPECT_GT(image.CountDifferences(CImage(100, 40, RGB(0, 0, 0))), 20);
        dc.TextOut(2, 20, "Then filled");
        image.Fill(RGB(0, 0, 255));
        EXPECT_EQ(image.CountDifferences(CImage(100, 40, RGB(0, 0, 255))), 0);
    }
    CImage plain = Paint<CDC>([](CDC& dc) { Text(dc, 2, 2, "Under the box", RGB(255, 255, 255)); }, 3);
    CImage boxed = Paint<CDC>([](CDC& dc) {
        Text(dc, 2, 2, "Under the box", RGB(255, 255, 255));
        CRect r(10, 10, 60, 40);
        dc.DrawFocusRect(&r);
        dc.DrawFocusRect(&r);
    }, 3);
    EXPECT_EQ(boxed.CountDifferences(plain), 0);  // the dotted box undid itself over the text
    CImage filled = Paint<CDC>([](CDC& dc) {
        Text(dc, 2, 2, "Under the box", RGB(255, 255, 255));
        dc.FillSolidRect(CRect(0, 0, 150, 60), RGB(0, 0, 255));
    }, 3);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 150; ++x)
            ASSERT_EQ(filled.GetPixel(x, y), RGB(0, 0, 255)) << x << "," << y;
}

TEST(HeldDrawing, PngKeepsEveryPixelAndTheResolution)
{
    TempDir dir;
    for (auto [w, h] : {std::pair{1, 1}, {257, 3}, {640, 480}}) {
        CImage image(w, h, RGB(0, 0, 0));
        image.SetDpi(150, 150);
        CDC dc;
        dc.AttachImage(image);
        // Noise in one corner, runs of one colour elsewhere.
        unsigned seed = 12345;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < std::min(w, 64); ++x) {
                seed = seed * 1103515245u + 12345u;
                dc.FillSolidRect(CRect(x, y, x + 1, y + 1), seed >> 8 & 0xFFFFFF);
            }
        dc.Detach();
        const std::string path = (dir.Path() / ("p" + std::to_string(w) + ".png")).string();
        ASSERT_TRUE(image.Save(path));
        CImage back;
        ASSERT_TRUE(back.Load(path));
        EXPECT_EQ(back.Width(), w);
        EXPECT_EQ(back.Height(), h);
        EXPECT_EQ(back.CountDifferences(image), 0);
        EXPECT_EQ(back.DpiX(), 150);
    }
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(HeldDrawing, DistinctNamesDoNotGrowTheTextCaches)
{
    // Names of three invented syllables: 20000 of them a batch, each batch
    // new. A cache kept per name would grow by several MiB a batch.
    const char* syllables[] = {"ka", "zor", "mi", "thel", "quin", "dar", "vus", "ip", "ro", "sen",
                               "ul", "brix", "yen", "fo", "gar", "hil", "ne", "ost", "pra", "wy"};
    auto drawBatch = [&](int batch) {
        CImage image(800, 600);
        CDC dc;
        dc.AttachImage(image);
        for (int i = 0; i < 20000; ++i) {
            std::string name = std::string(syllables[i % 20]) + syllables[i / 20 % 20] + syllables[i / 400 % 20] +
                               " " + syllables[batch % 20] + std::to_string(i);
            dc.TextOut(i % 700, i / 700 * 20 % 580, name);
        }
    };
    drawBatch(1);
    const long before = ProcessMemory::ResidentKb();
    for (int batch = 2; batch < 5; ++batch)
        drawBatch(batch);
    const long after = ProcessMemory::ResidentKb();
    if (before == 0)
        GTEST_SKIP() << "the system does not tell the resident memory";
    EXPECT_LT(after - before, 2048) << "KiB grown over three batches of new names";
}
#endif

TEST(HeldDrawing, LargeGlyphsShowWhereNoLaterCellHidesThem)
{
    // At scale 9 the names are 99 pixels high, at 30 330 pixels (found out
    // in bands along their sides), drawn as outlines. Names piled on one
    // start hide one another's glyphs, descenders included, while the
    // glyphs of a name a little lower still show below the later cells,
    // and so does the hook of a j left of them: each must come out as the
    // reference draws it, the second time too.
    const COLORREF low = RGB(255, 0, 255), hook = RGB(0, 255, 0);
    for (auto [scale, top] : {std::pair{9, 2}, {30, -8}}) {
        const Scene scene = [&, top = top](CDC& dc) {
            Text(dc, 2, top + (scale == 9 ? 2 : 1), "gypsy jug", low);
            Text(dc, 2, top, "jjjj", hook);
            for (const char* name : {"Pygmy quip", "Gypsy jig", "Jumpy gap", "Quay pyg"})
                Text(dc, 2, top, name, RGB(0, 200, 255));
            Text(dc, 2, top, "Wide gappy yoke", RGB(255, 255, 255));
        };
        SCOPED_TRACE(::testing::Message() << "scale " << scale);
        const CImage reference = Paint<CReferenceDC>(scene, scale);
        long lowShown = 0, hookShown = 0;
        for (int y = 0; y < reference.Height(); ++y)
            for (int x = 0; x < reference.Width(); ++x) {
                lowShown += reference.GetPixel(x, y) == low;
                hookShown += reference.GetPixel(x, y) == hook;
            }
        EXPECT_GT(lowShown, 50);  // the low name's descenders below every later cell
        EXPECT_GT(hookShown, 3);
        EXPECT_EQ(Paint<CDC>(scene, scale).CountDifferences(reference), 0);
        EXPECT_EQ(Paint<CDC>(scene, scale).CountDifferences(reference), 0);
    }
}

TEST(HeldDrawing, RefusedNamesUnderALaterLongerNameAreLeftOutFromAfarToClose)
{
    // Ideographs and kana, the same first character as the later name or
    // not, under the cell of a longer name at one start: from a name a few
    // pixels high to one whose glyphs are filled as outlines, none of them
    // can show, and none is measured as shown. A name longer than the
    // later one shows its tail where the device holds it.
    const LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
    const char* later = "\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C\xE3\x81\xA6 \xE6\x98\x9F\xE3\x81\x8B\xE3\x81\xAA "
                        "\xE6\xB8\xAF\xE5\x9C\xB0";
    const char* under[] = {"\xE6\x98\x9F\xE3\x81\x8B\xE3\x81\xAA \xE6\xB8\xAF",
                           "\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C",
                           "\xE3\x81\x8B\xE3\x81\xAA\xE3\x81\x8B \xE3\x81\xAA"};
    const char* longer = "\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C\xE3\x81\xA6 \xE6\x98\x9F\xE3\x81\x8B\xE3\x81\xAA "
                         "\xE6\xB8\xAF\xE5\x9C\xB0\xE3\x81\xAE\xE6\x9E\x9C\xE6\x98\x9F";
    for (double scale : {0.3, 1.0, 2.6, 9.0, 40.0}) {
        SCOPED_TRACE(::testing::Message() << "scale " << scale);
        const QTransform t(scale, 0, 0, scale, 7, 21);
        CCoverage cover(1920, 1080);
        TextCache::GlyphPlaces places;
        TextCache::TextBounds bounds;
        ASSERT_TRUE(TextCache::Measure(t, font, later, 0, 1920, 1080, bounds, &cover, &places));
        EXPECT_FALSE(bounds.cell.isEmpty());
        cover.Add(bounds.cell);
        for (const char* name : under)
            EXPECT_FALSE(TextCache::Measure(t, font, name, 0, 1920, 1080, bounds, &cover, &places)) << name;
        if (scale < 10.0) {  // else its tail lies past the device
            EXPECT_TRUE(TextCache::Measure(t, font, longer, 0, 1920, 1080, bounds, &cover, &places));
        }
    }
}

TEST(HeldDrawing, KeptLayoutsDrawAsThePlainWayWithinTheirBound)
{
    // Names the shaper refuses, drawn from their kept layouts, write the
    // very pixels PlainText writes: drawn again from the kept layout, off
    // the device's left or right edge (whose glyphs are left out), and
    // within a clip (whose pixels must match wherever they show), also
    // where the glyphs are filled as outlines within pieces of the clip.
    LOGFONT desc = NameFontDescription();
    CFont font;
    font.CreateFontIndirect(&desc);
    font.SetTextEncoding(CTextEncoding::Utf8);
    const char* names[] = {"Ju\xCC\x81\xCC\x88 q\xCC\xA7y o\xCC\x8Ao\xCC\x8Ao\xCC\x8C Tyyyyo\xCC\x81",
                           "\xE6\x98\x9F\xE3\x81\x8B \xF0\x9F\x9A\x80\xE2\x80\x8D\xF0\x9F\x8C\x8D ro\xCC\x82 AVAW"};
    const QRect device(0, 0, 300, 110), right(150, 0, 150, 110);
    const QRect whole[] = {device}, pieces[] = {QRect(150, 0, 150, 20), QRect(150, 20, 150, 90)};
    for (double scale : {1.0, 2.6, 5.5, 8.0}) {
        for (double x : {-60.0, 4.0, 230.0}) {
            for (const char* name : names) {
                SCOPED_TRACE(::testing::Message() << name << " at scale " << scale << ", x " << x);
                const QTransform t(scale, 0, 0, scale, x, 9.5);
                QImage plain(device.size(), QImage::Format_RGB32), kept = plain, clipped = plain;
                plain.fill(Qt::black);
                {
                    QPainter p(&plain);
                    PlainText({p, device.width(), device.height()}, t, font, TextOf(font, name, int(std::strlen(name))),
                              RGB(255, 255, 0), RGB(0, 0, 90));
                }
                CTextRuns runs(1 << 20);
                for (int time = 0; time < 2; ++time) {
                    // Smoothed outlines blend with what lies under them.
                    kept.fill(Qt::black);
                    clipped.fill(Qt::black);
                    QPainter p(&kept), q(&clipped);
                    const COLORREF ink = RGB(255, 255, 0), cell = RGB(0, 0, 90);
                    ASSERT_TRUE(runs.Draw(p, device, whole, t, font, name, kSystemFontPixels, ink, cell));
                    ASSERT_TRUE(runs.Draw(q, right, pieces, t, font, name, kSystemFontPixels, ink, cell));
                    p.end();
                    q.end();
                    EXPECT_TRUE(kept == plain);
                    EXPECT_TRUE(clipped.copy(right) == plain.copy(right));
                }
                EXPECT_EQ(runs.Count(), 1u);
            }
        }
    }
    // A layout kept only as far as the device reached is laid out further
    // when the name is drawn further left, as after a scroll to the right.
    for (double scale : {2.6, 8.0}) {
        CTextRuns runs(1 << 20);
        for (double x : {230.0, 120.0, -60.0, -400.0}) {
            // Filled outlines of a name whose origin lies far left of the
            // device differ in a few smoothed pixels where two glyphs
            // overlap, laid out whole or not (RESULTS.md).
            if (scale == 8.0 && x < -250.0)
                continue;
            SCOPED_TRACE(::testing::Message() << "scrolled to x " << x << " at scale " << scale);
            const QTransform t(scale, 0, 0, scale, x, 9.5);
            QImage plain(device.size(), QImage::Format_RGB32), kept = plain;
            plain.fill(Qt::black);
            kept.fill(Qt::black);
            QPainter p(&plain), q(&kept);
            PlainText({p, device.width(), device.height()}, t, font, TextOf(font, names[1], int(std::strlen(names[1]))),
                      RGB(255, 255, 0), RGB(0, 0, 90));
            ASSERT_TRUE(runs.Draw(q, device, whole, t, font, names[1], kSystemFontPixels, RGB(255, 255, 0), RGB(0, 0, 90)));
            p.end();
            q.end();
            EXPECT_TRUE(kept == plain);
        }
    }
    // Past its bound the least recently drawn layouts go, the one drawn
    // last stays; a font with a line under it is drawn the plain way.
    constexpr std::size_t kBound = 16 << 10;
    CTextRuns runs(kBound);
    QImage image(200, 40, QImage::Format_RGB32);
    QPainter p(&image);
    const QTransform t(1, 0, 0, 1, 3, 3);
    auto nameOf = [](int i) { return "o\xCC\x8A " + std::to_string(i); };
    for (int i = 0; i < 400; ++i) {
        ASSERT_TRUE(runs.Draw(p, image.rect(), {}, t, font, nameOf(i), kSystemFontPixels, 0, 0));
        ASSERT_LE(runs.Bytes(), kBound);
    }
    EXPECT_GT(runs.Count(), 10u);
    EXPECT_TRUE(runs.Holds(p, font, nameOf(399), kSystemFontPixels));
    EXPECT_FALSE(runs.Holds(p, font, nameOf(0), kSystemFontPixels));
    desc.lfUnderline = 1;
    CFont underlined;
    underlined.CreateFontIndirect(&desc);
    EXPECT_FALSE(runs.Draw(p, image.rect(), {}, t, underlined, nameOf(0), kSystemFontPixels, 0, 0));
}
