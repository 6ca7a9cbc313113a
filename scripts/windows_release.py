# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows part of a release (scripts/release)."""

import subprocess


def cached_qt(repo):
    """The static Qt's folder when scripts/windows has built it, else None."""
    shown = subprocess.run([str(repo / "scripts/windows"), "cached"], capture_output=True,
                           text=True)
    return shown.stdout.strip() if shown.returncode == 0 else None
