// Links PositionWindow through the import library, as a host that links
// rather than calls GetProcAddress does: building proves the header's
// declaration matches the library's symbol, running proves the loader
// resolves the import. Without a host window tree the call is a no-op.
//
// The public header comes first and alone: a host source that includes
// nothing else before it must compile.
#include "PositionWindow.h"

#include <cstdio>
#include <type_traits>

// The type a host casts GetProcAddress's result to is the export's own,
// calling convention included (a cdecl pointer would unbalance a 32-bit
// host's stack on every call).
static_assert(std::is_same<decltype(&PositionWindow), PositionWindowFunction>::value,
              "PositionWindowFunction differs from PositionWindow's declaration");

int main() {
    PositionWindow("C:\\src\\main.h", 300, 200, TRUE);
    std::printf("import_library_test: 1 passed, 0 failed\n");
    return 0;
}
