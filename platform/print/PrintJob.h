// SPDX-License-Identifier: MIT
#pragma once

// One print job of a view, from OnBeginPrinting to OnEndPrinting: the
// device its printer names, the printing status box and a disabled main
// window when a user started it, and the page loop. A page prints after
// OnPrepareDC has let it (the page rule) and the device has started it;
// a page that cannot start, a page that cannot end and a Cancel end the
// job, which then abandons its output.

#include "platform/surface/DC.h"

#include <memory>
#include <optional>

class CPrintDevice;
class CPrintInfo;
class CPrintStatusBox;
class CView;

class CPrintJob {
public:
    enum class Result { Printed, Nothing, CouldNotStart, Failed, Cancelled };

    // interactive: a user started the job (status box, disabled frame).
    CPrintJob(CView& view, CPrintInfo& info, bool interactive);
    ~CPrintJob();
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    // Runs the whole job once. The reason for a file that could not be made
    // or completed is left in the print information's m_strOutputError.
    Result Run();

private:
    bool Start();
    Result PrintPages();
    // Prints the current page. Nothing when the job goes on, else how the
    // job ends, given how it stood before the page.
    std::optional<Result> PrintPage(Result before);
    Result Finish(Result result);

    CView& m_view;
    CPrintInfo& m_info;
    bool m_interactive;
    std::unique_ptr<CPrintDevice> m_device;
    CDC m_dc;
    std::unique_ptr<CPrintStatusBox> m_status;
};
