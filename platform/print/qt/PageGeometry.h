// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: paper and printable area. Files and image pages have
// the paper their target names or measures with the target's border on
// every side; printers report their own. A file whose target names no
// paper gets the platform's default paper, so that a print to file from the
// window and a page from kestrin-render agree; an image page, which stands
// in for a printer, gets Letter.

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

// The platform's default paper: the default printer's, else Letter where
// the locale measures in US units and A4 elsewhere. Asked once a run.
QPageSize DefaultPaper();
// The paper a target names: its size in inches, else its key, else the
// default of its kind (above).
QPageSize PaperOf(const CPrinterTarget& target);
// Files and image pages: the paper with the target's border on every side.
CPageGeometry FileGeometry(const CPrinterTarget& target);
