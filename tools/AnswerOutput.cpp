// SPDX-License-Identifier: MIT
#include "AnswerOutput.h"

#include "OutputCheck.h"
#include "PictureTarget.h"

#include "platform/surface/OutputFile.h"

bool AnswerTargetWritable(const RenderOptions& o, std::ostream& err)
{
    std::string reason;
    if (o.output.empty() || ToStandardOutput(o) || COutputFile::CheckTarget(o.output, o.input, reason))
        return true;
    CannotWritePicture(o, reason, err);
    return false;
}

bool WriteAnswer(const RenderOptions& o, const std::string& text, std::ostream& out, std::ostream& err)
{
    if (o.output.empty() || ToStandardOutput(o)) {
        out << text;
        return OutputWritten(out, err);
    }
    COutputFile file;
    if (file.Open(o.output, 0666, o.input) && file.Write(text) && file.Commit())
        return true;
    CannotWritePicture(o, file.Reason(), err);
    return false;
}
