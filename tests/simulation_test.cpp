// The simulation stands in for the platform in every native test, so the
// behaviours the library can observe are checked here against what the
// platform does.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "simulation/window_simulation.h"
#include "rect_format.h"

namespace {

std::vector<HWND> visited;

BOOL CALLBACK Record(HWND window, LPARAM stopAt) {
    visited.push_back(window);
    return window == reinterpret_cast<HWND>(stopAt) ? FALSE : TRUE;
}

class Simulation : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::Reset();
        visited.clear();
        frame = winsim::CreateWindowSim(nullptr, "Frame", "Main", RECT{100, 50, 900, 650});
        a = winsim::CreateWindowSim(frame, "Child", "A", RECT{10, 20, 110, 120});
        a1 = winsim::CreateWindowSim(a, "Grandchild", "A1", RECT{1, 2, 11, 12});
        b = winsim::CreateWindowSim(frame, "Child", "B", RECT{0, 0, 50, 50});
    }
    HWND frame, a, a1, b;
};

TEST_F(Simulation, EnumeratesDepthFirstInZOrderAndStops) {
    EXPECT_EQ(TRUE, EnumChildWindows(frame, Record, 0));
    EXPECT_EQ((std::vector<HWND>{a, a1, b}), visited);

    visited.clear();
    EXPECT_EQ(FALSE, EnumChildWindows(frame, Record, reinterpret_cast<LPARAM>(a1)));
    EXPECT_EQ((std::vector<HWND>{a, a1}), visited);

    // A window destroyed goes with its descendants, and is passed over.
    const HWND a2 = winsim::CreateWindowSim(a, "Grandchild", "A2", RECT{});
    const HWND a3 = winsim::CreateWindowSim(a, "Grandchild", "A3", RECT{});
    winsim::Destroy(a);
    visited.clear();
    EXPECT_EQ(TRUE, EnumChildWindows(frame, Record, 0));
    EXPECT_EQ((std::vector<HWND>{b}), visited);
    EXPECT_FALSE(winsim::Exists(a1) || winsim::Exists(a2) || winsim::Exists(a3));
}

TEST_F(Simulation, FindsByClassAndTitleIgnoringCase) {
    EXPECT_EQ(frame, FindWindowA("FRAME", nullptr));
    EXPECT_EQ(a, FindWindowExA(frame, nullptr, "child", nullptr));
    EXPECT_EQ(b, FindWindowExA(frame, nullptr, "Child", "b"));
    EXPECT_EQ(b, FindWindowExA(frame, a, "Child", nullptr));
    EXPECT_EQ(nullptr, FindWindowExA(frame, nullptr, "Grandchild", nullptr));  // direct children only
    EXPECT_EQ(nullptr, FindWindowA("Child", nullptr));                           // top-level only
    EXPECT_EQ(nullptr, FindWindowExA(frame, nullptr, "Child", "C"));
}

TEST_F(Simulation, TextCallsTruncateToTheCount) {
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(3, GetClassNameA(a, buffer, 4));
    EXPECT_STREQ("Chi", buffer);
    EXPECT_EQ('#', buffer[4]);
    EXPECT_EQ(1, GetWindowTextA(a1, buffer, 2));
    EXPECT_STREQ("A", buffer);
    EXPECT_EQ(0, GetWindowTextA(a1, buffer, 1));
    EXPECT_STREQ("", buffer);
}

TEST_F(Simulation, RectanglesAreConsistent) {
    RECT rect;
    ASSERT_TRUE(GetWindowRect(a1, &rect));
    EXPECT_TRUE(SameRect(RECT{111, 72, 121, 82}, rect)) << FormatRect(rect);
    ASSERT_TRUE(GetClientRect(a, &rect));
    EXPECT_TRUE(SameRect(RECT{0, 0, 100, 100}, rect)) << FormatRect(rect);
    POINT point{111, 72};
    ASSERT_TRUE(ScreenToClient(frame, &point));
    EXPECT_EQ(11, point.x);
    EXPECT_EQ(22, point.y);
}

