// SPDX-License-Identifier: MIT
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
//
// The document may arrive in pieces of any size, as the toolkit writes it,
// so that the untidy text is never held whole.

#include <string>
#include <string_view>
#include <vector>

class CSvgTidier {
public:
    void Feed(std::string_view bytes);
    // The tidy document; the tidier starts again empty.
    std::string Finish();

private:
    void Line(std::string_view line);
    void Emit(std::string_view line);
    void Flush();

    std::string m_partial;               // a line not yet ended
    std::vector<std::string> m_pending;  // the lines of a group's opening tag so far
    std::string m_out;
};

std::string TidySvg(std::string_view document);
