# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation and packaging: the program, its desktop entry, AppStream
# metainfo, hicolor icons, manual page, changelog and copyright file, and the
# Debian package (cpack -G DEB). Windows has its own, in windows/install.cmake.
include(GNUInstallDirs)

# VI_APP_ID names the desktop entry, the metainfo and the icons, so that menus
# and software centres tie them together.
set(VI_RELEASE_DATE "2026-12-08")
set(VI_HOMEPAGE_URL "https://vizovidiz.example.org/"
    CACHE STRING "Home page named in the AppStream metainfo and the Debian package")
set(VI_SCREENSHOT_URL "https://vizovidiz.example.org/docs"
    CACHE STRING "Web folder holding the docs/ pictures, for the AppStream metainfo")
set(VI_CONTACT_EMAIL "vizovidiz@example.org"
    CACHE STRING "Mail address of the maintainers, for the Debian package and its changelog")
set(VI_CONTACT "${VI_DISPLAY_NAME} developers <${VI_CONTACT_EMAIL}>")
set(VI_SUMMARY "match timer for turn-based tabletop games")

set(VI_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# Folders made by an install or a package have one mode whatever the umask,
# so that the same commit gives the same package on any machine.
set(vi_directory_permissions OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${vi_directory_permissions})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${vi_directory_permissions})

if(WIN32)
    include(${VI_PACKAGING_DIR}/windows/install.cmake)
    return()
endif()

