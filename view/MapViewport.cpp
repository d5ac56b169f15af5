// SPDX-License-Identifier: MIT
#include "MapViewport.h"

#include "model/map/LightYears.h"

#include "platform/surface/DC.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// The isotropic mapping of window extents onto viewport extents, the
// window origin landing on the viewport origin.
CMapping Isotropic(CSize windowExt, CPoint windowOrg, CSize viewportExt, CPoint viewportOrg)
{
    CMapping m;
    m.SetMapMode(MM_ISOTROPIC);
    m.SetWindowExt(windowExt.cx, windowExt.cy);
    m.SetViewportExt(viewportExt.cx, viewportExt.cy);
    m.SetWindowOrg(windowOrg.x, windowOrg.y);
    m.SetViewportOrg(viewportOrg.x, viewportOrg.y);
    return m;
}

} // namespace

void CMapViewport::Prepare(CDC& dc, const CMapping& m)
{
    dc.SetMapMode(m.GetMapMode());
    dc.SetWindowExt(m.GetWindowExt().cx, m.GetWindowExt().cy);
    dc.SetViewportExt(m.GetViewportExt().cx, m.GetViewportExt().cy);
    dc.SetWindowOrg(m.GetWindowOrg().x, m.GetWindowOrg().y);
    dc.SetViewportOrg(m.GetViewportOrg().x, m.GetViewportOrg().y);
}

namespace {

int AtLeastMin(int extent)
{
    return std::max(extent, CMapViewport::kMinExtent);
}

} // namespace

CMapViewport::CMapViewport(CSize zoom, CPoint center, CSize output, CSize scrollBars)
    : m_zoom(AtLeastMin(zoom.cx), AtLeastMin(zoom.cy)), m_center(center), m_output(output), m_scrollBars(scrollBars)
{
    Remap();
}

CMapViewport CMapViewport::Fitting(CPoint low, CPoint high, CSize output)
{
    const std::int64_t spanX = std::llabs(std::int64_t(high.x) - low.x);
    const std::int64_t spanY = std::llabs(std::int64_t(high.y) - low.y);
    const std::int64_t margin = std::max<std::int64_t>(kFitMargin, std::max(spanX, spanY) / 10);
    auto extent = [margin](std::int64_t span) {
        return static_cast<int>(std::min<std::int64_t>(span + 2 * margin, std::numeric_limits<int>::max()));
    };
    // The middle of two 32-bit values is a 32-bit value.
    CPoint middle(static_cast<int>((std::int64_t(low.x) + high.x) / 2),
                  static_cast<int>((std::int64_t(low.y) + high.y) / 2));
    return CMapViewport(CSize(extent(spanX), extent(spanY)), middle, output);
}

CMapViewport CMapViewport::AtPageScale(CPoint center, std::int64_t lightYearThousandths)
{
    // An inch shows t / 1000 light years of 20 map units: t / 50 map units.
    // The eight inches across, in fiftieths of a map unit, are 8t.
    const std::int64_t t = std::clamp<std::int64_t>(lightYearThousandths, 1, kMaxPageScale);
    constexpr int kFiftieths = 1000 / kMapUnitsPerLightYear;
    auto zoom = [t](int inches) { return ClampToInt(std::max<std::int64_t>(inches * t / kFiftieths, kMinExtent)); };
    CMapViewport v(CSize(zoom(kPageWidthInches), zoom(kPageHeightInches)), center);
    v.m_pageWindow = CSize(ClampToInt(kPageWidthInches * t), ClampToInt(kPageHeightInches * t));
    v.m_pageUnitsPerDot = kFiftieths;
    return v;
}

void CMapViewport::Remap()
{
    // An output no larger than the scroll bars still maps onto one pixel.
    int w = std::max(m_output.cx - m_scrollBars.cx, 1);
    int h = std::max(m_output.cy - m_scrollBars.cy, 1);
    m_screen = Isotropic(m_zoom, m_center, CSize(w, h), CPoint(w / 2, h / 2));
}

CMapping CMapViewport::PageMapping(int dpiX, int dpiY, int times, CPoint areaTopLeft) const
{
    // ClampToInt: a device of absurd resolution must not overflow.
    const std::int64_t w = std::int64_t(kPageWidthInches) * dpiX * times;
    const std::int64_t h = std::int64_t(kPageHeightInches) * dpiY * times;
    CSize viewport(ClampToInt(w * m_pageUnitsPerDot), ClampToInt(h * m_pageUnitsPerDot));
    CPoint middle(ClampToInt(areaTopLeft.x + w / 2), ClampToInt(areaTopLeft.y + h / 2));
    return Isotropic(m_pageUnitsPerDot == 1 ? m_zoom : m_pageWindow, m_center, viewport, middle);
}

void CMapViewport::PrepareScreen(CDC& dc) const
{
    Prepare(dc, m_screen);
}

