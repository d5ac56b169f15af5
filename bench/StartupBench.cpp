// SPDX-License-Identifier: MIT
// Start-up to first paint in-process, on every map: the application's own
// start as `kestrin FILE` runs it (settings, template, open, frame and
// view, show), then the first repaint of its client area. Off screen, so
// the figure leaves out the toolkit's and the display server's share of a
// real start; scripts/bench times that under Xvfb.

#include "BenchMaps.h"
#include "EveryMap.h"

#include "app/KestrinApp.h"
#include "res/Register.h"
#include "view/KestrinView.h"

#include "platform/framework/FrameWnd.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

void BM_StartToFirstPaint(benchmark::State& state, BenchMapKind kind)
{
    std::filesystem::path config = std::filesystem::temp_directory_path() /
                                   ("kestrin-bench-config-" + std::to_string(::getpid()));
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    RegisterKestrinResources();
    const std::string& path = BenchMapPath(kind);
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
const bool registered = RegisterForEveryMap("BM_StartToFirstPaint", BM_StartToFirstPaint,
                                            [](auto* b) { b->Unit(benchmark::kMillisecond); });

} // namespace
