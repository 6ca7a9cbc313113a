// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on the desktops players have: other Japanese faces and scales,
// a dark palette, no display, no Japanese font.
#include "windowfixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cmath>

using namespace basVDTimer;

namespace {

struct Face {
    const char* name;
    const char* folder;
    const char* family;
};

const Face faces[] = {
    {"IPA", "/usr/share/fonts/opentype/ipafont-gothic", "IPAPGothic"},
    {"Noto Sans CJK JP", "/usr/share/fonts/opentype/noto", "Noto Sans CJK JP"},
    {"VL Gothic", "/usr/share/fonts/truetype/vlgothic", "VL PGothic"},
    {"Takao Gothic", "/usr/share/fonts/truetype/takao-gothic", "TakaoPGothic"},
};

// A fontconfig file that gives a program only these font folders, as a
// desktop with one Japanese face and the usual Latin one would.
QString writeFontConfig(const QTemporaryDir& dir, const QStringList& folders)
{
    QString text = QStringLiteral("<?xml version=\"1.0\"?><fontconfig>");
    for (const QString& folder :
         folders + QStringList{QStringLiteral("/usr/share/fonts/truetype/dejavu")})
        text += QStringLiteral("<dir>%1</dir>").arg(folder);
    text +=
        QStringLiteral("<cachedir>%1/cache</cachedir>"
                       "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>")
            .arg(dir.path());
    const QString path = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text.toUtf8());
    return path;
}

