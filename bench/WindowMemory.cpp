// SPDX-License-Identifier: MIT
#include "WindowMemory.h"

#include "BenchMaps.h"

#include "app/KestrinApp.h"
#include "model/KestrinDoc.h"
#include "model/map/StarMap.h"
#include "res/Register.h"
#include "view/KestrinView.h"

#include "platform/framework/FrameWnd.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include <malloc.h>
#include <unistd.h>

namespace {

double HeapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return double(info.uordblks) + double(info.hblkhd);
}

void Report(const char* stage, double bytes, int planets)
{
    std::printf("%s\t%.1f\n", stage, bytes / planets);
    std::fflush(stdout);
}

void Paint(CKestrinView* view)
{
    view->Invalidate(TRUE);
    view->RefreshBackBuffer();
}

} // namespace

int RunWindowMemory(int argc, char** argv)
{
    std::optional<BenchMapKind> kind = argc == 3 ? BenchMapKindFromName(argv[2]) : std::nullopt;
    if (!kind) {
        std::fprintf(stderr, "usage: kestrin-bench --window-memory MAP\n");
        return 2;
    }
    const std::string& path = BenchMapPath(*kind);
    std::filesystem::path config = std::filesystem::temp_directory_path() /
                                   ("kestrin-bench-config-" + std::to_string(::getpid()));
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    RegisterKestrinResources();
    int status = 1;
    {
        CKestrinApp app;
        if (app.InitInstance()) {
            auto* view = static_cast<CKestrinView*>(app.GetMainWnd()->GetActiveView());
            Paint(view);
            double empty = HeapInUse();
            app.OpenDocumentFile(path);
            int planets = std::max<int>(view->GetDocument()->m_pMap->GetPlanetCount(), 1);
            Report("model", HeapInUse() - empty, planets);
            Paint(view);
            Report("first-paint", HeapInUse() - empty, planets);
            for (int i = 0; i < 3; ++i) {
                view->OnZoomIn();
                Paint(view);
            }
            view->OnHScroll(SB_LINEDOWN, 0, nullptr);
            view->OnHScroll(SB_ENDSCROLL, 0, nullptr);
            Paint(view);
            Report("after-zooms", HeapInUse() - empty, planets);
            status = 0;
        }
        app.ExitInstance();
    }
    std::error_code ec;
    std::filesystem::remove_all(config, ec);
    return status;
}
