# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the version information of the Windows program, as the names and
# the version in CMakeLists.txt give it, read back from a compiled resource
# file (.res, as windres writes it from packaging/vizovidiz.rc) or from the
# program file itself (.exe, through wrestool of icoutils):
#   cmake -DFILE=vizovidiz.res|vizovidiz.exe -DNAMES=build/names.env -P check-version.cmake
# Every resource is filed under Japanese (1041); the version block, in
# Japanese and Unicode (041104B0), names the product and the version, and its
# fixed part holds the same version as numbers.
cmake_minimum_required(VERSION 3.25)

function(fail message)
    message(FATAL_ERROR "${FILE}: ${message}")
endfunction()

# The names.env of a build: NAME='value' lines.
file(STRINGS "${NAMES}" lines REGEX "^VI_[A-Z_]+='")
foreach(line IN LISTS lines)
    string(REGEX MATCH "^(VI_[A-Z_]+)='(.*)'$" _ "${line}")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()

# A little-endian number of the given bytes at a byte offset of a hex dump.
function(read_le hex offset bytes out)
    math(EXPR start "(${offset}) * 2")
    math(EXPR length "${bytes} * 2")
    math(EXPR last "${length} - 2")
    string(SUBSTRING "${hex}" ${start} ${length} digits)
    set(number "")
    foreach(i RANGE 0 ${last} 2)
        string(SUBSTRING "${digits}" ${i} 2 byte)
        string(PREPEND number "${byte}")
    endforeach()
    math(EXPR value "0x${number}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Text as UTF-16LE in a hex dump, as resources keep it.
function(utf16 text out)
    string(HEX "${text}" ascii)
    string(REGEX REPLACE "(..)" "\\100" wide "${ascii}")
    set(${out} "${wide}" PARENT_SCOPE)
endfunction()

set(languages "")
if(FILE MATCHES "[.]exe$")
    find_program(WRESTOOL wrestool REQUIRED)
    execute_process(COMMAND ${WRESTOOL} --list "${FILE}" OUTPUT_VARIABLE list
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "--language=[0-9]+" found "${list}")
    foreach(entry IN LISTS found)
        string(REPLACE "--language=" "" language "${entry}")
        list(APPEND languages ${language})
    endforeach()
    set(block_file "${FILE}.version")
    execute_process(COMMAND ${WRESTOOL} --extract --raw --type=16 "${FILE}"
                    OUTPUT_FILE "${block_file}" COMMAND_ERROR_IS_FATAL ANY)
    file(READ "${block_file}" block HEX)
    file(REMOVE "${block_file}")
else()
    # A .res is a row of entries, each a header and its data, both padded to
    # four bytes; the header holds the type and, ten bytes before its end,
    # the language.
    file(READ "${FILE}" res HEX)
    string(LENGTH "${res}" size)
    math(EXPR size "${size} / 2")
    set(offset 0)
    while(offset LESS size)
        read_le("${res}" ${offset} 4 data_size)
        read_le("${res}" ${offset}+4 4 header_size)
        read_le("${res}" ${offset}+8 2 type_marker)
        read_le("${res}" ${offset}+10 2 type)
        read_le("${res}" ${offset}+${header_size}-10 2 language)
        if(data_size GREATER 0)
            list(APPEND languages ${language})
            if(type_marker EQUAL 65535 AND type EQUAL 16)
                math(EXPR start "(${offset} + ${header_size}) * 2")
                math(EXPR length "${data_size} * 2")
                string(SUBSTRING "${res}" ${start} ${length} block)
            endif()
        endif()
        math(EXPR offset "(${offset} + ${header_size} + ${data_size} + 3) / 4 * 4")
    endwhile()
endif()

if(NOT languages)
    fail("no resources")
endif()
list(REMOVE_DUPLICATES languages)
if(NOT languages STREQUAL "1041")
    fail("resources filed under the languages ${languages}, not Japanese (1041) alone")
endif()
if(NOT block)
    fail("no version information")
endif()
string(TOLOWER "${block}" block)

# Each string: its key, one or two null characters of padding, its value.
foreach(pair IN ITEMS "ProductName=${VI_PRODUCT_NAME}" "InternalName=${VI_PRODUCT_NAME}"
                      "FileVersion=${VI_VERSION_TEXT}" "ProductVersion=${VI_VERSION_TEXT}"
                      "OriginalFilename=${VI_PROGRAM}.exe")
    string(REGEX MATCH "^([^=]+)=(.*)$" _ "${pair}")
    utf16("${CMAKE_MATCH_1}" key)
    utf16("${CMAKE_MATCH_2}" value)
    if(NOT block MATCHES "${key}0000(0000)?${value}0000")
        fail("the version information lacks ${pair}")
    endif()
endforeach()
utf16("041104B0" table)
string(TOLOWER "${table}" table)
utf16("Translation" translation)
if(NOT block MATCHES "${table}" OR NOT block MATCHES "${translation}0000(0000)?1104b004")
    fail("the version information is not in Japanese and Unicode (041104B0)")
endif()

# The fixed part follows its signature 0xFEEF04BD and the structure's version.
string(FIND "${block}" "bd04effe" signature)
if(signature LESS 0)
    fail("no fixed version in the version information")
endif()
math(EXPR fixed "${signature} / 2 + 8")
string(REPLACE "," ";" numbers "${VI_VERSION_COMMAS}")
list(GET numbers 0 major)
list(GET numbers 1 minor)
math(EXPR want_ms "${major} * 65536 + ${minor}")
foreach(field IN ITEMS 0 8) # FileVersionMS, ProductVersionMS
    read_le("${block}" ${fixed}+${field} 4 ms)
    read_le("${block}" ${fixed}+${field}+4 4 ls)
    if(NOT ms EQUAL want_ms OR NOT ls EQUAL 0)
        fail("the fixed version is not ${VI_VERSION_COMMAS}")
    endif()
endforeach()

message(STATUS "${FILE}: ${VI_PRODUCT_NAME} ${VI_VERSION_TEXT} (${VI_VERSION_COMMAS}), "
               "every resource in Japanese (1041)")
