// Start-up to first paint: the application's own start on the largest map,
// as `kestrin FILE` runs it (settings, template, open, frame and view, show),
// then the first repaint of a 1920 x 1080 client area. Offscreen, so the
// figure leaves out the display server's share.

#include "BenchMaps.h"

#include "app/KestrinApp.h"
#include "res/Register.h"
#include "view/KestrinView.h"

#include "platform/framework/FrameWnd.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

static void BM_StartToFirstPaint(benchmark::State& state)
{
    std::filesystem::path config = std::filesystem::temp_directory_path() / "kestrin-bench-config";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    RegisterKestrinResources();
    const std::string& path = BenchMapPath(32767);
    for (auto _ : state) {
        CKestrinApp app;
        app.m_args = {path};
        if (!app.InitInstance()) {
            state.SkipWithError("start-up failed");
            break;
        }
        auto* view = static_cast<CKestrinView*>(app.GetMainWnd()->GetActiveView());
        view->Invalidate(TRUE);
        view->RefreshBackBuffer();
        state.PauseTiming();
        app.ExitInstance();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(config);
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);
