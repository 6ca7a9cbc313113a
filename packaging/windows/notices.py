#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Run after the Windows program is linked: checks what the linker map says
went into it against packaging/windows/third-party.txt, and writes the one
list of what is in it (third-party.json, which the release's SBOM renders)
and THIRD-PARTY-NOTICES.txt (which renders the same list for players).

Fails when anything reaches the link that no entry of the list claims, when
a Qt object built from a source under one of Qt's qt_attribution.json files
is linked and that attribution is not in the list, or when an entry claims
nothing that was linked."""

import argparse
import json
import os
import re
import subprocess
import sys
from pathlib import Path

COMPILED = {".c", ".cc", ".cpp", ".cxx"}


class Failure(Exception):
    pass


def linked_inputs(map_file, build):
    """Every archive member and object file the link took, as
    'path/lib.a(member)' or 'path/file.obj', with normalised paths."""
    text = map_file.read_text(encoding="utf-8", errors="replace")
    members = re.search(r"^Archive member included.*?\n\n(.*?)\n\n", text, re.S | re.M)
    if not members:
        raise Failure(f"{map_file} lists no archive members")
    inputs = set()
    for archive, member in re.findall(r"^(\S+\.a)\(([^()]+)\)", members[1], re.M):
        inputs.add(f"{os.path.normpath(build / archive)}({member})")
    for path in re.findall(r"^LOAD (\S+)$", text, re.M):
        if not path.endswith(".a"):
            inputs.add(os.path.normpath(build / path))
    return sorted(inputs)


def read_list(path):
    """The entries of third-party.txt: kind, id, and the pattern that picks
    out the linked inputs it covers."""
    entries = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = line.split(None, 2)
        if len(fields) != 3:
            raise Failure(f"{path}:{number}: want KIND ID PATTERN")
        entries.append({"kind": fields[0], "id": fields[1],
                        "pattern": re.compile(fields[2].strip())})
    return entries


def attributions(scanner, qt_source):
    shown = subprocess.run([scanner, "--output-format", "json", "--silent",
                            str(qt_source / "src")], capture_output=True, text=True)
    if shown.returncode != 0:
        raise Failure(f"{scanner} exited with {shown.returncode}: {shown.stderr.strip()}")
    return {entry["Id"]: entry for entry in json.loads(shown.stdout)}


def attributed_objects(known, qt_source):
    """Object file name -> the attributions whose sources Qt's build could have
    made it from. A file goes to the attribution nearest to it (FreeType's
    gzip module is freetype-zlib, not freetype); an attribution of a whole
    folder of Qt's own code (siphash: src/corelib/tools) names no file."""
    owners = {}
    for ident, attribution in known.items():
        root = Path(attribution["Path"])
        if root.is_file():
            files = [root]
        elif attribution.get("Files"):
            files = [root / name for name in re.split(r"[\s,]+", attribution["Files"]) if name]
        elif root.is_relative_to(qt_source / "src/3rdparty"):
            files = [path for path in root.rglob("*") if path.is_file()]
        else:
            continue
        for path in files:
            if path.suffix in COMPILED:
                nearest = owners.get(path)
                if nearest is None or len(root.parts) > len(Path(known[nearest]["Path"]).parts):
                    owners[path] = ident
    objects = {}
    for path, ident in owners.items():
        objects.setdefault(f"{path.name}.obj", set()).add(ident)
    return objects


def check(inputs, entries, objects, build, qt_prefix):
    """Which inputs each entry covers; fails on anything uncovered."""
    covered = {entry["id"]: [] for entry in entries}
    problems = []
    for item in inputs:
        if item.startswith(f"{build}/"):
            continue  # the program's own objects and libraries
        claims = [entry["id"] for entry in entries if entry["pattern"].search(item)]
        for ident in claims:
            covered[ident].append(item)
        if not claims:
            problems.append(f"{item} reaches the link, and no entry of the list covers it")
        member = re.search(r"\(([^()]+)\)$", item)
        owners = objects.get(member[1], set()) if member else set()
        # Two bundled copies of one file (zlib's, FreeType's): either will do.
        if item.startswith(f"{qt_prefix}/") and owners and not owners & set(claims):
            problems.append(f"{item} is built from Qt's third-party code "
                            f"{' or '.join(sorted(owners))}, and the list does not cover it")
    problems += [f"the list's entry {ident} covers nothing that was linked"
                 for ident, items in covered.items() if not items]
    if problems:
        raise Failure("\n".join(problems))
    return covered


# --- the notices of the MinGW-w64 runtime, from Debian's copyright files ----------

def owner(path):
    """The Debian package that installed path, and its version."""
    found = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True)
    if found.returncode != 0:
        raise Failure(f"no Debian package owns {path}")
    package = found.stdout.split(":")[0].split(",")[0].strip()
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True, check=True).stdout
    return package, version


