// PositionWindow against the platform calls it cannot avoid, in a real
// Win32 window tree.
//
// Placing an editor whose counterpart is not open takes, at the least: the
// frame lookup with its owner check, the client and editor lookups, the
// code page's lead bytes, one pass over the client's children that tells
// an open editor of the client area (class, parent, style, state) and reads
// its title as its owner thread allows (the counterpart search), a second
// pass that tells the editors again and reads their states and positions
// (the stack), the target's owner thread, states and style, and the move
// itself. The bare loop below makes exactly those calls and nothing else;
// the ratio of the two is what the library adds on top of the window
// manager. The first bare loop, which lacks the parent, style and thread
// reads and the lead bytes, is timed in the same run, so that the figures
// measured before those calls stay comparable.
//
// Usage: wine_benchmark PATH-OF-PositionWindow.dll [ROUNDS] [CALLS-PER-ROUND] [MAX-RATIO]
// With MAX-RATIO, it fails when the median ratio to the bare loop exceeds
// it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "testhost/mdi_host.h"

namespace {

typedef void(WINAPI* PositionWindowFunction)(const char*, int, int, BOOL);

constexpr int Editors = 200;
constexpr char TargetTitle[] = "C:\\proj\\target.h";
constexpr int TargetWidth = 400;
constexpr int TargetHeight = 300;

// The bare loops: the calls the library has to make, with the buffer sizes
// it uses, and no work of its own beyond the comparisons that pick branches.
struct BareState {
    HWND target;
    HWND client;
    int placeY;
};

// The first bare loop, as it was before the contract passed over hidden
// editors and panes and read other threads' titles without a message.
// The reads both passes make before a window counts.
bool BareFilterPasses(HWND window, const BareState* state) {
    char className[20];
    GetClassNameA(window, className, 20);
    return window != state->target && !IsIconic(window);
}

BOOL CALLBACK BareSearchProc(HWND window, LPARAM parameter) {
    if (!BareFilterPasses(window, reinterpret_cast<BareState*>(parameter)))
        return TRUE;
    char title[264];
    GetWindowTextA(window, title, 263);
    return TRUE;
}

// The stack's step for an editor that counts, the same in both loops.
BOOL RaiseStack(HWND window, BareState* state) {
    IsZoomed(window);
    RECT rect;
    GetWindowRect(window, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(state->client, &corner);
    const int step = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    if (corner.y >= state->placeY)
        state->placeY = corner.y + step;
    return TRUE;
}

BOOL CALLBACK BareStackProc(HWND window, LPARAM parameter) {
    BareState* state = reinterpret_cast<BareState*>(parameter);
    return BareFilterPasses(window, state) ? RaiseStack(window, state) : TRUE;
}

// The lookups both loops start with: the first frame, if it is this
// process's, its client area and the target in it.
bool LookUpHost(const char* title, BareState* state) {
    const HWND frame = FindWindowExA(nullptr, nullptr, "QDVSHELL", nullptr);
    DWORD owner = 0;
    if (!GetWindowThreadProcessId(frame, &owner) || owner != GetCurrentProcessId())
        return false;
    state->client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    state->target = FindWindowExA(state->client, nullptr, "QDV7Editor", title);
    state->placeY = 0;
    return true;
}

void BareLoop(const char* title, int width, int height) {
    BareState state{};
    if (!LookUpHost(title, &state))
        return;
    EnumChildWindows(state.client, BareSearchProc, reinterpret_cast<LPARAM>(&state));
    EnumChildWindows(state.client, BareStackProc, reinterpret_cast<LPARAM>(&state));
    if (!IsIconic(state.target) && !IsZoomed(state.target))
        SetWindowPos(state.target, nullptr, 0, state.placeY, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bare loop of the contract as it stands. An editor counts when it is
// of the editor class, a child of the client area, visible in its own
// style and not minimised; its owner thread decides whether its title is
// asked for (the caller's own) or read from the window manager.
bool OpenEditorPasses(HWND window, const BareState* state) {
    char className[20];
    GetClassNameA(window, className, 20);
    return window != state->target && std::strcmp(className, "QDV7Editor") == 0 &&
           GetParent(window) == state->client && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0 &&
           !IsIconic(window);
}

BOOL CALLBACK ContractSearchProc(HWND window, LPARAM parameter) {
    if (!OpenEditorPasses(window, reinterpret_cast<BareState*>(parameter)))
        return TRUE;
    char title[264];
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        GetWindowTextA(window, title, 263);
    } else {
        WCHAR wide[263];
        const int length = InternalGetWindowText(window, wide, 263);
        WideCharToMultiByte(CP_ACP, 0, wide, length, title, 263, nullptr, nullptr);
    }
    return TRUE;
}

BOOL CALLBACK ContractStackProc(HWND window, LPARAM parameter) {
    BareState* state = reinterpret_cast<BareState*>(parameter);
    return OpenEditorPasses(window, state) ? RaiseStack(window, state) : TRUE;
}

void ContractLoop(const char* title, int width, int height) {
    BareState state{};
    if (!LookUpHost(title, &state))
        return;
    CPINFO codePage;
    GetCPInfo(CP_ACP, &codePage);
    EnumChildWindows(state.client, ContractSearchProc, reinterpret_cast<LPARAM>(&state));
    EnumChildWindows(state.client, ContractStackProc, reinterpret_cast<LPARAM>(&state));
    if (GetWindowThreadProcessId(state.target, nullptr) != GetCurrentThreadId())
        return;
    const bool iconic = IsIconic(state.target) != FALSE;
    const bool zoomed = !iconic && IsZoomed(state.target) != FALSE;
    // Whether it is hidden, which decides how a maximised one is put back.
    GetWindowLongA(state.target, GWL_STYLE);
    if (!iconic && !zoomed)
        SetWindowPos(state.target, nullptr, 0, state.placeY, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Contestant {
    const char* name;
    void (*run)(const char* title, int width, int height);
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PositionWindow.dll [rounds] [calls-per-round] [max-ratio]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    const int callsPerRound = argc > 3 ? std::atoi(argv[3]) : 20;
    const double maxRatio = argc > 4 ? std::atof(argv[4]) : 0;
    if (rounds < 1 || callsPerRound < 1) {
        std::fprintf(stderr, "rounds and calls per round must be at least 1\n");
        return 2;
    }

    const HMODULE library = LoadLibraryA(argv[1]);
    if (!library) {
        std::fprintf(stderr, "LoadLibraryA(%s) failed: %lu\n", argv[1], GetLastError());
        return 1;
    }
    const auto positionWindow =
        reinterpret_cast<PositionWindowFunction>(reinterpret_cast<void*>(GetProcAddress(library, "PositionWindow")));
    if (!positionWindow) {
        std::fprintf(stderr, "PositionWindow not exported\n");
        return 1;
    }

    if (!mdihost::RegisterHostClasses()) {
        std::fprintf(stderr, "RegisterClassA failed: %lu\n", GetLastError());
        return 1;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    // The frame stays hidden: without a window manager, Wine takes seconds to
    // destroy a shown top-level window.
    const HWND frame = CreateWindowExA(0, "QDVSHELL", "Host IDE", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                       0, 0, 1420, 1000, nullptr, nullptr, instance, nullptr);
    const HWND client = mdihost::CreateClient(frame);
    if (!frame || !client) {
        std::fprintf(stderr, "host windows not created: %lu\n", GetLastError());
        return 1;
    }
    char title[64];
    for (int i = 0; i < Editors; ++i) {
        std::snprintf(title, sizeof title, "C:\\proj\\file%d.txt", i);
        if (!mdihost::OpenEditor(client, title, (i * 13) % 500, (i * 37) % 600, 400, 300)) {
            std::fprintf(stderr, "editor %d not created: %lu\n", i, GetLastError());
            return 1;
        }
    }
    const HWND target = mdihost::OpenEditor(client, TargetTitle, 700, 50, 300, 200);
    if (!target) {
        std::fprintf(stderr, "target not created: %lu\n", GetLastError());
        return 1;
    }
    mdihost::PumpMessages();

    // All three must land the target at the same place, or one of them is
    // not doing the work the others are timed against.
    positionWindow(TargetTitle, TargetWidth, TargetHeight, TRUE);
    const RECT byLibrary = mdihost::RectInClient(target, client);
    bool agree = byLibrary.left == 0 && byLibrary.right - byLibrary.left == TargetWidth;
    for (const Contestant& loop : {Contestant{"first bare loop", BareLoop}, Contestant{"bare loop", ContractLoop}}) {
        SetWindowPos(target, nullptr, 700, 50, 300, 200, SWP_NOZORDER);
        loop.run(TargetTitle, TargetWidth, TargetHeight);
        const RECT byLoop = mdihost::RectInClient(target, client);
        std::printf("target placed by the library at (%ld,%ld)-(%ld,%ld), by the %s at (%ld,%ld)-(%ld,%ld)\n",
                    byLibrary.left, byLibrary.top, byLibrary.right, byLibrary.bottom, loop.name, byLoop.left,
                    byLoop.top, byLoop.right, byLoop.bottom);
        agree = agree && EqualRect(&byLibrary, &byLoop);
    }
    if (!agree) {
        std::fprintf(stderr, "the library and the bare loops disagree on the target's place\n");
        return 1;
    }

    // The library, the first bare loop and the bare loop, each timed over
    // a round of calls; the order turns from round to round, so that none
    // always runs warm.
    const Contestant contestants[] = {{"PositionWindow", nullptr}, {"first bare loop", BareLoop},
                                      {"bare loop", ContractLoop}};
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times[3], firstRatios, ratios;
    for (int round = 0; round < rounds; ++round) {
        double perCall[3];
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (round + turn) % 3;
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            for (int i = 0; i < callsPerRound; ++i) {
                if (which == 0)
                    positionWindow(TargetTitle, TargetWidth, TargetHeight, TRUE);
                else
                    contestants[which].run(TargetTitle, TargetWidth, TargetHeight);
            }
            QueryPerformanceCounter(&end);
            perCall[which] = Seconds(start, end, frequency) / callsPerRound;
            times[which].push_back(perCall[which]);
        }
        firstRatios.push_back(perCall[0] / perCall[1]);
        ratios.push_back(perCall[0] / perCall[2]);
        std::printf("round %2d: PositionWindow %8.1f us  first bare loop %8.1f us  bare loop %8.1f us  "
                    "ratios %.3f %.3f\n",
                    round + 1, perCall[0] * 1e6, perCall[1] * 1e6, perCall[2] * 1e6, firstRatios.back(),
                    ratios.back());
    }
    std::printf("%d editors, %d rounds of %d calls each (%d-bit)\n", Editors + 1, rounds, callsPerRound,
                static_cast<int>(sizeof(void*) * 8));
    std::printf("median per call: PositionWindow %.1f us, first bare loop %.1f us, bare loop %.1f us\n",
                Median(times[0]) * 1e6, Median(times[1]) * 1e6, Median(times[2]) * 1e6);
    const double ratio = Median(ratios);
    std::printf("median ratio to the first bare loop: %.3f\n", Median(firstRatios));
    std::printf("median ratio: %.3f\n", ratio);

    if (maxRatio > 0 && !(ratio <= maxRatio)) {
        std::fprintf(stderr, "the median ratio %.3f to the bare loop is above %.2f\n", ratio, maxRatio);
        return 1;
    }

    DestroyWindow(frame);
    mdihost::PumpMessages();
    FreeLibrary(library);
    return 0;
}
