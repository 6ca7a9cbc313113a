# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the project's Python scripts share: the build's names, and processes
that are stopped with everything they started."""

import contextlib
import os
import shlex
import signal
import subprocess
from pathlib import Path


def read_names(path, required=()):
    """The NAME='value' lines of a build's names.env."""
    names = {}
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        for word in shlex.split(line, comments=True):
            name, _, value = word.partition("=")
            names[name] = value
    missing = set(required) - names.keys()
    if missing:
        raise ValueError(f"{path} lacks {', '.join(sorted(missing))}")
    return names


def stop(process):
    """Asks the process's group to end; kills what is left of the group once
    the process has ended, or after 5 s."""
    with contextlib.suppress(ProcessLookupError):
        os.killpg(process.pid, signal.SIGTERM)
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(5)
        os.killpg(process.pid, signal.SIGKILL)
    process.wait()


@contextlib.contextmanager
def started(command, **options):
    """A process in a process group of its own, stopped with its group on leaving."""
    process = subprocess.Popen(command, start_new_session=True, **options)
    try:
        yield process
    finally:
        stop(process)
