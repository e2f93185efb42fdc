#pragma once

#include <climits>

// Placement scenarios shared by the native tests (over the simulated window
// manager) and the Win32 host tests (over the real one). Plain data, and two
// lookups over it, so that both harnesses compile the very same table.
//
// Each scenario lists windows in z-order, top first; the harness builds them
// as children of the host's client area (or as stray top-level windows,
// panes inside an editor, editors of another thread, of another frame of
// the host in front of its own, or of another instance of the host, in
// another process, whose frame comes first), calls PositionWindow and checks
// the target's rectangle in its client area's coordinates (after restoring
// it, for a minimised or maximised target, which must not move before
// that), that no window moved but the target, that every window kept its
// state and visibility, that the z-order and the active editor are
// unchanged, and that the call never waited on another thread. As in a real
// IDE, the client area lies below a toolbar and beside a panel, away from
// the frame's client origin.
// Expected tops are written as a base plus a number of cascade steps, so that
// the table holds for the step of the simulation (25) and of a real platform.
// The tops are chosen so that every outcome holds for steps from 21 to 30.

enum class HostShape {
    Full,      // "QDVSHELL" frame with its "MDIClient"
    NoClient,  // the frame without a client area; editors are its children
    NoFrame,   // no frame at all; every window is top-level
    // No frame, but a stray top-level "MDIClient" holds the editors: a
    // client area is only ever looked for in the host's own frame.
    StrayClient,
    // Full, behind a window of the frame class without a client area, as a
    // hidden helper window of the IDE may be.
    BehindBareFrame,
    // Full, in the states an IDE is in when files are opened from the shell
    // or at start-up. The call is made in that state; the target is checked
    // once the frame is back to normal.
    MinimizedFrame,  // minimised; WM_SIZE goes to DefFrameProc, which sizes the client area to nothing
    FrameInTray,     // minimised, then hidden; the frame lays out its client area on every WM_SIZE
    FrameNotShown,   // not yet shown: the client area has not been sized yet
    MinimizedFrameKeepingClient,  // minimised by a host that leaves its client area as it was
    FrameOffScreen,  // normal, at negative screen coordinates
};

// Whether the host's frame holds its client area, whatever its state.
inline bool HasFullHost(HostShape host) {
    return host != HostShape::NoClient && host != HostShape::NoFrame && host != HostShape::StrayClient;
}

// Whether the client area has no width while the call is made.
inline bool HasEmptyClient(HostShape host) {
    return host == HostShape::MinimizedFrame || host == HostShape::FrameInTray || host == HostShape::FrameNotShown;
}

// Right-to-left layouts (WS_EX_LAYOUTRTL), which mirror client coordinates:
// x = 0 is the client area's right edge on the screen. The Win32 host
// measures on the screen; the simulation has no mirroring and runs these
// scenarios left to right.
enum class Layout {
    LeftToRight,
    FrameMirrored,   // the frame, and so the client area it passes it to
    ClientMirrored,  // the client area alone
};

enum class Edge {
    Left,   // left = 0
    Right,  // right = client width: left = client width - the width the target takes
};

// The width a window with a sizing border takes when asked for `width`, on a
// platform whose tracking widths are `least` and `most`: a negative width is
// none, and the minimum wins over the maximum.
inline long long TakenWidth(int width, int least, int most) {
    long long taken = width < 0 ? 0 : width;
    if (taken > most)
        taken = most;
    return taken < least ? least : taken;
}

enum class Show {
    Normal,
    Minimized,
    Maximized,
    // Opened while the active editor is maximised: MDI opens it maximised
    // and active, as it does when the user works with maximised editors.
    OpenedMaximized,
    // Opened so, and placed from its own WM_CREATE: the call is made while
    // the editor is being created, not by the harness afterwards.
    PlacedFromCreate,
    Hidden,           // hidden with ShowWindow(SW_HIDE)
    CreatedHidden,    // created without WS_VISIBLE (MDIS_ALLCHILDSTYLES)
    HiddenMaximized,  // maximised, then hidden
    HiddenMinimized,  // minimised, then hidden
    // Shown maximised, its restored rectangle exactly where it stands (it
    // was once restored to the maximised size): unlike an editor being
    // created, it is shown, and stays maximised.
    MaximizedAtRestored,
    // Open, and closed as soon as the call has read its title, as another
    // thread may close it: the call finds it, then cannot read where it is.
    ClosedWhenRead,
};

