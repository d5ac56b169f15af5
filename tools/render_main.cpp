// SPDX-License-Identifier: MIT
#include "OutputCheck.h"
#include "RenderOptions.h"
#include "Renderer.h"

#include "platform/framework/Runtime.h"

#include <iostream>

int main(int argc, char** argv)
{
    // Help and version are answered before the toolkit starts, so they need
    // no display; the toolkit takes its own options out of argv.
    if (AsksForHelpOrVersion(std::vector<std::string>(argv + 1, argv + argc)))
        return CloseStandardStreams(RenderMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr));
    int status = 0;
    {
        CRuntime runtime(argc, argv, CRuntime::Display::Offscreen);
        status = RenderMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    }
    return CloseStandardStreams(status);
}