// Relative luminance and contrast ratio, as WCAG 2 defines them.
double luminance(const QColor& color)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x32, 0x32, 0x32));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x26, 0x26, 0x26));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    // tst_fit's check for each face and each scale, in a process of its own,
    // since fontconfig and the screen are read once per process.
    void longestTextsFit_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("scale");
        const QList<std::tuple<const char*, int, const char*>> desktops = {
            {"96 dpi", 96, ""},         {"144 dpi", 144, ""},     {"192 dpi", 192, ""},
            {"scale 1.25", 96, "1.25"}, {"scale 1.5", 96, "1.5"}, {"scale 2", 96, "2"}};
        for (const Face& face : faces)
            for (const auto& [desktop, dpi, scale] : desktops)
                QTest::addRow("%s, %s", face.name, desktop)
                    << QString::fromLatin1(face.folder) << QString::fromLatin1(face.family)
                    << QString::number(dpi) << QString::fromLatin1(scale);
    }

    void longestTextsFit()
    {
        QFETCH(QString, folder);
        QFETCH(QString, family);
        QFETCH(QString, platform);
        QFETCH(QString, scale);
#ifndef Q_OS_LINUX
        QSKIP("fontconfig and its private font folders are Linux's");
#endif
        if (!QFileInfo::exists(folder))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed (") + folder + u')'));
        QTemporaryDir dir;
        QFile screen(dir.filePath(QStringLiteral("screen.json")));
        QVERIFY(screen.open(QIODevice::WriteOnly));
        // Like Xft.dpi on X11: the screen's dots per inch scale the whole window.
        screen.write(QStringLiteral("{\"screens\": [{\"name\": \"s\", \"x\": 0, \"y\": 0, "
                                    "\"width\": 1600, \"height\": 1200, \"logicalDpi\": %1, "
                                    "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                         .arg(platform)
                         .toUtf8());
        screen.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), writeFontConfig(dir, {folder}));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + screen.fileName());
        env.insert(QStringLiteral("VI_EXPECTED_FACE"), family);
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QStringLiteral(VI_FIT_PATH), {QStringLiteral("fitsOnThisDesktop")});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAll());
        const bool passed =
            child.exitCode() == 0 &&
            output.contains(QLatin1String("PASS   : TestFit::fitsOnThisDesktop(")) &&
            output.contains(
                QRegularExpression(QStringLiteral("Totals: \\d+ passed, 0 failed, 0 skipped")));
        // The child's failures line by line: one message would be cut short.
        for (const QString& line : output.split(u'\n'))
            if (!passed && !line.startsWith(QLatin1String("PASS")))
                qWarning().noquote() << line;
        QVERIFY(passed);
    }

    // Text on a stage colour is black, or white on red for the time left;
    // on the standard background it takes the palette's text colour.
    void readableInEveryPalette_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::palette();
        QTest::newRow("dark") << darkPalette();
    }

    void readableInEveryPalette()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        {
            WindowFixture f;
            frmVDTimer& w = *f.w;
            const auto check = [&](const char* state) {
                const double information =
                    contrast(f.foreground(w.ibiInformation), f.background(w.ibiInformation));
                const double timeLeft =
                    contrast(f.foreground(w.lblGameNokori), f.background(w.lblGameNokori));
                QVERIFY2(information >= 4.5, qPrintable(QStringLiteral("%1: information %2:1")
                                                            .arg(QLatin1String(state))
                                                            .arg(information)));
                QVERIFY2(timeLeft >= 3, qPrintable(QStringLiteral("%1: time left %2:1")
                                                       .arg(QLatin1String(state))
                                                       .arg(timeLeft)));
            };
            f.start("2", "2", "30");
            check("start");
            f.tick();
            check("green");
            f.tick(30);
            check("turn over");
            f.tick(30);
            check("half");
            f.tick(30);
            check("quarter");
            f.tick();
            check("last minute");
            QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton);
            check("next turn");
            f.tick(30);
            check("end");
            QVERIFY(w.cmdStart->isEnabled());
            f.start("2", "2", "30");
            check("next start");
        }
        QApplication::setPalette(before);
    }

    // A desktop that switches palettes during a match, to dark at sunset and
    // back: the labels in the standard look take the new palette, a stage
    // colour keeps its black text.
    void followsAPaletteSwitch()
    {
        const QPalette light = QApplication::palette();
        const QPalette dark = darkPalette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        WindowFixture f;
        frmVDTimer& w = *f.w;
        f.start("2", "2", "30");
        f.tick(31); // the time left green, player 1 over the turn's limit
        QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton); // the information area back to standard
        const auto standardLook = [&](QLabel* label, const QPalette& palette) {
            return f.background(label) == palette.color(QPalette::Window) &&
                   f.foreground(label) == palette.color(QPalette::WindowText);
        };
        QVERIFY(standardLook(w.ibiInformation, light));

        QApplication::setPalette(dark);
        QTRY_VERIFY(standardLook(w.ibiInformation, dark));
        QCOMPARE(f.background(w.lblGameNokori), QColor(0, 255, 0));
        QCOMPARE(f.foreground(w.lblGameNokori), QColor(Qt::black));
        QCOMPARE(QColor::fromRgba(lngDefaultColor), dark.color(QPalette::Window));

        QTest::mouseClick(w.cmdEnd, Qt::LeftButton);
        f.start("2", "2", "30"); // the time left starts in the standard look
        QVERIFY(standardLook(w.lblGameNokori, dark));

        QApplication::setPalette(light);
        QTRY_VERIFY(standardLook(w.lblGameNokori, light));
        QVERIFY(standardLook(w.ibiInformation, light));
    }

    // What a player sees in a terminal when the program cannot open its window
    // or show its Japanese texts: one line each, and no abort.
    void startupMessages_data()
    {
        QTest::addColumn<QStringList>("environment"); // NAME=value, or NAME alone to unset
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: keeps running
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("alone"); // false: Qt may say more first
        const QString session = QStringLiteral("needs a graphical desktop session");
        const QString font = QStringLiteral("fonts-ipafont-gothic");
        const QStringList noDisplay{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
        QTest::newRow("no display") << noDisplay << QStringList() << 1 << session << true;
        QTest::newRow("no such X display")
            << QStringList{"DISPLAY=:97", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb"} << QStringList()
            << 1 << session << true;
        QTest::newRow("no Japanese font")
            << QStringList{"QT_QPA_PLATFORM=offscreen", "FONTCONFIG_FILE=latin-only"}
            << QStringList() << -1 << font << true;
        // Where Qt can start some platform it was asked for, the program runs;
        // the missing font is there to hear that it has got that far.
        QTest::newRow("-platform offscreen, no display")
            << noDisplay + QStringList{"FONTCONFIG_FILE=latin-only"}
            << QStringList{"-platform", "offscreen"} << -1 << font << true;
        QTest::newRow("xcb, else offscreen, no display")
            << QStringList{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb;offscreen",
                           "FONTCONFIG_FILE=latin-only"}
            << QStringList() << -1 << font << false;
    }

    void startupMessages()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QFETCH(bool, alone);
#ifndef Q_OS_LINUX
        QSKIP("X11, Wayland and fontconfig are Linux's");
#endif
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        for (const QString& setting : environment) {
            const QString name = setting.section(u'=', 0, 0);
            QString value = setting.section(u'=', 1);
            if (value == u"latin-only")
                value = writeFontConfig(dir, {});
            if (setting.contains(u'='))
                env.insert(name, value);
            else
                env.remove(name);
        }
        QProcess program;
        program.setProcessEnvironment(env);
        program.setReadChannel(QProcess::StandardError);
        program.start(QStringLiteral(VI_PROGRAM_PATH), arguments);
        QVERIFY(program.waitForStarted());
        QString said;
        while (!said.contains(says) && program.waitForReadyRead(30000))
            said += QString::fromUtf8(program.readAllStandardError());
        if (exitCode < 0) {
            QCOMPARE(program.state(), QProcess::Running);
            program.kill();
        }
        QVERIFY(program.state() == QProcess::NotRunning || program.waitForFinished(30000));
        said += QString::fromUtf8(program.readAllStandardError());
        QVERIFY2((!alone || said.count(u'\n') == 1) && said.contains(says), qPrintable(said));
        if (exitCode >= 0) {
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), exitCode);
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
