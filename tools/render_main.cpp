#include "Renderer.h"

#include "platform/Runtime.h"

#include <iostream>

int main(int argc, char** argv)
{
    CRuntime runtime(argc, argv, /*headless=*/true);
    return RenderMain(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
