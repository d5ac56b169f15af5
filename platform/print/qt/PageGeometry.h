#pragma once

// Platform-internal: paper and printable area. Files and image pages have
// the paper their target names or measures (Letter when it does neither)
// with the target's border on every side; printers report their own.

#include "platform/print/PrintTarget.h"

#include <QPageSize>
#include <QRectF>
#include <QSizeF>

// Dots per inch of a file or image page whose target names none.
inline constexpr int kDefaultPageDpi = 600;

// The paper and its printable area, in inches.
struct CPageGeometry {
    QSizeF paper;
    QRectF printable;
};

// The paper a target names: its size in inches, else its key, else Letter.
QPageSize PaperOf(const CPrinterTarget& target);
// Files and image pages: the paper with the target's border on every side.
CPageGeometry FileGeometry(const CPrinterTarget& target);
