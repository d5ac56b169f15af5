// SPDX-License-Identifier: MIT
#pragma once

// The window's map view as kestrin-render prints it: the same view, with
// the ring of --near's range, if any, over its map.

#include "RangeRing.h"

#include "view/KestrinView.h"

#include <optional>

class CPictureView : public CKestrinView {
public:
    explicit CPictureView(const std::optional<CRect>& ring) : m_ring(ring) {}

    void OnDraw(CDC* pDC) override
    {
        CKestrinView::OnDraw(pDC);
        if (m_ring && Map() != nullptr)
            DrawRangeRing(*pDC, *Map(), *m_ring);
    }

private:
    std::optional<CRect> m_ring;
};
