// Cost of one PositionWindow call against the number of open editors, over
// the simulated window manager. Each call walks the client's children once
// or twice, so the figure that matters is the time per visited editor, and
// that it stays flat as the editors multiply.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

// The simulation first: it supplies the USER32 types the public header uses.
#include "simulation/window_simulation.h"
#include "PositionWindow.h"

namespace {

enum class Case {
    PairedWithCounterpart,     // the header's source is open, last in z-order
    PairedWithoutCounterpart,  // a header whose source is not open
    Unpaired,                  // a file with no counterpart at all
};

constexpr char TargetHeader[] = "C:\\proj\\target.h";
constexpr char TargetSource[] = "C:\\proj\\target.cpp";
constexpr char TargetText[] = "C:\\proj\\target.txt";
constexpr int CounterpartTop = 120;

struct Host {
    HWND client = nullptr;
    HWND target = nullptr;
    const char* title = nullptr;
    // Editors one enumeration pass visits besides the target, times the
    // number of passes the call makes.
    long long visits = 0;
};

// A frame, its client and `editors` other editors, with the target on top
// (a freshly opened editor is the active one) and, when there is one, the
// counterpart at the bottom, so that the search has to pass every editor.
Host BuildHost(Case which, int editors) {
    winsim::Reset();
    Host host;
    const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "Host IDE", RECT{0, 0, 1300, 1000});
    host.client = winsim::CreateWindowSim(frame, "MDIClient", "", RECT{0, 0, 1280, 960});
    host.title = which == Case::Unpaired ? TargetText : TargetHeader;
    host.target = winsim::CreateWindowSim(host.client, "QDV7Editor", host.title, RECT{0, 0, 400, 300});

    const int fillers = which == Case::PairedWithCounterpart ? editors - 1 : editors;
    char title[64];
    for (int i = 0; i < fillers; ++i) {
        std::snprintf(title, sizeof title, "C:\\proj\\file%d.txt", i);
        const int top = (i * 37) % 600;
        winsim::CreateWindowSim(host.client, "QDV7Editor", title, RECT{i % 300, top, 400 + i % 300, top + 300});
    }
    if (which == Case::PairedWithCounterpart)
        winsim::CreateWindowSim(host.client, "QDV7Editor", TargetSource, RECT{880, CounterpartTop, 1280, CounterpartTop + 300});

    // Paired targets search for the counterpart first; without one they then
    // stack, a second pass. Unpaired ones only stack.
    const int passes = which == Case::PairedWithoutCounterpart ? 2 : 1;
    host.visits = static_cast<long long>(passes) * editors;
    return host;
}

void BM_PositionWindow(benchmark::State& state, Case which) {
    const int editors = static_cast<int>(state.range(0));
    Host host = BuildHost(which, editors);
    long long sinceReset = 0;
    for (auto _ : state) {
        PositionWindow(host.title, 400, 300, TRUE);
        // The simulation logs every SetWindowPos; rebuild now and then so the
        // log does not grow for the whole run.
        if (++sinceReset == 1 << 16) {
            state.PauseTiming();
            host = BuildHost(which, editors);
            sinceReset = 0;
            state.ResumeTiming();
        }
    }
    // A benchmark of a call that does the wrong thing is worthless: the last
    // call must have put the header on the left, beside its source if open.
    const auto& calls = winsim::SetWindowPosCalls();
    if (calls.empty() || calls.back().window != host.target || calls.back().x != 0 ||
        (which == Case::PairedWithCounterpart && calls.back().y != CounterpartTop))
        state.SkipWithError("the target was not placed where expected");
    state.SetComplexityN(editors);
    state.counters["editors_visited"] = static_cast<double>(host.visits);
    state.counters["time_per_visit"] = benchmark::Counter(
        static_cast<double>(host.visits), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(BM_PositionWindow, paired_with_counterpart, Case::PairedWithCounterpart)
    ->RangeMultiplier(10)->Range(1, 1000)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_PositionWindow, paired_without_counterpart, Case::PairedWithoutCounterpart)
    ->RangeMultiplier(10)->Range(1, 1000)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_PositionWindow, unpaired, Case::Unpaired)
    ->RangeMultiplier(10)->Range(1, 1000)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
