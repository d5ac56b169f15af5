// SPDX-License-Identifier: MIT
#pragma once

// Planet names in every script a map may hold, invented letter by letter
// from small alphabets of each script, for the maps that check the fast
// text path against the plain one (tests/RandomPicturesTest.cpp). The same
// seed always gives the same names.
//
// Every kind but Windows1252 gives UTF-8; Windows1252 gives the bytes of a
// map the loader reads as Windows-1252 (a byte that is not UTF-8 in it
// makes the whole file so).

#include "BenchRandom.h"

#include <string>

enum class ScriptKind {
    Latin,       // plain ASCII letters, digits and punctuation
    Accented,    // Latin with letters of Latin-1 and Latin Extended-A
    Greek,       // Greek words, capitals that kern (Α, Δ, Λ, Τ, Υ) included
    Cyrillic,    // Cyrillic words
    Mixed,       // words of Latin, Greek and Cyrillic in one name, with
                 // digits and punctuation between them
    Cjk,         // ideographs and kana, now and then after a Latin word
    Emoji,       // pictographs, some joined or with modifiers, among words
    Combining,   // letters under one to three combining marks
    SoftHyphen,  // words with U+00AD inside or at the end
    Windows1252  // bytes 0x80 to 0xFF of Windows-1252, 0xAD included
};

inline constexpr ScriptKind kScriptKinds[] = {ScriptKind::Latin,     ScriptKind::Accented, ScriptKind::Greek,
                                              ScriptKind::Cyrillic,  ScriptKind::Mixed,    ScriptKind::Cjk,
                                              ScriptKind::Emoji,     ScriptKind::Combining, ScriptKind::SoftHyphen,
                                              ScriptKind::Windows1252};

const char* ScriptKindName(ScriptKind kind);

class CScriptNames {
public:
    explicit CScriptNames(std::uint64_t seed) : m_random(seed) {}

    // A name of one to three words of that kind, never empty, never
    // starting or ending with a space (the loader would drop it).
    std::string Name(ScriptKind kind);

private:
    std::string Word(ScriptKind kind);
    CBenchRandom m_random;
};
