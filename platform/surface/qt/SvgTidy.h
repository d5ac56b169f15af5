#pragma once

// Platform-internal: the toolkit's SVG document made smaller and always
// well-formed, without changing what it draws. The toolkit writes a new
// group for every change of painter state, each opening tag over three
// lines (attributes; font attributes; ">"), and many groups hold nothing.
// Tidying drops
//  - groups that hold nothing;
//  - the font attributes of groups: every text element carries its own;
//  - identity transforms and blank lines;
// and writes each character that XML cannot hold, not even as a reference
// (controls other than tab, line feed and carriage return; U+FFFE and
// U+FFFF), as U+FFFD. A document not laid out as expected loses nothing:
// only the replacement applies to lines that match no pattern.

#include <string>
#include <string_view>

std::string TidySvg(std::string_view document);
