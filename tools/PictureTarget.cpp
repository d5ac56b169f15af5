#include "PictureTarget.h"

#include "OutputTypes.h"

#include "platform/surface/OutputFile.h"

bool CheckPictureTarget(const RenderOptions& o, std::string& reason)
{
    reason = OutputTypeProblem(o.output, o.print);
    return reason.empty() && COutputFile::CheckTarget(o.output, o.input, reason);
}

int CannotWritePicture(const RenderOptions& o, const std::string& reason, std::ostream& err)
{
    err << "kestrin-render: cannot write " << o.output << ": " << reason << '\n';
    return 2;
}
