// SPDX-License-Identifier: MIT
#pragma once

// The plain drawing surface: every ellipse, line and text goes straight to
// the toolkit under a transform built from the mapping, one call each, with
// no caching and no culling. It draws the same picture as CDC, only slowly,
// and is kept as the yardstick for CDC's tests and benchmarks.

#include "platform/surface/DC.h"

class CReferenceDC : public CDC {
public:
    BOOL TextOut(int x, int y, const char* text, int length) override;
    using CDC::TextOut;
    BOOL Ellipse(int left, int top, int right, int bottom) override;
    BOOL LineTo(int x, int y) override;
};
