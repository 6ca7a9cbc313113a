// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "callgrind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <stdexcept>

#include <valgrind/callgrind.h>

namespace bench::callgrind {

void instrument()
{
    CALLGRIND_START_INSTRUMENTATION;
}

void zero()
{
    CALLGRIND_ZERO_STATS;
}

void endPhase(const char* name)
{
    CALLGRIND_DUMP_STATS_AT(name);
}

Counted::Counted(const QStringList& arguments, bool instrumentedFromStart)
{
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty())
        throw std::runtime_error("valgrind is not installed (Debian: apt install valgrind)");
    if (!m_dumps.isValid())
        throw std::runtime_error("no temporary folder for callgrind's dumps");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // QHash seeds itself at random, which would move the count a little.
    environment.insert(QStringLiteral("QT_HASH_SEED"), QStringLiteral("0"));
    m_child = std::make_unique<Child>(
        valgrind,
        QStringList{QStringLiteral("-q"), QStringLiteral("--tool=callgrind"),
                    QStringLiteral("--callgrind-out-file=") + m_dumps.filePath("out"),
                    QStringLiteral("--compress-strings=no"), QStringLiteral("--compress-pos=no"),
                    QStringLiteral("--instr-atstart=") +
                        (instrumentedFromStart ? QStringLiteral("yes") : QStringLiteral("no")),
                    QCoreApplication::applicationFilePath()} +
            arguments,
        environment);
}

Counted::~Counted() = default;

namespace {

// glibc's search of its free lists: its length depends on the heap's history,
// which the thread pool that paints the first frame leaves otherwise each
// run, and not on what the program asks for. Its entry points stay counted.
bool inAllocator(QStringView function)
{
    return function == u"_int_malloc" || function == u"_int_free" || function == u"_int_realloc" ||
           function == u"_int_memalign";
}

struct Dump {
    QString phase;
    double instructions = -1;
    double allocator = 0; // of the instructions, those in the free lists' search
};

// Reads a dump of uncompressed names and positions: "fn=" the function,
// "cfn=" one it calls, "calls=" the calls, then a line whose last figure is
// their inclusive count.
Dump read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    Dump dump;
    QString function, callee;
    bool costOfCalls = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (costOfCalls) {
            costOfCalls = false;
            if (inAllocator(callee) && !inAllocator(function))
                dump.allocator += line.section(u' ', -1).toDouble();
        } else if (line.startsWith(u"fn=")) {
            function = line.mid(3);
        } else if (line.startsWith(u"cfn=")) {
            callee = line.mid(4);
        } else if (line.startsWith(u"calls=")) {
            costOfCalls = true;
        } else if (line.startsWith(u"desc: Trigger: Client Request: ")) {
            dump.phase = line.mid(31);
        } else if (line.startsWith(u"summary: ")) {
            dump.instructions = line.mid(9).toDouble();
        }
    }
    if (dump.phase.isEmpty() || dump.instructions < 0)
        throw std::runtime_error("no phase or count in " + path.toStdString());
    return dump;
}

} // namespace

Figures Counted::finish()
{
    Figures figures = m_child->finish();
    // A dump is out.<n> per phase, plus out at the end, which is not one.
    for (const QString& name : QDir(m_dumps.path()).entryList({QStringLiteral("out.*")})) {
        const Dump dump = read(m_dumps.filePath(name));
        figures.insert(QStringLiteral("instructions.") + dump.phase,
                       QString::number(dump.instructions - dump.allocator, 'f', 0));
        figures.insert(QStringLiteral("allocator.") + dump.phase,
                       QString::number(dump.allocator, 'f', 0));
    }
    return figures;
}

} // namespace bench::callgrind
