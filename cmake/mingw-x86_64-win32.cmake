# Cross-compiles the shipped 64-bit images with the win32-thread MinGW-w64
# compilers, whose runtime imports nothing that the oldest x64 Windows lacks.
set(WENDRIK_CPU x86_64)
set(WENDRIK_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
