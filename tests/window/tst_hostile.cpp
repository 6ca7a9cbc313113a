// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Hostile settings typed into the real window: every one either starts the
// match with the right seconds or is refused with the window left as it was.
#include "windowfixture.h"
#include "windowstate.h"

#include <optional>

using namespace basVDTimer;

namespace {

constexpr int mebi = 1 << 20;

QString repeated(QStringView piece, int times)
{
    return piece.toString().repeated(times);
}

// The caption of the row a refused box belongs to.
QString rowCaption(const frmVDTimer& w, const QString& box)
{
    if (box == u"txtPlayer")
        return w.Label1[4]->text();
    return box == u"txtGameJoken" ? w.Label1[0]->text() : w.Label1[1]->text();
}

void addRow(const char* name, const QString& players, const QString& minutes, const QString& turn,
            const char* refused, int count, int gameSeconds, int turnSeconds)
{
    QTest::newRow(name) << players << minutes << turn << QString::fromLatin1(refused) << count
                        << gameSeconds << turnSeconds;
}

// One setting hostile, the other two at their defaults; nullopt: refused.
void playerRow(const char* name, const QString& text, std::optional<int> count)
{
    addRow(name, text, "50", "120", count ? "" : "txtPlayer", count.value_or(0), 3000, 120);
}

void minutesRow(const char* name, const QString& text, std::optional<int> seconds)
{
    addRow(name, "2", text, "120", seconds ? "" : "txtGameJoken", 2, seconds.value_or(0), 120);
}

void turnRow(const char* name, const QString& text, std::optional<int> seconds)
{
    addRow(name, "2", "50", text, seconds ? "" : "txtTurnJoken", 2, 3000, seconds.value_or(0));
}

QString u16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

} // namespace

class TestHostile : public QObject {
    Q_OBJECT

private slots:
    void settings_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("turn");
        QTest::addColumn<QString>("refused"); // the box refused, or empty
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("gameSeconds");
        QTest::addColumn<int>("turnSeconds");
        const auto no = std::nullopt;

        playerRow("players empty", "", no);
        playerRow("players blanks only", "   ", no);
        playerRow("players ideographic blanks only", u16(u"\u3000\u3000"), no);
        playerRow("players letters", "two", no);
        playerRow("players 0", "0", no);
        playerRow("players 5", "5", no);
        playerRow("players -1", "-1", no);
        playerRow("players 2.5", "2.5", no);
        playerRow("players 4.0", "4.0", 4);
        playerRow("players 4.0000000001", "4.0000000001", no);
        playerRow("players 3 within a double", "3.0000000000000001", 3);
        playerRow("players leading zeros", "002", 2);
        playerRow("players trailing point", "1.", 1);
        playerRow("players 1e0", "1e0", no);
        playerRow("players 0x2", "0x2", no);
        playerRow("players inf", "inf", no);
        playerRow("players full-width 3", u16(u"３"), 3);
        playerRow("players full-width plus", u16(u"＋２"), 2);
        playerRow("players full-width minus", u16(u"－１"), no);
        playerRow("players full-width point", u16(u"２．０"), 2);
        playerRow("players markup bold", "<b>2</b>", no);
        playerRow("players markup image", "<img src=x>", no);
        playerRow("players tab", "\t2", no);
        playerRow("players line feed", "2\n", no);
        playerRow("players NUL", QString(QChar(0)) + u'2', no);
        playerRow("players right-to-left mark", u16(u"\u200F2"), no);
        playerRow("players combining acute", u16(u"2\u0301"), no);
        playerRow("players arabic-indic two", u16(u"\u0662"), no);
        playerRow("players no-break space", u16(u"\u00A02"), no);
        playerRow("players emoji", u16(u"2\U0001F600"), no);
        playerRow("players lone surrogate", QString(QChar(0xD800)) + u'2', no);
        playerRow("players 1 MB of zeros then 1", repeated(u"0", mebi) + u'1', 1);
        playerRow("players 1 MB of letters", repeated(u"x", mebi), no);

        minutesRow("minutes empty", "", no);
        minutesRow("minutes blanks only", "    ", no);
        minutesRow("minutes 1e3", "1e3", no);
        minutesRow("minutes 0x10", "0x10", no);
        minutesRow("minutes 1,000", "1,000", no);
        minutesRow("minutes full-width comma", u16(u"１，０００"), no);
        minutesRow("minutes inner blank", "1 000", no);
        minutesRow("minutes inf", "inf", no);
        minutesRow("minutes nan", "nan", no);
        minutesRow("minutes --1", "--1", no);
        minutesRow("minutes +", "+", no);
        minutesRow("minutes .", ".", no);
        minutesRow("minutes full-width point only", u16(u"．"), no);
        minutesRow("minutes 546.125", "546.125", no);
        minutesRow("minutes 546.2", "546.2", no);
        minutesRow("minutes 546.12", "546.12", 32767);
        minutesRow("minutes -546.14", "-546.14", -32768);
        minutesRow("minutes -546.15", "-546.15", no);
        minutesRow("minutes 22.5 s to even", "0.375", 22);
        minutesRow("minutes -0", "-0", 0);
        minutesRow("minutes full-width negative", u16(u"－１．５"), -90);
        minutesRow("minutes ideographic blanks around", u16(u"\u3000 1.5\u3000"), 90);
        minutesRow("minutes right-to-left override", u16(u"\u202E50"), no);
        minutesRow("minutes markup", "<i>50</i>", no);
        minutesRow("minutes carriage return", "50\r", no);
        minutesRow("minutes 1 MB of nines", repeated(u"9", mebi), no);
        minutesRow("minutes 1 MB fraction", QStringLiteral("0.") + repeated(u"0", mebi) + u'1', 0);
        minutesRow("minutes 1 MB of blanks around",
                   repeated(u"\u3000", mebi / 2) + QStringLiteral("1.5") + repeated(u" ", mebi / 2),
                   90);
        minutesRow("minutes 1 MB of markup", repeated(u"<b>2</b>", mebi / 8), no);

