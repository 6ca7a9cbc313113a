// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "fonts.h"

#include <QLibraryInfo>
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

QByteArray preferredPlatform(const QVersionNumber& qt, const QList<QByteArray>& arguments,
                             const std::function<QByteArray(const char*)>& environment)
{
    // Qt reads "--platform" as "-platform".
    const bool chosen = !environment("QT_QPA_PLATFORM").isEmpty() ||
                        arguments.contains("-platform") || arguments.contains("--platform");
    const bool wayland =
        environment("XDG_SESSION_TYPE") == "wayland" || !environment("WAYLAND_DISPLAY").isEmpty();
    if (chosen || qt >= QVersionNumber(6, 8) || !wayland || environment("DISPLAY").isEmpty())
        return {};
    // Wayland stays the fallback, for an X server that has gone away.
    return "xcb;wayland";
}

void choosePlatform(int argc, char** argv)
{
    const QList<QByteArray> arguments(argv, argv + argc);
    const QByteArray platform = preferredPlatform(QLibraryInfo::version(), arguments,
                                                  [](const char* name) { return qgetenv(name); });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

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
