#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/window_api.h"  // before the public header, which needs WINAPI
#include "PositionWindow.h"
#include "placement/editor_searches.h"
#include "placement/placement_state.h"
#include "placement_scenarios.h"
#include "simulation/window_simulation.h"
#include "rect_format.h"

namespace {

constexpr int SimulatedStep = 25;  // caption 19 + 2 * frame 3
constexpr RECT FrameRect{50, 40, 990, 700};
constexpr RECT OffScreenFrameRect{-1500, -1200, -560, -540};
// Below a toolbar and beside a panel, as in a real IDE: a top read in the
// frame's coordinates instead of the client area's is off by this much.
constexpr RECT ClientRectInFrame{120, 30, 920, 630};

::testing::AssertionResult RectsEqual(const char* expectedText, const char* actualText,
                                      const RECT& expected, const RECT& actual) {
    if (SameRect(expected, actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actualText << " is " << FormatRect(actual)
                                         << ", expected " << expectedText << " = "
                                         << FormatRect(expected);
}
#define EXPECT_RECT(expected, actual) EXPECT_PRED_FORMAT2(RectsEqual, expected, actual)

winsim::WindowState StateOf(Show show) {
    switch (show) {
    case Show::Minimized:
    case Show::HiddenMinimized:
        return winsim::WindowState::Minimized;
    case Show::Maximized:
    case Show::MaximizedAtRestored:
    case Show::OpenedMaximized:
    case Show::PlacedFromCreate:
    case Show::HiddenMaximized:
        return winsim::WindowState::Maximized;
    default:
        return winsim::WindowState::Normal;
    }
}

bool IsHidden(Show show) {
    return show == Show::Hidden || show == Show::CreatedHidden || show == Show::HiddenMaximized ||
           show == Show::HiddenMinimized;
}

// The nested call a scenario asks for, made from the first title read.
const Scenario* nestedScenario = nullptr;
void CallFromTitleRead(HWND) {
    const Scenario* s = nestedScenario;
    nestedScenario = nullptr;
    if (s)
        PositionWindow(s->nestedTitle, s->call.width, s->call.height, static_cast<BOOL>(s->call.sourceOnRight));
}

bool IsMinimizedFrame(HostShape host) {
    return host == HostShape::MinimizedFrame || host == HostShape::FrameInTray ||
           host == HostShape::MinimizedFrameKeepingClient;
}

// A host built in the simulation from a scenario. Frames made first come
// first in z-order: another instance's, in process `otherProcess`, then
// another of the host's own, or a bare one, then the host's.
struct SimHost {
    HWND frame = nullptr;
    HWND client = nullptr;
    HWND otherClient = nullptr;
    HWND frontClient = nullptr;
    std::vector<HWND> windows;  // in scenario order

    explicit SimHost(const Scenario& s, DWORD otherProcess = winsim::CurrentProcess + 1,
                     DWORD otherThread = winsim::CurrentThread + 1) {
        winsim::Reset();
        if (s.codePage)
            winsim::SetAnsiCodePage(s.codePage);
        const auto Frame = [](DWORD process, RECT rect = FrameRect,
                              winsim::WindowState state = winsim::WindowState::Normal) {
            return winsim::CreateWindowSim(nullptr, "QDVSHELL", "IDE", rect, state, process);
        };
        const auto Client = [](HWND parent, DWORD process) {
            return winsim::CreateWindowSim(parent, "MDIClient", "", ClientRectInFrame, winsim::WindowState::Normal,
                                           process);
        };
        if (HasOwner(s, Owner::OtherInstance))
            otherClient = Client(Frame(otherProcess), otherProcess);
        if (HasOwner(s, Owner::FrontFrame))
            frontClient = Client(Frame(winsim::CurrentProcess), winsim::CurrentProcess);
        if (s.host == HostShape::BehindBareFrame)
            Frame(winsim::CurrentProcess);
        if (s.host != HostShape::NoFrame && s.host != HostShape::StrayClient)
            frame = Frame(winsim::CurrentProcess, s.host == HostShape::FrameOffScreen ? OffScreenFrameRect : FrameRect,
                          IsMinimizedFrame(s.host) ? winsim::WindowState::Minimized : winsim::WindowState::Normal);
        if (s.host != HostShape::NoFrame && s.host != HostShape::NoClient)
            client = Client(frame, winsim::CurrentProcess);
        HWND lastHostWindow = nullptr;
        for (const ScenarioWindow& w : s.windows) {
            if (!w.className)
                break;
            HWND parent = client ? client : frame;
            if (w.owner == Owner::OtherProgram)
                parent = nullptr;
            else if (w.owner == Owner::OtherInstance)
                parent = otherClient;
            else if (w.owner == Owner::FrontFrame)
                parent = frontClient;
            else if (w.owner == Owner::Inside)
                parent = lastHostWindow;
            const RECT rect{w.left, w.top, w.left + w.width, w.top + w.height};
            const HWND window = winsim::CreateWindowSim(
                parent, w.className, w.title, rect, StateOf(w.show),
                w.owner == Owner::OtherInstance ? otherProcess : winsim::CurrentProcess);
            if (w.owner == Owner::OtherThread)
                winsim::SetThread(window, otherThread);
            if (w.show == Show::MaximizedAtRestored)
                winsim::SetRestoredRect(window, winsim::RectInParent(window));
            winsim::SetAnsweredText(window, w.answers);
            // MDI gives its children a sizing border, and so does a
            // top-level window's WS_OVERLAPPEDWINDOW; a pane has none.
            winsim::SetSizingBorder(window, w.owner != Owner::Inside);
            if (IsHidden(w.show))
                winsim::Hide(window);
            if (w.show == Show::PlacedFromCreate)
                winsim::BeginCreation(window);
            if (w.show == Show::ClosedWhenRead)
                winsim::DestroyAfterTitleRead(window);
            if (w.owner == Owner::Host)
                lastHostWindow = window;
            windows.push_back(window);
        }
        // The active MDI child is the top one.
        if (s.active >= 0)
            SetWindowPos(windows[s.active], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (s.nestedTitle) {
            nestedScenario = &s;
            winsim::SetTextHook(CallFromTitleRead);
        }
        // The frame's state at the call: minimised, in the tray or not yet
        // shown, its client area has no size yet, or none any more.
        if (s.host == HostShape::FrameInTray || s.host == HostShape::FrameNotShown)
            winsim::Hide(frame);
        if (HasEmptyClient(s.host))
            winsim::SetRestoredRect(client, RECT{});
    }

    // The frame back to normal, its client area laid out as ever.
    void RestoreFrame() const {
        if (!frame || !client)
            return;
        winsim::Restore(frame);
        winsim::SetRestoredRect(client, ClientRectInFrame);
    }
};

// Every window's rectangle, state and visibility, and every parent's child
// order.
struct TreeSnapshot {
    std::vector<RECT> rects;
    std::vector<std::vector<HWND>> orders;

    std::vector<winsim::WindowState> states;
    std::vector<bool> visible;
    std::vector<int> moves;

    explicit TreeSnapshot(const SimHost& host) {
        for (HWND w : host.windows) {
            rects.push_back(winsim::RectInParent(w));
            states.push_back(winsim::State(w));
            visible.push_back(winsim::IsVisible(w));
            moves.push_back(winsim::MoveCount(w));
        }
        for (HWND parent : {static_cast<HWND>(nullptr), host.frame, host.client, host.otherClient, host.frontClient})
            orders.push_back(winsim::Children(parent));
    }

    // Window `i`, closed meanwhile, as the simulation reports a closed one.
    void Forget(size_t i, HWND window) {
        rects[i] = RECT{};
        states[i] = winsim::WindowState::Normal;
        visible[i] = false;
        moves[i] = 0;
        for (std::vector<HWND>& order : orders)
            order.erase(std::remove(order.begin(), order.end(), window), order.end());
    }
};

void RunScenario(const Scenario& s, DWORD otherProcess, DWORD otherThread = winsim::CurrentThread + 1) {
    SCOPED_TRACE(s.name);
    SimHost host(s, otherProcess, otherThread);
    TreeSnapshot before(host);

    PositionWindow(s.call.title, s.call.width, s.call.height, static_cast<BOOL>(s.call.sourceOnRight));
    // An editor placed from its WM_CREATE is shown maximised once created.
    for (size_t i = 0; i < host.windows.size(); ++i) {
        if (s.windows[i].show == Show::PlacedFromCreate) {
            winsim::FinishCreation(host.windows[i]);
            before.visible[i] = true;
        }
    }

    for (size_t i = 0; i < host.windows.size(); ++i) {
        if (s.windows[i].show == Show::ClosedWhenRead) {
            EXPECT_FALSE(winsim::Exists(host.windows[i])) << "no title was read of window " << i;
            before.Forget(i, host.windows[i]);
        }
    }

    const TreeSnapshot after(host);
    EXPECT_EQ(0, winsim::CrossThreadWaits()) << "the call waited on another thread";
    EXPECT_TRUE(before.orders == after.orders) << "z-order changed";
    EXPECT_TRUE(before.states == after.states) << "a window's state changed";
    EXPECT_TRUE(before.visible == after.visible) << "a window was shown or hidden";
    EXPECT_EQ(0, winsim::MoveCount(host.frame) + winsim::MoveCount(host.client));
    host.RestoreFrame();
    for (size_t i = 0; i < host.windows.size(); ++i) {
        SCOPED_TRACE("window " + std::to_string(i) + " \"" + s.windows[i].title + "\"");
        if (static_cast<int>(i) != s.expect.target) {
            EXPECT_RECT(before.rects[i], after.rects[i]);
            EXPECT_EQ(before.moves[i], after.moves[i]);
            continue;
        }
        // A maximised or minimised target stays where it stands; the user
        // sees the placement once it is restored.
        if (before.states[i] != winsim::WindowState::Normal && s.windows[i].show != Show::PlacedFromCreate) {
            EXPECT_RECT(before.rects[i], after.rects[i]);
        }
        winsim::Restore(host.windows[i]);
        const int clientWidth = ClientRectInFrame.right - ClientRectInFrame.left;
        const auto width = static_cast<int>(
            TakenWidth(s.call.width, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CXMAXTRACK)));
        const int left = s.expect.edge == Edge::Left ? 0 : clientWidth - width;
        const int top = s.expect.topBase + s.expect.topSteps * SimulatedStep;
        EXPECT_RECT((RECT{left, top, left + width, top + s.call.height}), winsim::RectInParent(host.windows[i]));
        EXPECT_LT(before.moves[i], after.moves[i]);
    }
}

TEST(PositionWindow, PlacesEveryScenario) {
    for (const Scenario& s : PlacementScenarios) {
        RunScenario(s, winsim::CurrentProcess + 1);
        // Another instance is told apart by its process, whichever side of
        // ours its id lies.
        if (HasOwner(s, Owner::OtherInstance)) {
            SCOPED_TRACE("another instance with a lower process id");
            RunScenario(s, winsim::CurrentProcess - 1);
        }
        // And another thread by its id, whichever side of ours it lies.
        if (HasOwner(s, Owner::OtherThread)) {
            SCOPED_TRACE("another thread with a lower thread id");
            RunScenario(s, winsim::CurrentProcess + 1, winsim::CurrentThread - 1);
        }
    }
}

TEST(PositionWindow, NullTitleMovesNothing) {
    // A lookup with a null title would name the first editor, here a
    // maximised one, which would be moved by SetWindowPlacement.
    const Scenario s{"", HostShape::Full,
                     {{"QDV7Editor", "C:\\src\\main.h", 0, 65, Show::Maximized},
                      {"QDV7Editor", "C:\\src\\main.cpp", 0, 0}},
                     {nullptr, 300, 200, 1}, {-1, Edge::Left, 0, 0}};
    SimHost host(s);
    PositionWindow(nullptr, 300, 200, TRUE);
    for (HWND window : host.windows)
        EXPECT_EQ(0, winsim::MoveCount(window));
}

TEST(PositionWindow, SaturatesCoordinatesInsteadOfOverflowing) {
    // The left edge against the right side is the client width minus the
    // width; a stacked top is an editor's top plus the step. Both stay
    // within int, however far the host's numbers go. A negative size is an
    // empty one: a maximised or minimised target's restored rectangle is
    // never inverted. The target has no sizing border, which would hold its
    // width between the tracking widths: it takes the width it is given.
    const struct {
        const char* what;
        int width;
        int height;
        int otherTop;
        winsim::WindowState state;
        RECT expected;  // restored
        int caption = 100;  // with the frame, a step of 106
        int frame = 3;
    } cases[] = {
        {"a width of INT_MIN", INT_MIN, 0, 0, winsim::WindowState::Normal, RECT{800, 106, 800, 106}},
        {"a width past the client by INT_MAX", INT_MAX, 0, 0, winsim::WindowState::Normal,
         RECT{800 - INT_MAX, 106, 800, 106}},
        // INT_MAX, not a wrapped negative sum: below the bottom, the stack
        // starts again at the top.
        {"an editor less than a step above INT_MAX", 300, 0, INT_MAX - 50, winsim::WindowState::Normal,
         RECT{500, 0, 800, 0}},
        {"a width of INT_MIN, maximised", INT_MIN, 0, 0, winsim::WindowState::Maximized, RECT{800, 106, 800, 106}},
        {"a negative width, minimised", -50, 20, 0, winsim::WindowState::Minimized, RECT{800, 106, 800, 126}},
        {"a width of -1, minimised", -1, 20, 0, winsim::WindowState::Minimized, RECT{800, 106, 800, 126}},
        {"a negative height, maximised", 300, -20, 0, winsim::WindowState::Maximized, RECT{500, 106, 800, 106}},
        {"a height of -1, maximised", 300, -1, 0, winsim::WindowState::Maximized, RECT{500, 106, 800, 106}},
        // Metrics no platform reports, but the step is a sum all the same.
        {"a step below INT_MIN", 300, 0, 0, winsim::WindowState::Normal, RECT{500, INT_MIN, 800, INT_MIN}, INT_MIN,
         -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        winsim::Reset();
        winsim::SetSystemMetric(SM_CYCAPTION, c.caption);
        winsim::SetSystemMetric(SM_CYFRAME, c.frame);
        const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
        const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
        winsim::CreateWindowSim(client, "QDV7Editor", "C:\\src\\other.h", RECT{0, c.otherTop, 10, c.otherTop});
        const HWND target =
            winsim::CreateWindowSim(client, "QDV7Editor", "C:\\src\\main.cpp", RECT{}, c.state);
        PositionWindow("C:\\src\\main.cpp", c.width, c.height, TRUE);
        EXPECT_EQ(c.state, winsim::State(target));
        winsim::Restore(target);
        EXPECT_RECT(c.expected, winsim::RectInParent(target));
    }
}

TEST(PositionWindow, PutsAMaximisedTargetBackOnlyWhenItWasMoved) {
    // The simulation, as Wine does, puts a maximised window at ptMaxPosition
    // pulled onto the screen. A maximised editor stands left of and above
    // the client area by its frame and caption: pulled onto the screen, it
    // must be put back where it stood. With neither, it stands at the
    // client's origin, SetWindowPlacement leaves it there (as Windows does
    // with any ptMaxPosition), and there is nothing to put back.
    const struct {
        int caption;
        int frame;
        size_t moves;  // SetWindowPos calls
    } cases[] = {
        {19, 3, 1},
        {19, 0, 1},  // only the top differs
        {0, 3, 1},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("caption " + std::to_string(c.caption) + ", frame " + std::to_string(c.frame));
        winsim::Reset();
        winsim::SetSystemMetric(SM_CYCAPTION, c.caption);
        winsim::SetSystemMetric(SM_CYFRAME, c.frame);
        const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
        const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
        const HWND target = winsim::CreateWindowSim(client, "QDV7Editor", "C:\\s\\new.txt", RECT{40, 50, 60, 70},
                                                    winsim::WindowState::Maximized);
        const RECT before = winsim::RectInParent(target);
        PositionWindow("C:\\s\\new.txt", 300, 200, TRUE);
        EXPECT_RECT(before, winsim::RectInParent(target));
        EXPECT_EQ(c.moves, winsim::SetWindowPosCalls().size());
        winsim::Restore(target);
        EXPECT_RECT((RECT{0, 0, 300, 200}), winsim::RectInParent(target));
    }
}

TEST(PositionWindow, HandlesVeryLongTitles) {
    // An editor titled with a 100,000-character path is still found by its
    // exact title; its name is cut to fit and it has no counterpart, so it is
    // stacked below the other editor.
    const std::string longTitle = "C:\\src\\" + std::string(100000, 'n') + ".h";
    const std::string colons(5000, ':');
    const struct {
        std::string title;
        bool moves;
    } cases[] = {
        {longTitle, true},
        {colons, true},
        {longTitle + "x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("title of " + std::to_string(c.title.size()) + " characters");
        winsim::Reset();
        const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
        const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
        winsim::CreateWindowSim(client, "QDV7Editor", ("C:\\src\\" + std::string(300, 'n') + ".cpp").c_str(),
                                RECT{0, 10, 100, 110});
        const HWND target = winsim::CreateWindowSim(client, "QDV7Editor", longTitle.c_str(),
                                                    RECT{0, 0, 100, 100});
        const HWND colonEditor = winsim::CreateWindowSim(client, "QDV7Editor", colons.c_str(),
                                                         RECT{0, 0, 100, 100});
        PositionWindow(c.title.c_str(), 300, 200, TRUE);
        ASSERT_EQ(c.moves ? 1u : 0u, winsim::SetWindowPosCalls().size());
        if (!c.moves)
            continue;
        const HWND expected = c.title == colons ? colonEditor : target;
        EXPECT_EQ(expected, winsim::SetWindowPosCalls()[0].window);
        EXPECT_RECT((RECT{0, 10 + SimulatedStep, 300, 210 + SimulatedStep}), winsim::RectInParent(expected));
    }
}

TEST(PositionWindow, NothingCarriesOverFromTheLastCall) {
    const Scenario& s = PlacementScenarios[0];
    SimHost host(s);
    PositionWindow(s.call.title, s.call.width, s.call.height, TRUE);
    ASSERT_EQ(1, winsim::MoveCount(host.windows[1]));

    // A call that finds no target must not move the last call's target, and
    // one that finds an unpaired editor must not align it with the last
    // call's counterpart.
    PositionWindow("C:\\src\\absent.h", 300, 200, TRUE);
    EXPECT_EQ(1, winsim::MoveCount(host.windows[1]));
    const HWND notes = winsim::CreateWindowSim(host.client, "QDV7Editor", "C:\\notes.txt", RECT{0, 400, 10, 410});
    PositionWindow("C:\\notes.txt", 300, 200, TRUE);
    EXPECT_RECT((RECT{0, 70 + SimulatedStep, 300, 270 + SimulatedStep}), winsim::RectInParent(notes));
}

TEST(PositionWindow, CascadeFollowsTheStepFromTheMetrics) {
    const Scenario& s = PlacementScenarios[0];
    SimHost host(s);
    winsim::SetSystemMetric(SM_CYCAPTION, 30);
    winsim::SetSystemMetric(SM_CYFRAME, 7);
    PositionWindow("C:\\src\\main.h", 300, 200, TRUE);  // its source is open at 70: aligned
    EXPECT_RECT((RECT{0, 70, 300, 270}), winsim::RectInParent(host.windows[1]));
    PositionWindow("C:\\src\\main.cpp", 300, 200, FALSE);  // its header now at 70 too
    EXPECT_RECT((RECT{0, 70, 300, 270}), winsim::RectInParent(host.windows[0]));

    const HWND notes = winsim::CreateWindowSim(host.client, "QDV7Editor", "C:\\notes.txt", RECT{});
    PositionWindow("C:\\notes.txt", 300, 200, TRUE);
    EXPECT_RECT((RECT{0, 70 + 44, 300, 270 + 44}), winsim::RectInParent(notes));
}

TEST(PositionWindow, StacksWithTheCaptionInSightOfTheClientArea) {
    // With a step of 25, a stacked editor's caption is in sight while its
    // top is at most the client area's height less 25; a pair is aligned
    // wherever its counterpart stands.
    const struct {
        int clientHeight;
        const char* other;
        int otherTop;
        const char* target;
        int top;
    } cases[] = {
        {600, "C:\\s\\a.txt", 550, "C:\\s\\new.txt", 575},
        {600, "C:\\s\\a.txt", 551, "C:\\s\\new.txt", 0},
        {600, "C:\\s\\main.cpp", 700, "C:\\s\\main.h", 700},
        {600, "C:\\s\\other.cpp", 700, "C:\\s\\main.h", 0},
        {24, "C:\\s\\a.txt", 0, "C:\\s\\new.txt", 0},
        // No height, as while the frame is minimised: no bottom to go by.
        {0, "C:\\s\\a.txt", 551, "C:\\s\\new.txt", 576},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " beside " + c.other + " at " + std::to_string(c.otherTop) +
                     ", client area " + std::to_string(c.clientHeight) + " high");
        winsim::Reset();
        const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
        const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", RECT{120, 30, 920, 30 + c.clientHeight});
        winsim::CreateWindowSim(client, "QDV7Editor", c.other, RECT{0, c.otherTop, 240, c.otherTop + 120});
        const HWND target = winsim::CreateWindowSim(client, "QDV7Editor", c.target, RECT{50, 100, 290, 220});
        PositionWindow(c.target, 300, 200, TRUE);
        EXPECT_RECT((RECT{0, c.top, 300, c.top + 200}), winsim::RectInParent(target));
    }
}

TEST(FindCounterpartProc, ReadsATitleWholeOnEitherThread) {
    // No placement can show these: a counterpart name has an extension, so
    // no title shorter than one pairs. The callback is asked directly: a
    // title of one character is read, and one that converts to nothing
    // reads as nothing, on the calling thread and on others either side of it.
    const struct {
        const char* title;
        DWORD thread;
        const char* counterpartName;
        bool found;
    } cases[] = {
        {"x", winsim::CurrentThread, "x", true},      {"x", winsim::CurrentThread + 1, "x", true},
        {"x", winsim::CurrentThread - 1, "X", true},  {"", winsim::CurrentThread + 1, "", true},
        {"", winsim::CurrentThread - 1, "x", false},  {"xy", winsim::CurrentThread + 1, "x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.title + "\" on thread " + std::to_string(c.thread));
        winsim::Reset();
        const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
        ClientWindow = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
        const HWND editor = winsim::CreateWindowSim(ClientWindow, "QDV7Editor", c.title, RECT{0, 0, 100, 100});
        winsim::SetThread(editor, c.thread);
        TargetEditor = nullptr;
        CounterpartEditor = nullptr;
        TitleLeadBytes = LeadBytes();
        EXPECT_EQ(c.found ? FALSE : TRUE, FindCounterpartProc(editor, reinterpret_cast<LPARAM>(c.counterpartName)));
        EXPECT_EQ(c.found ? editor : nullptr, CounterpartEditor);
    }
}

}  // namespace
