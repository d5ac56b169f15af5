// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the device a print job draws on. A printer or a PDF
// file goes through QPrinter; an image page is a picture per page; an SVG
// file is one page of vector graphics (CSvgPrintDevice). The
// toolkit's painter starts with the first page, so a job that prints no
// page leaves no output behind. A PDF file is put in place only when the
// job ends whole (CPdfFileOutput); a failed or abandoned job leaves the
// file that stood there as it was.

#include "platform/print/PrintTarget.h"
#include "platform/print/qt/PageGeometry.h"
#include "platform/surface/Image.h"

#include <memory>
#include <string>

class CDC;

class CPrintDevice {
public:
    static std::unique_ptr<CPrintDevice> Create(const CPrinterTarget& target);
    virtual ~CPrintDevice() = default;

    int Dpi() const { return m_dpi; }
    virtual CPageGeometry Geometry() const = 0;
    // Attaches dc to a stand-in of the device, so that it reports the
    // printer's resolution before a page has started.
    void AttachAttributes(CDC& dc);

    // Opens the job; false when it cannot print at all.
    virtual bool StartDoc(const std::string& title) = 0;
    // Attaches dc to a fresh page in the default state.
    virtual bool StartPage(CDC& dc) = 0;
    virtual bool EndPage(CDC& dc);
    // Ends the job; false when its output could not be completed.
    virtual bool EndDoc(CDC& dc) = 0;
    virtual void AbortDoc(CDC& dc) = 0;
    // The system's reason when StartDoc or EndDoc failed on a file.
    const std::string& Error() const { return m_error; }

protected:
    explicit CPrintDevice(const CPrinterTarget& target) : m_target(target) {}
    CPrinterTarget m_target;
    int m_dpi = kDefaultPageDpi;
    CImage m_attributes;
    std::string m_error;
};

// The geometry of a target's pages, for the preview.
CPageGeometry PageGeometryOf(const CPrinterTarget& target);
