#pragma once

#include <QRgb>
#include <QStringView>

class QLabel;
class QString;

// "&H" and six hexadecimal digits, blue-green-red from the high byte down
// ("&H0080FF" is orange). A malformed text is a type-mismatch error.
QRgb colorFromText(QStringView text);

// A label's background as the window reports it.
QRgb backColor(const QLabel* label);

// These write a label property, and touch the label only when the value changes.
void setBackColor(QLabel* label, QRgb color);
void setForeColor(QLabel* label, QRgb color);
void setCaption(QLabel* label, const QString& caption);
