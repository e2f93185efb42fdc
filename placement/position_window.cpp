#include "platform/window_api.h"

#include <climits>
#include <cstring>

#include "PositionWindow.h"
#include "naming/ascii_case.h"
#include "naming/editor_title.h"
#include "naming/extension_pairs.h"
#include "placement/editor_searches.h"
#include "placement/host_contract.h"
#include "placement/placement_state.h"

int PlaceX = 0;
int PlaceY = 0;
HWND TargetEditor = nullptr;
HWND CounterpartEditor = nullptr;
HWND ClientWindow = nullptr;

namespace {

// Left edge of a window of `width` against the right edge of the client area.
int RightEdgeLeft(HWND client, int width) {
    RECT rect{};
    GetClientRect(client, &rect);
    const long long left = static_cast<long long>(rect.right) - width;
    if (left < INT_MIN)
        return INT_MIN;
    if (left > INT_MAX)
        return INT_MAX;
    return static_cast<int>(left);
}

}  // namespace

extern "C" void WINAPI PositionWindow(const char* title, int width, int height, BOOL sourceOnRight) {
    PlaceY = 0;
    PlaceX = 0;
    CounterpartEditor = nullptr;
    TargetEditor = nullptr;
    ClientWindow = nullptr;

    // A null or empty title names no editor.
    if (!title || !title[0])
        return;

    // Without the host's frame or client area the lookups below would take
    // the desktop as parent and could reach another program's windows.
    const HWND frame = FindWindowA(HostFrameClassName, nullptr);
    if (!frame)
        return;
    ClientWindow = FindWindowExA(frame, nullptr, ClientClassName, nullptr);
    if (!ClientWindow)
        return;
    TargetEditor = FindWindowExA(ClientWindow, nullptr, EditorClassName, title);

    char name[FileNameBufferSize];
    char extension[ExtensionBufferSize];
    SplitEditorTitle(title, name, sizeof name, extension, sizeof extension);
    const FileKind kind = ClassifyExtension(extension);

    if (kind != FileKind::Unpaired) {
        // The host passes a C++ bool in a 32-bit slot: its upper bytes are
        // whatever the caller's register held.
        const bool onRight = (static_cast<unsigned>(sourceOnRight) & 0xFFu) != 0;
        if ((kind == FileKind::Source) == onRight)
            PlaceX = RightEdgeLeft(ClientWindow, width);

        const char* counterpartExtension = CounterpartExtension(kind, extension);
        char counterpartName[CounterpartNameBufferSize];
        const size_t nameLength = CopyBounded(counterpartName, sizeof counterpartName,
                                              name, std::strlen(name));
        CopyBounded(counterpartName + nameLength, sizeof counterpartName - nameLength,
                    counterpartExtension, std::strlen(counterpartExtension));
        EnumChildWindows(ClientWindow, FindCounterpartProc, reinterpret_cast<LPARAM>(counterpartName));
        if (CounterpartEditor)
            PlaceY = TopInClient(CounterpartEditor, ClientWindow);
    }

    // Nothing to align with: stack below the editors already open.
    if (!CounterpartEditor)
        EnumChildWindows(ClientWindow, CascadeScanProc, reinterpret_cast<LPARAM>(ClientWindow));

    if (TargetEditor)
        SetWindowPos(TargetEditor, nullptr, PlaceX, PlaceY, width, height, SWP_NOZORDER);
}
