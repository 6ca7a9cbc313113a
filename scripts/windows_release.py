# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows part of a release (scripts/release): the zip and the installer
built from the unpacked tarball with the cached static Qt, their Corresponding
Source, and their SBOMs."""

import hashlib
import io
import json
import os
import re
import shutil
import subprocess
import tarfile
from pathlib import Path

import sbom

# The packages whose versions decide the bytes of the Windows files.
TOOLS = ["qt6-base-dev-tools", "g++-mingw-w64-x86-64-posix", "gcc-mingw-w64-x86-64-posix",
         "mingw-w64-x86-64-dev", "binutils-mingw-w64-x86-64", "cmake", "ninja-build", "nsis",
         "qt6-documentation-tools"]


class Failure(Exception):
    pass


def cached_qt(repo):
    """The static Qt's folder when scripts/windows has built it, else None."""
    shown = subprocess.run([str(repo / "scripts/windows"), "cached"], capture_output=True,
                           text=True)
    return Path(shown.stdout.strip()) if shown.returncode == 0 else None


def run(*command, **options):
    print("+", " ".join(map(str, command)), flush=True)
    return subprocess.run([str(part) for part in command], check=True, **options)


def sha256(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def build(commit, source, qt, tarball, dist, signatures=None):
    """SIGNATURES: where CPack signs (or, holding them, attaches the published
    Authenticode signatures of) the program, the uninstaller and the installer;
    None for unsigned files."""
    print(f"==> Windows: the windows preset with the static Qt in {qt}", flush=True)
    env = {**commit.environment(), "VI_QT_MINGW": str(qt)}
    if signatures:
        env["VI_AUTHENTICODE_SIGNATURES"] = str(signatures)
    # The release needs the program, not its tests (scripts/windows runs those).
    steps = [["cmake", "--preset", "windows", "-DVI_BUILD_TESTS=OFF"],
             ["cmake", "--build", "--preset", "windows"],
             ["cpack", "--preset", "windows"]]
    for step in steps:
        run("nice", "-n", "10", *step, cwd=source, env=env, preexec_fn=lambda: os.umask(0o022))
    built = source / "build-windows"
    package = f"{commit.base}-windows-x64"
    files = [built / f"{package}.zip", built / f"{package}-setup.exe"]
    for path in files:
        shutil.copyfile(path, dist / path.name)
    bundle = source_bundle(commit, qt, tarball, built, dist, signatures)
    components = json.loads((built / "third-party.json").read_text(encoding="utf-8"))
    for path in files:
        sbom.for_windows(dist / path.name, commit, components, dist)
    return bundle


def qt_source_package(qt):
    """Debian's .dsc of the qt6-base the static Qt was built from, and the
    files it names, checked against its SHA-256 sums."""
    stamp = (qt / ".vizovidiz-qt-stamp").read_text(encoding="utf-8").splitlines()
    version = stamp[0].split()[1]
    dsc = qt.parent / "src" / f"qt6-base_{re.sub(r'^[0-9]+:', '', version)}.dsc"
    text = dsc.read_text(encoding="utf-8")
    sums = re.search(r"^Checksums-Sha256:\n((?: .*\n)+)", text, re.M)
    if not sums:
        raise Failure(f"{dsc} has no Checksums-Sha256")
    files = [dsc]
    for line in sums[1].splitlines():
        digest, _, name = line.split()
        path = dsc.parent / name
        if sha256(path) != digest:
            raise Failure(f"{path} is not the file {dsc.name} names")
        files.append(path)
    return version, stamp, files


def tool_versions(signed):
    lines = []
    # attach-signature's output may differ between osslsigncode versions.
    for package in TOOLS + (["osslsigncode"] if signed else []):
        shown = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Version}", package],
                               capture_output=True, text=True)
        lines.append(shown.stdout.strip() if shown.returncode == 0 else f"{package} (none)")
    return lines


REBUILD = """\
Rebuilding {base} for Windows from this folder alone
{rule}

The published files were built on Debian 12 (bookworm, amd64) by
"scripts/release" from git commit {commit} (SOURCE_DATE_EPOCH={epoch}),
with the static Qt built by "scripts/windows" from Debian's qt6-base
{qt_version} in {prefix} (options: packaging/windows/qt-options.txt; toolchain:
mingw-w64-x86_64.cmake, as built: {toolchain}).

As root on a Debian 12 amd64 system, in this folder:

0. Install what the first steps need (scripts/windows installs the rest):

     apt-get update
     apt-get install -y dpkg-dev python3 xz-utils{osslsigncode}

1. Unpack Debian's qt6-base source where scripts/windows looks for it
   (dpkg-source checks the other two files against the .dsc):

     mkdir -p {src}
     dpkg-source -x {dsc} {qt_folder}
     touch {qt_folder}/.vizovidiz-unpacked

2. Unpack the program and let it install its tools, build the static Qt
   (17 to 45 minutes on 2 cores; dated by its debian/changelog, as Debian
   builds it) and the program, and check them under Wine:

     tar xf {tarball}
     cd {base}
     VI_CACHE={cache} scripts/windows

   Step 3 needs only the static Qt, which is stamped as built before those
   checks start.

3. Build the release files as scripts/release does, in a new build folder:
   step 2's holds files made without SOURCE_DATE_EPOCH, which the build
   would keep (rcc's resource times){attach}:

     export SOURCE_DATE_EPOCH={epoch} VI_QT_MINGW={prefix}
{export}     umask 022
     rm -rf build-windows
     cmake --preset windows -DVI_BUILD_TESTS=OFF
     cmake --build --preset windows
     cpack --preset windows
     sha256sum build-windows/{program}.exe build-windows/{base}-windows-x64.zip \\
         build-windows/{base}-windows-x64-setup.exe

   The three sums should be these:

{sums}

The Debian packages the published files were built with (the same versions
give the same bytes):

{tools}
"""