TEST_F(Simulation, BadHandlesFailAndLeaveOutputsAlone) {
    const HWND bad[] = {nullptr, reinterpret_cast<HWND>(0x7FF0), reinterpret_cast<HWND>(
                                                                     reinterpret_cast<char*>(a) + 1)};
    for (HWND window : bad) {
        RECT rect{1, 2, 3, 4};
        POINT point{5, 6};
        char text[4] = "xyz";
        EXPECT_EQ(FALSE, GetWindowRect(window, &rect));
        EXPECT_EQ(FALSE, GetClientRect(window, &rect));
        EXPECT_TRUE(SameRect(RECT{1, 2, 3, 4}, rect));
        EXPECT_EQ(FALSE, ScreenToClient(window, &point));
        EXPECT_EQ(5, point.x);
        EXPECT_EQ(0, GetClassNameA(window, text, 4));
        EXPECT_EQ(0, GetWindowTextA(window, text, 4));
        EXPECT_STREQ("xyz", text);
        EXPECT_EQ(FALSE, IsIconic(window));
        EXPECT_EQ(FALSE, IsZoomed(window));
        EXPECT_EQ(FALSE, SetWindowPos(window, nullptr, 0, 0, 1, 1, SWP_NOZORDER));
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        EXPECT_EQ(FALSE, GetWindowPlacement(window, &placement));
        EXPECT_EQ(FALSE, SetWindowPlacement(window, &placement));
        if (window) {  // null is the screen there
            EXPECT_EQ(0, MapWindowPoints(window, frame, &point, 1));
            EXPECT_EQ(5, point.x);
        }
        DWORD process = 77;
        EXPECT_EQ(0u, GetWindowThreadProcessId(window, &process));
        EXPECT_EQ(77u, process);
        EXPECT_EQ(nullptr, GetParent(window));
    }
    EXPECT_TRUE(winsim::SetWindowPosCalls().empty());
}

TEST_F(Simulation, SetWindowPosKeepsOrRaisesZOrder) {
    ASSERT_TRUE(SetWindowPos(b, nullptr, 5, 6, 70, -8, SWP_NOZORDER));
    EXPECT_TRUE(SameRect(RECT{5, 6, 75, 6}, winsim::RectInParent(b)));  // negative size is zero
    EXPECT_EQ((std::vector<HWND>{a, b}), winsim::Children(frame));
    ASSERT_TRUE(SetWindowPos(b, nullptr, 5, 6, 70, 8, 0));
    EXPECT_EQ((std::vector<HWND>{b, a}), winsim::Children(frame));
    EXPECT_EQ(2, winsim::MoveCount(b));
    EXPECT_EQ(0, winsim::MoveCount(a));
}

TEST_F(Simulation, OnlyANormalWindowsRestoredRectangleFollowsAMove) {
    // As on the platform: moving a maximised or minimised window does not
    // change where it is restored to; SetWindowPlacement does.
    const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", RECT{0, 0, 400, 300});
    const RECT restored{10, 20, 110, 120};
    for (winsim::WindowState state : {winsim::WindowState::Maximized, winsim::WindowState::Minimized}) {
        const HWND w = winsim::CreateWindowSim(client, "Editor", "", restored, state);
        ASSERT_TRUE(SetWindowPos(w, nullptr, 50, 60, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE));
        EXPECT_EQ(state, winsim::State(w));
        winsim::Restore(w);
        EXPECT_TRUE(SameRect(restored, winsim::RectInParent(w))) << FormatRect(winsim::RectInParent(w));

        SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ASSERT_TRUE(GetWindowPlacement(w, &placement));
        placement.rcNormalPosition = RECT{5, 6, 7, 8};
        placement.showCmd = state == winsim::WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWMINNOACTIVE;
        ASSERT_TRUE(SetWindowPlacement(w, &placement));
        EXPECT_EQ(state, winsim::State(w));
        winsim::Restore(w);
        EXPECT_TRUE(SameRect(RECT{5, 6, 7, 8}, winsim::RectInParent(w))) << FormatRect(winsim::RectInParent(w));
    }
}

