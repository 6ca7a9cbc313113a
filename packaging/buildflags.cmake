# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian's build flags for a Release build, as Debian builds its packages:
# hardening (stack protector, _FORTIFY_SOURCE, format checks, relro, bindnow)
# and the build path kept out of the program. The optimisation and -g stay the
# build type's own. Every target gets them, so the benchmarks' baselines too.
option(VI_DEBIAN_BUILDFLAGS "Give a Release build the flags of dpkg-buildflags" ON)
set(VI_DEBIAN_FLAGS_USED OFF)
if(VI_DEBIAN_BUILDFLAGS AND CMAKE_BUILD_TYPE STREQUAL "Release"
   AND NOT (WIN32 OR CMAKE_CROSSCOMPILING OR VI_SANITIZE OR VI_FUZZ))
    find_program(VI_DPKG_BUILDFLAGS dpkg-buildflags)
    if(NOT VI_DPKG_BUILDFLAGS)
        message(WARNING "dpkg-buildflags not found: this Release build lacks Debian's hardening "
                        "flags. Install dpkg-dev (scripts/setup does) and configure again.")
    else()
        foreach(kind IN ITEMS CPPFLAGS CXXFLAGS LDFLAGS)
            execute_process(
                COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                        "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${VI_DPKG_BUILDFLAGS} --get ${kind}
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
            separate_arguments(flags_${kind} UNIX_COMMAND "${flags}")
        endforeach()
        add_compile_options(${flags_CPPFLAGS} ${flags_CXXFLAGS})
        add_link_options(${flags_LDFLAGS})
        set(VI_DEBIAN_FLAGS_USED ON)
        list(JOIN flags_CPPFLAGS " " cppflags)
        list(JOIN flags_CXXFLAGS " " cxxflags)
        list(JOIN flags_LDFLAGS " " ldflags)
        message(STATUS "Debian build flags: ${cppflags} ${cxxflags} ${ldflags}")
    endif()
endif()
