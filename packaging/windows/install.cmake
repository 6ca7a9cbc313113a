# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Windows: the program, its read-me and licence, packed two ways by CPack: a
# zip to unpack anywhere, and an installer (NSIS, 64-bit) that puts them in
# Program Files with a Start-menu entry and an entry in Settings > Apps.
set(vi_windows_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS vizovidiz RUNTIME DESTINATION .)
configure_file(${vi_windows_dir}/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION . RENAME LICENSE.txt)

# The notices of everything the static link puts into the program, made from
# its linker map after every link by notices.py, with the list of what is in
# it (third-party.json, for the release's SBOM): the link fails when anything
# reaches it that third-party.txt does not cover.
find_program(VI_PYTHON3 python3 REQUIRED)
# Qt 6's own scanner first: /usr/bin/qtattributionsscanner is qtchooser's,
# which runs Qt 5's or fails.
find_program(VI_QTATTRIBUTIONSSCANNER qtattributionsscanner HINTS /usr/lib/qt6/libexec REQUIRED)
set(VI_QT_SOURCE "" CACHE PATH
    "The qt6-base source the static Qt was built from (default: beside it, as scripts/windows does)")
get_filename_component(vi_qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE) # PREFIX/lib/cmake/Qt6
set(vi_map ${CMAKE_BINARY_DIR}/${VI_PROGRAM}.map)
target_link_options(vizovidiz PRIVATE "LINKER:-Map=${vi_map}")
add_custom_command(
    TARGET vizovidiz POST_BUILD
    COMMAND ${VI_PYTHON3} ${vi_windows_dir}/notices.py --map ${vi_map}
            --list ${vi_windows_dir}/third-party.txt --build ${CMAKE_BINARY_DIR}
            --qt-prefix ${vi_qt_prefix} --qt-source "${VI_QT_SOURCE}"
            --scanner ${VI_QTATTRIBUTIONSSCANNER} --out ${CMAKE_BINARY_DIR}
            --program ${VI_PROGRAM} --version ${VI_VERSION_TEXT}
    BYPRODUCTS ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt ${CMAKE_BINARY_DIR}/LGPL-3.0.txt
               ${CMAKE_BINARY_DIR}/third-party.json
    COMMENT "Checking the link against third-party.txt; THIRD-PARTY-NOTICES.txt"
    VERBATIM)
install(FILES ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt ${CMAKE_BINARY_DIR}/LGPL-3.0.txt
        DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS64")
set(CPACK_PACKAGE_NAME "${VI_PROGRAM}")
set(CPACK_PACKAGE_VERSION "${VI_VERSION_TEXT}")
set(CPACK_PACKAGE_VENDOR "${VI_DISPLAY_NAME} developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${VI_SUMMARY}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VI_HOMEPAGE_URL}")
set(CPACK_PACKAGE_FILE_NAME "${VI_PROGRAM}-${VI_VERSION_TEXT}-windows-x64")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON) # the NSIS lines below keep their quotes
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt)

# The installer: C:\Program Files\Vandrel Vizovidiz, a Start-menu entry with
# the program's icon, and an uninstall entry under the display name (one key
# for every version, so that a new one replaces the old).
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${VI_DISPLAY_NAME}")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${VI_DISPLAY_NAME}")
set(CPACK_PACKAGE_EXECUTABLES "${VI_PROGRAM};${VI_DISPLAY_NAME}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_DISPLAY_NAME "${VI_DISPLAY_NAME}")
set(CPACK_NSIS_PACKAGE_NAME "${VI_DISPLAY_NAME} ${VI_VERSION_TEXT}")
set(CPACK_NSIS_INSTALLED_ICON_NAME "${VI_PROGRAM}.exe")
set(CPACK_NSIS_MUI_ICON ${VI_PACKAGING_DIR}/vizovidiz.ico)
set(CPACK_NSIS_MUI_UNIICON ${VI_PACKAGING_DIR}/vizovidiz.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "${VI_HOMEPAGE_URL}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for a 64-bit program (Debian's nsis has the stubs); its
# pages speak the language of Windows, Japanese or English among them. The
# Start-menu folder is the program's name, without the version, and the
# uninstaller takes the vendor's key with it once it is empty. Its own version
# information is the program's, in Japanese (1041). It stores no file times:
# CPack writes one of its files (NSIS.InstallOptions.ini) while it packs.
set(CPACK_NSIS_DEFINES "
  Target amd64-unicode
  SetDateSave off
  !include FileFunc.nsh
  !define MUI_STARTMENUPAGE_DEFAULTFOLDER \"${VI_DISPLAY_NAME}\"
  Function un.onUninstSuccess
    DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
  FunctionEnd
  VIProductVersion ${VI_VERSION_DOTS}
  VIFileVersion ${VI_VERSION_DOTS}
  VIAddVersionKey /LANG=1041 ProductName \"${VI_PRODUCT_NAME}\"
  VIAddVersionKey /LANG=1041 ProductVersion \"${VI_VERSION_TEXT}\"
  VIAddVersionKey /LANG=1041 FileVersion \"${VI_VERSION_TEXT}\"
  VIAddVersionKey /LANG=1041 FileDescription \"${VI_DISPLAY_NAME} ${VI_VERSION_TEXT} Setup\"
  VIAddVersionKey /LANG=1041 CompanyName \"${CPACK_PACKAGE_VENDOR}\"
  VIAddVersionKey /LANG=1041 LegalCopyright \"GPL-3.0-or-later\"")
# Settings > Apps shows the size it takes.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  IntFmt $0 \"0x%08X\" $0
  WriteRegDWORD SHCTX \"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"EstimatedSize\" \"$0\"")

# The packed files carry the commit's time, not the build's (SOURCE_DATE_EPOCH).
set(CPACK_PRE_BUILD_SCRIPTS ${vi_windows_dir}/staged-times.cmake)

# The installer's file name says what it is.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackWindows.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
# Generated by packaging/windows/install.cmake.
if(CPACK_GENERATOR MATCHES "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "@CPACK_PACKAGE_FILE_NAME@-setup")
endif()
]] @ONLY)

include(CPack)
