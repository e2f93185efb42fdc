// A stand-in for the host IDE: a "QDVSHELL" frame with its "MDIClient" and
// "QDV7Editor" windows titled with file paths. Each time it opens an editor
// it calls PositionWindow from the DLL, loaded with LoadLibraryA and
// GetProcAddress as the IDE does.
//
//   demo_host [--dll PATH] [--sources-left] [--screenshot FILE.png]
//             [--frames FOLDER] [--report FILE] [--interactive] [TITLE...]
//
// Without --interactive it opens the titles (or a default list) in order,
// writes the screenshot, one more into FOLDER after each editor opened
// (frame-001.png, ...), and the report, and exits. With it, it opens them and
// stays open: File > Open editor... and Options > Sources on the right.
#include <windows.h>
#include <commdlg.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PositionWindow.h"
#include "testhost/mdi_host.h"

namespace {

const char* const DefaultTitles[] = {
    "C:\\proj\\main.h",   "C:\\proj\\main.cpp", "C:\\proj\\util.h", "C:\\proj\\notes.txt",
    "C:\\proj\\util.cpp", "C:\\proj\\app.rc",   "C:\\proj\\app.rh",
};

enum MenuCommand { OpenEditorCommand = 100, SourcesOnRightCommand, ExitCommand };

struct Demo {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;
    HWND client = nullptr;
    HWND openList = nullptr;  // the panel's list of open editors
    PositionWindowFunction positionWindow = nullptr;
    bool sourcesOnRight = true;
    std::vector<HWND> editors;        // in the order they were opened
    std::vector<std::string> openings;  // what happened to each, as it was opened
} demo;

std::string TitleOf(HWND window) {
    char title[1024] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
}

std::string FileNameOf(const std::string& title) {
    const size_t slash = title.find_last_of("\\/");
    return slash == std::string::npos ? title : title.substr(slash + 1);
}

// Presentation only: a colour per side of the pair, so a picture explains
// itself. The DLL decides placement on its own.
COLORREF EditorColour(const std::string& title) {
    const size_t dot = title.find_last_of('.');
    const std::string extension = dot == std::string::npos ? "" : title.substr(dot);
    for (const char* header : {".h", ".hxx", ".rh"})
        if (_stricmp(extension.c_str(), header) == 0)
            return RGB(205, 225, 250);
    for (const char* source : {".cpp", ".cxx", ".rc"})
        if (_stricmp(extension.c_str(), source) == 0)
            return RGB(210, 240, 210);
    return RGB(238, 238, 238);
}

void PaintEditor(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    const std::string title = TitleOf(window);
    HBRUSH brush = CreateSolidBrush(EditorColour(title));
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    const std::string fileName = FileNameOf(title);
    HFONT nameFont = CreateFontA(-36, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY,
                                 0, "Arial");
    HFONT titleFont = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                  ANTIALIASED_QUALITY, 0, "Arial");
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, nameFont);
    RECT text = area;
    text.top += 12;
    DrawTextA(dc, fileName.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, titleFont);
    text.top += 52;
    DrawTextA(dc, title.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(nameFont);
    DeleteObject(titleFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintEditor(window);
        return 0;
    case WM_SIZE:
        InvalidateRect(window, nullptr, TRUE);
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

// What the DLL did with the editor just opened, read back from where it
// stands now: the edge it went to, and which editor opened before it, if
// any, it sits beside (the same top, against the other edge). Nothing here
// knows the pairing rules, so a wrong placement reads as what it is.
std::string DescribeOpening(HWND editor, int width, int height) {
    const std::string name = FileNameOf(TitleOf(editor));
    RECT area;
    GetClientRect(demo.client, &area);
    const RECT rect = mdihost::RectInClient(editor, demo.client);
    if (rect.right - rect.left != width || rect.bottom - rect.top != height)
        return name + ": not placed";
    const bool left = rect.left == 0;
    if (!left && rect.right != area.right)
        return name + ": away from both edges";
    const std::string edge = left ? "left edge" : "right edge";
    for (HWND other : demo.editors) {
        if (other == editor)
            break;
        const RECT beside = mdihost::RectInClient(other, demo.client);
        if (beside.top == rect.top && (left ? beside.right == area.right : beside.left == 0))
            return name + ": beside " + FileNameOf(TitleOf(other)) + ", " + edge;
    }
    return name + ": no counterpart, stacked, " + edge;
}

// Opens an editor the way the IDE does: create it, then let the DLL place
// it at half the client width and a third of its height.
bool OpenEditor(const char* title) {
    HWND editor = mdihost::OpenEditor(demo.client, title, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT);
    if (!editor)
        return false;
    demo.editors.push_back(editor);
    const char* slash = std::strrchr(title, '\\');
    SendMessageA(demo.openList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(slash ? slash + 1 : title));
    RECT area;
    GetClientRect(demo.client, &area);
    const int width = area.right / 2, height = area.bottom / 3;
    demo.positionWindow(title, width, height, demo.sourcesOnRight ? TRUE : FALSE);
    demo.openings.push_back(DescribeOpening(editor, width, height));
    return true;
}

void AskForEditor() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = demo.frame;
    dialog.lpstrFilter = "Sources and headers\0*.h;*.cpp;*.hxx;*.cxx;*.rh;*.rc\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Open editor";
    dialog.Flags = OFN_HIDEREADONLY;  // the file need not exist: only its name is shown
    if (GetOpenFileNameA(&dialog))
        OpenEditor(path);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        demo.client = mdihost::CreateClient(window, WS_EX_CLIENTEDGE);
        demo.openList = CreateWindowExA(0, "LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, 0, 0,
                                        0, 0, FindWindowExA(window, nullptr, mdihost::PanelClass, nullptr), nullptr,
                                        demo.instance, nullptr);
        return 0;
    case WM_SIZE: {
        // The toolbar, the panel and the client area below and beside them,
        // as in a real IDE; DefFrameProcA would stretch the client over all.
        mdihost::LayOutFrame(window, LOWORD(lParam), HIWORD(lParam));
        RECT panel{};
        GetClientRect(GetParent(demo.openList), &panel);
        MoveWindow(demo.openList, 0, 0, panel.right, panel.bottom, TRUE);
        return 0;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case OpenEditorCommand:
            AskForEditor();
            return 0;
        case SourcesOnRightCommand:
            demo.sourcesOnRight = !demo.sourcesOnRight;
            CheckMenuItem(GetMenu(window), SourcesOnRightCommand,
                          demo.sourcesOnRight ? MF_CHECKED : MF_UNCHECKED);
            return 0;
        case ExitCommand:
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcA(window, demo.client, message, wParam, lParam);
}

HMENU BuildMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, OpenEditorCommand, "&Open editor...");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, ExitCommand, "E&xit");
    HMENU options = CreatePopupMenu();
    AppendMenuA(options, MF_STRING | (demo.sourcesOnRight ? MF_CHECKED : MF_UNCHECKED),
                SourcesOnRightCommand, "&Sources on the right");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), "&Options");
    return bar;
}

