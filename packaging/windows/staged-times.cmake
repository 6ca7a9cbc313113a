# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by CPack after it has installed the files to pack and before it packs
# them: the zip and the installer keep each file's time, which would be the
# time of the build. With SOURCE_DATE_EPOCH (scripts/release sets the
# commit's date) every file and folder gets that time instead.
# The zip's entries also keep an MS-DOS time, which is local time: UTC here.
set(ENV{TZ} "UTC")
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}")
    execute_process(COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -exec
                            touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
