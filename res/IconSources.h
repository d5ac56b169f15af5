// SPDX-License-Identifier: MIT
#pragma once

// The SVG pictures of res/icons/, which the build places in the program: the
// program icon first, then the toolbar buttons in strip order.
extern const char* const kIconSources[];
constexpr int kToolBarSvgFirst = 1;
constexpr int kToolBarSvgCount = 7;
