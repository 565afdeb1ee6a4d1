// The main function of every test program. Tests run headless whoever
// starts them (ctest, a developer, a debugger): SDL gets its dummy video and
// audio drivers unless the caller chose others.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::setenv("SDL_HINT_NO_SIGNAL_HANDLERS", "1", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
