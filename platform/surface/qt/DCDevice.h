// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the Qt device a CDC draws on, with the painter that is
// active on it while the surface is attached, its size in pixels and its
// dots per inch. Other platform classes attach a surface to a device
// through CDCAccess. On an image, most of what the surface draws is held
// in a CDrawList until the picture is needed.

#include "platform/surface/qt/DrawList.h"
#include "platform/surface/qt/ImageData.h"

#include <QImage>
#include <QPainter>

struct CDCDevice {
    QPaintDevice* device = nullptr;
    QPainter painter;
    int width = 0;
    int height = 0;
    int dpiX = 96;
    int dpiY = 96;
    // Added to both ends of a line: half a pixel on a vector device, whose
    // readers draw a one-pixel line centred on its coordinates, so that it
    // covers the pixels the raster's line does instead of half of two rows.
    double lineOffset = 0.0;
    // Anti-aliased shapes and text, every call drawn at once the plain
    // way, on an image too (CDC::AttachSmoothImage).
    bool smooth = false;
    // What the surface has drawn on an image and not yet put into it; the
    // image's own record, which points back here while the surface is
    // attached, and the surface it pointed to before.
    CDrawList held;
    CImageData* owner = nullptr;
    CDCDevice* previous = nullptr;

    // The device as an image of 32-bit pixels, which the fast paths write
    // into directly; nullptr for a printer, a preview page or another
    // image format, which are drawn the plain way.
    QImage* Image() const
    {
        if (smooth)
            return nullptr;
        auto* image = dynamic_cast<QImage*>(device);
        return image != nullptr && image->format() == QImage::Format_RGB32 ? image : nullptr;
    }
    // Puts what is held into the image, before anything that must see it.
    void Flush() { held.Flush(*this); }
    // Whether a copying shape or text is to be held back rather than drawn
    // now: on an image, always (a full list is flushed first).
    bool Holds()
    {
        if (Image() == nullptr)
            return false;
        if (held.Full())
            Flush();
        return true;
    }
};
