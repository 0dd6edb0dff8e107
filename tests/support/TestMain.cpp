// Tests run headless: plain OpenGL ES 2.0 from Mesa and no sound device.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("MESA_GLES_VERSION_OVERRIDE", "2.0", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
