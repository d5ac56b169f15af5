// SPDX-License-Identifier: MIT
#include "PictureNotes.h"

#include "OutputTypes.h"

#include "view/MapViewport.h"

#include "platform/surface/DC.h"
#include "platform/surface/Font.h"
#include "platform/surface/Pen.h"
#include "platform/surface/TextEncoding.h"

#include <algorithm>

namespace {

// Pixels on a 96 dpi surface, as many more as the surface is denser.
int Scaled(int dpi, int pixels)
{
    return static_cast<int>(MulDivRound(pixels, dpi, 96));
}

int Scaled(const CDC& dc, int pixels)
{
    return Scaled(dc.GetDeviceCaps(LOGPIXELSY), pixels);
}

void DrawTitle(CDC& dc, const std::string& title, CSize area)
{
    const CSize cell = dc.GetTextExtent(title);
    // A title wider than the picture starts at its left edge.
    dc.TextOut(std::max((area.cx - cell.cx) / 2, 0), Scaled(dc, 4), title);
}

// The bar, a tick at each end, and its label above it.
void DrawBar(CDC& dc, CPoint start, const CScaleBar& bar)
{
    const int tick = Scaled(dc, 4);
    const CPoint end(start.x + bar.pixels, start.y);
    dc.MoveTo(start.x, start.y);
    // A line leaves out its last pixel: one more takes in the bar's end.
    dc.LineTo(end.x + 1, end.y);
    for (const CPoint& p : {start, end}) {
        dc.MoveTo(p.x, p.y - tick);
        dc.LineTo(p.x, p.y);
    }
    const std::string label = std::to_string(bar.lightYears) + " Light Years";
    dc.TextOut(start.x, start.y - tick - Scaled(dc, 2) - dc.GetTextExtent(label).cy, label);
}

constexpr const char* kNoBar = "no scale bar fits: one light year is wider than the picture at this zoom";

} // namespace

std::optional<CScaleBar> PlaceScaleBar(const CMapping& mapping, CSize area, int dpi, CPoint& start)
{
    const int margin = Scaled(dpi, 8);
    start = CPoint(margin, area.cy - margin - 1);
    // Up to a quarter of the width, or if even one light year is longer, up
    // to the width within the margins.
    std::optional<CScaleBar> bar = CMapViewport::ScaleBarAt(mapping, start, area.cx / 4);
    return bar ? bar : CMapViewport::ScaleBarAt(mapping, start, area.cx - 2 * margin - 1);
}

bool PictureNotesFit(const RenderOptions& o, const CMapping& mapping, CSize area, int dpi, std::string& reason)
{
    CPoint start;
    if (!o.scaleBar || PlaceScaleBar(mapping, area, dpi, start))
        return true;
    reason = kNoBar;
    return false;
}

namespace {

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

} // namespace

bool HasPictureNotes(const RenderOptions& o)
{
    return !o.title.empty() || o.scaleBar;
}

bool FitsTitle(const std::string& text)
{
    CUtf8Check check;
    check.Feed(text);
    return !text.empty() && check.Valid() && std::none_of(text.begin(), text.end(), [](char c) {
        return IsControl(static_cast<unsigned char>(c));
    });
}

namespace {

// A bar needs at least one light year within the picture. A route's
// picture is fitted to the route later, and checked as it is drawn.
bool ScaleBarFits(const RenderOptions& o)
{
    const CMapViewport viewport(o.zoom, o.center, o.size);
    if (o.print) {
        const CMapping page = viewport.PageMapping(o.dpi, o.dpi);
        std::string reason;
        return PictureNotesFit(o, page, page.GetViewportExt(), o.dpi, reason);
    }
    std::string reason;
    return PictureNotesFit(o, viewport.ScreenMapping(), o.size, kScreenPictureDpi, reason);
}

} // namespace

std::string PictureNotesProblem(const RenderOptions& o)
{
    if (o.legend && o.print)
        return "--legend is not drawn on a printed page, whose planets all print in black: "
               "leave out --legend or --print";
    const OutputType* type = FindOutputType(o.output);
    const bool webPage = type != nullptr && !type->sized;
    if (webPage && HasPictureNotes(o))
        return std::string(o.scaleBar ? "--scale-bar" : "--title") + " goes with a picture, not a web page";
    const bool raster = type != nullptr && type->sized && std::string(type->format) != "SVG" &&
                        std::string(type->format) != "PDF";
    if (o.smooth && (!raster || o.print))
        return "--smooth goes with a screen picture of pixels (.png, .jpg, .bmp or .ppm), without --print";
    if (o.scaleBar && !o.route && !webPage && !ScaleBarFits(o))
        return "--scale-bar finds no bar to fit: one light year is wider than the picture at this zoom";
    return std::string();
}

bool DrawPictureNotes(CDC& dc, const RenderOptions& o, const CMapping& mapping, CSize area, bool printed,
                      std::string& reason)
{
    if (!HasPictureNotes(o))
        return true;
    CPoint start;
    std::optional<CScaleBar> bar;
    if (o.scaleBar && !(bar = PlaceScaleBar(mapping, area, dc.GetDeviceCaps(LOGPIXELSY), start))) {
        reason = kNoBar;
        return false;
    }
    CFont font;
    font.CreateSystemFont(CTextEncoding::Utf8);
    CPen pen(PS_SOLID, 0, printed ? RGB(0, 0, 0) : RGB(255, 255, 255));
    CFont* oldFont = dc.SelectObject(&font);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.SetTextColor(printed ? RGB(0, 0, 0) : RGB(255, 255, 255));
    dc.SetBkColor(printed ? RGB(255, 255, 255) : RGB(0, 0, 0));
    if (!o.title.empty())
        DrawTitle(dc, o.title, area);
    if (bar)
        DrawBar(dc, start, *bar);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
    return true;
}
