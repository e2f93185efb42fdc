// PositionWindow over arbitrary window trees of the simulated window manager.
//
// The input builds a tree: host frames and clients that may be missing or
// doubled, editors and near-miss classes at every level, stray top-level
// editors, minimised, maximised and hidden windows, windows of other
// threads, editors still being created, z-order changes. Then one call is
// made. Whatever the tree, the library may move at most the one editor the
// platform's own lookups name in the first frame that holds it, and only if
// it is the calling thread's; must keep it on one of the two edges, in
// sight of a client area that has a width, and at its counterpart's top or
// with its caption in sight of a client area that has a height; and must
// touch nothing else: no other rectangle, no z-order, no window's state or
// visibility; and it must never wait on another thread.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The simulation first: it supplies the USER32 types the public header uses.
#include "naming/char_strings.h"
#include "naming/editor_title.h"
#include "simulation/window_simulation.h"
#include "PositionWindow.h"
// The counterpart the call paired with, if any: which editor that is, the
// checks below do not take on trust.
#include "placement/placement_state.h"

namespace {

[[noreturn]] void Fail(const char* what, int line) {
    std::fprintf(stderr, "placement_fuzzer:%d: %s\n", line, what);
    std::abort();
}

#define CHECK(condition)                  \
    do {                                  \
        if (!(condition))                 \
            Fail(#condition, __LINE__);   \
    } while (0)

const char* const ClassNames[] = {
    "QDV7Editor", "QDV7Editor", "QDV7Editor", "qdv7editor", "QDV7EditorX", "QDV7Edito",
    "QDV7EditorWithALongerName", "MDIClient", "Edit", "QDVSHELL", "",
};

const char* const FrameClassNames[] = {"QDVSHELL", "qdvshell", "QDVSHELLX", "QDVSHEL"};
const char* const ClientClassNames[] = {"MDIClient", "mdiclient", "MDIClientX", "Edit"};

const char* const TitlePieces[] = {
    "C:\\", "D:", "src\\", "my dir\\", "main", "util", "Main", ".h", ".cpp", ".hxx", ".cxx",
    ".rh", ".rc", ".txt", ".H", ".CPP", ":2", " [x]", "/", ".", " ", ":", "\xE9", "a",
    // Double-byte characters of code page 932 whose second byte is a
    // backslash or a letter, and a lone lead byte.
    "\x95\x5C", "\x83\x41", "\x83\x61", "\x83",
};

const unsigned CodePages[] = {1252, 932, 936, 65001};

// The lead bytes of the simulation's ANSI code page, as the platform
// reports them.
LeadBytes AnsiLeadBytes() {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info))
        return LeadBytes();
    return LeadBytes::FromRanges(info.LeadByte, sizeof info.LeadByte);
}

std::string MakeTitle(FuzzedDataProvider& input) {
    std::string title;
    const int pieces = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < pieces; ++i) {
        // Now and then a piece long enough to overrun the library's buffers.
        if (input.ConsumeIntegralInRange(0, 31) == 0)
            title.append(input.ConsumeIntegralInRange<size_t>(200, 600), 'x');
        else
            title += input.PickValueInArray(TitlePieces);
    }
    return title;
}

// The platform folds ASCII case in lookups; the call may spell a title
// differently from the window it names (or, where a flipped byte is the
// second of a double-byte character, name another).
std::string FlipAsciiCase(std::string text, uint32_t mask) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(mask >> (i % 32) & 1))
            continue;
        char& c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

RECT MakeRect(FuzzedDataProvider& input) {
    // Small enough that no sum the simulation forms along a nesting chain
    // comes near the limits of 32 bits.
    const int left = input.ConsumeIntegralInRange(-20000, 20000);
    const int top = input.ConsumeIntegralInRange(-20000, 20000);
    const int width = input.ConsumeIntegralInRange(0, 20000);
    const int height = input.ConsumeIntegralInRange(0, 20000);
    return RECT{left, top, left + width, top + height};
}