def dep5_paragraphs(copyright_file, prefixes):
    """The paragraphs of a machine-readable copyright file whose Files start
    with one of prefixes, and the licence paragraphs they name."""
    paragraphs = copyright_file.read_text(encoding="utf-8").split("\n\n")
    chosen, names = [], set()
    for paragraph in paragraphs:
        files = re.match(r"Files:((?:.*\n?)(?:[ \t].*\n?)*)", paragraph)
        if files and any(pattern.startswith(prefixes) for pattern in files[1].split()):
            if "/tests" in files[1]:
                continue
            chosen.append(paragraph.strip())
            licence = re.search(r"^License: *(.+)$", paragraph, re.M)
            names.update(re.split(r"\s+(?:and|or)\s+", licence[1].strip()))
    for paragraph in paragraphs:
        standalone = re.match(r"License: *(\S+)\s*\n", paragraph)
        if standalone and standalone[1] in names:
            chosen.append(paragraph.strip())
    if not chosen:
        raise Failure(f"{copyright_file} has no paragraph for {prefixes}")
    return "\n\n".join(chosen), sorted(names)


def between(text, start, end, source):
    first = text.find(start)
    last = text.find(end, first)
    if first < 0 or last < 0:
        raise Failure(f"{source} has no '{start}' ... '{end}'")
    return text[first:last + len(end)]


DEP5_LICENCES = {"ZPL-2.1": "ZPL-2.1", "expat": "MIT", "BSD-3-clause": "BSD-3-Clause",
                 "ISC": "ISC"}