void CMapViewport::PreparePage(CDC& dc) const
{
    Prepare(dc, PageMapping(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY)));
}

CPoint CMapViewport::DeviceToMap(CPoint client) const
{
    return m_screen.DPtoLP(client);
}

int CMapViewport::LightYearsBetween(CPoint a, CPoint b) const
{
    return LightYearsBetween(m_screen, a, b);
}

int CMapViewport::LightYearsBetween(const CMapping& mapping, CPoint a, CPoint b)
{
    return WholeLightYears(mapping.DPtoLP(a), mapping.DPtoLP(b));
}

namespace {

// The fewest pixels right of start that measure at least lightYears, or
// nothing beyond maxPixels. What a length measures never falls as it grows,
// so the search starts just short of the unrounded length and steps up.
std::optional<int> PixelsMeasuring(const CMapping& mapping, CPoint start, int lightYears, int maxPixels)
{
    const double guess = mapping.ScaleLength(double(lightYears) * kMapUnitsPerLightYear);
    if (!(guess < double(maxPixels) + 2))
        return std::nullopt;
    for (int pixels = std::max(1, int(guess) - 2); pixels <= maxPixels; ++pixels)
        if (CMapViewport::LightYearsBetween(mapping, start, CPoint(start.x + pixels, start.y)) >= lightYears)
            return pixels;
    return std::nullopt;
}

} // namespace

std::optional<CScaleBar> CMapViewport::ScaleBarAt(const CMapping& mapping, CPoint start, int maxPixels)
{
    std::optional<CScaleBar> best;
    // 1, 2, 5, 10, 20, 50, ... while a bar that long could still fit.
    for (std::int64_t decade = 1; decade <= 100'000'000; decade *= 10) {
        for (int step : {1, 2, 5}) {
            const int lightYears = int(decade * step);
            std::optional<int> pixels = PixelsMeasuring(mapping, start, lightYears, maxPixels);
            if (!pixels)
                return best;
            const CPoint end(start.x + *pixels, start.y);
            if (LightYearsBetween(mapping, start, end) == lightYears)
                best = CScaleBar{lightYears, *pixels};
        }
    }
    return best;
}

int CMapViewport::ScrollLimit(Axis axis) const
{
    return (kFullExtent / Extent(axis)) * kPositionsPerExtent - 1;
}

int CMapViewport::ThumbPosition(Axis axis) const
{
    std::int64_t centre = axis == Axis::Horizontal ? m_center.x : m_center.y;
    return ClampToInt(centre * kPositionsPerExtent / Extent(axis));
}

void CMapViewport::ScrollTo(Axis axis, std::int64_t position)
{
    int centre = ClampToInt(position * Extent(axis) / kPositionsPerExtent);
    (axis == Axis::Horizontal ? m_center.x : m_center.y) = centre;
    Remap();
}

void CMapViewport::ZoomIn()
{
    m_zoom = CSize(AtLeastMin(m_zoom.cx / 2), AtLeastMin(m_zoom.cy / 2));
    m_pageUnitsPerDot = 1;  // a zoom step leaves a fixed scale behind
    Remap();
}

void CMapViewport::ZoomOut()
{
    auto doubled = [](int extent) { return int(std::min<std::int64_t>(std::int64_t(extent) * 2, kFullExtent)); };
    m_zoom = CSize(doubled(m_zoom.cx), doubled(m_zoom.cy));
    m_pageUnitsPerDot = 1;  // a zoom step leaves a fixed scale behind
    Remap();
}

void CMapViewport::ZoomExtents()
{
    m_zoom = CSize(kFullExtent, kFullExtent);
    m_pageUnitsPerDot = 1;  // a zoom step leaves a fixed scale behind
    m_center = CPoint(0, 0);
    Remap();
}

void CMapViewport::ZoomToBox(const CRect& box)
{
    if (box.Width() <= 0 || box.Height() <= 0)
        return;
    m_center = DeviceToMap(CPoint(box.left + box.Width() / 2, box.top + box.Height() / 2));
    // A box larger than the output (dragged past its edge) divides by one,
    // not by zero.
    int fx = std::max(m_output.cx / box.Width(), 1);
    int fy = std::max(m_output.cy / box.Height(), 1);
    m_zoom = CSize(AtLeastMin(m_zoom.cx / fx), AtLeastMin(m_zoom.cy / fy));
    m_pageUnitsPerDot = 1;  // a zoom step leaves a fixed scale behind
    Remap();
}

int CMapViewport::ScrollReach()
{
    CMapViewport full(CSize(kFullExtent, kFullExtent), CPoint(0, 0));
    full.ScrollTo(Axis::Horizontal, full.ScrollLimit(Axis::Horizontal));
    return full.GetCenter().x + kFullExtent / 2;
}
