#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that every relative link and picture of the READMEs and of docs/
points to something in the repository.

Prints each broken one as FILE:LINE: TARGET and exits 1; web addresses,
mail addresses and links within the same page are not checked.
"""
import re
import sys
from pathlib import Path
from urllib.parse import unquote

ROOT = Path(__file__).resolve().parent.parent

# The destination after "](", inline links and pictures alike; searching for
# the "](" rather than the whole link also finds a picture inside a link.
INLINE = re.compile(r"\]\(\s*(<[^>\n]*>|[^\s()<>]*(?:\([^\s()]*\)[^\s()]*)*)")
# [label]: target, up to three spaces in; footnotes ([^1]: ...) are text.
DEFINITION = re.compile(r"^ {0,3}\[(?!\^)[^\]\n]+\]:[ \t]*\n?[ \t]*(<[^>\n]*>|\S+)", re.M)
HTML = re.compile(r"<(?:img|a|source)\b[^>]*?\b(?:src|href|srcset)\s*=\s*[\"']([^\"']*)[\"']", re.I)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")


def blank(text):
    """Spaces for every character but the line ends, so offsets and line
    numbers stay where they were."""
    return re.sub(r"[^\n]", " ", text)


def masked(text):
    """The text with code blocks, code spans and HTML comments blanked out:
    what looks like a link there is not one."""
    text = re.sub(r"<!--.*?-->", lambda m: blank(m.group()), text, flags=re.S)
    lines = text.split("\n")
    fence = None
    previous_blank = True
    in_indented = False
    for i, line in enumerate(lines):
        opening = FENCE.match(line)
        if fence:
            if opening and opening.group(1)[0] == fence[0] and len(opening.group(1)) >= len(fence):
                fence = None
            lines[i] = blank(line)
        elif opening:
            fence = opening.group(1)
            lines[i] = blank(line)
        elif (line.startswith("    ") or line.startswith("\t")) and (previous_blank or in_indented):
            in_indented = True
            lines[i] = blank(line)
        else:
            in_indented = in_indented and not line.strip()
        previous_blank = not line.strip()
    text = "\n".join(lines)
    # A code span may wrap but does not cross a blank line.
    span = r"(`+)(?!`)(?:[^\n]|\n(?![ \t]*\n))*?(?<!`)\1(?!`)"
    return re.sub(span, lambda m: blank(m.group()), text)


def targets(text):
    """Every link destination with the offset where it starts."""
    for pattern in (INLINE, DEFINITION, HTML):
        for match in pattern.finditer(text):
            yield match.start(1), match.group(1)


def broken(path):
    text = masked(path.read_text(encoding="utf-8"))
    found = []
    checked = 0
    for offset, target in sorted(targets(text)):
        if target.startswith("<") and target.endswith(">"):
            target = target[1:-1]
        if SCHEME.match(target) or target.startswith("#") or target.startswith("//"):
            continue
        checked += 1
        name = unquote(re.split(r"[#?]", target, maxsplit=1)[0])
        base = ROOT if name.startswith("/") else path.parent
        resolved = (base / name.lstrip("/")).resolve()
        inside = resolved == ROOT or ROOT in resolved.parents
        if not name or not inside or not resolved.exists():
            found.append((text.count("\n", 0, offset) + 1, target))
    return checked, found


def main():
    files = [ROOT / "README.md", ROOT / "README.ja.md", *sorted((ROOT / "docs").glob("*.md"))]
    total = 0
    failures = 0
    for path in files:
        if not path.exists():
            print(f"{path.relative_to(ROOT)}: missing")
            failures += 1
            continue
        checked, found = broken(path)
        total += checked
        for line, target in found:
            print(f"{path.relative_to(ROOT)}:{line}: {target}")
            failures += 1
    if failures:
        print(f"{failures} broken link(s) of {total}", file=sys.stderr)
        return 1
    print(f"links: {total} relative links in {len(files)} files, all found")
    return 0


if __name__ == "__main__":
    sys.exit(main())
