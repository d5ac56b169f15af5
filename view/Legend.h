// SPDX-License-Identifier: MIT
#pragma once

// The faction legend: seventeen rows at the top-left corner of a surface in
// its default pixel mapping, 14 pixels apart on a 96 dpi surface (28 on a
// 192 dpi one), each name in its faction's colour on black, in the
// surface's default font.

class CDC;
class CStarMap;

constexpr int kLegendRowHeight = 14;

void DrawLegend(CDC* pDC, CStarMap* map);