# No $ORIGIN search path in the installed program: it uses the system's Qt, or
# the Qt it was linked against when that lies elsewhere.
set_target_properties(vizovidiz PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH ON)
install(TARGETS vizovidiz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack, cmake --install --strip) drops the compiler
# notes too, as dh_strip does.
string(CONFIGURE [[
    set(vi_program "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@")
    string(APPEND vi_program "/$<TARGET_FILE_NAME:vizovidiz>")
    if(CMAKE_INSTALL_DO_STRIP AND EXISTS "${vi_program}")
        execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment
                                --remove-section=.note "${vi_program}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()]] vi_strip_code @ONLY)
install(CODE "${vi_strip_code}")
configure_file(${VI_PACKAGING_DIR}/app.desktop.in ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.desktop
               @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# AppStream 1.0 (Debian 13) names the developer in <developer>; 0.16 (Debian 12)
# knows only <developer_name>, which 1.0 calls deprecated. The metainfo takes
# the form that the build machine's AppStream reads, the newer one without it.
set(vi_developer_name "${VI_DISPLAY_NAME} developers")
set(VI_METAINFO_DEVELOPER "<developer id=\"${VI_DEVELOPER_ID}\">
    <name>${vi_developer_name}</name>
  </developer>")
find_program(VI_APPSTREAMCLI appstreamcli)
if(VI_APPSTREAMCLI)
    execute_process(COMMAND ${VI_APPSTREAMCLI} --version OUTPUT_VARIABLE vi_appstream_version)
    string(REGEX MATCH "[0-9]+(\\.[0-9]+)+" vi_appstream_version "${vi_appstream_version}")
    if(vi_appstream_version AND vi_appstream_version VERSION_LESS 1.0)
        set(VI_METAINFO_DEVELOPER "<developer_name>${vi_developer_name}</developer_name>")
    endif()
endif()
configure_file(${VI_PACKAGING_DIR}/app.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons are committed, drawn by make_icon.py --icons, so that no build needs Python.
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${VI_PACKAGING_DIR}/icons/vizovidiz-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VI_APP_ID}.png)
endforeach()
install(FILES ${VI_PACKAGING_DIR}/icons/vizovidiz.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VI_APP_ID}.svg)

set(VI_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${VI_PROGRAM})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_SOURCE_DIR}/README.ja.md
        DESTINATION ${VI_DOC_DIR})

# The manual page, the changelog and the copyright file, from the
# templates in packaging/debian/ with the names, the version and the
# release date filled in.
set(vi_debian_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
string(TOUPPER "${VI_PROGRAM}" VI_PROGRAM_UPPER)
# The release date as a changelog wants it: "Tue, 08 Dec 2026 12:00:00 +0000".
execute_process(COMMAND date -u -R -d "${VI_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE VI_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

# The changelog and the copyright file take no comments: their templates'
# leading "#" lines (the licence header) are dropped.
foreach(name IN ITEMS changelog copyright)
    set(template ${VI_PACKAGING_DIR}/debian/${name}.in)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
    file(READ ${template} vi_text)
    string(REGEX REPLACE "^(#[^\n]*\n)+\n" "" vi_text "${vi_text}")
    file(CONFIGURE OUTPUT ${vi_debian_dir}/${name} CONTENT "${vi_text}" @ONLY)
endforeach()
configure_file(${VI_PACKAGING_DIR}/debian/program.1.in ${vi_debian_dir}/${VI_PROGRAM}.1 @ONLY)

# Compressed at build time as Debian wants them: gzip -9, no name or time stamp.
find_program(VI_GZIP gzip REQUIRED)
set(vi_gzipped)
foreach(name IN ITEMS changelog ${VI_PROGRAM}.1)
    add_custom_command(
        OUTPUT ${vi_debian_dir}/${name}.gz
        COMMAND ${VI_GZIP} -9 -n -k -f ${vi_debian_dir}/${name}
        COMMAND ${CMAKE_COMMAND} -E touch ${vi_debian_dir}/${name}.gz
        DEPENDS ${vi_debian_dir}/${name}
        COMMENT "Compressing ${name}"
        VERBATIM)
    list(APPEND vi_gzipped ${vi_debian_dir}/${name}.gz)
endforeach()
add_custom_target(vizovidiz_docs ALL DEPENDS ${vi_gzipped})

install(FILES ${vi_debian_dir}/changelog.gz ${vi_debian_dir}/copyright
        DESTINATION ${VI_DOC_DIR})
install(FILES ${vi_debian_dir}/${VI_PROGRAM}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${VI_PROGRAM}")
set(CPACK_PACKAGE_VERSION "${VI_VERSION_TEXT}")
set(CPACK_PACKAGE_VENDOR "${VI_DISPLAY_NAME}")
set(CPACK_PACKAGE_CONTACT "${VI_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${VI_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION
    "${VI_DISPLAY_NAME} (${VI_PRODUCT_NAME}) counts down a match and the current turn for
1 to 4 players at the table. It charges every second to the player whose
turn it is, charges the seconds a turn runs over as loss time, warns in
colour as the match time runs down and at the end lists every player's
total and loss time. Its window is in Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VI_HOMEPAGE_URL}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
# utils, not games: a game's program would have to live in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The platform plugins and the window's Japanese faces are loaded at run time,
# so no library scan finds them; dpkg-shlibdeps adds the libraries the program
# is linked against (libc6, libstdc++6, the Qt 6 libraries) with their versions.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# From Qt 6.8 on the window is native on Wayland, sharp at fractional scales
# where the desktop scales an XWayland one up; an older Qt goes through
# XWayland anyway (startup::choosePlatform).
if(Qt6_VERSION VERSION_GREATER_EQUAL 6.8)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(VI_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT VI_DPKG_SHLIBDEPS)
    message(WARNING "dpkg-shlibdeps not found: cpack -G DEB will refuse to build the package. "
                    "Install dpkg-dev (scripts/setup does).")
endif()
# Checked again when cpack runs: without dpkg-shlibdeps CPack would quietly
# build a package that depends on none of those libraries.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackChecks.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
# Generated by packaging/install.cmake: checks made when cpack runs.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25) # find_program wants programs that can be run
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(VI_CPACK_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT VI_CPACK_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps not found: without it the package would not "
                            "depend on the libraries the program needs. Install dpkg-dev "
                            "(scripts/setup does) and run cpack again.")
    endif()
    find_program(VI_CPACK_FILE file)
    if(NOT VI_CPACK_FILE)
        message(FATAL_ERROR "file not found: CPack needs it to find the programs to scan "
                            "for libraries. Install file (scripts/setup does).")
    endif()
    set(VI_DEBIAN_FLAGS_USED @VI_DEBIAN_FLAGS_USED@)
    if(NOT VI_DEBIAN_FLAGS_USED)
        message(WARNING "This build lacks Debian's hardening flags: build the package from a "
                        "Release build (-DCMAKE_BUILD_TYPE=Release) with dpkg-dev installed.")
    endif()
endif()
cmake_policy(POP)
]] @ONLY)

# CPack installs the files it packs from the component every install rule
# here is in, so that its install leaves install_manifest.txt alone: that file
# lists what "cmake --install" put on this machine, for uninstalling it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/")

include(CPack)
