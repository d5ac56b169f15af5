// SPDX-License-Identifier: MIT
#pragma once

// Platform-internal: the file of a print to file or of a PDF page.
//
// The toolkit's PDF writer reports no write error: on a full disk it leaves
// a truncated file and says it succeeded. So it writes into memory (an
// anonymous file that it reaches by name), and COutputFile puts the finished
// bytes in place of the target, checking every write to its end; for a
// target that is no file, the caller gets them whole instead. A job that
// fails or is abandoned leaves the target as it was and no file behind.

#include "platform/surface/OutputFile.h"

#include <string>

class CPdfFileOutput {
public:
    CPdfFileOutput() = default;
    ~CPdfFileOutput();
    CPdfFileOutput(const CPdfFileOutput&) = delete;
    CPdfFileOutput& operator=(const CPdfFileOutput&) = delete;

    // Checks the target and makes the new file beside it and the memory the
    // writer fills; false, with the reason, when either cannot be had. keep
    // names a file that must not be replaced; empty for none. With into,
    // no file is written: Finish puts the whole PDF there instead.
    bool Begin(const std::string& target, const std::string& keep = std::string(), std::string* into = nullptr);
    // The name the PDF writer is to write to.
    const std::string& WriterPath() const { return m_writerPath; }
    // Once the writer has finished: checks that the PDF is whole and puts
    // it in place of the target.
    bool Finish();
    // Drops everything; the target stays as it was.
    void Abandon();

    const std::string& Reason() const { return m_reason; }

private:
    bool ReadWritten(std::string& bytes);

    COutputFile m_file;
    std::string* m_into = nullptr;
    int m_memory = -1;
    std::string m_writerPath;
    std::string m_reason;
};

// Whether bytes hold a whole PDF: its last line is "%%EOF" and the offset
// after "startxref" points at the cross-reference table.
bool IsCompletePdf(const std::string& bytes);
