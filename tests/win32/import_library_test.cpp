// Links PositionWindow through the import library, as a host that links
// rather than calls GetProcAddress does: building proves the header's
// declaration matches the library's symbol, running proves the loader
// resolves the import. Without a host window tree the call is a no-op.
#include <windows.h>

#include <cstdio>

#include "PositionWindow.h"

int main() {
    PositionWindow("C:\\src\\main.h", 300, 200, TRUE);
    std::printf("import_library_test: 1 passed, 0 failed\n");
    return 0;
}
