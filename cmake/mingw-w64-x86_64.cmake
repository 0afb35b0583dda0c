# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). TESSARION_DEPS_PREFIX is where the cross-built SDL2 and
# FreeType are installed (scripts/build-windows passes it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSARION_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSARION_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARION_MINGW}-g++-posix)
set(CMAKE_ASM_COMPILER ${TESSARION_MINGW}-gcc-posix)
set(CMAKE_RC_COMPILER ${TESSARION_MINGW}-windres)

# Libraries and headers only from the MinGW sysroot and the given prefixes; programs (Python,
# rsvg-convert, sox, the speech engine) are the build machine's own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARION_DEPS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARION_MINGW} ${TESSARION_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
