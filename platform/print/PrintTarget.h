// SPDX-License-Identifier: MIT
#pragma once

// Where a print job goes: a printer of the system, a PDF file, an SVG file
// of one page, or pages rendered into images at a chosen resolution (what
// tests and kestrin-render look at).

#include "platform/surface/Types.h"

#include <functional>
#include <string>

class CImage;
class CMapping;

struct CPrinterTarget {
    enum class Kind { Printer, PdfFile, ImagePage, SvgFile };
    Kind kind = Kind::Printer;
    std::string name;  // the printer's name, as the status box shows it
    std::string port;  // where a printer prints ("on %1")
    std::string file;  // PdfFile, SvgFile: the output file ("to %1")
    // PdfFile, SvgFile: a file the job must never overwrite, such as the open map; a
    // file that is it (by device and inode, through any link) is refused.
    std::string keep;
    // PdfFile, SvgFile: when set, the finished file is put here whole
    // instead of being written anywhere (file then only names it for the
    // status box); a job that fails leaves it empty.
    std::string* bytes = nullptr;
    int dpi = 0;       // dots per inch; 0 keeps the printer's own (600 for pages)
    // Files and image pages: paper in inches and the unprintable border on
    // each side. Printers use their own paper unless paper is named.
    std::string paper;  // a page size key such as "Letter" or "A4"; empty for the default
    // Files and image pages: a paper of this size in inches instead, when
    // both are above 0 (a page exactly the size of a picture).
    double paperWidth = 0;
    double paperHeight = 0;
    bool landscape = false;
    double margin = 0.25;
    int copies = 1;
    // Called as each page ends, with the page (image pages only; a null
    // image otherwise) and the surface's mapping as the page left it.
    std::function<void(const CImage& page, const CMapping& mapping)> onPage;
};
