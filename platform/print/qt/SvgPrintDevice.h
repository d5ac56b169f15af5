// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a print job written as an SVG file, the printable
// area of one page at the target's resolution (600 dots per inch when it
// names none), white before anything is drawn. The file goes through
// COutputFile: it is refused before the job starts when it may not be
// written, and put in place only when the job ends whole, so a failed or
// abandoned job leaves what stood there as it was; a target that asks for
// the bytes gets them instead, and no file is made. An SVG document holds
// one page; a job that asks for a second one fails.

#include "platform/print/qt/PrintDevice.h"
#include "platform/surface/OutputFile.h"
#include "platform/surface/SvgPicture.h"

#include <memory>

class CSvgPrintDevice : public CPrintDevice {
public:
    explicit CSvgPrintDevice(const CPrinterTarget& target);

    CPageGeometry Geometry() const override { return FileGeometry(m_target); }
    bool StartDoc(const std::string& title) override;
    bool StartPage(CDC& dc) override;
    bool EndPage(CDC& dc) override;
    bool EndDoc(CDC& dc) override;
    void AbortDoc(CDC& dc) override;

private:
    COutputFile m_output;
    std::unique_ptr<CSvgPicture> m_page;
    std::string m_bytes;     // the finished page, written as the job ends
    bool m_written = false;  // the one page is made
};
