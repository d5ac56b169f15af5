// SPDX-License-Identifier: MIT
#include "KestrinApp.h"

int main(int argc, char** argv)
{
    return RunKestrin(argc, argv);
}
