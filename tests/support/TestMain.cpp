#include <gtest/gtest.h>

#include "module/Exports.h"

// Every test process starts like a loaded module: the host message is registered.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wendrik::LibraryStartup();
    return RUN_ALL_TESTS();
}
