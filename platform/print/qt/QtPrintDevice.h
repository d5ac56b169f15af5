// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: a printer of the system or a PDF file, through
// QPrinter at high resolution. A PDF file has the target's paper with its
// border as the page margins, at the target's resolution (600 dots per
// inch when it names none), and is written through CPdfFileOutput. A
// printer named by no printer of the system cannot start a job.

#include "platform/print/qt/PdfFileOutput.h"
#include "platform/print/qt/PrintDevice.h"

#include <memory>

class QPrinter;

class CQtPrintDevice : public CPrintDevice {
public:
    explicit CQtPrintDevice(const CPrinterTarget& target);
    ~CQtPrintDevice() override;

    CPageGeometry Geometry() const override;
    bool StartDoc(const std::string& title) override;
    bool StartPage(CDC& dc) override;
    bool EndDoc(CDC& dc) override;
    void AbortDoc(CDC& dc) override;

private:
    // Sets up the printer or PDF writer the target names.
    void CreatePrinter();

    std::unique_ptr<QPrinter> m_printer;
    CPdfFileOutput m_output;
    bool m_begun = false;
};
