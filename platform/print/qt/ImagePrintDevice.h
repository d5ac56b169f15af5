// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: pages rendered into images, one picture of the
// printable area per page at the target's resolution (600 dots per inch
// when it names none), white before anything is drawn. Each page goes to
// the target's onPage as it ends, with the mapping the page was drawn
// under; what tests and kestrin-render look at.

#include "platform/print/qt/PrintDevice.h"
#include "platform/surface/Image.h"

class CImagePrintDevice : public CPrintDevice {
public:
    explicit CImagePrintDevice(const CPrinterTarget& target);

    CPageGeometry Geometry() const override { return FileGeometry(m_target); }
    bool StartDoc(const std::string&) override { return true; }
    bool StartPage(CDC& dc) override;
    bool EndPage(CDC& dc) override;
    bool EndDoc(CDC& dc) override;
    void AbortDoc(CDC& dc) override;

private:
    CImage m_page;
};
