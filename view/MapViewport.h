// SPDX-License-Identifier: MIT
#pragma once

// What part of the map an output shows, and how. A value of three things:
// the zoom (the window extent, in map units: the span of map fitted into
// the output, smaller being closer), the centre (the map point at the
// middle of the output, in map units) and the output's size (the view's
// client area or a picture, in device pixels), with the scroll-bar metrics
// that the screen mapping takes off that size. The view and kestrin-render
// both work from it; it is the one place that computes
//  - the screen mapping and the printer mapping (eight by ten inches at
//    the device's resolution), both isotropic: one scale for both axes,
//    the smaller of the two that would fit; the printer's also at a fixed
//    scale of light years to the inch, and enlarged and moved for the
//    sheets of a poster (PosterLayout.h places them);
//  - client pixels to map units, and whole light years between two client
//    points;
//  - the scroll bars' ranges and thumbs, and the centre a thumb position
//    stands for: one position is a hundredth of the extent;
//  - the zoom steps: in, out, to the full extent, and to a dragged box.
//
// Everything is whole-number arithmetic with remainders dropped toward
// zero. Each zoom component stays at least kMinExtent; only Zoom Out is
// bounded above, at kFullExtent.

#include "platform/surface/Mapping.h"
#include "platform/surface/Types.h"

#include <cstdint>
#include <optional>

class CDC;

// A scale bar: a round number of light years and the length in device
// pixels that measures exactly that many under a mapping.
struct CScaleBar {
    int lightYears = 0;
    int pixels = 0;
};

class CMapViewport {
public:
    // The full extent: at the start the shorter side of the view shows this
    // many map units.
    static constexpr int kFullExtent = 12500;
    static constexpr int kMinExtent = 1;
    // Scroll positions to one extent: a page step.
    static constexpr int kPositionsPerExtent = 100;
    // The printed area, at the top left of the printable page.
    static constexpr int kPageWidthInches = 8;
    static constexpr int kPageHeightInches = 10;

    enum class Axis { Horizontal, Vertical };

    // scrollBars: what the screen mapping takes off the output, the
    // platform's SM_CYHSCROLL from the width and SM_CYVSCROLL from the
    // height; none for a picture. A zoom component below kMinExtent is
    // taken as kMinExtent.
    CMapViewport(CSize zoom, CPoint center, CSize output = CSize(), CSize scrollBars = CSize());

    // The zoom and centre that show every point of the box between low and
    // high (map units, corners in any order) in output, with a margin on
    // each side of a tenth of the box's larger span, at least kFitMargin,
    // so that names beside the points show too. The zoom may exceed
    // kFullExtent when the box does.
    static constexpr int kFitMargin = 200;
    static CMapViewport Fitting(CPoint low, CPoint high, CSize output);

    // The printed page at a fixed scale instead of the zoom: an inch of the
    // page shows lightYearThousandths / 1000 light years (taken within 1 and
    // kMaxPageScale), centred on center. The screen mapping keeps the zoom
    // nearest to that scale.
    static constexpr std::int64_t kMaxPageScale = 200'000'000;  // ten times it still fits 32 bits
    static CMapViewport AtPageScale(CPoint center, std::int64_t lightYearThousandths);

    CSize GetZoom() const { return m_zoom; }
    CPoint GetCenter() const { return m_center; }

    // The screen: the zoom fitted into the output less the scroll bars (at
    // least one pixel each way), the centre at its middle.
    const CMapping& ScreenMapping() const { return m_screen; }
    // The printer: the zoom fitted into eight by ten inches at dpiX by dpiY
    // dots per inch, the centre at the middle of that area. With times
    // above 1, the same picture that many times larger (8 x times by
    // 10 x times inches), its top left corner at areaTopLeft (device
    // pixels, off the device for the pages of a poster that show its
    // middle); areaTopLeft is where the page's area starts.
    CMapping PageMapping(int dpiX, int dpiY, int times = 1, CPoint areaTopLeft = CPoint(0, 0)) const;
    // Set dc's mapping to the screen's, or to the page's at the resolution
    // dc reports, through its own calls: the mode, the window extents
    // before the viewport extents, then the two origins.
    void PrepareScreen(CDC& dc) const;
    void PreparePage(CDC& dc) const;
    // Sets any mapping so: a surface takes it through its own calls, which
    // a recording surface sees, in the order the isotropic rule needs.
    static void Prepare(CDC& dc, const CMapping& mapping);

    // Client pixels to map units under the screen mapping.
    CPoint DeviceToMap(CPoint client) const;
    // Whole light years between two client points under the screen mapping.
    int LightYearsBetween(CPoint a, CPoint b) const;
    // The same between two device points under any mapping: both ends to
    // map units (DPtoLP), then the measure lines' rule.
    static int LightYearsBetween(const CMapping& mapping, CPoint a, CPoint b);

    // The longest bar of 1, 2 or 5 times a power of ten light years that
    // runs right from the device point start and is at most maxPixels long
    // under mapping; its length is the fewest pixels that measure its light
    // years by LightYearsBetween, end to end. Nothing when not even one
    // light year fits, or no length measures a round number exactly (a
    // pixel wider than the step between two).
    static std::optional<CScaleBar> ScaleBarAt(const CMapping& mapping, CPoint start, int maxPixels);

    // How far from the origin, in map units on either axis, the view can
    // show a point by scrolling at the full extent: the centre of the last
    // thumb position plus half the extent that the shorter side shows.
    // Planets beyond are out of the scroll bars' reach.
    static int ScrollReach();

    // A scroll bar's range is -ScrollLimit to ScrollLimit: the full extent
    // over the zoom, remainder dropped, in hundredths, less one.
    int ScrollLimit(Axis axis) const;
    // The thumb that stands exactly for the centre: centre * 100 / extent,
    // truncated toward zero.
    int ThumbPosition(Axis axis) const;
    // Moves the centre to what position stands for: position * extent /
    // 100, truncated toward zero. The position is not clamped to the range.
    void ScrollTo(Axis axis, std::int64_t position);

    // Halves each zoom component, remainder dropped, down to kMinExtent.
    void ZoomIn();
    // Doubles each zoom component, each on its own, up to kFullExtent; the
    // centre stays where it is.
    void ZoomOut();
    // The full extent, centred on the origin.
    void ZoomExtents();
    // Centres on the middle of box (client pixels) and divides each zoom
    // component by the whole number of times the box fits into the output
    // along that axis (at least once). A box without width or height
    // changes nothing.
    void ZoomToBox(const CRect& box);

private:
    int Extent(Axis axis) const { return axis == Axis::Horizontal ? m_zoom.cx : m_zoom.cy; }
    // Works out the screen mapping again after a change.
    void Remap();

    CSize m_zoom;
    CPoint m_center;
    CSize m_output;
    CSize m_scrollBars;
    CMapping m_screen;
    // The page's window extents and how many units of its viewport extents
    // make a device pixel: the zoom and 1 (m_pageWindow unused), or for a fixed scale extents in
    // fiftieths of a map unit, so that every scale of a thousandth of a
    // light year to the inch is exact.
    CSize m_pageWindow;
    int m_pageUnitsPerDot = 1;
};
