# Cross-compiles the tests for 32-bit Windows with the posix-thread MinGW-w64
# compilers (GoogleTest needs them); they run under wine.
set(WENDRIK_CPU i686)
set(WENDRIK_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
