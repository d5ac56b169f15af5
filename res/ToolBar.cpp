#include "Resources.h"

#include "Resource.h"

namespace {

// One cell per button, 16 x 15, in button order: Open, Zoom In, Zoom Out,
// Zoom Extents, Center On, Print, About.
const char* const kCells[7][15] = {
    {"................", "................", "..........kkk...", ".........k...k.k", "..............kk",
     ".kkk.........kkk", "kyyykkkkkkk.....", "kywywywywyk.....", "kwywkkkkkkkkk...", "kywkbbbbbbbbbk..",
     "kwkbbbbbbbbbk...", "kkbbbbbbbbbk....", "kkkkkkkkkkk.....", "................", "................"},
    {"................", "....kkkk........", "..kk....kk......", ".k...rr...k.....", ".k...rr...k.....",
     "k..rrrrrr..k....", "k..rrrrrr..k....", ".k...rr...k.....", ".k...rr...k.....", "..kk....kkk.....",
     "....kkkk..kk....", "...........kk...", "............kk..", ".............kk.", "................"},
    {"................", "....kkkk........", "..kk....kk......", ".k........k.....", ".k........k.....",
     "k..rrrrrr..k....", "k..rrrrrr..k....", ".k........k.....", ".k........k.....", "..kk....kkk.....",
     "....kkkk..kk....", "...........kk...", "............kk..", ".............kk.", "................"},
    {"................", ".kkkkk....kkkkk.", ".kk..........kk.", ".k.k........k.k.", ".k..k......k..k.",
     "................", "......bbbb......", "......bbbb......", "......bbbb......", "......bbbb......",
     ".k..k......k..k.", ".k.k........k.k.", ".kk..........kk.", ".kkkkk....kkkkk.", "................"},
    {"................", ".......r........", ".......r........", "....kkkrkkk.....", "...k...r...k....",
     "..k....r....k...", "..k....r....k...", "rrrrrrrrrrrrrrr.", "..k....r....k...", "..k....r....k...",
     "...k...r...k....", "....kkkrkkk.....", ".......r........", ".......r........", "................"},
    {"................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....", "....kwwwwwwk....",
     "..kkkkkkkkkkkk..", ".kggggggggggggk.", ".kggggggggggyyk.", ".kggggggggggggk.", ".kkkkkkkkkkkkkk.",
     ".kgkwwwwwwwwkgk.", "...kwkkkkkkwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................"},
    {"................", ".....kkkkkk.....", "....kbbbbbbk....", "...kbbkkkkbbk...", "...kbbk..kbbk...",
     "........kbbk....", ".......kbbk.....", "......kbbk......", "......kbbk......", "......kkkk......",
     "................", "......kbbk......", "......kbbk......", "......kkkk......", "................"},
};

std::vector<std::string> Strip()
{
    std::vector<std::string> rows(15);
    for (int row = 0; row < 15; ++row)
        for (const auto& cell : kCells)
            rows[row] += cell[row];
    return rows;
}

} // namespace

const CToolBarDef& MainToolBar()
{
    static const CToolBarDef bar = {
        16,
        15,
        {ID_FILE_OPEN, 0, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_EXTENTS, 0, ID_CENTER_ON, 0, ID_FILE_PRINT, ID_APP_ABOUT},
        Strip(),
        {{'.', RGB(192, 192, 192)}, {'k', RGB(0, 0, 0)}, {'w', RGB(255, 255, 255)}, {'y', RGB(255, 255, 0)},
         {'b', RGB(0, 0, 128)}, {'r', RGB(128, 0, 0)}, {'g', RGB(128, 128, 128)}},
    };
    return bar;
}
