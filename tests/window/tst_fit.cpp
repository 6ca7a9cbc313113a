// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Each control's longest texts as the window draws them, with whatever faces
// and screen this process has: the whole of each text, in its control. Run
// alone, and by tst_desktop once for each Japanese face and scale.
#include "expected.h"
#include "windowfixture.h"

#include <QPainter>

#include <algorithm>
#include <span>

namespace {

void setText(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* box = qobject_cast<QLineEdit*>(control))
        box->setText(text);
    else
        static_cast<QPushButton*>(control)->setText(text);
}

// What is drawn, in device pixels. A text's ink is where a drawing with the
// text differs from the same drawing without it.

int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

QImage drawing(QWidget* control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// 1 where the two differ by a third of their strongest difference or more, so
// that anti-aliased edges count alike in any colours.
QImage ink(const QImage& with, const QImage& without)
{
    QImage mask(with.size(), QImage::Format_Grayscale8);
    int strongest = 0;
    for (int y = 0; y < with.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(with.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(without.constScanLine(y));
        uchar* row = mask.scanLine(y);
        for (int x = 0; x < with.width(); ++x) {
            row[x] = uchar(difference(a[x], b[x]));
            strongest = std::max<int>(strongest, row[x]);
        }
    }
    for (int y = 0; y < mask.height(); ++y)
        for (uchar& pixel : std::span(mask.scanLine(y), mask.width()))
            pixel = strongest > 0 && 3 * pixel >= strongest;
    return mask;
}

// The box of each run of rows with ink, top to bottom.
QList<QRect> bands(const QImage& mask)
{
    QList<QRect> found;
    for (int y = 0; y < mask.height(); ++y) {
        QRect row;
        for (int x = 0; x < mask.width(); ++x)
            if (mask.constScanLine(y)[x])
                row |= QRect(x, y, 1, 1);
        if (!row.isNull() && !found.isEmpty() && found.back().bottom() == y - 1)
            found.back() |= row;
        else if (!row.isNull())
            found << row;
    }
    return found;
}

QRect box(const QImage& mask)
{
    QRect all;
    for (const QRect& band : bands(mask))
        all |= band;
    return all;
}

// The text drawn freely in the control's font, at its pixel ratio and dots
// per inch, amid a canvas four times the control's size.
QRect freeInk(const QWidget* control, const QString& text)
{
    const QSize size = control->size() * 4;
    QImage canvas(size * control->devicePixelRatioF(), QImage::Format_ARGB32);
    canvas.setDevicePixelRatio(control->devicePixelRatioF());
    canvas.setDotsPerMeterX(qRound(control->logicalDpiX() / 0.0254));
    canvas.setDotsPerMeterY(qRound(control->logicalDpiY() / 0.0254));
    canvas.fill(Qt::white);
    const QImage blank = canvas.copy();
    QPainter painter(&canvas);
    painter.setFont(control->font());
    painter.drawText(QRect(QPoint(), size), Qt::AlignCenter, text);
    painter.end();
    return box(ink(canvas, blank));
}

// Within the frame or bevel, as drawn: from the middle outwards up to the
// first sharp step of colour. A button's gradient steps by a level or two.
QRect inside(const QImage& drawn)
{
    const auto reach = [&](QPoint step) {
        QPoint p = drawn.rect().center();
        while (drawn.rect().contains(p + step) &&
               difference(drawn.pixel(p), drawn.pixel(p + step)) <= 8)
            p += step;
        return p;
    };
    return QRect(QPoint(reach({-1, 0}).x(), reach({0, -1}).y()),
                 QPoint(reach({1, 0}).x(), reach({0, 1}).y()));
}

QString describe(QRect r)
{
    return QStringLiteral("%1x%2 at %3,%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

} // namespace

class TestFit : public QObject {
    Q_OBJECT

private slots:
    // Each control with its longest texts, each text as paragraphs (a line
    // feed and a carriage return between them), and the lines it takes.
    void fitsOnThisDesktop_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::addColumn<int>("lines");
        const QString negativeTime = QStringLiteral("-547：52");
        const QList<std::pair<const char*, QString>> oneLine = {
            {"Label1_0", QStringLiteral("試合の総時間（分）")},
            {"Label1_1", QStringLiteral("１ターンの制限時間（秒）")},
            {"Label1_2", QStringLiteral("試合の残り時間")},
            {"Label1_3", QStringLiteral("このターンの残り時間")},
            {"Label1_4", QStringLiteral("参加人数")},
            {"Label1_5", QStringLiteral("プレイヤー")},
            {"lblPlayer", QStringLiteral("4")},
            {"lblGameJoken", QStringLiteral("-546.14")},
            {"lblTurnJoken", QStringLiteral("-32768.5")},
            {"txtPlayer", QStringLiteral("4")},
            {"txtGameJoken", QStringLiteral("-546.14")},
            {"txtTurnJoken", QStringLiteral("-32768.5")},
            {"lblNowPlayer", QStringLiteral("Player 4")},
            {"lblGameNokori", negativeTime},
            {"lblTurnNokori", negativeTime},
            {"cmdTurnEnd", QStringLiteral("ターンの終了")},
            {"cmdStart", QStringLiteral("試合開始")},
            {"cmdPause", QStringLiteral("試合中断")},
            {"cmdPause", QStringLiteral("試合再開")},
            {"cmdEnd", QStringLiteral("試合終了")},
        };
        for (const auto& [control, text] : oneLine)
            QTest::addRow("%s, %s", control, qPrintable(text))
                << QString::fromLatin1(control) << QStringList{text} << 1;
        QStringList results{QStringLiteral("試合終了です。お疲れ様でした。")};
        for (int player = 1; player <= 4; ++player)
            results
                << QStringLiteral("  Player%1  Totaltime 546：07  (Losstime 546：07)").arg(player);
        QTest::newRow("ibiInformation, results")
            << QStringLiteral("ibiInformation") << results << 5;
        QTest::newRow("ibiInformation, turn over")
            << QStringLiteral("ibiInformation") << QStringList{expected::overrun} << 2;
    }

    void fitsOnThisDesktop()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, paragraphs);
        QFETCH(int, lines);
        WindowFixture f;
        f.show();
        if (qEnvironmentVariableIsSet("VI_EXPECTED_FACE"))
            QCOMPARE(QFontInfo(f.w->font()).family(), qEnvironmentVariable("VI_EXPECTED_FACE"));
        auto* shown = f.w->findChild<QWidget*>(control);
        QVERIFY(shown);
        // No text cursor or focus frame, which would move with the text.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QVERIFY(!QApplication::focusWidget());
        setText(shown, QString());
        const QImage blank = drawing(shown);
        const QRect room = inside(blank);
        const auto* label = qobject_cast<QLabel*>(shown);
        if (!label || label->frameWidth() > 0)
            QVERIFY2(blank.rect().adjusted(1, 1, -1, -1).contains(room), "no frame found");

        // A paragraph's ink is what it adds to the drawing of those before it:
        // adjacent results lines may touch (VL Gothic's descenders and
        // parentheses), and the whole text's bands would not tell them apart.
        QImage before = blank;
        QList<QRect> drawnLines;
        QList<int> heights; // of the results lines
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            setText(shown, paragraphs.first(i + 1).join(QStringLiteral("\n\r")));
            const QImage after = drawing(shown);
            const QList<QRect> added = bands(ink(after, before));
            before = after;
            for (const QRect& line : added) {
                QVERIFY2(drawnLines.isEmpty() || line.center().y() > drawnLines.back().bottom(),
                         "a line drawn over the one before");
                drawnLines << line;
            }
            if (added.size() != 1)
                continue; // wrapped by the label, or not drawn: counted below
            // A text cut at an edge, or scrolled in a text box, is smaller.
            const QRect at = added.front(), free = freeInk(shown, paragraphs[i]);
            QVERIFY2(std::abs(at.width() - free.width()) <= 1 &&
                         std::abs(at.height() - free.height()) <= 1,
                     qPrintable(QStringLiteral("\"%1\" not whole: ink %2, drawn freely %3")
                                    .arg(paragraphs[i], describe(at), describe(free))));
            if (i > 0)
                heights << at.height();
        }
        QCOMPARE(drawnLines.size(), lines);
        const auto [lowest, highest] = std::minmax_element(heights.begin(), heights.end());
        QVERIFY2(heights.isEmpty() || *highest - *lowest <= 1, "results lines of unlike height");
        // Not on the frame or bevel; text of several lines also ends above
        // the bottom edge, where the area clips a last line that does not fit.
        const QRect all = box(ink(before, blank));
        QVERIFY2(room.contains(all) && (lines == 1 || all.bottom() < room.bottom()),
                 qPrintable(QStringLiteral("ink %1 in %2").arg(describe(all), describe(room))));
    }
};

QTEST_MAIN(TestFit)
#include "tst_fit.moc"
