// SPDX-License-Identifier: MIT
#pragma once

// A poster: the printed page's picture, Times() times larger, spread over
// columns x rows sheets (1 to kMaxPages each way). Times() is the smaller
// of the two counts, so the whole picture is on the poster; along the
// longer side the poster shows more of the map around it, the picture in
// the middle.
//
// Each sheet is kSheetWidthInches by kSheetHeightInches: the usual 8 by 10
// inch area, half an inch in from every edge, holds the sheet's own part of
// the poster, so the areas laid side by side make the whole. Toward the
// next column and the next row the map goes on for a quarter inch past the
// area: the overlap, for gluing under the neighbour. The cut marks and the
// sheet's label lie in the border beyond the overlap, never in the area.
//
// Pages are numbered from 1 row by row; columns and rows from 0. All
// geometry is in device pixels of a sheet at dpi dots per inch.

#include "MapViewport.h"

#include "platform/surface/Mapping.h"
#include "platform/surface/Types.h"

#include <string>
#include <vector>

class CPosterLayout {
public:
    static constexpr int kMaxPages = 8;
    static constexpr int kSheetWidthInches = CMapViewport::kPageWidthInches + 1;
    static constexpr int kSheetHeightInches = CMapViewport::kPageHeightInches + 1;

    struct Segment {
        CPoint from;
        CPoint to;  // inclusive: a mark covers both ends
    };

    // pages: columns by rows, each taken within 1 to kMaxPages.
    CPosterLayout(CSize pages, int dpi);

    CSize Pages() const { return m_pages; }
    int PageCount() const { return m_pages.cx * m_pages.cy; }
    int Times() const;
    // Column (x) and row (y) of a page number.
    CPoint Place(int page) const;

    // The sheet and its 8 by 10 inch area.
    CSize Sheet() const;
    CRect Area() const;
    // What of a page the map may cover: its area and the overlap toward
    // the next column and row, where there is one.
    CRect Drawn(int page) const;
    // The page's mapping: the viewport's printed page, Times() larger,
    // moved so that this page's part of it fills the area.
    CMapping Mapping(const CMapViewport& viewport, int page) const;

    // Two short lines at each corner of the area, on the lines of its
    // edges, in the border past the overlap.
    std::vector<Segment> CutMarks() const;
    // "row r of R, column c of C", counted from 1, and the top left of its
    // text in the border above the area, with the text's height.
    std::string Label(int page) const;
    CPoint LabelAt() const;
    int LabelHeight() const;

private:
    int Border() const { return m_dpi / 2; }
    int Overlap() const { return m_dpi / 4; }

    CSize m_pages;
    int m_dpi;
};
