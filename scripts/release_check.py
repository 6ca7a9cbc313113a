# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The signing half of scripts/release --check: a certificate authority, a
code-signing key and an OpenPGP key made for the run and thrown away after
it, and the proof that what they signed is accepted as a user checks it."""

import os
import re
import subprocess
import tarfile
import tempfile
import zipfile
from pathlib import Path

import signing

REPO = Path(__file__).resolve().parent.parent


def quiet(*command, **options):
    return subprocess.run([str(part) for part in command], check=True, capture_output=True,
                          **options)


def without_keys(env):
    """ENV without any signing key, as a build by anyone else has it."""
    return {name: value for name, value in env.items()
            if not name.startswith("VI_SIGN_") and name != "VI_AUTHENTICODE_SIGNATURES"}


class Throwaway:
    """Keys made in FOLDER, which goes with them: never in the tree."""

    def __init__(self, folder):
        self.folder = folder
        self.ca = folder / "ca.pem"
        self.keyring = folder / "openpgp-public.gpg"
        os.chmod(folder, 0o700)
        self.gnupghome = folder / "gnupg"
        self.gnupghome.mkdir(mode=0o700)
        self._authenticode()
        self.fingerprint = self._openpgp()
        self.env = {"VI_SIGN_PKCS12": str(folder / "sign.p12"),
                    "VI_SIGN_PKCS12_PASSWORD_FILE": str(folder / "password"),
                    "VI_SIGN_OPENPGP": self.fingerprint, "GNUPGHOME": str(self.gnupghome)}

    def _authenticode(self):
        folder = self.folder
        quiet("openssl", "req", "-x509", "-newkey", "rsa:3072", "-nodes", "-days", "2",
              "-keyout", folder / "ca.key", "-out", self.ca,
              "-subj", "/CN=Vandrel Vizovidiz release check CA (throwaway)",
              "-addext", "basicConstraints=critical,CA:TRUE",
              "-addext", "keyUsage=critical,keyCertSign,cRLSign")
        quiet("openssl", "req", "-newkey", "rsa:3072", "-nodes", "-keyout", folder / "sign.key",
              "-out", folder / "sign.csr", "-subj", "/CN=Vandrel Vizovidiz developers (throwaway)")
        (folder / "sign.ext").write_text("basicConstraints=critical,CA:FALSE\n"
                                         "keyUsage=critical,digitalSignature\n"
                                         "extendedKeyUsage=codeSigning\n")
        quiet("openssl", "x509", "-req", "-in", folder / "sign.csr", "-CA", self.ca,
              "-CAkey", folder / "ca.key", "-CAcreateserial", "-days", "2",
              "-extfile", folder / "sign.ext", "-out", folder / "sign.pem")
        (folder / "password").write_text(os.urandom(18).hex())
        quiet("openssl", "pkcs12", "-export", "-inkey", folder / "sign.key",
              "-in", folder / "sign.pem", "-certfile", self.ca,
              "-passout", f"file:{folder / 'password'}", "-out", folder / "sign.p12")

    def _openpgp(self):
        env = {**os.environ, "GNUPGHOME": str(self.gnupghome)}
        quiet("gpg", "--batch", "--passphrase", "", "--quick-gen-key",
              "Vandrel Vizovidiz release check (throwaway) <release-check@invalid>",
              "ed25519", "sign", "1d", env=env)
        listed = quiet("gpg", "--batch", "--with-colons", "--list-secret-keys", env=env,
                       text=True).stdout
        fingerprint = re.search(r"^fpr:+([0-9A-F]{40}):", listed, re.M)[1]
        self.keyring.write_bytes(quiet("gpg", "--batch", "--export", fingerprint, env=env).stdout)
        return fingerprint

    def close(self):
        subprocess.run(["gpgconf", "--kill", "gpg-agent"], check=False,
                       env={**os.environ, "GNUPGHOME": str(self.gnupghome)})


def published_signatures(dist, folder):
    """The detached Authenticode signatures from the source bundle, or None."""
    bundles = sorted(dist.glob("*-windows-x64-source.tar"))
    if not bundles:
        return None
    folder.mkdir()
    with tarfile.open(bundles[0]) as archive:
        for member in archive.getmembers():
            if member.isfile() and "/signatures/" in member.name:
                (folder / Path(member.name).name).write_bytes(
                    archive.extractfile(member).read())
    return folder


def authenticode_verify(path, ca):
    """osslsigncode verify against the throwaway CA; prints what it found."""
    shown = subprocess.run(["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(path)],
                           capture_output=True, text=True)
    text = shown.stdout + shown.stderr
    subjects = sorted(set(re.findall(r"Subject: (.*)", text)))
    print(f"osslsigncode verify {path.name}: exit {shown.returncode}; "
          + "; ".join(line.strip() for line in text.splitlines()
                      if re.match(r"\s*(Signature verification|Number of verified|Timestamp|"
                                  r"Message digest algorithm|Succeeded|Failed)", line))
          + f"; signers {subjects}", flush=True)
    if shown.returncode != 0 or "Signature verification: ok" not in text:
        raise signing.Failure(f"osslsigncode verify rejects {path}:\n{text}")


def version_block(path):
    """The version information of a PE file, as text (its strings are UTF-16LE)."""
    raw = quiet("wrestool", "--extract", "--raw", "--type=16", path).stdout
    return raw.decode("utf-16-le", errors="replace")


def check_version(path, product, version):
    """ProductName and ProductVersion, in the Japanese and Unicode table."""
    text = version_block(path)
    for key, value in (("StringFileInfo", "041104b0"), ("ProductName", product),
                       ("ProductVersion", version)):
        # A key, its padding (null characters, the value's length), its value.
        if not re.search(rf"{key}\x00[^\x00]?\x00*{re.escape(value)}\x00", text,
                         re.IGNORECASE if key == "StringFileInfo" else 0):
            raise signing.Failure(f"{path.name}'s version information lacks {key} {value}")
    print(f"{path.name}: version information {product} {version} (041104B0)", flush=True)


def verify(dist, base, throwaway, names):
    """Everything the throwaway keys signed, checked as a user would."""
    with tempfile.TemporaryDirectory(prefix="vizovidiz-verify-") as scratch:
        scratch = Path(scratch)
        signing.openpgp_verify([dist / "SHA256SUMS", dist / f"{base}.tar.xz"], throwaway.keyring)
        zip_file = dist / f"{base}-windows-x64.zip"
        if not zip_file.is_file():
            return
        product, version = re.search(r"VI_PRODUCT_NAME='([^']*)'", names.read_text())[1], \
            re.search(r"VI_VERSION_TEXT='([^']*)'", names.read_text())[1]
        with zipfile.ZipFile(zip_file) as archive:
            member = next(name for name in archive.namelist() if name.endswith(".exe"))
            (scratch / "zip.exe").write_bytes(archive.read(member))
        setup = dist / f"{base}-windows-x64-setup.exe"
        installed = scratch / "installed"
        subprocess.run([REPO / "scripts/wine", "installer", setup, "--names", names,
                        "--shot", scratch / "installer.png", "--keep", installed], check=True)
        exe = installed / Path(member).name
        uninstaller = installed / "Uninstall.exe"
        for path in (scratch / "zip.exe", exe, uninstaller, setup):
            authenticode_verify(path, throwaway.ca)
        if exe.read_bytes() != (scratch / "zip.exe").read_bytes():
            raise signing.Failure("the installed program is not the zip's")
        subprocess.run(["cmake", f"-DFILE={scratch / 'zip.exe'}", f"-DNAMES={names}", "-P",
                        REPO / "packaging/windows/check-version.cmake"], check=True)
        for path in (uninstaller, setup):
            check_version(path, product, version)
