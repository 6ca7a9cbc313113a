// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping the screen on, on Windows: a power request, which `powercfg
// /requests` lists with the program and its reason.
#include "keepawake.h"

#include "match/messages.h"

#include <QString>

#include <windows.h>

KeepAwake::~KeepAwake()
{
    if (m_request)
        CloseHandle(m_request); // clears what it still requests
}

void KeepAwake::hold()
{
    if (!m_request) {
        std::wstring reason = QString::fromUtf16(messages::keepAwakeReason).toStdWString();
        REASON_CONTEXT context{.Version = POWER_REQUEST_CONTEXT_VERSION,
                               .Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING,
                               .Reason = {.SimpleReasonString = reason.data()}};
        HANDLE request = PowerCreateRequest(&context);
        if (request == INVALID_HANDLE_VALUE || !request) {
            refused();
            return;
        }
        m_request = request;
    }
    if (!PowerSetRequest(m_request, PowerRequestDisplayRequired) ||
        !PowerSetRequest(m_request, PowerRequestSystemRequired))
        refused();
}

void KeepAwake::release()
{
    if (!m_request)
        return;
    PowerClearRequest(m_request, PowerRequestDisplayRequired);
    PowerClearRequest(m_request, PowerRequestSystemRequired);
}
