// SPDX-License-Identifier: MIT
#include "platform/framework/qt/KeyPosition.h"

#include <array>
#include <string_view>

namespace {

// The letters of a US keyboard's three letter rows, from the native code
// of each row's first key.
struct Row {
    quint32 first;
    const char* letters;
};
constexpr std::array<Row, 3> kRows = {{{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}}};

char LetterAtPlace(quint32 nativeCode)
{
    for (const Row& row : kRows) {
        std::string_view letters(row.letters);
        if (nativeCode >= row.first && nativeCode < row.first + letters.size())
            return letters[nativeCode - row.first];
    }
    return 0;
}

} // namespace

char AcceleratorLetter(const QKeyEvent* event)
{
    int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char>('A' + (key - Qt::Key_A));
    // A key whose character is Latin but no letter (a digit, a sign) keeps
    // its meaning; only characters beyond Latin-1 fall back to the place.
    if (key <= 0xFF)
        return 0;
    return LetterAtPlace(event->nativeScanCode());
}