        turnRow("turn empty", "", no);
        turnRow("turn blanks only", " ", no);
        turnRow("turn 32767.5", "32767.5", no);
        turnRow("turn -32768.6", "-32768.6", no);
        turnRow("turn 32767.4", "32767.4", 32767);
        turnRow("turn -32768.5", "-32768.5", -32768);
        turnRow("turn 90.5 to even", "90.5", 90);
        turnRow("turn 0x10", "0x10", no);
        turnRow("turn 1e2", "1e2", no);
        turnRow("turn nan", "nan", no);
        turnRow("turn full-width plus", u16(u"＋３０"), 30);
        turnRow("turn zero-width space", u16(u"\u200B120"), no);
        turnRow("turn combining diaeresis", u16(u"1\u0308"), no);
        turnRow("turn escape", "\x1b[2J120", no);
        turnRow("turn 1 MB of digits then a letter", repeated(u"1", mebi) + u'x', no);
        turnRow("turn 1 MB of zeros after the point", QStringLiteral("30.") + repeated(u"0", mebi),
                30);
        turnRow("turn 1 MB of combining marks", u'1' + repeated(u"\u0301", mebi), no);

        addRow("all refused: players first", "x", "y", "z", "txtPlayer", 0, 0, 0);
        addRow("minutes and turn refused: minutes first", "3", "1e3", "1e3", "txtGameJoken", 0, 0,
               0);
        addRow("negative match with a long turn", "1", "-1", "120", "", 1, -60, 120);
    }

    void settings()
    {
        QFETCH(QString, players);
        QFETCH(QString, minutes);
        QFETCH(QString, turn);
        QFETCH(QString, refused);
        QFETCH(int, count);
        QFETCH(int, gameSeconds);
        QFETCH(int, turnSeconds);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.setSettings(players, minutes, turn);
        QCOMPARE(w.txtPlayer->text(), players);
        QCOMPARE(w.txtGameJoken->text(), minutes);
        QCOMPARE(w.txtTurnJoken->text(), turn);
        const QStringList before = windowState(w, false);

        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        QVERIFY(!w.ibiInformation->text().startsWith(QStringLiteral("エラー")));

        if (!refused.isEmpty()) {
            QCOMPARE(windowState(w, false), before);
            QVERIFY(w.ibiInformation->text().contains(rowCaption(w, refused)));
            auto* box = w.findChild<QLineEdit*>(refused);
            QCOMPARE(QApplication::focusWidget(), box);
            QCOMPARE(box->selectedText(), box->text());
            // Still in the set-up state: a tick does nothing.
            const QStringList refusedState = windowState(w);
            f.tick();
            QCOMPARE(windowState(w), refusedState);
            return;
        }

        QVERIFY(!w.cmdStart->isEnabled());
        QVERIFY(!w.txtPlayer->isVisible() && !w.txtGameJoken->isVisible() &&
                !w.txtTurnJoken->isVisible());
        QCOMPARE(w.lblPlayer->text(), players);
        QCOMPARE(w.lblGameJoken->text(), minutes);
        QCOMPARE(w.lblTurnJoken->text(), turn);
        QCOMPARE(int(intGameJoken), gameSeconds);
        QCOMPARE(int(intTurnJoken), turnSeconds);
        QCOMPARE(int(intGameNokori), gameSeconds);
        QCOMPARE(int(intTurnNokori), std::min(turnSeconds, gameSeconds));
        QCOMPARE(w.lblGameNokori->text(), FormatTime(intGameJoken));
        QCOMPARE(w.lblTurnNokori->text(), FormatTime(intTurnJoken));
        QCOMPARE(intNowPlayer, qint16(1));
        QCOMPARE(w.ibiInformation->text(), QString());

        f.tick();
        QVERIFY(!w.ibiInformation->text().startsWith(QStringLiteral("エラー")));
        if (gameSeconds > 0) {
            QCOMPARE(int(intGameNokori), gameSeconds - 1);
            QCOMPARE(intTotalTime(1), qint16(1));
            QTest::mouseClick(w.cmdEnd, Qt::LeftButton);
        }
        // One results line per player, and the texts are back as typed.
        QVERIFY(w.cmdStart->isEnabled());
        QCOMPARE(w.ibiInformation->text().count(QStringLiteral("\n\r  Player")), count);
        QCOMPARE(w.txtPlayer->text(), players);
        QCOMPARE(w.txtGameJoken->text(), minutes);
        QCOMPARE(w.txtTurnJoken->text(), turn);
        QVERIFY(w.txtPlayer->isVisible() && w.txtGameJoken->isVisible() &&
                w.txtTurnJoken->isVisible());
    }

    // Any text can be typed: there is no length limit on a setting.
    void textBoxesTakeAnyLength()
    {
        WindowFixture f;
        const QString typed(40000, u'1');
        for (QLineEdit* box : {f.w->txtPlayer, f.w->txtGameJoken, f.w->txtTurnJoken}) {
            box->setText(typed);
            QCOMPARE(box->text().size(), typed.size());
        }
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
