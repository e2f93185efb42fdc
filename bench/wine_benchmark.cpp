// PositionWindow against the platform calls it cannot avoid, in a real
// Win32 window tree.
//
// Placing an editor whose counterpart is not open takes, at the least: the
// frame lookup with its owner check, the client and editor lookups, one
// pass over the client's children reading class, state and title (the
// counterpart search), a second pass reading class, states and position
// (the stacking), the target's state, and the move itself. The
// bare loop below makes exactly those calls and nothing else; the ratio of
// the two is what the library adds on top of the window manager.
//
// Usage: wine_benchmark PATH-OF-PositionWindow.dll [ROUNDS] [CALLS-PER-ROUND]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/mdi_host.h"

namespace {

typedef void(WINAPI* PositionWindowFunction)(const char*, int, int, BOOL);

constexpr int Editors = 200;
constexpr char TargetTitle[] = "C:\\proj\\target.h";
constexpr int TargetWidth = 400;
constexpr int TargetHeight = 300;

// The bare loop: the calls the library has to make, with the buffer sizes
// it uses, and no work of its own beyond the comparisons that pick branches.
struct BareState {
    HWND target;
    HWND client;
    int placeY;
};

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

BOOL CALLBACK BareStackProc(HWND window, LPARAM parameter) {
    BareState* state = reinterpret_cast<BareState*>(parameter);
    if (!BareFilterPasses(window, state))
        return TRUE;
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

void BareLoop(const char* title, int width, int height) {
    const HWND frame = FindWindowExA(nullptr, nullptr, "QDVSHELL", nullptr);
    DWORD owner = 0;
    if (!GetWindowThreadProcessId(frame, &owner) || owner != GetCurrentProcessId())
        return;
    const HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    BareState state = {FindWindowExA(client, nullptr, "QDV7Editor", title), client, 0};
    EnumChildWindows(client, BareSearchProc, reinterpret_cast<LPARAM>(&state));
    EnumChildWindows(client, BareStackProc, reinterpret_cast<LPARAM>(&state));
    if (!IsIconic(state.target) && !IsZoomed(state.target))
        SetWindowPos(state.target, nullptr, 0, state.placeY, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

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
        std::fprintf(stderr, "usage: %s PositionWindow.dll [rounds] [calls-per-round]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    const int callsPerRound = argc > 3 ? std::atoi(argv[3]) : 20;

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

    // Both must land the target at the same place, or one of them is not
    // doing the work the other is timed against.
    positionWindow(TargetTitle, TargetWidth, TargetHeight, TRUE);
    const RECT byLibrary = mdihost::RectInClient(target, client);
    SetWindowPos(target, nullptr, 700, 50, 300, 200, SWP_NOZORDER);
    BareLoop(TargetTitle, TargetWidth, TargetHeight);
    const RECT byBareLoop = mdihost::RectInClient(target, client);
    std::printf("target placed by the library at (%ld,%ld)-(%ld,%ld), by the bare loop at (%ld,%ld)-(%ld,%ld)\n",
                byLibrary.left, byLibrary.top, byLibrary.right, byLibrary.bottom, byBareLoop.left,
                byBareLoop.top, byBareLoop.right, byBareLoop.bottom);
    if (!EqualRect(&byLibrary, &byBareLoop) || byLibrary.left != 0 ||
        byLibrary.right - byLibrary.left != TargetWidth) {
        std::fprintf(stderr, "the library and the bare loop disagree on the target's place\n");
        return 1;
    }

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> libraryTimes, bareTimes, ratios;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, middle, end;
        // Alternate which goes first, so that neither always runs warm.
        const bool libraryFirst = round % 2 == 0;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < callsPerRound; ++i) {
            if (libraryFirst)
                positionWindow(TargetTitle, TargetWidth, TargetHeight, TRUE);
            else
                BareLoop(TargetTitle, TargetWidth, TargetHeight);
        }
        QueryPerformanceCounter(&middle);
        for (int i = 0; i < callsPerRound; ++i) {
            if (libraryFirst)
                BareLoop(TargetTitle, TargetWidth, TargetHeight);
            else
                positionWindow(TargetTitle, TargetWidth, TargetHeight, TRUE);
        }
        QueryPerformanceCounter(&end);
        const double first = Seconds(start, middle, frequency) / callsPerRound;
        const double second = Seconds(middle, end, frequency) / callsPerRound;
        const double libraryTime = libraryFirst ? first : second;
        const double bareTime = libraryFirst ? second : first;
        libraryTimes.push_back(libraryTime);
        bareTimes.push_back(bareTime);
        ratios.push_back(libraryTime / bareTime);
        std::printf("round %2d: PositionWindow %8.1f us  bare loop %8.1f us  ratio %.3f\n", round + 1,
                    libraryTime * 1e6, bareTime * 1e6, libraryTime / bareTime);
    }
    std::printf("%d editors, %d rounds of %d calls each (%d-bit)\n", Editors + 1, rounds, callsPerRound,
                static_cast<int>(sizeof(void*) * 8));
    std::printf("median per call: PositionWindow %.1f us, bare loop %.1f us\n", Median(libraryTimes) * 1e6,
                Median(bareTimes) * 1e6);
    std::printf("median ratio: %.3f\n", Median(ratios));

    DestroyWindow(frame);
    mdihost::PumpMessages();
    FreeLibrary(library);
    return 0;
}
