// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the Qt picture behind a CImage, and the surface that
// draws on it with shapes and texts still held back, if any: whoever reads
// or changes the pixels puts those in first (Settle), so a picture always
// holds what has been drawn on it.

#include <QImage>

struct CDCDevice;

struct CImageData {
    QImage image;
    CDCDevice* drawing = nullptr;
    void Settle() const;
};