void Settle() {
    for (int round = 0; round < 5; ++round) {
        mdihost::PumpMessages();
        RedrawWindow(demo.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(100);
    }
    mdihost::PumpMessages();
}

// Copies the frame as it stands on the screen into a PNG file.
bool SaveScreenshot(const char* path) {
    RECT rect;
    GetWindowRect(demo.frame, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    bool saved = false;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
        // The PNG encoder's class identifier.
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        wchar_t widePath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
        {
            Gdiplus::Bitmap image(bitmap, nullptr);
            saved = image.Save(widePath, &png, nullptr) == Gdiplus::Ok;
        }
        Gdiplus::GdiplusShutdown(token);
    }
    DeleteObject(bitmap);
    return saved;
}

// One line per editor: where it landed in the client area's coordinates;
// then, in the order they were opened, what happened to each.
bool WriteReport(const char* path) {
    FILE* out = std::fopen(path, "w");
    if (!out)
        return false;
    RECT area;
    GetClientRect(demo.client, &area);
    std::fprintf(out, "client\t%ld\t%ld\n", area.right, area.bottom);
    std::fprintf(out, "step\t%d\n", GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME));
    std::fprintf(out, "sources\t%s\n", demo.sourcesOnRight ? "right" : "left");
    for (HWND editor : demo.editors) {
        const RECT rect = mdihost::RectInClient(editor, demo.client);
        std::fprintf(out, "editor\t%ld\t%ld\t%ld\t%ld\t%s\n", rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, TitleOf(editor).c_str());
    }
    for (const std::string& opening : demo.openings)
        std::fprintf(out, "opened\t%s\n", opening.c_str());
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* dllPath = "PositionWindow.dll";
    const char* screenshot = nullptr;
    const char* report = nullptr;
    const char* frames = nullptr;
    bool interactive = false;
    std::vector<const char*> titles;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dll" && i + 1 < argc)
            dllPath = argv[++i];
        else if (arg == "--screenshot" && i + 1 < argc)
            screenshot = argv[++i];
        else if (arg == "--report" && i + 1 < argc)
            report = argv[++i];
        else if (arg == "--frames" && i + 1 < argc)
            frames = argv[++i];
        else if (arg == "--sources-left")
            demo.sourcesOnRight = false;
        else if (arg == "--interactive")
            interactive = true;
        else
            titles.push_back(argv[i]);
    }
    if (titles.empty() && !interactive)
        titles.assign(std::begin(DefaultTitles), std::end(DefaultTitles));

    HMODULE dll = LoadLibraryA(dllPath);
    if (dll)
        demo.positionWindow = reinterpret_cast<PositionWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(dll, "PositionWindow")));
    if (!demo.positionWindow) {
        std::fprintf(stderr, "demo_host: cannot load PositionWindow from %s\n", dllPath);
        return 2;
    }

    demo.instance = GetModuleHandleA(nullptr);
    if (!mdihost::RegisterHostClasses(FrameProc, EditorProc))
        return 2;
    demo.frame = CreateWindowExA(0, "QDVSHELL", "PositionWindow demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 0, 0, 1040, 760, nullptr, BuildMenu(), demo.instance, nullptr);
    if (!demo.frame || !demo.client)
        return 2;
    ShowWindow(demo.frame, SW_SHOW);
    UpdateWindow(demo.frame);

    int status = 0;
    for (const char* title : titles) {
        const bool opened = OpenEditor(title);
        Settle();
        if (opened && frames && !interactive) {
            char path[MAX_PATH];
            std::snprintf(path, sizeof path, "%s\\frame-%03u.png", frames,
                          static_cast<unsigned>(demo.openings.size()));
            if (!SaveScreenshot(path)) {
                std::fprintf(stderr, "demo_host: cannot write %s\n", path);
                status = 1;
            }
        }
    }

    if (interactive) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (!TranslateMDISysAccel(demo.client, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        return 0;
    }

    Settle();
    if (screenshot && !SaveScreenshot(screenshot)) {
        std::fprintf(stderr, "demo_host: cannot write %s\n", screenshot);
        status = 1;
    }
    if (report && !WriteReport(report)) {
        std::fprintf(stderr, "demo_host: cannot write %s\n", report);
        status = 1;
    }
    // Leave without destroying the windows: the process ends and takes them.
    ExitProcess(status);
}
