# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation and packaging: the program, its desktop entry, AppStream
# metainfo and hicolor icons, and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

# VI_APP_ID names the desktop entry, the metainfo and the icons, so that menus
# and software centres tie them together.
set(VI_RELEASE_DATE "2026-12-08")
set(VI_HOMEPAGE_URL "https://vizovidiz.example.org/"
    CACHE STRING "Home page named in the AppStream metainfo and the Debian package")
set(VI_SCREENSHOT_URL "https://vizovidiz.example.org/docs"
    CACHE STRING "Web folder holding the docs/ pictures, for the AppStream metainfo")

set(VI_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# No $ORIGIN search path in the installed program: it uses the system's Qt, or
# the Qt it was linked against when that lies elsewhere.
set_target_properties(vizovidiz PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH ON)
install(TARGETS vizovidiz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${VI_PACKAGING_DIR}/app.desktop.in ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.desktop
               @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VI_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

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

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VI_PROGRAM})

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${VI_PROGRAM}")
set(CPACK_PACKAGE_VERSION "${VI_VERSION_TEXT}")
set(CPACK_PACKAGE_VENDOR "${VI_DISPLAY_NAME}")
set(CPACK_PACKAGE_CONTACT "${VI_DISPLAY_NAME} developers <vizovidiz@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match timer for turn-based tabletop games")
set(CPACK_PACKAGE_DESCRIPTION
    "${VI_DISPLAY_NAME} (${VI_PRODUCT_NAME}) counts down a match and the current turn for
1 to 4 players at the table. It charges every second to the player whose
turn it is, charges the seconds a turn runs over as loss time, warns in
colour as the match time runs down and at the end lists every player's
total and loss time. Its window is in Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VI_HOMEPAGE_URL}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The platform plugins and the window's Japanese faces are loaded at run time,
# so no library scan finds them.
set(VI_RUNTIME_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
find_program(VI_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VI_DPKG_SHLIBDEPS)
    # The library packages with the versions the build was linked against.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VI_RUNTIME_DEPENDS}")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), ${VI_RUNTIME_DEPENDS}")
endif()

include(CPack)
