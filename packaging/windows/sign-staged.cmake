# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by CPack, when VI_AUTHENTICODE_SIGNATURES is set, after it has installed
# (and stripped) the files to pack and before it packs them: the program is
# signed there, so that the zip and the installed program carry the
# signature. The first package signs it; the next attaches that signature to
# its own copy of the same bytes.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*${VI_SIGNED_PROGRAM}")
list(FILTER programs INCLUDE REGEX "/${VI_SIGNED_PROGRAM}$")
list(LENGTH programs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "${count} ${VI_SIGNED_PROGRAM} to sign in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
separate_arguments(sign UNIX_COMMAND "${VI_SIGN}")
execute_process(COMMAND ${sign} "${programs}" "${VI_SIGNED_PROGRAM}" COMMAND_ERROR_IS_FATAL ANY)
