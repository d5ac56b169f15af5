#include "FileMessages.h"

#include "platform/framework/TextEscape.h"

int CannotOpen(const std::string& path, const std::string& reason, std::ostream& err)
{
    err << "kestrin-render: cannot open " << EscapeShown(path) << ": " << reason << '\n';
    return 2;
}
