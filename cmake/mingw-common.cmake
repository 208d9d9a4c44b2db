# What every toolchain shares: Windows on WENDRIK_CPU (i686 or x86_64), the
# MinGW-w64 sysroot, and wine to run what they build. WENDRIK_THREADS names
# the compilers' thread model.
set(CMAKE_SYSTEM_NAME Windows)
if(WENDRIK_CPU STREQUAL "x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
endif()
set(CMAKE_C_COMPILER ${WENDRIK_CPU}-w64-mingw32-gcc-${WENDRIK_THREADS})
set(CMAKE_CXX_COMPILER ${WENDRIK_CPU}-w64-mingw32-g++-${WENDRIK_THREADS})
set(CMAKE_RC_COMPILER ${WENDRIK_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${WENDRIK_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(WENDRIK_CPU STREQUAL "x86_64")
  # Wine's 64-bit loader itself: Debian's wrapper would take the 32-bit one
  # whenever it is installed, and that cannot start where the kernel runs no
  # 32-bit programs.
  find_program(WINE_PROGRAM wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
else()
  find_program(WINE_PROGRAM wine REQUIRED)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
