#include "frmVDTimer.h"

#include "match/basVDTimer.h"
#include "match/colors.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

// Design positions are in twips, 15 to the logical pixel.
QRect twips(int left, int top, int width, int height)
{
    const auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(px(left), px(top), px(width), px(height));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText); // typed text shows as typed, never as markup
    label->setText(caption);
    label->setGeometry(geometry);
    return label;
}

// The value labels look alike, sunken, unlike the row captions.
QLabel* makeValueLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                       const QString& rowCaption)
{
    QLabel* label = makeLabel(parent, name, caption, geometry);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Opaque, so that a new time repaints the label alone, not the frame behind it.
    label->setAutoFillBackground(true);
    label->setAccessibleDescription(rowCaption);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, const QString& text, QRect geometry,
                       const QString& rowCaption)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setAccessibleName(rowCaption);
    // Any length may be typed; the start refuses what is not a setting.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(true); // Enter presses the focused button
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    return frame;
}

} // namespace

frmVDTimer::frmVDTimer(QWidget* parent, PeriodicTimer::Clock clock)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmVDTimer"));
    setWindowTitle(QStringLiteral("Vandrel Vizovidiz Ver1.00"));
    setWindowIcon(QIcon(QStringLiteral(":/vizovidiz.ico")));
    setFixedSize(276, 411);

    // A proportional Japanese Gothic at 8 pt fits every caption and a results line.
    QFont standard;
    standard.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("MS UI Gothic")});
    standard.setPointSizeF(8);
    setFont(standard);

    buildControls();
    m_controls = {lblPlayer,  lblGameNokori, lblTurnNokori, ibiInformation,
                  txtPlayer,  txtGameJoken,  txtTurnJoken,  cmdStart,
                  cmdTurnEnd, cmdPause,      cmdEnd};

    Timer1 = new PeriodicTimer(this, std::chrono::seconds(1), std::move(clock));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    wireHandlers();

    Form_Load();
    Timer1->start();
    cmdStart->setFocus();
}

