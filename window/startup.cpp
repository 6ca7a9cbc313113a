// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "fonts.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace startup {

namespace {

QtMessageHandler previousHandler = nullptr;
// What Qt's window-system plugins say while they start, held back until
// they have started: when they fail, the one line says it all.
QList<std::pair<QtMsgType, QString>> heldBack;

void say(const char* line)
{
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}

void print(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        say(noDisplay);
        std::_Exit(1);
    }
    if (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0) {
        heldBack.append({type, message});
        return;
    }
    print(type, context, message);
}

} // namespace

void watchWindowSystem()
{
    previousHandler = qInstallMessageHandler(whileStarting);
}

void windowSystemReady()
{
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, message] : std::exchange(heldBack, {}))
        print(type, QMessageLogContext("", 0, "", "qt.qpa"), message);
}

void checkJapaneseFont()
{
    if (!fonts::japaneseAvailable())
        say("vizovidiz: no installed font covers Japanese, so the window's captions show as boxes; "
            "install one, for example the Debian package fonts-ipafont-gothic.");
}

} // namespace startup
