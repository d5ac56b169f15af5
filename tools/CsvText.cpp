// SPDX-License-Identifier: MIT
#include "CsvText.h"

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void AppendCsvField(std::string_view text, bool first, std::string& row)
{
    if (!first)
        row += ',';
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        row += text;
    else
        row += CsvField(text);
}

std::string CsvRow(const std::vector<std::string>& fields)
{
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i)
        AppendCsvField(fields[i], i == 0, row);
    return row + "\r\n";
}
