# Cross-compiles the shipped 32-bit images with the win32-thread MinGW-w64
# compilers, whose runtime imports nothing that Windows XP lacks.
set(WENDRIK_CPU i686)
set(WENDRIK_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
