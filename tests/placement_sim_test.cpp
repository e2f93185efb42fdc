#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window_api.h"  // before the public header, which needs WINAPI
#include "PositionWindow.h"
#include "placement/placement_state.h"
#include "placement_scenarios.h"
#include "platform/window_simulation.h"
#include "rect_format.h"

namespace {

constexpr int SimulatedStep = 25;  // caption 19 + 2 * frame 3
constexpr RECT FrameRect{50, 40, 950, 740};
constexpr RECT ClientRectInFrame{0, 0, 800, 600};

::testing::AssertionResult RectsEqual(const char* expectedText, const char* actualText,
                                      const RECT& expected, const RECT& actual) {
    if (SameRect(expected, actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actualText << " is " << FormatRect(actual)
                                         << ", expected " << expectedText << " = "
                                         << FormatRect(expected);
}
#define EXPECT_RECT(expected, actual) EXPECT_PRED_FORMAT2(RectsEqual, expected, actual)

// A host built in the simulation from a scenario.
struct SimHost {
    HWND frame = nullptr;
    HWND client = nullptr;
    std::vector<HWND> windows;  // in scenario order

    explicit SimHost(const Scenario& s) {
        winsim::Reset();
        if (s.host != HostShape::NoFrame)
            frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "Host IDE", FrameRect);
        if (s.host == HostShape::Full)
            client = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
        for (const ScenarioWindow& w : s.windows) {
            if (!w.className)
                break;
            const HWND parent = w.topLevel ? nullptr : (client ? client : frame);
            const RECT rect{w.left, w.top, w.left + w.width, w.top + w.height};
            windows.push_back(winsim::CreateWindowSim(parent, w.className, w.title, rect, w.minimized));
        }
    }
};

// Every window's rectangle and every parent's child order.
struct TreeSnapshot {
    std::vector<RECT> rects;
    std::vector<std::vector<HWND>> orders;

    explicit TreeSnapshot(const SimHost& host) {
        for (HWND w : host.windows)
            rects.push_back(winsim::RectInParent(w));
        for (HWND parent : {static_cast<HWND>(nullptr), host.frame, host.client})
            orders.push_back(winsim::Children(parent));
    }
};

void RunScenario(const Scenario& s) {
    SCOPED_TRACE(s.name);
    SimHost host(s);
    const TreeSnapshot before(host);

    PositionWindow(s.call.title, s.call.width, s.call.height, static_cast<BOOL>(s.call.sourceOnRight));

    const TreeSnapshot after(host);
    for (size_t i = 0; i < host.windows.size(); ++i) {
        SCOPED_TRACE("window " + std::to_string(i) + " \"" + s.windows[i].title + "\"");
        if (static_cast<int>(i) != s.expect.target) {
            EXPECT_RECT(before.rects[i], after.rects[i]);
            EXPECT_EQ(0, winsim::MoveCount(host.windows[i]));
            continue;
        }
        const int clientWidth = ClientRectInFrame.right - ClientRectInFrame.left;
        const int left = s.expect.edge == Edge::Left ? 0 : clientWidth - s.call.width;
        const int top = s.expect.topBase + s.expect.topSteps * SimulatedStep;
        EXPECT_RECT((RECT{left, top, left + s.call.width, top + s.call.height}), after.rects[i]);
        EXPECT_EQ(1, winsim::MoveCount(host.windows[i]));
    }
    EXPECT_EQ(s.expect.target < 0 ? 0u : 1u, winsim::SetWindowPosCalls().size());
    EXPECT_TRUE(before.orders == after.orders) << "z-order changed";
}

TEST(PositionWindow, PlacesEveryScenario) {
    for (const Scenario& s : PlacementScenarios)
        RunScenario(s);
}

TEST(PositionWindow, MovesWithoutChangingZOrder) {
    const Scenario& s = PlacementScenarios[0];
    SimHost host(s);
    PositionWindow(s.call.title, s.call.width, s.call.height, TRUE);
    const auto& calls = winsim::SetWindowPosCalls();
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(host.windows[1], calls[0].window);
    EXPECT_TRUE(calls[0].flags & SWP_NOZORDER);
}

TEST(PositionWindow, NullTitleMovesNothing) {
    SimHost host(PlacementScenarios[0]);
    PositionWindow(nullptr, 300, 200, TRUE);
    EXPECT_TRUE(winsim::SetWindowPosCalls().empty());
    EXPECT_EQ(nullptr, TargetEditor);
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

TEST(PositionWindow, ResetsStateLeftByTheLastCall) {
    const Scenario& s = PlacementScenarios[0];
    SimHost host(s);
    PositionWindow(s.call.title, s.call.width, s.call.height, TRUE);
    EXPECT_EQ(host.windows[0], CounterpartEditor);
    EXPECT_EQ(70, PlaceY);

    // A call that finds nothing must not reuse the handles of the last one.
    PositionWindow("C:\\src\\absent.h", 300, 200, TRUE);
    EXPECT_EQ(nullptr, TargetEditor);
    EXPECT_EQ(nullptr, CounterpartEditor);
    EXPECT_EQ(1u, winsim::SetWindowPosCalls().size());

    winsim::Reset();
    PositionWindow(s.call.title, s.call.width, s.call.height, TRUE);
    EXPECT_EQ(nullptr, ClientWindow);
    EXPECT_EQ(nullptr, TargetEditor);
    EXPECT_EQ(0, PlaceX);
    EXPECT_EQ(0, PlaceY);
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

TEST(PositionWindow, CountsNestedEditorsInClientCoordinates) {
    // Enumeration reaches descendants too; their tops are converted to the
    // client area's coordinates, not their parent's.
    winsim::Reset();
    const HWND frame = winsim::CreateWindowSim(nullptr, "QDVSHELL", "", FrameRect);
    const HWND client = winsim::CreateWindowSim(frame, "MDIClient", "", ClientRectInFrame);
    const HWND holder = winsim::CreateWindowSim(client, "Panel", "", RECT{0, 100, 400, 400});
    winsim::CreateWindowSim(holder, "QDV7Editor", "C:\\src\\main.cpp", RECT{0, 30, 200, 130});
    const HWND target = winsim::CreateWindowSim(client, "QDV7Editor", "C:\\src\\main.h", RECT{});
    PositionWindow("C:\\src\\main.h", 300, 200, TRUE);
    EXPECT_RECT((RECT{0, 130, 300, 330}), winsim::RectInParent(target));
}

}  // namespace