struct Created {
    HWND handle;
    std::string className;
    std::string title;
    bool beingCreated = false;
    bool mayClose = false;  // closed when its title is read, or inside one that is
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The first direct child of `parent`, top first, whose class and (unless
// `title` is null) title match, ignoring ASCII case: what the platform's
// lookup is documented to return, worked out from the tree as built.
HWND FirstChild(const std::vector<Created>& windows, HWND parent, const char* className,
                const std::string* title) {
    const LeadBytes leadBytes = AnsiLeadBytes();
    for (HWND child : winsim::Children(parent)) {
        for (const Created& w : windows) {
            if (w.handle != child)
                continue;
            if (EqualsIgnoringCase(w.className.c_str(), className) &&
                (!title || EqualsIgnoringCase(w.title.c_str(), title->c_str(), leadBytes)))
                return child;
        }
    }
    return nullptr;
}

// Mostly normal windows, some minimised or maximised.
winsim::WindowState PickState(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return winsim::WindowState::Minimized;
    case 1:
        return winsim::WindowState::Maximized;
    default:
        return winsim::WindowState::Normal;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    winsim::Reset();
    winsim::SetAnsiCodePage(input.PickValueInArray(CodePages));
    if (input.ConsumeBool()) {
        winsim::SetSystemMetric(SM_CYCAPTION, input.ConsumeIntegralInRange(0, 60));
        winsim::SetSystemMetric(SM_CYFRAME, input.ConsumeIntegralInRange(0, 12));
    }
    // Tracking widths of any order: the minimum wins.
    if (input.ConsumeBool()) {
        winsim::SetSystemMetric(SM_CXMINTRACK, input.ConsumeIntegralInRange(0, 3000));
        winsim::SetSystemMetric(SM_CXMAXTRACK, input.ConsumeIntegralInRange(0, 3000));
    }

    std::vector<Created> windows;
    auto create = [&](HWND parent, const char* className, std::string title, winsim::WindowState state) {
        const RECT rect = MakeRect(input);
        const HWND handle = winsim::CreateWindowSim(parent, className, title.c_str(), rect, state);
        CHECK(handle != nullptr);
        winsim::SetSizingBorder(handle, input.ConsumeBool());
        bool beingCreated = false;
        bool mayClose = false;
        for (const Created& w : windows)
            mayClose = mayClose || (w.handle == parent && w.mayClose);
        switch (input.ConsumeIntegralInRange(0, 15)) {
        case 0:
            winsim::Hide(handle);
            break;
        case 1:
            winsim::SetThread(handle, winsim::CurrentThread + 1);
            break;
        case 2:  // as during its WM_CREATE, if it is maximised
            beingCreated = state == winsim::WindowState::Maximized;
            if (beingCreated)
                winsim::BeginCreation(handle);
            break;
        case 3:  // maximised where it would be restored to
            winsim::SetRestoredRect(handle, winsim::RectInParent(handle));
            break;
        case 4:  // closed by its thread once the call has read its title
            winsim::DestroyAfterTitleRead(handle);
            mayClose = true;
            break;
        default:
            break;
        }
        windows.push_back({handle, className, std::move(title), beingCreated, mayClose});
        return handle;
    };

    // Another program's windows may come before the host in the z-order.
    const int strays = input.ConsumeIntegralInRange(0, 2);
    for (int i = 0; i < strays; ++i)
        create(nullptr, input.PickValueInArray(ClassNames), MakeTitle(input), PickState(input));

    HWND frame = nullptr;
    HWND client = nullptr;
    if (input.ConsumeIntegralInRange(0, 7) != 0) {
        frame = create(nullptr, input.PickValueInArray(FrameClassNames), "Host IDE", winsim::WindowState::Normal);
        // A frame may hold other children before its client area.
        if (input.ConsumeIntegralInRange(0, 3) == 0)
            create(frame, input.PickValueInArray(ClassNames), MakeTitle(input), winsim::WindowState::Normal);
        if (input.ConsumeIntegralInRange(0, 7) != 0)
            client = create(frame, input.PickValueInArray(ClientClassNames), "", winsim::WindowState::Normal);
    }

    const int count = input.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0: {  // a nested child of any window made so far
            if (windows.empty())
                break;
            const HWND parent = windows[input.ConsumeIntegralInRange<size_t>(0, windows.size() - 1)].handle;
            create(parent, input.PickValueInArray(ClassNames), MakeTitle(input), PickState(input));
            break;
        }
        case 1:  // a stray top-level window
            create(nullptr, input.PickValueInArray(ClassNames), MakeTitle(input), PickState(input));
            break;
        case 2: {  // raise a window to the top of its siblings
            if (windows.empty())
                break;
            const HWND raised = windows[input.ConsumeIntegralInRange<size_t>(0, windows.size() - 1)].handle;
            CHECK(SetWindowPos(raised, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
            break;
        }
        default: {  // a child of the client area, or of the frame without one
            const HWND parent = client ? client : frame;
            create(parent, input.PickValueInArray(ClassNames), MakeTitle(input), PickState(input));
            break;
        }
        }
    }

    // The call: usually a title the tree holds, perhaps in another case.
    std::string title;
    const int titleChoice = input.ConsumeIntegralInRange(0, 7);
    if (titleChoice < 5 && !windows.empty()) {
        title = windows[input.ConsumeIntegralInRange<size_t>(0, windows.size() - 1)].title;
        if (titleChoice == 4)
            title = FlipAsciiCase(title, input.ConsumeIntegral<uint32_t>());
    } else if (titleChoice < 7) {
        title = MakeTitle(input);
    }
    const int width = input.ConsumeIntegralInRange(-20000, 20000);
    const int height = input.ConsumeIntegralInRange(-20000, 20000);
    const uint32_t sourceOnRight = input.ConsumeIntegral<uint32_t>();

    // What the host's lookups would find, from the tree as built: the
    // first frame, in z-order, whose client area holds an editor of the
    // title.
    HWND expectedClient = nullptr;
    HWND expectedTarget = nullptr;
    for (HWND frame : winsim::Children(nullptr)) {
        if (title.empty())
            break;
        const HWND client = FirstChild(windows, frame, "MDIClient", nullptr);
        bool isFrame = false;
        for (const Created& w : windows)
            isFrame = isFrame || (w.handle == frame && EqualsIgnoringCase(w.className.c_str(), "QDVSHELL"));
        const HWND target = isFrame && client ? FirstChild(windows, client, "QDV7Editor", &title) : nullptr;
        // The lookup of the title the host uses must agree with the model,
        // or the model, not the library, is what is wrong.
        if (isFrame && client)
            CHECK(FindWindowExA(client, nullptr, "QDV7Editor", title.c_str()) == target);
        if (target) {
            expectedClient = client;
            expectedTarget = target;
            break;
        }
    }

    std::vector<RECT> rectsBefore;
    std::vector<winsim::WindowState> statesBefore;
    std::vector<bool> visibleBefore;
    std::vector<int> movesBefore;
    for (const Created& w : windows) {
        rectsBefore.push_back(winsim::RectInParent(w.handle));
        statesBefore.push_back(winsim::State(w.handle));
        visibleBefore.push_back(winsim::IsVisible(w.handle));
        movesBefore.push_back(winsim::MoveCount(w.handle));
    }
    std::vector<std::vector<HWND>> orderBefore;
    orderBefore.push_back(winsim::Children(nullptr));
    for (const Created& w : windows)
        orderBefore.push_back(winsim::Children(w.handle));

    // Building the tree may have waited on other threads; the call may not.
    const int waitsBefore = winsim::CrossThreadWaits();
    PositionWindow(title.c_str(), width, height, static_cast<BOOL>(sourceOnRight));
    CHECK(winsim::CrossThreadWaits() == waitsBefore);

    // The editor is moved exactly when the host and the editor are there,
    // and nothing else is; every window keeps its state and visibility, and
    // a maximised or minimised target its rectangle as it stands (but one
    // still being created, which stands where it will be restored to).
    // Another thread's editor cannot be moved without waiting for it, and
    // is left alone.
    bool targetMoves = false;
    for (size_t i = 0; i < windows.size(); ++i) {
        const HWND w = windows[i].handle;
        // Only a window closed as its title was read may be gone, or one
        // inside it; never the target, whose title the call does not read.
        if (!winsim::Exists(w)) {
            CHECK(windows[i].mayClose && w != expectedTarget);
            continue;
        }
        const int moves = winsim::MoveCount(w) - movesBefore[i];
        const bool movable = GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId();
        if (w == expectedTarget)
            targetMoves = movable;
        CHECK(w == expectedTarget && movable ? moves >= 1 : moves == 0);
        CHECK(winsim::State(w) == statesBefore[i]);
        CHECK(winsim::IsVisible(w) == visibleBefore[i]);
        if (w != expectedTarget || (statesBefore[i] != winsim::WindowState::Normal && !windows[i].beingCreated))
            CHECK(SameRect(winsim::RectInParent(w), rectsBefore[i]));
        if (windows[i].beingCreated)
            winsim::FinishCreation(w);
    }

    const auto open = [](std::vector<HWND> order) {
        order.erase(std::remove_if(order.begin(), order.end(), [](HWND w) { return !winsim::Exists(w); }),
                    order.end());
        return order;
    };
    CHECK(winsim::Children(nullptr) == open(orderBefore[0]));
    for (size_t i = 0; i < windows.size(); ++i) {
        if (winsim::Exists(windows[i].handle))
            CHECK(winsim::Children(windows[i].handle) == open(orderBefore[i + 1]));
    }

    // Restored, the target stands at the left edge, or ends at the right
    // edge of a client area that has a width, with the size the platform
    // gives it for the size asked.
    if (expectedTarget && targetMoves) {
        const bool border = (GetWindowLongA(expectedTarget, GWL_STYLE) & WS_THICKFRAME) != 0;
        winsim::Restore(expectedTarget);
        const RECT after = winsim::RectInParent(expectedTarget);
        const RECT clientRect = winsim::RectInParent(expectedClient);
        const long long clientWidth = static_cast<long long>(clientRect.right) - clientRect.left;
        CHECK(after.left == 0 || (clientWidth > 0 && after.right == clientWidth));
        long long taken = width > 0 ? width : 0;
        if (border) {
            taken = std::min<long long>(taken, GetSystemMetrics(SM_CXMAXTRACK));
            taken = std::max<long long>(taken, GetSystemMetrics(SM_CXMINTRACK));
        }
        CHECK(static_cast<long long>(after.right) - after.left == taken);
        if (!border)
            CHECK(after.bottom - after.top == (height > 0 ? height : 0));

        // Down: paired, at the top of an open editor of the same client
        // area, whose own top is its restored one when it is maximised; and
        // only with a file name that was read whole. Otherwise stacked, with
        // its caption in a client area that is at least a step high.
        if (CounterpartEditor) {
            char className[64] = "";
            GetClassNameA(CounterpartEditor, className, sizeof className);
            CHECK(std::string(className) == "QDV7Editor");
            CHECK(CounterpartEditor != expectedTarget && GetParent(CounterpartEditor) == expectedClient);
            CHECK(winsim::IsVisible(CounterpartEditor) && !IsIconic(CounterpartEditor));
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            CHECK(GetWindowPlacement(CounterpartEditor, &placement));
            const LONG top = IsZoomed(CounterpartEditor) ? placement.rcNormalPosition.top
                                                         : winsim::RectInParent(CounterpartEditor).top;
            CHECK(after.top == top);
            std::string name(title.size() + 1, '\0');
            std::string extension(title.size() + 1, '\0');
            SplitEditorTitle(title.c_str(), &name[0], name.size(), &extension[0], extension.size(), AnsiLeadBytes());
            CHECK(std::strlen(name.c_str()) < FileNameBufferSize);
        } else {
            const long long step = static_cast<long long>(GetSystemMetrics(SM_CYCAPTION)) +
                                   2LL * GetSystemMetrics(SM_CYFRAME);
            const long long clientHeight = static_cast<long long>(clientRect.bottom) - clientRect.top;
            if (clientHeight > 0 && clientHeight >= step)
                CHECK(after.top >= 0 && after.top <= clientHeight - step);
        }
    }
    return 0;
}
