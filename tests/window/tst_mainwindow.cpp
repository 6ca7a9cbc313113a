// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expected.h"
#include "windowfixture.h"

#include "match/conversions.h"
#include "window/colors.h"

#include <QAccessible>
#include <QGroupBox>
#include <QImageReader>
#include <QTimer>

using namespace basVDTimer;
using namespace std::chrono_literals;

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void designValuesAtFirstShowing()
    {
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Vandrel Vizovidiz Ver1.00"));
        QCOMPARE(w.size(), QSize(276, 411));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        // A window of fixed size offers no maximise button; minimise and close stay.
        QCOMPARE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
                                    Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        QCOMPARE(w.txtPlayer->text(), QStringLiteral("2"));
        QCOMPARE(w.txtGameJoken->text(), QStringLiteral("50"));
        QCOMPARE(w.txtTurnJoken->text(), QStringLiteral("120"));
        QCOMPARE(w.lblPlayer->text(), QStringLiteral("2"));
        QCOMPARE(w.lblGameJoken->text(), QStringLiteral("50"));
        QCOMPARE(w.lblTurnJoken->text(), QStringLiteral("120"));
        QCOMPARE(w.lblNowPlayer->text(), QStringLiteral("Player 1"));
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("50\uFF1A00"));
        QCOMPARE(w.lblTurnNokori->text(), QStringLiteral("2\uFF1A00"));
        QCOMPARE(w.ibiInformation->text(), QString());
        QCOMPARE(w.Frame1->title(), QStringLiteral("条件項目"));
        QCOMPARE(w.Frame2->title(), QStringLiteral("現在のステータス"));
        QCOMPARE(w.Frame3->title(), QStringLiteral("インフォメーション"));
        const QStringList captions = {QStringLiteral("試合の総時間（分）"),
                                      QStringLiteral("\uFF11ターンの制限時間\uFF08秒\uFF09"),
                                      QStringLiteral("試合の残り時間"),
                                      QStringLiteral("このターンの残り時間"),
                                      QStringLiteral("参加人数"),
                                      QStringLiteral("プレイヤー")};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.Label1[i]->text(), captions[i]);
        QCOMPARE(w.cmdTurnEnd->text(), QStringLiteral("ターンの終了"));
        QCOMPARE(w.cmdStart->text(), QStringLiteral("試合開始"));
        QCOMPARE(w.cmdPause->text(), QStringLiteral("試合中断"));
        QCOMPARE(w.cmdEnd->text(), QStringLiteral("試合終了"));
        QVERIFY(w.cmdStart->isEnabled());
        QVERIFY(!w.cmdTurnEnd->isEnabled() && !w.cmdPause->isEnabled() && !w.cmdEnd->isEnabled());
        QVERIFY(w.txtPlayer->isVisible() && w.txtGameJoken->isVisible() &&
                w.txtTurnJoken->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.cmdStart);
        QVERIFY(w.cmdStart->isDefault());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("rect");
        const QList<std::tuple<const char*, const char*, QRect>> table = {
            {"Frame1", "frmVDTimer", {8, 8, 257, 97}},
            {"Label1_4", "Frame1", {16, 24, 121, 17}},
            {"txtPlayer", "Frame1", {176, 21, 73, 18}},
            {"lblPlayer", "Frame1", {176, 21, 73, 17}},
            {"Label1_0", "Frame1", {16, 48, 121, 17}},
            {"txtGameJoken", "Frame1", {176, 45, 73, 18}},
            {"lblGameJoken", "Frame1", {176, 45, 73, 17}},
            {"Label1_1", "Frame1", {16, 72, 129, 17}},
            {"txtTurnJoken", "Frame1", {176, 69, 73, 18}},
            {"lblTurnJoken", "Frame1", {176, 69, 73, 17}},
            {"Frame2", "frmVDTimer", {8, 112, 257, 105}},
            {"Label1_5", "Frame2", {16, 24, 121, 17}},
            {"lblNowPlayer", "Frame2", {176, 21, 73, 17}},
            {"Label1_2", "Frame2", {16, 48, 121, 17}},
            {"lblGameNokori", "Frame2", {176, 45, 73, 17}},
            {"Label1_3", "Frame2", {16, 72, 129, 17}},
            {"lblTurnNokori", "Frame2", {176, 69, 73, 17}},
            {"cmdTurnEnd", "frmVDTimer", {8, 224, 257, 41}},
            {"cmdStart", "frmVDTimer", {8, 272, 81, 33}},
            {"cmdPause", "frmVDTimer", {96, 272, 81, 33}},
            {"cmdEnd", "frmVDTimer", {184, 272, 81, 33}},
            {"Frame3", "frmVDTimer", {8, 312, 257, 89}},
            {"ibiInformation", "Frame3", {8, 16, 241, 65}},
        };
        for (const auto& [name, container, rect] : table)
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                                << rect;
    }

    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, rect);
        WindowFixture f;
        f.show();
        auto* control = f.w->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), rect);
    }

    void textBoxesCoverTheirLabels()
    {
        WindowFixture f;
        f.show();
        for (auto [box, label] : {std::pair{f.w->txtPlayer, f.w->lblPlayer},
                                  std::pair{f.w->txtGameJoken, f.w->lblGameJoken},
                                  std::pair{f.w->txtTurnJoken, f.w->lblTurnJoken}}) {
            QVERIFY(box->geometry().contains(label->geometry()));
            const QPoint inside = label->geometry().center();
            QCOMPARE(label->parentWidget()->childAt(inside), box);
            box->setVisible(false);
            QCOMPARE(label->parentWidget()->childAt(inside), label);
            box->setVisible(true);
            QCOMPARE(label->parentWidget()->childAt(inside), box);
        }
    }

    void tabCycle_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QStringList>("cycle");
        QTest::newRow("set-up") << false << false
                                << QStringList{"cmdStart", "txtGameJoken", "txtTurnJoken",
                                               "txtPlayer"};
        QTest::newRow("running") << true << false
                                 << QStringList{"cmdTurnEnd", "cmdPause", "cmdEnd"};
        QTest::newRow("paused") << true << true << QStringList{"cmdPause", "cmdEnd"};
    }

    void tabCycle()
    {
        QFETCH(bool, running);
        QFETCH(bool, paused);
        QFETCH(QStringList, cycle);
        WindowFixture f;
        f.show();
        if (running)
            QTest::mouseClick(f.w->cmdStart, Qt::LeftButton);
        if (paused)
            QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), cycle.first());
        for (int i = 1; i <= cycle.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), cycle[i % cycle.size()]);
        }
        for (int i = cycle.size() - 1; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), cycle[i]);
        }
    }

    void formLoadState()
    {
        WindowFixture f;
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QCOMPARE(lngDefaultColor, f.background(f.w->lblGameJoken).rgba());
        QCOMPARE(intGameJoken + intTurnJoken + intGameNokori + intTurnNokori + intNowPlayer, 0);
        QCOMPARE(strColor, QString());
        for (int p = 1; p <= 4; ++p)
            QCOMPARE(intTotalTime(p) + intLossTime(p), 0);
    }

    void defaultColourGivesTheStandardLook()
    {
        WindowFixture f;
        f.show();
        for (QLabel* label : {f.w->lblGameNokori, f.w->ibiInformation, f.w->Label1[2]}) {
            const auto look = [label] {
                return label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            };
            const QImage standard = look();
            setBackColor(label, colorFromText(u"&H0000FF"));
            setForeColor(label, colorFromText(u"&HFFFFFF"));
            QVERIFY(look() != standard);
            setBackColor(label, lngDefaultColor);
            setForeColor(label, colorFromText(u"&H000000"));
            QCOMPARE(look(), standard);
        }
    }

    void labelsShowPlainText()
    {
        WindowFixture f;
        f.show();
        const auto labels = f.w->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 13);
        for (QLabel* label : labels)
            QCOMPARE(label->textFormat(), Qt::PlainText);
        for (const QString& markup : {QStringLiteral("<b>2</b>"), QStringLiteral("<img src=x>")}) {
            setCaption(f.w->ibiInformation, markup);
            f.w->ibiInformation->setWordWrap(false);
            // A picture or a bold "2" would not be as wide as the literal characters.
            QVERIFY(f.w->ibiInformation->sizeHint().width() >=
                    f.w->ibiInformation->fontMetrics().horizontalAdvance(markup));
        }
    }

    void screenReaderNames()
    {
        WindowFixture f;
        frmVDTimer& w = *f.w;
        setCaption(w.ibiInformation, QStringLiteral("試合終了です。"));
        QCOMPARE(w.txtPlayer->accessibleName(), QStringLiteral("参加人数"));
        QCOMPARE(w.txtGameJoken->accessibleName(), w.Label1[0]->text());
        QCOMPARE(w.txtTurnJoken->accessibleName(), w.Label1[1]->text());
        const QList<std::pair<QLabel*, QString>> described = {
            {w.lblPlayer, w.Label1[4]->text()},     {w.lblGameJoken, w.Label1[0]->text()},
            {w.lblTurnJoken, w.Label1[1]->text()},  {w.lblNowPlayer, w.Label1[5]->text()},
            {w.lblGameNokori, w.Label1[2]->text()}, {w.lblTurnNokori, w.Label1[3]->text()},
            {w.ibiInformation, w.Frame3->title()}};
        for (const auto& [label, description] : described) {
            QCOMPARE(label->accessibleDescription(), description);
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
            QVERIFY(face);
            QCOMPARE(face->text(QAccessible::Name), label->text());
            QCOMPARE(face->text(QAccessible::Description), description);
        }
        for (QWidget* child : w.findChildren<QWidget*>())
            QVERIFY2(!child->objectName().isEmpty(), child->metaObject()->className());
    }

    void fontsFitTheLayout()
    {
        WindowFixture f;
        frmVDTimer& w = *f.w;
        QCOMPARE(QFontInfo(w.font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(QFontInfo(w.cmdTurnEnd->font()).family(), QStringLiteral("IPAGothic"));
        QVERIFY(w.cmdTurnEnd->font().bold());
        QCOMPARE(w.cmdTurnEnd->font().pointSizeF(), 15.75);
        for (QLabel* label : w.findChildren<QLabel*>()) {
            if (label == w.ibiInformation)
                continue;
            const QFontMetrics metrics = label->fontMetrics();
            const QRect room = label->contentsRect();
            QVERIFY2(metrics.height() <= room.height(), qPrintable(label->objectName()));
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width(),
                     qPrintable(label->objectName()));
        }
        for (QLineEdit* box : {w.txtPlayer, w.txtGameJoken, w.txtTurnJoken})
            QVERIFY(box->fontMetrics().height() <= box->height() - 4);
        const QFontMetrics metrics = w.ibiInformation->fontMetrics();
        const QString line = QStringLiteral("  Player1  Totaltime 100：00  (Losstime 25：37)");
        QVERIFY(metrics.horizontalAdvance(line) <= w.ibiInformation->contentsRect().width());
        QVERIFY(5 * metrics.lineSpacing() <= w.ibiInformation->contentsRect().height());
    }

    // The window shows the program file's icon: its sizes, pixel for pixel.
    void windowIconIsTheProgramIcon()
    {
        if (!QImageReader::supportedImageFormats().contains("ico"))
            QSKIP("This Qt reads no .ico");
        const QIcon programIcon(QStringLiteral(":/test/vizovidiz.ico"));
        QVERIFY(!programIcon.availableSizes().isEmpty());
        WindowFixture f;
        const QIcon windowIcon = f.w->windowIcon();
        QCOMPARE(windowIcon.availableSizes(), programIcon.availableSizes());
        for (const QSize& size : programIcon.availableSizes()) {
            const auto pixels = [&size](const QIcon& icon) {
                return icon.pixmap(size).toImage().convertToFormat(
                    QImage::Format_ARGB32_Premultiplied);
            };
            QCOMPARE(pixels(windowIcon), pixels(programIcon));
        }
    }

    void timerDrivesTheTickEverySecond()
    {
        WindowFixture f;
        QTest::mouseClick(f.w->cmdStart, Qt::LeftButton);
        f.now = 3s;
        f.w->Timer1->wakeUp();
        QTRY_COMPARE(f.w->Timer1->delivered(), 3);
        QCOMPARE(intGameNokori, qint16(2997));
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("49：57"));
    }

    // Errors stop the handler, show in the window, and the program goes on.
    void errorsAreReportedNotFatal_data()
    {
        QTest::addColumn<int>("player");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad index") << 5 << 0 << expected::badIndex;
        QTest::newRow("overflow") << 1 << 32767 << expected::overflow;
    }

    void errorsAreReportedNotFatal()
    {
        QFETCH(int, player);
        QFETCH(int, total);
        QFETCH(QString, message);
        WindowFixture f;
        f.show();
        f.start("2", "50", "120");
        intNowPlayer = static_cast<qint16>(player);
        if (player <= 4)
            intTotalTime(player) = static_cast<qint16>(total);
        f.tick();
        QCOMPARE(f.w->ibiInformation->text(), QStringLiteral("エラー（Timer1_Timer）：") + message);
        QCOMPARE(intGameNokori, qint16(2999)); // the steps before the error stay done
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("50：00"));
        QTest::mouseClick(f.w->cmdEnd, Qt::LeftButton);
        QVERIFY(f.w->cmdStart->isEnabled());
        f.start("1", "1", "10");
        f.tick();
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("0：59"));
        QCOMPARE(intTotalTime(1), qint16(1));
    }

    void closingEndsAtOnceInAnyState()
    {
        for (int state = 0; state < 3; ++state) {
            WindowFixture f;
            f.show();
            if (state >= 1)
                QTest::mouseClick(f.w->cmdStart, Qt::LeftButton);
            if (state == 2)
                QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
            // The event loop ends with the window; the guard only stops a hang.
            QTimer::singleShot(0, f.w.get(), [&] { QVERIFY(f.w->close()); });
            QTimer guard;
            guard.callOnTimeout([] { QApplication::exit(1); });
            guard.start(10s);
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(!f.w->isVisible());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
