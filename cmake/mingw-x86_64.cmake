# Cross-compiles the tests for 64-bit Windows with the posix-thread MinGW-w64
# compilers (GoogleTest needs them); they run under wine's 64-bit loader.
set(WENDRIK_CPU x86_64)
set(WENDRIK_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
