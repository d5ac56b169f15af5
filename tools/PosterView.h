// SPDX-License-Identifier: MIT
#pragma once

// The view kestrin-render prints through when the page is not the
// window's: a page at a fixed scale (--scale), or a poster of several
// pages (--pages). It is the map view in every other respect; its printing
// hooks give the job one page per sheet, each under the poster's mapping
// for that sheet (CPosterLayout), the map kept to the sheet's area and
// overlap, then the cut marks and the sheet's label in the border.

#include "PictureView.h"

#include "view/MapViewport.h"
#include "view/PosterLayout.h"

#include <optional>

class CPosterView : public CPictureView {
public:
    // viewport: the page's zoom or fixed scale and its centre. poster:
    // none for the one plain page. ring: --near's range, if any.
    CPosterView(const CMapViewport& viewport, std::optional<CPosterLayout> poster, const std::optional<CRect>& ring);

    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

private:
    // Whitens the sheet outside what the page's map may cover, then draws
    // the marks and the label in device pixels.
    void DrawSheetBorder(CDC& dc, int page) const;

    CMapViewport m_viewport;
    std::optional<CPosterLayout> m_poster;
};
