# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# CMake toolchain for cross-building 64-bit Windows programs on Debian with
# MinGW-w64 (package g++-mingw-w64-x86-64-posix). The -posix compilers use
# winpthreads, which C++ std::thread and friends need.
#
# Used for the static Qt that scripts/windows builds and, through Qt's own
# qt.toolchain.cmake (qt-cmake), for the program itself. Everything is linked
# statically: the .exe needs no libgcc_s, libstdc++ or libwinpthread DLL.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VI_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VI_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VI_MINGW_TRIPLET}-windres)

# Look for headers, libraries and CMake packages of the target only, never in
# the host's /usr (which holds Linux builds of the same libraries); programs
# (moc, rcc, uic, ...) come from the host. Qt's qt.toolchain.cmake adds the
# Qt prefix to CMAKE_FIND_ROOT_PATH itself.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VI_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must not report the host's Linux libraries either.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${VI_MINGW_TRIPLET}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# One self-contained .exe: libgcc, libstdc++ and winpthread linked in. With
# -static the linker takes libwinpthread.a instead of its import library;
# Windows' own DLLs (kernel32, user32, ...) stay ordinary imports.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