void frmVDTimer::buildControls()
{
    Frame1 = makeFrame(this, "Frame1", QStringLiteral("条件項目"), twips(120, 120, 3855, 1455));
    Frame2 =
        makeFrame(this, "Frame2", QStringLiteral("現在のステータス"), twips(120, 1680, 3855, 1575));

    const QString players = QStringLiteral("参加人数");
    const QString gameTime = QStringLiteral("試合の総時間（分）");
    const QString turnTime = QStringLiteral("１ターンの制限時間（秒）");
    const QString nowPlayer = QStringLiteral("プレイヤー");
    const QString gameLeft = QStringLiteral("試合の残り時間");
    const QString turnLeft = QStringLiteral("このターンの残り時間");

    Label1[4] = makeLabel(Frame1, "Label1_4", players, twips(240, 360, 1815, 255));
    Label1[0] = makeLabel(Frame1, "Label1_0", gameTime, twips(240, 720, 1815, 255));
    Label1[1] = makeLabel(Frame1, "Label1_1", turnTime, twips(240, 1080, 1935, 255));
    // Each value label first, so that its text box lies above it.
    lblPlayer = makeValueLabel(Frame1, "lblPlayer", QStringLiteral("2"),
                               twips(2640, 315, 1095, 255), players);
    txtPlayer =
        makeTextBox(Frame1, "txtPlayer", QStringLiteral("2"), twips(2640, 320, 1095, 270), players);
    lblGameJoken = makeValueLabel(Frame1, "lblGameJoken", QStringLiteral("50"),
                                  twips(2640, 680, 1095, 255), gameTime);
    txtGameJoken = makeTextBox(Frame1, "txtGameJoken", QStringLiteral("50"),
                               twips(2640, 680, 1095, 270), gameTime);
    lblTurnJoken = makeValueLabel(Frame1, "lblTurnJoken", QStringLiteral("120"),
                                  twips(2640, 1040, 1095, 255), turnTime);
    txtTurnJoken = makeTextBox(Frame1, "txtTurnJoken", QStringLiteral("120"),
                               twips(2640, 1040, 1095, 270), turnTime);

    Label1[5] = makeLabel(Frame2, "Label1_5", nowPlayer, twips(240, 360, 1815, 255));
    lblNowPlayer = makeValueLabel(Frame2, "lblNowPlayer", QStringLiteral("Player 1"),
                                  twips(2640, 320, 1095, 255), nowPlayer);
    Label1[2] = makeLabel(Frame2, "Label1_2", gameLeft, twips(240, 720, 1815, 255));
    lblGameNokori = makeValueLabel(Frame2, "lblGameNokori", QStringLiteral("50：00"),
                                   twips(2640, 675, 1095, 255), gameLeft);
    Label1[3] = makeLabel(Frame2, "Label1_3", turnLeft, twips(240, 1080, 1935, 255));
    lblTurnNokori = makeValueLabel(Frame2, "lblTurnNokori", QStringLiteral("2：00"),
                                   twips(2640, 1035, 1095, 255), turnLeft);

    cmdTurnEnd =
        makeButton(this, "cmdTurnEnd", QStringLiteral("ターンの終了"), twips(120, 3360, 3855, 615));
    QFont turnEndFont;
    // A fixed-pitch Japanese Gothic stands in where the design face is missing.
    turnEndFont.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    turnEndFont.setStyleHint(QFont::Monospace);
    turnEndFont.setPointSizeF(15.75);
    turnEndFont.setBold(true);
    cmdTurnEnd->setFont(turnEndFont);
    cmdTurnEnd->setEnabled(false);

    cmdStart =
        makeButton(this, "cmdStart", QStringLiteral("試合開始"), twips(120, 4080, 1215, 495));
    cmdStart->setDefault(true);
    cmdPause =
        makeButton(this, "cmdPause", QStringLiteral("試合中断"), twips(1440, 4080, 1215, 495));
    cmdPause->setEnabled(false);
    cmdEnd = makeButton(this, "cmdEnd", QStringLiteral("試合終了"), twips(2760, 4080, 1215, 495));
    cmdEnd->setEnabled(false);

    const QString information = QStringLiteral("インフォメーション");
    Frame3 = makeFrame(this, "Frame3", information, twips(120, 4680, 3855, 1335));
    ibiInformation = makeValueLabel(Frame3, "ibiInformation", QString(), twips(120, 240, 3615, 975),
                                    information);
    ibiInformation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ibiInformation->setWordWrap(true);

    // Only buttons and text boxes take the focus, in this order.
    QWidget::setTabOrder(cmdTurnEnd, cmdStart);
    QWidget::setTabOrder(cmdStart, cmdPause);
    QWidget::setTabOrder(cmdPause, cmdEnd);
    QWidget::setTabOrder(cmdEnd, txtGameJoken);
    QWidget::setTabOrder(txtGameJoken, txtTurnJoken);
    QWidget::setTabOrder(txtTurnJoken, txtPlayer);
}

void frmVDTimer::wireHandlers()
{
    connect(cmdStart, &QPushButton::clicked, this, &frmVDTimer::cmdStart_Click);
    connect(cmdPause, &QPushButton::clicked, this, &frmVDTimer::cmdPause_Click);
    connect(cmdTurnEnd, &QPushButton::clicked, this, &frmVDTimer::cmdTurnEnd_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmVDTimer::cmdEnd_Click);
    connect(Timer1, &PeriodicTimer::timeout, this, &frmVDTimer::Timer1_Timer);
    // Enter in a setting starts the match, as the default button of a dialog would.
    for (QLineEdit* box : {txtPlayer, txtGameJoken, txtTurnJoken})
        connect(box, &QLineEdit::returnPressed, cmdStart, &QPushButton::click);
}

void frmVDTimer::Form_Load()
{
    basVDTimer::strPause = QStringLiteral("OFF");
    basVDTimer::lngDefaultColor = backColor(lblGameJoken);
}
