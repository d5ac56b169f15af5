// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the scrollable area around print preview's pages,
// which lays the pages out again whenever the window's size changes.

#include "platform/print/qt/PreviewPages.h"

#include <QScrollArea>

class PreviewArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    PreviewPages* pages = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QScrollArea::resizeEvent(e);
        if (pages)
            pages->Relayout();
    }
};
