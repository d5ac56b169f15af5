// SPDX-License-Identifier: MIT
#pragma once

// Hands the program's resource tables to the framework.
void RegisterKestrinResources();
