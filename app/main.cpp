#include <cstdio>

// The main window is not built yet; until it is, the program says so instead
// of opening an empty window.
int main()
{
    std::puts("Chanforge: the main window is not available in this build yet; "
              "the settings readers, writers and controls are exercised by the test suite "
              "(bash scripts/test.sh).");
    return 0;
}
