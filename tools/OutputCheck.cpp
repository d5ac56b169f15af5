// SPDX-License-Identifier: MIT
#include "OutputCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

void Report(int error, std::ostream& err)
{
    err << "kestrin-render: cannot write the standard output: "
        << (error != 0 ? std::strerror(error) : "write error") << '\n';
}

} // namespace

std::string OutputLoss(std::ostream& out)
{
    // A failing flush sets errno, and is the usual place where a full disk
    // shows. Output longer than the stream's buffer fails while it is
    // written instead: a stream that has failed writes nothing more, so
    // errno is still that write's when the command comes here straight
    // after it.
    const bool failedBefore = !out;
    const int earlier = errno;
    errno = 0;
    out.flush();
    if (out)
        return std::string();
    const int error = failedBefore ? earlier : errno;
    return error != 0 ? std::strerror(error) : "write error";
}

bool OutputWritten(std::ostream& out, std::ostream& err)
{
    const std::string loss = OutputLoss(out);
    if (!loss.empty())
        err << "kestrin-render: cannot write the standard output: " << loss << '\n';
    return loss.empty();
}

int CloseStandardStreams(int status)
{
    // A stream already failed was reported by the command that wrote to it.
    const bool reported = !std::cout.good();
    errno = 0;
    std::cout.flush();
    bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    int error = errno;
    if (std::fclose(stdout) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written && !reported)
        Report(error, std::cerr);
    if (!written)
        status = 2;
    std::cerr.flush();
    bool told = std::cerr.good() && std::fflush(stderr) == 0 && !std::ferror(stderr);
    if (std::fclose(stderr) != 0 || !told)
        status = 2;
    return status;
}
