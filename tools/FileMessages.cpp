// SPDX-License-Identifier: MIT
#include "FileMessages.h"

#include "model/check/CheckText.h"
#include "model/map/StarMap.h"
#include "model/map/TextModeReader.h"

#include "platform/surface/TextEscape.h"

#include <fstream>

int CannotOpen(const std::string& path, const std::string& reason, std::ostream& err)
{
    err << "kestrin-render: cannot open " << EscapeShown(path) << ": " << reason << '\n';
    return 2;
}

void LoadStopped(const std::string& path, const CLoadDiagnostic& diagnostic, const char* after, std::ostream& err)
{
    err << EscapeShown(path) << ':' << diagnostic.line << ": " << CLoadDiagnostic::Describe(diagnostic.cause) << after
        << '\n';
    char start[CTextModeReader::kMaxPiece] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (const char* utf16 = Utf16Kind(std::string_view(start, std::size_t(file.gcount()))))
        err << "kestrin-render: " << EscapeShown(path) << " is " << utf16 << ": save it as UTF-8\n";
}
