#include "barewindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Positions in twips, 15 to the logical pixel, as the real window lays them out.
QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(px(left), px(top), px(width), px(height));
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry, bool sunken = false)
{
    auto* widget = new QLabel(parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setText(text);
    widget->setGeometry(geometry);
    if (sunken) {
        widget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget->setAutoFillBackground(true);
    }
    return widget;
}

QLineEdit* box(QWidget* parent, const QString& text, QRect geometry)
{
    auto* widget = new QLineEdit(text, parent);
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* button(QWidget* parent, const QString& text, QRect geometry, bool enabled)
{
    auto* widget = new QPushButton(text, parent);
    widget->setGeometry(geometry);
    widget->setAutoDefault(true);
    widget->setEnabled(enabled);
    return widget;
}

QString minutesSeconds(int seconds)
{
    return QString::number(seconds / 60) + u'：' +
           QString::number(seconds % 60).rightJustified(2, u'0');
}

} // namespace

BareWindow::BareWindow(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Vandrel Vizovidiz Ver1.00"));
    setFixedSize(276, 411);
    QFont standard;
    standard.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("MS UI Gothic")});
    standard.setPointSizeF(8);
    setFont(standard);

    auto* frame1 = new QGroupBox(QStringLiteral("条件項目"), this);
    frame1->setGeometry(twips(120, 120, 3855, 1455));
    auto* frame2 = new QGroupBox(QStringLiteral("現在のステータス"), this);
    frame2->setGeometry(twips(120, 1680, 3855, 1575));

    label(frame1, QStringLiteral("参加人数"), twips(240, 360, 1815, 255));
    label(frame1, QStringLiteral("試合の総時間（分）"), twips(240, 720, 1815, 255));
    label(frame1, QStringLiteral("１ターンの制限時間（秒）"), twips(240, 1080, 1935, 255));
    label(frame1, QStringLiteral("2"), twips(2640, 315, 1095, 255), true);
    m_boxes[0] = box(frame1, QStringLiteral("2"), twips(2640, 320, 1095, 270));
    label(frame1, QStringLiteral("50"), twips(2640, 680, 1095, 255), true);
    m_boxes[1] = box(frame1, QStringLiteral("50"), twips(2640, 680, 1095, 270));
    label(frame1, QStringLiteral("120"), twips(2640, 1040, 1095, 255), true);
    m_boxes[2] = box(frame1, QStringLiteral("120"), twips(2640, 1040, 1095, 270));

    label(frame2, QStringLiteral("プレイヤー"), twips(240, 360, 1815, 255));
    label(frame2, QStringLiteral("Player 1"), twips(2640, 320, 1095, 255), true);
    label(frame2, QStringLiteral("試合の残り時間"), twips(240, 720, 1815, 255));
    m_gameLeft = label(frame2, QStringLiteral("50：00"), twips(2640, 675, 1095, 255), true);
    label(frame2, QStringLiteral("このターンの残り時間"), twips(240, 1080, 1935, 255));
    m_turnLeft = label(frame2, QStringLiteral("2：00"), twips(2640, 1035, 1095, 255), true);

    m_others[0] = button(this, QStringLiteral("ターンの終了"), twips(120, 3360, 3855, 615), false);
    QFont turnEndFont;
    turnEndFont.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    turnEndFont.setStyleHint(QFont::Monospace);
    turnEndFont.setPointSizeF(15.75);
    turnEndFont.setBold(true);
    m_others[0]->setFont(turnEndFont);
    m_start = button(this, QStringLiteral("試合開始"), twips(120, 4080, 1215, 495), true);
    m_start->setDefault(true);
    m_others[1] = button(this, QStringLiteral("試合中断"), twips(1440, 4080, 1215, 495), false);
    m_others[2] = button(this, QStringLiteral("試合終了"), twips(2760, 4080, 1215, 495), false);

    auto* frame3 = new QGroupBox(QStringLiteral("インフォメーション"), this);
    frame3->setGeometry(twips(120, 4680, 3855, 1335));
    QLabel* information = label(frame3, QString(), twips(120, 240, 3615, 975), true);
    information->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    information->setWordWrap(true);

    m_start->setFocus();
}

void BareWindow::startCountdown()
{
    for (QLineEdit* widget : m_boxes)
        widget->setVisible(false);
    m_start->setEnabled(false);
    for (QPushButton* widget : m_others)
        widget->setEnabled(true);
    QPalette palette = m_gameLeft->palette();
    palette.setColor(m_gameLeft->backgroundRole(), Qt::green);
    m_gameLeft->setPalette(palette);
    m_gameLeft->setAutoFillBackground(true);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &BareWindow::tick);
    m_timer->start();
}

void BareWindow::tick()
{
    --m_seconds;
    m_gameLeft->setText(minutesSeconds(m_seconds));
    m_turnLeft->setText(minutesSeconds(120 - (3000 - m_seconds) % 120));
}
