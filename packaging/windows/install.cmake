# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Windows: the program, its read-me and licence, packed two ways by CPack: a
# zip to unpack anywhere, and an installer (NSIS, 64-bit) that puts them in
# Program Files with a Start-menu entry and an entry in Settings > Apps.
set(vi_windows_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS vizovidiz RUNTIME DESTINATION .)
configure_file(${vi_windows_dir}/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
# The update test's later version (VI_TEST_VERSION) leaves the read-me out,
# so that the test sees an update remove a file the new version lacks.
if(NOT VI_TEST_VERSION)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
endif()
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
# CPack's own removal of an earlier version asks in English, and before it
# could know whether the program runs: updates.nsh does it instead.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL OFF)
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
  !define VI_PROGRAM \"${VI_PROGRAM}\"
  !define VI_DISPLAY_NAME \"${VI_DISPLAY_NAME}\"
  !define VI_UNINSTALL_KEY \"${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\"
  !include /CHARSET=UTF8 \"${vi_windows_dir}/updates.nsh\"
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
# Never while the program runs; an update removes the earlier version first.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!insertmacro VI_BEFORE_INSTALL")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro VI_BEFORE_UNINSTALL")
# Settings > Apps shows the size it takes.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  IntFmt $0 \"0x%08X\" $0
  WriteRegDWORD SHCTX \"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"EstimatedSize\" \"$0\"")

# The packed files carry the commit's time, not the build's (SOURCE_DATE_EPOCH).
set(CPACK_PRE_BUILD_SCRIPTS ${vi_windows_dir}/staged-times.cmake)

# The installer's file name says what it is. With VI_AUTHENTICODE_SIGNATURES
# set (scripts/release, REBUILD.txt), CPack signs the program before it packs
# it, the uninstaller as NSIS writes it and the installer, or attaches the
# published signatures to them (scripts/signing.py); without, nothing changes.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/CPackWindows.cmake)
set(vi_signing ${PROJECT_SOURCE_DIR}/scripts/signing.py)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
# Generated by packaging/windows/install.cmake.
if(CPACK_GENERATOR MATCHES "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "@CPACK_PACKAGE_FILE_NAME@-setup")
endif()
if(DEFINED ENV{VI_AUTHENTICODE_SIGNATURES})
    set(VI_SIGN "'@VI_PYTHON3@' '@vi_signing@' authenticode"
        "--description '@VI_DISPLAY_NAME@' --url '@VI_HOMEPAGE_URL@'")
    string(REPLACE ";" " " VI_SIGN "${VI_SIGN}")
    set(VI_SIGNED_PROGRAM "@VI_PROGRAM@.exe")
    # Signed first: the files then get their times.
    list(PREPEND CPACK_PRE_BUILD_SCRIPTS "@vi_windows_dir@/sign-staged.cmake")
    string(APPEND CPACK_NSIS_DEFINES "
  !uninstfinalize `${VI_SIGN} \"%1\" Uninstall.exe` = 0
  !finalize `${VI_SIGN} \"%1\" ${CPACK_PACKAGE_FILE_NAME}.exe` = 0")
endif()
]] @ONLY)

include(CPack)
