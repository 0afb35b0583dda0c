# Builds for the browser (WebAssembly) with Debian's Emscripten, whose own toolchain file does
# the work. TESSARION_DEPS_PREFIX is where SDL2 and FreeType built for the browser are
# installed (scripts/build-web passes it).
set(TESSARION_EMSCRIPTEN_ROOT /usr/share/emscripten)
if(NOT EXISTS ${TESSARION_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)
  message(FATAL_ERROR "Emscripten not found in ${TESSARION_EMSCRIPTEN_ROOT} (apt-get install emscripten)")
endif()
include(${TESSARION_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARION_DEPS_PREFIX)
# Before the sysroot, which holds a config of Emscripten's own SDL2 port (downloaded on use).
list(PREPEND CMAKE_FIND_ROOT_PATH ${TESSARION_DEPS_PREFIX})
# The game reports internal errors by exception: catching them must work.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")
