// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "benchutil.h"

#include <QTemporaryDir>

#include <memory>

// Instructions counted by callgrind (valgrind), which unlike CPU time do not
// depend on what else the machine runs. The counted process marks the phases
// it wants counted; its parent reads each phase's count from callgrind's dumps.
namespace bench::callgrind {

// In the counted process; outside callgrind these do nothing.
// Starts instrumenting, for a child started without it.
void instrument();
// Counts from zero.
void zero();
// Ends a phase: its count since zero() or the last phase, dumped under the name.
void endPhase(const char* name);

// This same program with the arguments, under callgrind.
class Counted {
public:
    // Uninstrumented, the child runs some five times faster until it calls
    // instrument(), but counts nothing before that.
    Counted(const QStringList& arguments, bool instrumentedFromStart);
    ~Counted();
    // The child's figures, and for each phase it ended "instructions.<phase>",
    // the count but for glibc's search of its free lists, and that search
    // alone as "allocator.<phase>".
    Figures finish();

private:
    QTemporaryDir m_dumps;
    std::unique_ptr<Child> m_child;
};

} // namespace bench::callgrind
