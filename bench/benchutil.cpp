// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchutil.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include <sys/resource.h>

namespace bench {

std::int64_t nowNs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

std::int64_t processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void printFigure(const QByteArray& key, double value)
{
    std::printf("%s=%.6f\n", key.constData(), value);
    std::fflush(stdout);
}

double number(const Figures& figures, const QString& key)
{
    bool ok = false;
    const double value = figures.value(key).toDouble(&ok);
    if (!ok)
        throw std::runtime_error("no figure " + key.toStdString());
    return value;
}

Child::Child(const QStringList& arguments)
    : Child(QCoreApplication::applicationFilePath(), arguments,
            QProcessEnvironment::systemEnvironment())
{
}

Child::Child(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setProcessEnvironment(environment);
    m_process.start(program, arguments);
}

Figures Child::finish()
{
    if (!m_process.waitForFinished(-1) && m_process.error() == QProcess::FailedToStart)
        throw std::runtime_error("cannot start " + m_process.program().toStdString());
    const QString output = QString::fromUtf8(m_process.readAllStandardOutput());
    if (m_process.exitStatus() != QProcess::NormalExit || m_process.exitCode() != 0)
        throw std::runtime_error("a benchmark child failed:\n" + output.toStdString());
    Figures figures;
    for (const QString& line : output.split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            figures.insert(line.left(equals), line.mid(equals + 1));
    }
    return figures;
}

bool reportRatio(const char* label, double value, double baseline, double target, int decimals)
{
    return reportRatio(label, value, baseline, baseline > 0 ? value / baseline : 0, target,
                       decimals);
}

bool reportRatio(const char* label, double value, double baseline, double ratio, double target,
                 int decimals)
{
    const bool met = target < 0 || (ratio > 0 && ratio <= target);
    std::printf("   %-40s %10.*f %10.*f %7.2f", label, decimals, value, decimals, baseline, ratio);
    if (target >= 0)
        std::printf("  target <= %.2f: %s", target, met ? "met" : "MISSED");
    std::printf("\n");
    return met;
}

} // namespace bench
