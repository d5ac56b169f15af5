// SPDX-License-Identifier: MIT
#pragma once

// Comma-separated values as RFC 4180 has them: a field that holds a comma,
// a quote, a CR or an LF is put in quotes, with each quote doubled; rows
// end with CR LF.

#include <string>
#include <string_view>
#include <vector>

std::string CsvField(std::string_view text);
// Appends the field to row, after a comma unless it is the row's first.
void AppendCsvField(std::string_view text, bool first, std::string& row);
// The fields joined by commas, with the row's CR LF.
std::string CsvRow(const std::vector<std::string>& fields);
