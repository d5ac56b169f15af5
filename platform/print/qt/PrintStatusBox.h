// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the printing status box. It names the document, the
// printer and where it prints, shows the page being printed, and offers
// Cancel. It is a window of its own, so it stays usable while the main
// window is disabled. With a status hook installed no window is made.

#include <QPointer>

#include <string>
#include <vector>

class QDialog;
class QLabel;

class CPrintStatusBox {
public:
    // lines: "Printing", the title, "on the", the printer, the port line.
    explicit CPrintStatusBox(std::vector<std::string> lines);
    ~CPrintStatusBox();
    CPrintStatusBox(const CPrintStatusBox&) = delete;
    CPrintStatusBox& operator=(const CPrintStatusBox&) = delete;

    // Shows "Page %u" and lets pending events through; false once the
    // user has cancelled.
    bool SetPage(unsigned page);
    bool Cancelled();

private:
    bool Report();

    std::vector<std::string> m_lines;
    QPointer<QDialog> m_box;
    QPointer<QLabel> m_pageLabel;
    bool m_cancelled = false;
};
