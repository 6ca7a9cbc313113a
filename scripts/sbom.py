# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""SPDX 2.3 JSON documents for the release's binaries (scripts/release)."""

import datetime
import hashlib
import json
import re
import subprocess
from pathlib import Path

PROGRAM_LICENCE = "GPL-3.0-or-later"
SUPPLIER = "Organization: Vandrel Vizovidiz developers"


def spdx_id(*words):
    return "SPDXRef-" + re.sub(r"[^A-Za-z0-9.-]+", "-", "-".join(words)).strip("-")


def licence_expression(text):
    """An SPDX licence expression: the operators in capitals, and every name
    that is no licence identifier as a LicenseRef."""
    if not text:
        return "NOASSERTION"
    parts = re.split(r"(\s+(?:and|or|with)\s+|[()])", text.strip(), flags=re.IGNORECASE)
    expression = []
    for part in parts:
        if re.fullmatch(r"\s+(and|or|with)\s+", part or "", re.IGNORECASE):
            expression.append(f" {part.strip().upper()} ")
        elif part in ("(", ")"):
            expression.append(part)
        elif part and part.strip():
            name = part.strip()
            if not re.fullmatch(r"(LicenseRef-)?[A-Za-z0-9][A-Za-z0-9.+-]*", name):
                name = "LicenseRef-" + re.sub(r"[^A-Za-z0-9.-]+", "-", name).strip("-")
            expression.append(name)
    return "".join(expression)


def package(ident, name, version, licence, **fields):
    entry = {"SPDXID": ident, "name": name, "versionInfo": version or "NOASSERTION",
             "downloadLocation": "NOASSERTION", "filesAnalyzed": False,
             "licenseConcluded": "NOASSERTION", "licenseDeclared": licence,
             "copyrightText": "NOASSERTION"}
    entry.update({key: value for key, value in fields.items() if value})
    return entry


def file_package(ident, path, name, version, licence, **fields):
    digest = hashlib.sha256(path.read_bytes()).hexdigest()
    return package(ident, name, version, licence, packageFileName=path.name,
                   checksums=[{"algorithm": "SHA256", "checksumValue": digest}],
                   supplier=SUPPLIER, **fields)


def relation(element, kind, related):
    return {"spdxElementId": element, "relationshipType": kind, "relatedSpdxElement": related}


def write(binary, commit, packages, relationships, dist):
    """BINARY.spdx.json in dist: the document describes packages[0]."""
    digest = hashlib.sha256(binary.read_bytes()).hexdigest()
    created = datetime.datetime.fromtimestamp(commit.epoch, datetime.timezone.utc)
    document = {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": binary.name,
        # Unique to the file it describes, and the same in every build of it.
        "documentNamespace": f"https://spdx.org/spdxdocs/{binary.name}-{digest}",
        "creationInfo": {"created": created.strftime("%Y-%m-%dT%H:%M:%SZ"),
                         "creators": ["Tool: scripts/release", SUPPLIER]},
        "packages": packages,
        "relationships": [relation("SPDXRef-DOCUMENT", "DESCRIBES", packages[0]["SPDXID"]),
                          *relationships],
    }
    # Every LicenseRef used needs its text (SPDX 2.3, 10.1): where it is.
    references = sorted({ref for entry in packages for ref in re.findall(
        r"LicenseRef-[A-Za-z0-9.-]+", entry["licenseDeclared"])})
    if references:
        document["hasExtractedLicensingInfos"] = [
            {"licenseId": ref, "name": ref[len("LicenseRef-"):],
             "extractedText": "The text is in THIRD-PARTY-NOTICES.txt, in the entry of the "
                              "package that names this licence."} for ref in references]
    path = dist / f"{binary.name}.spdx.json"
    path.write_text(json.dumps(document, indent=2, ensure_ascii=False) + "\n", encoding="utf-8")
    return path


def source_package(commit, tarball):
    return file_package(spdx_id("source"), tarball, commit.program, commit.version,
                        PROGRAM_LICENCE, sourceInfo=f"git commit {commit.id}",
                        primaryPackagePurpose="SOURCE")


def installed_version(name):
    shown = subprocess.run(["dpkg-query", "-W", "-f=${Version}", name],
                           capture_output=True, text=True)
    return shown.stdout.strip() if shown.returncode == 0 else ""


def debian_licences(name):
    """The licence names a package's machine-readable copyright file gives."""
    try:
        text = Path("/usr/share/doc", name, "copyright").read_text(encoding="utf-8")
    except OSError:
        return "NOASSERTION"
    names = sorted(set(re.findall(r"^License: *(\S.*?) *$", text, re.M)))
    return ", ".join(names) or "NOASSERTION"


def for_deb(deb, commit, dist):
    """The package, the source it was built from and the packages it depends
    on, with the versions this machine had when it was built."""
    def field(name):
        return subprocess.run(["dpkg-deb", "--field", deb, name], capture_output=True,
                              text=True, check=True).stdout.strip()

    top = file_package(spdx_id("deb", deb.name), deb, field("Package"), field("Version"),
                       PROGRAM_LICENCE, primaryPackagePurpose="INSTALL",
                       externalRefs=[purl(f"pkg:deb/{field('Package')}@{field('Version')}"
                                          f"?arch={field('Architecture')}")])
    source = source_package(commit, dist / f"{commit.base}.tar.xz")
    packages = [top, source]
    relationships = [relation(top["SPDXID"], "GENERATED_FROM", source["SPDXID"])]
    for depend in field("Depends").split(","):
        name = depend.strip().partition(" ")[0]
        version = installed_version(name)
        ident = spdx_id("debian", name)
        packages.append(package(
            ident, name, version, "NOASSERTION", supplier="Organization: Debian",
            externalRefs=[purl(f"pkg:deb/debian/{name}@{version}?arch=amd64")] if version else [],
            comment=f"Depends: {depend.strip()}; built against {version or 'none installed'}; "
                    f"licences in /usr/share/doc/{name}/copyright: {debian_licences(name)}"))
        relationships.append(relation(top["SPDXID"], "DEPENDS_ON", ident))
    return write(deb, commit, packages, relationships, dist)


def purl(locator):
    return {"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
            "referenceLocator": locator}


def for_windows(binary, commit, components, dist):
    """The zip or the installer: the program and every piece that the link
    put into it (the list that THIRD-PARTY-NOTICES.txt renders too)."""
    top = file_package(spdx_id("windows", binary.name), binary, commit.program, commit.version,
                       PROGRAM_LICENCE, primaryPackagePurpose="APPLICATION")
    source = source_package(commit, dist / f"{commit.base}.tar.xz")
    bundle = dist / f"{commit.base}-windows-x64-source.tar"
    corresponding = file_package(spdx_id("corresponding-source"), bundle, bundle.name,
                                 commit.version, "NOASSERTION", primaryPackagePurpose="ARCHIVE")
    packages = [top, source, corresponding]
    relationships = [relation(top["SPDXID"], "GENERATED_FROM", source["SPDXID"]),
                     relation(corresponding["SPDXID"], "CONTAINS", source["SPDXID"])]
    for component in components:
        ident = spdx_id(component["kind"], component["id"])
        packages.append(package(
            ident, component["name"], component["version"],
            licence_expression(component["licence"]),
            copyrightText=component.get("copyright") or "NOASSERTION",
            supplier=component.get("supplier"), comment=component.get("origin")))
        relationships.append(relation(top["SPDXID"], "CONTAINS", ident))
    return write(binary, commit, packages, relationships, dist)