# The published files are signed (Authenticode); the signatures, detached,
# come with the bundle, and cpack attaches them as it packs.
ATTACH = """.
   The program, its uninstaller and the installer are published signed
   (Authenticode). Their signatures, detached, are in signatures/ here:
   with VI_AUTHENTICODE_SIGNATURES set, cpack attaches them to the program
   it packs, to the uninstaller and to the installer, and osslsigncode
   checks that each one fits. That gives the published bytes"""
EXPORT = "     export VI_AUTHENTICODE_SIGNATURES=$(cd ../signatures && pwd)\n"


def source_bundle(commit, qt, tarball, built, dist, signatures=None):
    """NAME-VERSION-windows-x64-source.tar: everything needed to build the
    Windows files again, in one folder, the same bytes for the same inputs."""
    version, stamp, qt_files = qt_source_package(qt)
    # The toolchain file as Qt was built with it (scripts/windows keeps a copy).
    # The bundle's rebuild builds Qt as this tarball's scripts/windows does:
    # dated, with these options and this toolchain file, which the stamp records.
    toolchain = qt / "share/vizovidiz/mingw-w64-x86_64.cmake"
    options = built.parent / "packaging/windows/qt-options.txt"
    listed = [line for line in options.read_text(encoding="utf-8").splitlines()
              if line and not line.startswith("#")]
    ours = built.parent / "packaging/windows/mingw-w64-x86_64.cmake"
    if (not stamp[0].endswith(" dated") or " ".join(listed) != stamp[1]
            or stamp[2] != f"toolchain {sha256(ours)}" or sha256(toolchain) != sha256(ours)):
        raise Failure(f"the static Qt in {qt} was built otherwise than {options.parent} "
                      "says: scripts/windows builds it again")
    upstream = version.rsplit("-", 1)[0]
    exe = built / f"{commit.program}.exe"
    package = f"{commit.base}-windows-x64"
    sums = "\n".join(f"     {sha256(path)}  build-windows/{path.name}"
                     for path in (exe, dist / f"{package}.zip", dist / f"{package}-setup.exe"))
    signed = sorted(Path(signatures).glob("*.p7s")) if signatures else []
    text = REBUILD.format(
        base=commit.base, rule="=" * 60, commit=commit.id, epoch=commit.epoch,
        qt_version=version, prefix=qt, toolchain=f"sha256 {sha256(toolchain)}",
        src=qt.parent / "src", dsc=qt_files[0].name, qt_folder=qt.parent / "src" /
        f"qt6-base-{upstream}", tarball=tarball.name, cache=qt.parent, program=commit.program,
        sums=sums, tools="\n".join(f"  {line}" for line in tool_versions(signed)),
        attach=ATTACH if signed else "", export=EXPORT if signed else "",
        osslsigncode=" osslsigncode" if signed else "")
    members = [(tarball.name, tarball.read_bytes())]
    members += [(path.name, path.read_bytes()) for path in qt_files]
    members += [("qt-options.txt", options.read_bytes()),
                ("mingw-w64-x86_64.cmake", toolchain.read_bytes()),
                ("REBUILD.txt", text.encode("utf-8"))]
    members += [(f"signatures/{path.name}", path.read_bytes()) for path in signed]
    path = dist / f"{package}-source.tar"
    with tarfile.open(path, "w", format=tarfile.GNU_FORMAT) as archive:
        folder = tarfile.TarInfo(f"{package}-source")
        folder.type, folder.mode, folder.mtime = tarfile.DIRTYPE, 0o755, commit.epoch
        folder.uname = folder.gname = "root"
        archive.addfile(folder)
        if signed:
            folder.name = f"{package}-source/signatures"
            archive.addfile(folder)
        for name, data in sorted(members):
            member = tarfile.TarInfo(f"{package}-source/{name}")
            member.size, member.mode, member.mtime = len(data), 0o644, commit.epoch
            member.uname = member.gname = "root"
            archive.addfile(member, io.BytesIO(data))
    return path
