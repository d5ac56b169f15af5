// SPDX-License-Identifier: MIT
#pragma once

// The surface's mapping from logical units to device pixels, in integer
// arithmetic of its own. In MM_TEXT one unit is one pixel. In MM_ISOTROPIC
// both axes share one scale, the smaller of viewport extent / window extent
// over the two axes, so a logical unit has the same size across and down.
// Conversions round to the nearest whole unit, halves away from zero; device
// results are computed in 64 bits and only clamped when narrowed to 32.

#include "platform/surface/Types.h"

#include <cstdint>

class CMapping {
public:
    int SetMapMode(int mode);
    int GetMapMode() const { return m_mode; }

    // Each setter returns the previous value. Extents of 0 are refused and
    // leave the mapping unchanged; in MM_TEXT the extents are ignored.
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);
    CPoint SetWindowOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);

    CSize GetWindowExt() const { return m_windowExt; }
    CSize GetViewportExt() const { return m_viewportExt; }
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint GetViewportOrg() const { return m_viewportOrg; }

    // Logical to device, unclamped.
    std::int64_t ToDeviceX(std::int64_t x) const;
    std::int64_t ToDeviceY(std::int64_t y) const;
    // A logical length to device pixels (non-negative lengths only).
    double ScaleLength(double length) const;
    // Device pixels per logical unit on each axis, negative where an axis
    // is mirrored; unrounded.
    double DeviceScaleX() const { return m_scaleX.ratio; }
    double DeviceScaleY() const { return m_scaleY.ratio; }
    // The same scales exactly: num device pixels (negative where the axis
    // is mirrored) to den logical units, den always positive. Callers that
    // must decide exactly what lies within some pixels of a point use these.
    struct Ratio {
        std::int64_t num;
        std::int64_t den;
    };
    Ratio ExactScaleX() const { return {m_scaleX.num, m_scaleX.den}; }
    Ratio ExactScaleY() const { return {m_scaleY.num, m_scaleY.den}; }

    CPoint LPtoDP(CPoint p) const;
    CPoint DPtoLP(CPoint p) const;

private:
    struct Scale {
        std::int64_t num = 1;  // device pixels, negative on a mirrored axis
        std::int64_t den = 1;  // logical units, always positive
        double ratio = 1.0;    // num / den, unrounded
        // round(d * num / den), halves away from zero, as MulDivRound gives.
        std::int64_t Apply(std::int64_t d) const;
    };
    Scale IsotropicScale() const;
    // Works out the two scales again after a change of mode or extents.
    void Rescale();

    int m_mode = MM_TEXT;
    CSize m_windowExt{1, 1};
    CSize m_viewportExt{1, 1};
    CPoint m_windowOrg;
    CPoint m_viewportOrg;
    Scale m_scaleX, m_scaleY;  // signed device pixels per logical unit
};

// round(a * b / c), halves away from zero, in 64 bits; c must not be 0.
std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c);
// Narrows to 32 bits, clamping at the ends of the range.
int ClampToInt(std::int64_t v);
