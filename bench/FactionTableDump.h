// SPDX-License-Identifier: MIT
#pragma once

// The faction colours and legend rows as text, for the benchmark's anchor
// scripts, so that they draw the same colours without a copy of the table:
//
//   kestrin-bench --faction-table
//
// prints "pen <tab> NAME <tab> RRGGBB" for the pens the map draws with
// ("white" is any unknown code), "code <tab> CODE <tab> RRGGBB" for each
// faction code and "legend <tab> TEXT <tab> RRGGBB" for each legend row.

int RunFactionTableDump();