TEST_F(Simulation, MovingAnMdiChildActivatesAndRaisesItUnlessTold) {
    const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", RECT{0, 0, 400, 300});
    const HWND top = winsim::CreateWindowSim(client, "Editor", "", RECT{});
    const HWND below = winsim::CreateWindowSim(client, "Editor", "", RECT{});
    SetWindowPos(below, nullptr, 1, 1, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((std::vector<HWND>{top, below}), winsim::Children(client));
    SetWindowPos(below, nullptr, 1, 1, 1, 1, SWP_NOZORDER);
    EXPECT_EQ((std::vector<HWND>{below, top}), winsim::Children(client));
}

}  // namespace

namespace {

TEST_F(Simulation, HoldsAWindowWithASizingBorderBetweenItsTrackingSizes) {
    // As Wine does on a 1280 x 1024 screen; a window without the border
    // takes any size that is not negative.
    const struct {
        bool border;
        int cx, cy;
        RECT expected;
    } cases[] = {
        {true, 0, 0, RECT{5, 6, 117, 33}},           {true, -50, INT_MIN, RECT{5, 6, 117, 33}},
        {true, 5000, 5000, RECT{5, 6, 1297, 1042}},  {true, INT_MAX, 300, RECT{5, 6, 1297, 306}},
        {true, 400, 300, RECT{5, 6, 405, 306}},      {false, 0, -1, RECT{5, 6, 5, 6}},
        {false, 5000, 8, RECT{5, 6, 5005, 14}},
    };
    for (const auto& c : cases) {
        winsim::SetSizingBorder(b, c.border);
        ASSERT_TRUE(SetWindowPos(b, nullptr, 5, 6, c.cx, c.cy, SWP_NOZORDER));
        EXPECT_TRUE(SameRect(c.expected, winsim::RectInParent(b)))
            << c.cx << " x " << c.cy << ": " << FormatRect(winsim::RectInParent(b));
        EXPECT_EQ(c.border ? WS_THICKFRAME : 0, GetWindowLongA(b, GWL_STYLE) & WS_THICKFRAME);
    }
    // Restored, a window is sized as if moved.
    const HWND w = winsim::CreateWindowSim(frame, "Child", "", RECT{0, 0, 10, 10}, winsim::WindowState::Maximized);
    winsim::SetSizingBorder(w, true);
    winsim::Restore(w);
    EXPECT_TRUE(SameRect((RECT{0, 0, 112, 27}), winsim::RectInParent(w))) << FormatRect(winsim::RectInParent(w));
}

TEST_F(Simulation, AnAsynchronousMoveWaitsWhereTheThreadsShareAnInputQueue) {
    // Another thread's child of one of ours joins the two threads' queues,
    // and so does any chain of such pairs; a thread whose windows hang from
    // no window of ours keeps a queue of its own.
    const DWORD other = winsim::CurrentThread + 1, third = winsim::CurrentThread + 2;
    const HWND joined = winsim::CreateWindowSim(frame, "Child", "", RECT{});
    winsim::SetThread(joined, other);
    const HWND chained = winsim::CreateWindowSim(nullptr, "Top", "", RECT{});
    const HWND chainedChild = winsim::CreateWindowSim(chained, "Child", "", RECT{});
    winsim::SetThread(chained, third);
    winsim::SetThread(chainedChild, other);
    const HWND apart = winsim::CreateWindowSim(nullptr, "Top", "", RECT{});
    const HWND apartChild = winsim::CreateWindowSim(apart, "Child", "", RECT{});
    winsim::SetThread(apart, third + 1);
    winsim::SetThread(apartChild, third + 1);
    const struct {
        HWND window;
        UINT flags;
        int waits;
    } cases[] = {
        {joined, SWP_ASYNCWINDOWPOS, 1}, {chained, SWP_ASYNCWINDOWPOS, 1}, {apartChild, SWP_ASYNCWINDOWPOS, 0},
        {apartChild, 0, 1},              {a, SWP_ASYNCWINDOWPOS, 0},
    };
    for (const auto& c : cases) {
        const int before = winsim::CrossThreadWaits();
        ASSERT_TRUE(SetWindowPos(c.window, nullptr, 1, 2, 3, 4, SWP_NOZORDER | c.flags));
        EXPECT_EQ(c.waits, winsim::CrossThreadWaits() - before) << "case " << (&c - cases);
        EXPECT_TRUE(SameRect((RECT{1, 2, 4, 6}), winsim::RectInParent(c.window)));
    }
}

}  // namespace
