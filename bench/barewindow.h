#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The main window's widget tree, geometry and fonts with no match logic: the
// baseline that the real window's cost is measured against.
class BareWindow : public QWidget {
public:
    explicit BareWindow(QWidget* parent = nullptr);

    // What any one-second countdown costs at least: hides the settings, sets
    // the buttons and rewrites two labels once a second with a plain QTimer.
    void startCountdown();

    QPushButton* startButton() const { return m_start; }

private:
    void tick();

    QLabel* m_gameLeft = nullptr;
    QLabel* m_turnLeft = nullptr;
    QLineEdit* m_boxes[3] = {};
    QPushButton* m_start = nullptr;
    QPushButton* m_others[3] = {};
    QTimer* m_timer = nullptr;
    int m_seconds = 3000;
};