def runtime(ident, evidence):
    package, version = owner(re.sub(r"\(.*\)$", "", evidence[0]))
    copyright_file = Path("/usr/share/doc", package, "copyright").resolve()
    if ident == "gcc-runtime":
        text = copyright_file.read_text(encoding="utf-8")
        notice = (between(text, "The following runtime libraries are licensed",
                          " - libstdc++-v3", copyright_file) + "\n\n"
                  + between(text, "GCC RUNTIME LIBRARY EXCEPTION",
                            "requirements of the license of GCC.", copyright_file))
        return {"name": "GCC runtime (libgcc, libstdc++)", "version": version,
                "licence": "GPL-3.0-or-later WITH GCC-exception-3.1",
                "copyright": "Copyright (C) Free Software Foundation, Inc.",
                "origin": f"{copyright_file} (Debian package {package})", "notice": notice}
    prefixes = {"mingw-w64-crt": ("*", "mingw-w64-crt/"),
                "winpthreads": ("mingw-w64-libraries/winpthreads/",)}[ident]
    notice, names = dep5_paragraphs(copyright_file, prefixes)
    return {"name": {"mingw-w64-crt": "MinGW-w64 runtime (CRT, with gdtoa)",
                     "winpthreads": "MinGW-w64 winpthreads"}[ident],
            "version": version,
            "licence": " AND ".join(DEP5_LICENCES.get(name, f"LicenseRef-{name}")
                                    for name in names),
            "copyright": "the mingw-w64 project and the others named below",
            "origin": f"{copyright_file} (Debian package {package})", "notice": notice}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("map", "list", "build", "qt-prefix", "qt-source", "scanner", "out"):
        parser.add_argument(f"--{option}", required=option != "qt-source")
    parser.add_argument("--program", required=True)
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    build, out = Path(args.build).resolve(), Path(args.out)
    qt_prefix = Path(args.qt_prefix).resolve()
    stamp = (qt_prefix / ".vizovidiz-qt-stamp").read_text(encoding="utf-8").splitlines()[0]
    debian_version = stamp.split()[1]  # "qt6-base 6.4.2+dfsg-10"
    qt_version = re.split(r"[+-]", debian_version)[0]
    qt_source = Path(args.qt_source or qt_prefix.parent / "src"
                     / f"qt6-base-{debian_version.rsplit('-', 1)[0]}").resolve()
    known = attributions(args.scanner, qt_source)
    objects = attributed_objects(known, qt_source)
    entries = read_list(Path(args.list))
    unknown = [entry["id"] for entry in entries
               if entry["kind"] == "qt-3rdparty" and entry["id"] not in known]
    if unknown:
        raise Failure(f"no qt_attribution.json in {qt_source} names {', '.join(unknown)}")
    covered = check(linked_inputs(Path(args.map), build), entries, objects, build, qt_prefix)

    qt_licences = {name: (qt_source / "LICENSES" / f"{name}.txt").read_text(encoding="utf-8")
                   for name in ("LGPL-3.0-only",)}
    components = []
    for entry in entries:
        ident, kind = entry["id"], entry["kind"]
        component = {"kind": kind, "id": ident,
                     "inputs": sorted({re.sub(r"\(.*\)$", "", item) for item in covered[ident]})}
        if kind == "qt":
            component.update(
                name=f"Qt {ident}", version=qt_version, supplier="Organization: The Qt Company",
                licence="LGPL-3.0-only OR GPL-2.0-only OR GPL-3.0-only",
                copyright="Copyright (C) The Qt Company Ltd. and other contributors",
                origin=f"qt6-base {debian_version}, Debian's source package",
                notice="Licensed under the GNU Lesser General Public License version 3 "
                       "(LGPL-3.0.txt), as part of this program under the GNU General Public "
                       "License version 3 (LICENSE.txt).")
        elif kind == "qt-3rdparty":
            found = known[ident]
            licence_file = Path(found["LicenseFile"]) if found.get("LicenseFile") else None
            component.update(
                name=found["Name"], version=found.get("Version", ""),
                licence=found.get("LicenseId") or found.get("License") or "NOASSERTION",
                copyright=found.get("Copyright") or "",
                origin=f"qt_attribution.json in {os.path.relpath(found['Path'], qt_source)} "
                       f"(qt6-base {debian_version})",
                notice=licence_file.read_text(encoding="utf-8", errors="replace")
                if licence_file and licence_file.is_file() else found.get("License", ""))
            if "FTL" in component["licence"]:
                # The credit the FreeType License asks for in the documentation.
                year = max(re.findall(r"\b(?:19|20)\d\d\b", component["copyright"]) or ["2022"])
                component["notice"] = (f"Portions of this software are copyright (C) {year} The "
                                       "FreeType Project (www.freetype.org). All rights reserved."
                                       "\n\n" + component["notice"])
            if found.get("QtUsage"):
                component["usage"] = found["QtUsage"]
        elif kind == "runtime":
            component.update(runtime(ident, covered[ident]))
        else:
            raise Failure(f"unknown kind {kind} in the list")
        components.append(component)

    (out / "third-party.json").write_text(json.dumps(components, indent=1) + "\n",
                                          encoding="utf-8")
    (out / "LGPL-3.0.txt").write_text(qt_licences["LGPL-3.0-only"], encoding="utf-8",
                                      newline="\r\n")
    (out / "THIRD-PARTY-NOTICES.txt").write_text(
        render(components, args.program, args.version, debian_version), encoding="utf-8",
        newline="\r\n")
    print(f"notices: {len(components)} components, every linked input covered")


def render(components, program, version, debian_version):
    rule = "-" * 72
    lines = [f"{program}.exe {version}: third-party notices", "=" * 72, "",
             f"{program}.exe is the program (GPL-3.0-or-later, LICENSE.txt) linked statically",
             "with the pieces below. This file is made when the program is built, from",
             "its linker map, from the qt_attribution.json files of the Qt source it was",
             f"built with (Debian's qt6-base {debian_version}) and from the copyright",
             "files of Debian's MinGW-w64 packages. The source of all of it is in",
             f"{program}-{version}-windows-x64-source.tar, published beside the program.",
             "", "Contents:"]
    titles = [f"{item['name']} {item['version']}".strip() for item in components]
    lines += [f"  {number:2}. {title}: {item['licence']}"
              for number, (title, item) in enumerate(zip(titles, components), 1)]
    for number, (title, item) in enumerate(zip(titles, components), 1):
        lines += ["", rule, f"{number}. {title}", rule,
                  f"Licence: {item['licence']}", f"From: {item['origin']}"]
        if item.get("copyright"):
            lines.append(item["copyright"])
        if item.get("usage"):
            lines.append(f"Used: {item['usage']}")
        lines += ["", item["notice"].strip()]
    return "\n".join(line.rstrip() for line in "\n".join(lines).splitlines()) + "\n"


if __name__ == "__main__":
    try:
        main()
    except (Failure, OSError, ValueError, KeyError) as error:
        sys.exit(f"notices.py: {error}")
    except subprocess.CalledProcessError as error:
        sys.exit(f"notices.py: {' '.join(map(str, error.cmd))} exited with {error.returncode}")
