#pragma once

// Platform-internal: the Qt picture behind a CImage.

#include <QImage>

struct CImageData {
    QImage image;
};