enum class Owner {
    Host,           // a child of the host's client area
    OtherProgram,   // a top-level window outside the host
    OtherInstance,  // a child of another instance's client area
    // A child of the host window listed last before it: a pane inside an
    // editor, say.
    Inside,
    // A child of the host's client area made by another thread, which is
    // busy, handling no messages, while the call runs.
    OtherThread,
    // A child of the client area of another frame of the host, in front of
    // its own.
    FrontFrame,
};

struct ScenarioWindow {
    const char* className;  // null ends the list
    const char* title;
    int left;  // the restored rectangle, for a minimised or maximised one
    int top;
    Show show = Show::Normal;
    Owner owner = Owner::Host;
    int width = 240;
    int height = 120;
    // What its window procedure answers WM_GETTEXT with, if not its title.
    const char* answers = nullptr;
};

struct ScenarioCall {
    const char* title;
    int width;
    int height;
    unsigned sourceOnRight;
};

struct ScenarioExpect {
    int target;  // index of the one window that moves, or -1 for none
    Edge edge;
    int topBase;
    int topSteps;  // expected top = topBase + topSteps * cascade step
};

constexpr int MaxScenarioWindows = 8;

struct Scenario {
    const char* name;
    HostShape host;
    ScenarioWindow windows[MaxScenarioWindows];
    ScenarioCall call;
    ScenarioExpect expect;
    int active = -1;  // the window to activate before the call; -1: the last one opened
    // When set, the first WM_GETTEXT an editor answers during the call calls
    // PositionWindow again with this title, as a host window procedure might.
    const char* nestedTitle = nullptr;
    // The ANSI code page the scenario holds for; 0: any. The Win32 host runs
    // a scenario only in a process of that code page.
    unsigned codePage = 0;
    Layout layout = Layout::LeftToRight;
};

// Whether a scenario has a window of this owner, or shown so: what both
// harnesses build beside the host's own frame and client area.
inline bool HasOwner(const Scenario& s, Owner owner) {
    for (const ScenarioWindow& w : s.windows) {
        if (w.className && w.owner == owner)
            return true;
    }
    return false;
}

inline bool HasShow(const Scenario& s, Show show) {
    for (const ScenarioWindow& w : s.windows) {
        if (w.className && w.show == show)
            return true;
    }
    return false;
}

#define SCENARIO_EDITOR "QDV7Editor"
// 250 characters, to spell titles as long as an editor's title may be read.
#define SCENARIO_D50 "dddddddddddddddddddddddddddddddddddddddddddddddddd"
#define SCENARIO_D250 SCENARIO_D50 SCENARIO_D50 SCENARIO_D50 SCENARIO_D50 SCENARIO_D50
// Characters of code page 932 whose second byte is a backslash (0x5C) or an
// ASCII letter; in code page 1252 the same bytes are two characters each.
#define SCENARIO_HYOU "\x95\x5C"  // 表
#define SCENARIO_SO "\x83\x5C"    // ソ
#define SCENARIO_A "\x83\x41"     // ア
#define SCENARIO_DI "\x83\x61"    // ヂ
#define SCENARIO_A8 SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A
#define SCENARIO_A40 SCENARIO_A8 SCENARIO_A8 SCENARIO_A8 SCENARIO_A8 SCENARIO_A8
// 127 of them, 254 bytes: a name that fits the 255-byte buffer with one
// more byte, and no more.
#define SCENARIO_A127 SCENARIO_A40 SCENARIO_A40 SCENARIO_A40 SCENARIO_A SCENARIO_A SCENARIO_A SCENARIO_A \
    SCENARIO_A SCENARIO_A SCENARIO_A

