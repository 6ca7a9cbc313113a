// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

// What the benchmarks read of their own process, and the little they share.
// Each benchmark runs the program's window and its baseline side by side in
// the same run, and its targets are ratios between the two.
namespace bench {

// The steady clock, which a parent and its child processes read alike.
std::int64_t nowNs();
// CPU time of every thread of this process.
std::int64_t processCpuNs();
// Peak resident memory of this process.
long peakRssKb();

template <typename T> double median(std::vector<T> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? double(values[mid]) : (double(values[mid - 1]) + values[mid]) / 2;
}

// A child's figures, which it prints as "key=value" lines.
using Figures = QMap<QString, QString>;
void printFigure(const QByteArray& key, double value);
double number(const Figures& figures, const QString& key);

// Starts this same program with the arguments, or another program that runs
// it; finish() waits for it and returns its figures, or throws when it fails.
class Child {
public:
    explicit Child(const QStringList& arguments);
    Child(const QString& program, const QStringList& arguments,
          const QProcessEnvironment& environment);
    Figures finish();

private:
    QProcess m_process;
};

// One line of a report: the figure, its baseline, their ratio, and whether
// the ratio is within the target (a negative target only informs).
bool reportRatio(const char* label, double value, double baseline, double target, int decimals = 1);
// The same with a ratio measured otherwise, such as run by run.
bool reportRatio(const char* label, double value, double baseline, double ratio, double target,
                 int decimals);

} // namespace bench
