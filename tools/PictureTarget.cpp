// SPDX-License-Identifier: MIT
#include "PictureTarget.h"

#include "OutputTypes.h"
#include "PosterOptions.h"

#include "platform/surface/TextEscape.h"
#include "platform/surface/OutputFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

// The folder in which the new picture is made: the output's own, or that
// of the file its symbolic link names.
std::string FolderOf(const std::string& path)
{
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A file that may be written stands in a folder that may not: the picture
// is made beside it and renamed, so the folder is what stops it.
bool FolderWritable(const std::string& path, std::string& reason)
{
    const std::string folder = FolderOf(path);
    const int error = ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
    if (error != EACCES && error != EROFS)
        return true;
    reason = "the folder " + EscapeShown(folder) + " cannot be written to (" + std::strerror(error) + ")";
    return false;
}

} // namespace

bool CheckPictureTarget(const RenderOptions& o, std::string& reason)
{
    reason = OutputTypeProblem(TypedOutputName(o), o.print);
    if (!reason.empty())
        return false;
    if (ToStandardOutput(o))
        return true;
    const std::vector<std::string> pages = PosterPageFiles(o);
    for (const std::string& path : pages.empty() ? std::vector<std::string>{o.output} : pages) {
        if (!COutputFile::CheckTarget(path, o.input, reason) || !FolderWritable(path, reason)) {
            if (path != o.output)
                reason = "page " + EscapeShown(path) + ": " + reason;
            return false;
        }
    }
    return true;
}

int CannotWritePicture(const RenderOptions& o, const std::string& reason, std::ostream& err)
{
    err << "kestrin-render: cannot write " << (ToStandardOutput(o) ? "the standard output" : EscapeShown(o.output))
        << ": " << reason << '\n';
    return 2;
}

bool PictureOutputFits(const RenderOptions& o, const std::ostream& out, std::ostream& err)
{
    // Only the program's own standard output can be a terminal.
    if (!PictureToStandardOutput(o) || &out != &std::cout || ::isatty(STDOUT_FILENO) == 0)
        return true;
    err << "kestrin-render: -o - writes the picture to the standard output, which is a terminal: "
           "redirect it to a file or a pipe\n";
    return false;
}
