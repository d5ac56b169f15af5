// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: print preview's page area: grey, with each shown page
// as white paper holding its printable area, at a scale that fits the
// window times the preview's zoom factor. Pages are rendered through the
// preview once per scale and kept until the scale changes.

#include "platform/print/qt/PageGeometry.h"
#include "platform/surface/Image.h"

#include <QWidget>

#include <map>

class CPreviewView;
class QScrollArea;

class PreviewPages : public QWidget {
public:
    PreviewPages(CPreviewView* preview, QScrollArea* area);

    void SetGeometryOfPages(const CPageGeometry& g) { m_geometry = g; }
    // Sizes the area to the pages at the present scale and repaints.
    void Relayout();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override { update(); }

private:
    // Pages side by side: two at the fitting zoom in two-page mode, else one.
    int Slots() const;
    QSize PaperPixels(int dpi) const;
    // Pixels per inch: the pages fit the window, times the zoom factor.
    int Dpi() const;
    const CImage& Picture(UINT page, int dpi);

    CPreviewView* m_preview;
    QScrollArea* m_area;
    CPageGeometry m_geometry;
    std::map<UINT, CImage> m_cache;
    int m_cachedDpi = 0;
};