inline const Scenario PlacementScenarios[] = {
    // Pairs on both edges, with both values of the flag.
    {"header goes left beside its source (sources right)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70}, {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"source goes right beside its header (sources right)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}},
    {"header goes right beside its source (sources left)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 10, 60}, {SCENARIO_EDITOR, "C:\\src\\main.h", 200, 10}},
     {"C:\\src\\main.h", 300, 200, 0}, {1, Edge::Right, 60, 0}},
    {"source goes left beside its header (sources left)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 300, 80}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 100, 250}},
     {"C:\\src\\main.cpp", 300, 200, 0}, {1, Edge::Left, 80, 0}},
    {".hxx pairs with .cxx", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\view.cxx", 350, 45}, {SCENARIO_EDITOR, "C:\\src\\view.hxx", 0, 0}},
     {"C:\\src\\view.hxx", 300, 200, 1}, {1, Edge::Left, 45, 0}},
    {".rc pairs with .rh", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\app.rh", 0, 130}, {SCENARIO_EDITOR, "C:\\src\\app.rc", 0, 0}},
     {"C:\\src\\app.rc", 300, 200, 1}, {1, Edge::Right, 130, 0}},

    // How a counterpart is recognised.
    {"counterpart in another folder and in other case", HostShape::Full,
     {{SCENARIO_EDITOR, "D:\\other\\MAIN.CPP", 0, 110}, {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 0}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 110, 0}},
    {"first match in z-order wins (upper one high)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\a\\util.cpp", 0, 150},
      {SCENARIO_EDITOR, "C:\\b\\util.cpp", 0, 30},
      {SCENARIO_EDITOR, "C:\\src\\util.h", 0, 0}},
     {"C:\\src\\util.h", 300, 200, 1}, {2, Edge::Left, 150, 0}},
    {"first match in z-order wins (upper one low)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\b\\util.cpp", 0, 30},
      {SCENARIO_EDITOR, "C:\\a\\util.cpp", 0, 150},
      {SCENARIO_EDITOR, "C:\\src\\util.h", 0, 0}},
     {"C:\\src\\util.h", 300, 200, 1}, {2, Edge::Left, 30, 0}},
    {"minimised counterpart is ignored and the header is stacked", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 50, Show::Minimized},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 20, 1}},
    {"a lone header against the right edge is stacked", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\other.cpp", 0, 40}, {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 0}},
     {"C:\\src\\main.h", 300, 200, 0}, {1, Edge::Right, 40, 1}},
    {"a window of another class with the target's title is not the target", HostShape::Full,
     {{"QDV7EditorX", "C:\\src\\main.h", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 70, 0}},
    {"other classes and class names that only start like an editor's", HostShape::Full,
     {{"QDV7EditorX", "C:\\src\\main.cpp", 0, 200},
      {"QDV7EditorWithLongName", "C:\\src\\main.cpp", 0, 150},
      {"Edit", "C:\\src\\main.cpp", 0, 100},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {3, Edge::Left, 0, 0}},
    {"an editor of another program is neither counterpart nor cascaded", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 100, Show::Normal, Owner::OtherProgram},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 0, 0}},

    // Unpaired files and the cascade.
    {"unpaired file goes left and is stacked (sources right)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\a.h", 500, 0},
      {SCENARIO_EDITOR, "C:\\src\\b.cpp", 500, 40},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 300, 300}},
     {"C:\\src\\notes.txt", 300, 200, 1}, {2, Edge::Left, 40, 1}},
    {"unpaired file goes left and is stacked (sources left)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\a.h", 500, 0},
      {SCENARIO_EDITOR, "C:\\src\\b.cpp", 500, 40},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 300, 300}},
     {"C:\\src\\notes.txt", 300, 200, 0}, {2, Edge::Left, 40, 1}},
    {".hpp has no counterpart even beside a .cpp", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70}, {SCENARIO_EDITOR, "C:\\src\\main.hpp", 0, 0}},
     {"C:\\src\\main.hpp", 300, 200, 1}, {1, Edge::Left, 70, 1}},
    {"cascade is one pass: tops 10, 30, 0", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 10},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, 30},
      {SCENARIO_EDITOR, "C:\\s\\c.txt", 0, 0},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 200}},
     {"C:\\s\\new.txt", 300, 200, 1}, {3, Edge::Left, 10, 1}},
    // b's top lies within a's cascade step and c's past it for any step
    // from 11 to 50: the simulation's is 25, Wine 8's 27, Wine 10's 34.
    {"cascade is one pass: tops 0, 10, 50", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 0},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, 10},
      {SCENARIO_EDITOR, "C:\\s\\c.txt", 0, 50},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 200}},
     {"C:\\s\\new.txt", 300, 200, 1}, {3, Edge::Left, 50, 1}},
    {"cascade is one pass: tops 30, 0, 10", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 30},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, 0},
      {SCENARIO_EDITOR, "C:\\s\\c.txt", 0, 10},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 200}},
     {"C:\\s\\new.txt", 300, 200, 1}, {3, Edge::Left, 30, 1}},
    // c's top is at or below the bottom of the client area, 600 high in the
    // simulation and about 640 under Wine: a step below it is out of sight.
    {"a stack that reached the bottom starts again at the top", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 0},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, 300},
      {SCENARIO_EDITOR, "C:\\s\\c.txt", 0, 640},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 50, 100}},
     {"C:\\s\\new.txt", 300, 200, 1}, {3, Edge::Left, 0, 0}},
    {"editors above the client origin never raise the top", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, -50},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, -10},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 200}},
     {"C:\\s\\new.txt", 300, 200, 1}, {2, Edge::Left, 0, 0}},
    {"negative tops are passed over, later ones still count", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, -50},
      {SCENARIO_EDITOR, "C:\\s\\b.txt", 0, 5},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 200}},
     {"C:\\s\\new.txt", 300, 200, 1}, {2, Edge::Left, 5, 1}},
    {"a one-character title is placed like any other", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 40}, {SCENARIO_EDITOR, "x", 0, 300}},
     {"x", 300, 200, 1}, {1, Edge::Left, 40, 1}},
    {"the target never counts: alone it goes to the top", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\new.txt", 100, 300}},
     {"C:\\s\\new.txt", 300, 200, 1}, {0, Edge::Left, 0, 0}},

    // The flag and the size.
    {"only the low byte of the flag counts (0x100 is false)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 10, 60}, {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 0}},
     {"C:\\src\\main.h", 300, 200, 0x100}, {1, Edge::Right, 60, 0}},
    {"only the low byte of the flag counts (0xFFFFFF00 is false)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 10, 60}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\main.cpp", 300, 200, 0xFFFFFF00u}, {1, Edge::Left, 60, 0}},
    {"only the low byte of the flag counts (0x01 is true)", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 10, 60}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\main.cpp", 300, 200, 0xABCD0001u}, {1, Edge::Right, 60, 0}},
    {"a width beyond the client gives a negative left", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\main.cpp", 1000, 200, 1}, {0, Edge::Right, 0, 0}},
    // The platform holds an editor between its tracking widths, whatever
    // width is asked: against the right edge it still ends at the edge.
    {"a width of 0 still ends at the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 0, 200, 1}, {1, Edge::Right, 90, 0}},
    {"a width of -1 still ends at the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", -1, 200, 1}, {1, Edge::Right, 90, 0}},
    {"a width of INT_MIN still ends at the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70}, {SCENARIO_EDITOR, "C:\\src\\main.h", 5, 5}},
     {"C:\\src\\main.h", INT_MIN, 200, 0}, {1, Edge::Right, 70, 0}},
    {"a width of 5000 still ends at the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 5000, 200, 1}, {1, Edge::Right, 90, 0}},
    {"a width of INT_MAX still ends at the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\other.cpp", 0, 40}, {SCENARIO_EDITOR, "C:\\src\\main.h", 5, 5}},
     {"C:\\src\\main.h", INT_MAX, 200, 0}, {1, Edge::Right, 40, 1}},
    {"a maximised target given INT_MAX restores against the right edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 30, 200, Show::Maximized}},
     {"C:\\src\\main.cpp", INT_MAX, 200, 1}, {1, Edge::Right, 90, 0}},

    // Titles.
    {"a title with a colon suffix pairs by its file name", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 75}, {SCENARIO_EDITOR, "C:\\src\\main.cpp:2", 0, 0}},
     {"C:\\src\\main.cpp:2", 300, 200, 1}, {1, Edge::Right, 75, 0}},
    {"a counterpart with a space suffix is recognised", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h [Read Only]", 0, 85}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 85, 0}},
    {"a suffix holding a slash pairs by its file name", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 75}, {SCENARIO_EDITOR, "C:\\src\\main.cpp [1/2]", 0, 0}},
     {"C:\\src\\main.cpp [1/2]", 300, 200, 1}, {1, Edge::Right, 75, 0}},
    {"a folder with a space still pairs", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\Program Files\\app\\main.cpp", 0, 95},
      {SCENARIO_EDITOR, "C:\\Program Files\\app\\main.h", 0, 0}},
     {"C:\\Program Files\\app\\main.h", 300, 200, 1}, {1, Edge::Left, 95, 0}},
    {"the target is looked up by its exact title, in any case", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"c:\\SRC\\Main.CPP", 300, 200, 1}, {1, Edge::Right, 65, 0}},

    // A host with real MDI editors: activation, states, other instances.
    {"an inactive target is placed without being activated or raised", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 70, 0}, 0},
    {"a maximised target stays maximised and restores to its placement", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::Maximized}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"a minimised target stays minimised and restores to its placement", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 30, 200, Show::Minimized}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}},
    {"an editor opened while the active one is maximised stays maximised", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::OpenedMaximized}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"a maximised counterpart counts by its restored top", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70, Show::Maximized},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"a maximised editor is stacked by its restored top", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 40, Show::Maximized},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 300}},
     {"C:\\s\\new.txt", 300, 200, 1}, {1, Edge::Left, 40, 1}},
    {"another instance's frame comes first: only our own editor moves", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 150, Show::Normal, Owner::OtherInstance},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 20, 20, Show::Normal, Owner::OtherInstance},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {3, Edge::Right, 90, 0}},
    {"a call nested in the host's WM_GETTEXT returns at once", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 150},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 70, 0}, -1, "C:\\src\\notes.txt"},

    // Only what the user sees open counts: not a hidden editor, nor a pane
    // inside an editor; a hidden target stays hidden.
    {"a hidden counterpart is passed over and the header is stacked", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 200, Show::Hidden},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 20, 1}},
    {"an editor created hidden does not raise the stack", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 300, Show::CreatedHidden},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 100}},
     {"C:\\s\\new.txt", 300, 200, 1}, {1, Edge::Left, 0, 0}},
    {"a hidden maximised target stays so and restores to its placement", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::HiddenMaximized}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"a hidden minimised target stays so and restores to its placement", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 30, 200, Show::HiddenMinimized}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}},
    {"a pane of the editor class inside an editor is no counterpart", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 60},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 10, 40, Show::Normal, Owner::Inside, 200, 60},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 60, 1}},
    {"a pane low inside an editor does not raise the stack", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\s\\pane.txt", 0, 200, Show::Normal, Owner::Inside, 200, 60},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 300}},
     {"C:\\s\\new.txt", 300, 200, 1}, {2, Edge::Left, 20, 1}},
    {"a pane inside a minimised editor does not push the stack out of sight", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 40, Show::Minimized},
      {SCENARIO_EDITOR, "C:\\s\\pane.txt", 0, 500, Show::Normal, Owner::Inside, 200, 60},
      {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 300}},
     {"C:\\s\\new.txt", 300, 200, 1}, {2, Edge::Left, 0, 0}},
    // In the simulation the second editor's handle is below the client
    // area's, the first one's above it: an editor is told by its parent
    // being the client area, not by how handles compare.
    {"a pane inside the second editor is no counterpart either", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\other.txt", 0, 60},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 10, 40, Show::Normal, Owner::Inside, 200, 60},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {3, Edge::Left, 60, 1}},
    {"an editor inside another window of the client area is no editor", HostShape::Full,
     {{"QDV7EditorX", "C:\\src\\holder", 0, 100, Show::Normal, Owner::Host, 400, 300},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 30, Show::Normal, Owner::Inside, 200, 100},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 0, 0}},

    // In whichever frame of the host holds the editor.
    {"another frame of the host in front holds other editors", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\other.cpp", 0, 40, Show::Normal, Owner::FrontFrame},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 70, 0}},
    {"a window of the frame class without a client area in front", HostShape::BehindBareFrame,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70}, {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"the frame in front holds the titled editor too: its own is placed", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 110, Show::Normal, Owner::FrontFrame},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300, Show::Normal, Owner::FrontFrame},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 200}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 110, 0}},

    // Another thread's editors: the call never waits for a busy thread.
    // The calling thread's own editors are asked for their titles, as
    // GetWindowTextA asks; another thread's are read as stored.
    {"the title an editor answers WM_GETTEXT with is what pairs", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 400, 70, Show::Normal, Owner::Host, 240, 120, "C:\\src\\main.cpp"},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"a counterpart on a busy thread is found without waiting for it", HostShape::Full,
     {{SCENARIO_EDITOR, "", 200, 10, Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70, Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 70, 0}},
    {"932: a busy thread's double-byte title is read in the code page", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_SO ".cpp", 400, 30, Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".cpp", 400, 110, Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_HYOU ".h", 300, 200, 1}, {2, Edge::Left, 110, 0}, -1, nullptr, 932},
    // 262 characters of up to 2 bytes each: the conversion needs room for
    // 511 bytes before the read is cut, between characters, at 262.
    {"932: a busy thread's title of 262 double-byte characters is read whole to the cut", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".cpp [" SCENARIO_A40 SCENARIO_A40 SCENARIO_A40 SCENARIO_A40
       SCENARIO_A40 SCENARIO_A40 SCENARIO_A8, 400, 110, Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_HYOU ".h", 300, 200, 1}, {1, Edge::Left, 110, 0}, -1, nullptr, 932},
    {"a busy thread's title of 263 characters is read cut short", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\" SCENARIO_D250 "d\\main.cpp", 0, 55,
       Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 55, 1}},
    // Another thread's target is that thread's to move: it shares the
    // caller's input queue, and any move of it would wait for that thread.
    {"a target on a busy thread is left as it is", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300, Show::Normal, Owner::OtherThread}},
     {"C:\\src\\main.h", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"a maximised target on a busy thread is left as it is", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::Maximized, Owner::OtherThread}},
     {"C:\\src\\main.h", 300, 200, 1}, {-1, Edge::Left, 0, 0}},

    // A shown maximised editor never stands at its restored rectangle, but
    // for one restored once to the maximised size.
    {"a shown maximised target at its restored rectangle stays maximised", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::MaximizedAtRestored}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},
    {"an editor opened maximised and placed from its WM_CREATE restores to it", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 30, Show::PlacedFromCreate}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}},

    // The IDE minimised, in the tray or starting up: a client area with no
    // width has no right edge to go by, and what is placed left of it is out
    // of sight once the IDE is restored. The top is still the counterpart's.
    {"minimised frame: a source for the right edge goes to the left edge", HostShape::MinimizedFrame,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 120}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 400, 300, 1}, {1, Edge::Left, 120, 0}},
    {"minimised frame: a maximised header for the right edge restores at the left", HostShape::MinimizedFrame,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::Maximized}},
     {"C:\\src\\main.h", 300, 200, 0}, {1, Edge::Left, 70, 0}},
    {"minimised frame: an unpaired file is stacked as ever", HostShape::MinimizedFrame,
     {{SCENARIO_EDITOR, "C:\\s\\a.txt", 0, 40}, {SCENARIO_EDITOR, "C:\\s\\new.txt", 0, 300}},
     {"C:\\s\\new.txt", 300, 200, 1}, {1, Edge::Left, 40, 1}},
    {"frame in the tray: a header for the right edge goes to the left edge", HostShape::FrameInTray,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 10, 60}, {SCENARIO_EDITOR, "C:\\src\\main.h", 200, 10}},
     {"C:\\src\\main.h", 300, 200, 0}, {1, Edge::Left, 60, 0}},
    {"frame not yet shown: a source for the right edge goes to the left edge", HostShape::FrameNotShown,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Left, 90, 0}},
    {"minimised frame that keeps its client area: the right edge as ever", HostShape::MinimizedFrameKeepingClient,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}},
    {"a frame at negative screen coordinates: the right edge as ever", HostShape::FrameOffScreen,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}},
    {"two editors of one title: the first in z-order is placed", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 10, 300},
      {SCENARIO_EDITOR, "C:\\src\\notes.txt", 20, 250}},
     {"C:\\src\\notes.txt", 300, 200, 1}, {1, Edge::Left, 250, 1}},

    // Right-to-left layouts: a pair still lands at opposite edges at equal
    // tops, and a maximised or minimised target stays where it stands.
    {"mirrored frame: the source goes to the far edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 5, 5}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}, -1, nullptr, 0, Layout::FrameMirrored},
    {"mirrored frame: a maximised header", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::Maximized}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}, -1, nullptr, 0, Layout::FrameMirrored},
    {"mirrored frame: a minimised source", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 30, 200, Show::Minimized}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}, -1, nullptr, 0, Layout::FrameMirrored},
    {"mirrored client: the header goes to the near edge", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70}, {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}, -1, nullptr, 0, Layout::ClientMirrored},
    {"mirrored client: a maximised source", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 90},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 30, 200, Show::Maximized}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {1, Edge::Right, 90, 0}, -1, nullptr, 0, Layout::ClientMirrored},
    {"mirrored client: a minimised header", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 30, 200, Show::Minimized}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 70, 0}, -1, nullptr, 0, Layout::ClientMirrored},

    // Double-byte code pages: the second byte of a character is neither a
    // backslash nor a letter. In 932, 表.h pairs with 表.cpp, not with ソ.cpp
    // above it, and ア.h not with ヂ.cpp; in 1252 the same bytes hold a
    // backslash and the letters A and a, and give the opposite outcomes.
    {"932: a second byte 0x5C is no backslash", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_SO ".cpp", 400, 30},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".cpp", 400, 110},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_HYOU ".h", 300, 200, 1}, {2, Edge::Left, 110, 0}, -1, nullptr, 932},
    {"1252: the same bytes hold a backslash", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_SO ".cpp", 400, 30},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".cpp", 400, 110},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_HYOU ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_HYOU ".h", 300, 200, 1}, {2, Edge::Left, 30, 0}, -1, nullptr, 1252},
    {"932: a second byte 0x41 or 0x61 is no letter to fold", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_DI ".cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_A ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_A ".h", 300, 200, 1}, {1, Edge::Left, 70, 1}, -1, nullptr, 932},
    {"1252: the same bytes hold the letters A and a", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\" SCENARIO_DI ".cpp", 400, 70},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_A ".h", 0, 300}},
     {"C:\\src\\" SCENARIO_A ".h", 300, 200, 1}, {1, Edge::Left, 70, 0}, -1, nullptr, 1252},
    {"ASCII letters beside double-byte characters still fold", HostShape::Full,
     {{SCENARIO_EDITOR, "D:\\OTHER\\" SCENARIO_A SCENARIO_HYOU "X.CPP", 400, 90},
      {SCENARIO_EDITOR, "C:\\src\\" SCENARIO_A SCENARIO_HYOU "x.h", 0, 300}},
     {"C:\\src\\" SCENARIO_A SCENARIO_HYOU "x.h", 300, 200, 1}, {1, Edge::Left, 90, 0}},

    // Titles as long as an editor's title is read (262 characters) pair;
    // one character more is cut from the read and no longer does.
    {"a counterpart titled with 262 characters is found", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\" SCENARIO_D250 "\\main.cpp", 0, 55},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 55, 0}},
    {"a counterpart titled with 263 characters is read cut short", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\" SCENARIO_D250 "d\\main.cpp", 0, 55},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 55, 1}},
    // A name is only known whole from a title read whole, or one whose
    // suffix begins within what was read.
    {"a title read cut right after its .cpp does not pair", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\" SCENARIO_D250 "\\main.cpp.txt", 0, 55},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 55, 1}},
    {"a busy thread's title read cut right after its .cpp does not pair", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\" SCENARIO_D250 "\\main.cpp.txt", 0, 55,
       Show::Normal, Owner::OtherThread},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {1, Edge::Left, 55, 1}},
    // A file name cut at its 255-byte buffer is only the start of the
    // file's: 256 d's cut to 255, which another file's whole name is; 127
    // characters and "AX" cut to 127 and "A".
    {"a counterpart whose file name is too long for its buffer does not pair", HostShape::Full,
     {{SCENARIO_EDITOR, SCENARIO_D250 "dddddd.cpp", 400, 70},
      {SCENARIO_EDITOR, SCENARIO_D250 "ddddd.h", 0, 300}},
     {SCENARIO_D250 "ddddd.h", 300, 200, 1}, {1, Edge::Left, 70, 1}},
    {"a file name too long for its buffer pairs with nothing", HostShape::Full,
     {{SCENARIO_EDITOR, SCENARIO_A127 "A.cpp", 400, 70}, {SCENARIO_EDITOR, SCENARIO_A127 "AX.h", 0, 300}},
     {SCENARIO_A127 "AX.h", 300, 200, 1}, {1, Edge::Left, 70, 1}},
    {"a counterpart closed once it is found is no counterpart", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\notes.txt", 0, 20},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 400, 70, Show::ClosedWhenRead},
      {SCENARIO_EDITOR, "C:\\src\\main.h", 0, 300}},
     {"C:\\src\\main.h", 300, 200, 1}, {2, Edge::Left, 20, 1}},

    // Nothing to move.
    {"a title that names no editor moves nothing", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\absent.cpp", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"a suffix alone does not name the editor", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0}},
     {"C:\\src\\main.cpp:2", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"an empty title moves nothing", HostShape::Full,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "", 0, 0}},
     {"", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"without a client area nothing moves", HostShape::NoClient,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 0, 0},
      {SCENARIO_EDITOR, "C:\\src\\main.cpp", 20, 20, Show::Normal, Owner::OtherProgram}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"without a frame nothing moves, not even another program's editor", HostShape::NoFrame,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 40, 40}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
    {"without a frame a stray client area's editors do not move", HostShape::StrayClient,
     {{SCENARIO_EDITOR, "C:\\src\\main.h", 0, 65}, {SCENARIO_EDITOR, "C:\\src\\main.cpp", 40, 40}},
     {"C:\\src\\main.cpp", 300, 200, 1}, {-1, Edge::Left, 0, 0}},
};

#undef SCENARIO_EDITOR
#undef SCENARIO_D50
#undef SCENARIO_D250
#undef SCENARIO_HYOU
#undef SCENARIO_SO
#undef SCENARIO_A
#undef SCENARIO_DI
#undef SCENARIO_A8
#undef SCENARIO_A40
#undef SCENARIO_A127
