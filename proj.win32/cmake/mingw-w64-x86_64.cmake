# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 toolchain (posix thread model, so
# std::thread and std::mutex work). The libraries the game needs are built with this same file
# into SOLVANE_WIN_PREFIX (see proj.win32/build-libs.sh); nothing is taken from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_AR ${TOOLCHAIN_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TOOLCHAIN_PREFIX}-ranlib CACHE FILEPATH "")

if(NOT SOLVANE_WIN_PREFIX)
  set(SOLVANE_WIN_PREFIX "$ENV{SOLVANE_WIN_PREFIX}")
endif()
set(SOLVANE_WIN_PREFIX "${SOLVANE_WIN_PREFIX}" CACHE PATH "Where the cross-built libraries are installed")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SOLVANE_WIN_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} ${SOLVANE_WIN_PREFIX})
set(CMAKE_PREFIX_PATH ${SOLVANE_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must only see the cross-built libraries, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${SOLVANE_WIN_PREFIX}/lib/pkgconfig:${SOLVANE_WIN_PREFIX}/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Our own entry points call SDL_SetMainReady themselves; SDL must not rename main().
set(CMAKE_C_FLAGS_INIT "-DSDL_MAIN_HANDLED")
set(CMAKE_CXX_FLAGS_INIT "-DSDL_MAIN_HANDLED")

# The GCC and C++ runtimes are linked in, so fewer DLLs travel with the game.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
