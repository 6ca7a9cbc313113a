#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Signing the release, from what the publisher gives in the environment.

Authenticode (osslsigncode), the Windows program, its uninstaller and its
installer, one key of:
  VI_SIGN_PKCS12, VI_SIGN_PKCS12_PASSWORD_FILE   a PKCS#12 file and its password
  VI_SIGN_PKCS11_MODULE, VI_SIGN_PKCS11_KEY      a token: its PKCS#11 module and
                                                 the key's pkcs11: URI; with
  VI_SIGN_PKCS11_CERT                            the certificate (a file or a
                                                 pkcs11: URI; default: the key's
                                                 URI), VI_SIGN_PKCS11_PIN_FILE
  VI_SIGN_TSA_URL                                an RFC 3161 time stamp server
                                                 (nothing is stamped without)
OpenPGP (gpg), the source tarball and SHA256SUMS:
  VI_SIGN_OPENPGP                                the key's fingerprint in GNUPGHOME
  VI_SIGN_OPENPGP_PASSPHRASE_FILE                its passphrase, when it has one

Secrets are read from files, never passed on a command line.

The CPack hook (packaging/windows/install.cmake runs it on each file):

  signing.py authenticode FILE NAME --description TEXT --url URL

signs FILE in place and keeps the signature, detached, as NAME.p7s in
$VI_AUTHENTICODE_SIGNATURES; where that folder holds NAME.p7s already (a
published signature, or this release's for the zip's copy of the program),
attaches it instead, which gives the signed bytes again.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path


class Failure(Exception):
    pass


def _set(name):
    return os.environ.get(name, "").strip()


def _file(name):
    path = Path(_set(name))
    if not path.is_file():
        raise Failure(f"{name}: no file {path}")
    return path


def authenticode_key():
    """osslsigncode's options for the key given, or None without one."""
    if _set("VI_SIGN_PKCS12"):
        return ["-pkcs12", _file("VI_SIGN_PKCS12"),
                "-readpass", _file("VI_SIGN_PKCS12_PASSWORD_FILE")]
    if _set("VI_SIGN_PKCS11_MODULE"):
        key = _set("VI_SIGN_PKCS11_KEY")
        if not key:
            raise Failure("VI_SIGN_PKCS11_MODULE needs VI_SIGN_PKCS11_KEY, the key's pkcs11: URI")
        cert = _set("VI_SIGN_PKCS11_CERT") or re.sub(r";type=private\b", "", key)
        options = ["-pkcs11module", _file("VI_SIGN_PKCS11_MODULE"), "-key", key,
                   *(["-certs", cert] if Path(cert).is_file() else ["-pkcs11cert", cert])]
        if _set("VI_SIGN_PKCS11_PIN_FILE"):
            options += ["-readpass", _file("VI_SIGN_PKCS11_PIN_FILE")]
        return options
    return None


def openpgp_key():
    """The OpenPGP key's fingerprint, or None."""
    return re.sub(r"\s+", "", _set("VI_SIGN_OPENPGP")).upper() or None


def describe_keys():
    """One line: what the release is signed with."""
    authenticode = authenticode_key()
    openpgp = openpgp_key()
    if not (authenticode or openpgp):
        return ("Unsigned: no signing keys given (VI_SIGN_PKCS12 or VI_SIGN_PKCS11_MODULE "
                "for Authenticode, VI_SIGN_OPENPGP for OpenPGP)")
    kind = ("a PKCS#12 file" if authenticode and authenticode[0] == "-pkcs12"
            else "a PKCS#11 token" if authenticode else "")
    parts = [f"Authenticode with {kind}" + (f", time stamps from {_set('VI_SIGN_TSA_URL')}"
                                           if _set("VI_SIGN_TSA_URL") else ", no time stamp")
             if authenticode else "Authenticode: none",
             f"OpenPGP with {openpgp}" if openpgp else "OpenPGP: none"]
    return "Signing: " + "; ".join(parts)


def osslsigncode(*arguments):
    shown = subprocess.run(["osslsigncode", *map(str, arguments)], capture_output=True, text=True)
    return shown.returncode, shown.stdout + shown.stderr


def digests_match(path):
    """Whether the signature in PATH is over PATH's own bytes (whoever made it)."""
    _, text = osslsigncode("verify", "-in", path)
    current = re.findall(r"^Current message digest\s*:\s*(\w+)", text, re.M)
    calculated = re.findall(r"^Calculated message digest\s*:\s*(\w+)", text, re.M)
    return bool(current) and current == calculated


def authenticode(path, name, description, url):
    """Signs PATH in place, or attaches NAME's published signature (see above)."""
    folder = _set("VI_AUTHENTICODE_SIGNATURES")
    if not folder:
        raise Failure("VI_AUTHENTICODE_SIGNATURES is not set")
    signature = Path(folder) / f"{name}.p7s"
    path = Path(path)
    with tempfile.TemporaryDirectory(prefix="vizovidiz-sign-") as scratch:
        signed = Path(scratch) / "signed"
        if signature.is_file():
            # Fails on an untrusted chain too: the digests say whether it fits.
            osslsigncode("attach-signature", "-sigin", signature, "-in", path, "-out", signed)
            if not signed.is_file() or not digests_match(signed):
                raise Failure(f"{signature} is not a signature of {path}")
            done = f"{name}: attached {signature}"
        else:
            key = authenticode_key()
            if not key:
                raise Failure(f"no Authenticode key given, and no {signature} to attach")
            stamp = ["-ts", _set("VI_SIGN_TSA_URL")] if _set("VI_SIGN_TSA_URL") else []
            status, text = osslsigncode("sign", *key, "-h", "sha256", "-n", description,
                                        "-i", url, *stamp, "-in", path, "-out", signed)
            if status != 0:
                raise Failure(f"osslsigncode could not sign {name}:\n{text.strip()}")
            signature.parent.mkdir(parents=True, exist_ok=True)
            status, text = osslsigncode("extract-signature", "-in", signed, "-out", signature)
            if status != 0:
                raise Failure(f"osslsigncode could not extract {name}'s signature:\n{text}")
            done = f"{name}: signed, signature in {signature}"
        # In place: NSIS reads the file back from where it wrote it.
        path.write_bytes(signed.read_bytes())
    print(f"Authenticode: {done}", flush=True)


def openpgp_sign(paths):
    """An armoured detached PATH.asc for each path, with VI_SIGN_OPENPGP."""
    key = openpgp_key()
    passphrase = (["--pinentry-mode", "loopback", "--passphrase-file",
                   str(_file("VI_SIGN_OPENPGP_PASSPHRASE_FILE"))]
                  if _set("VI_SIGN_OPENPGP_PASSPHRASE_FILE") else [])
    for path in paths:
        asc = path.with_name(path.name + ".asc")
        asc.unlink(missing_ok=True)
        subprocess.run(["gpg", "--batch", "--quiet", "--no-tty", *passphrase, "--local-user",
                        f"{key}!", "--armor", "--detach-sign", "--output", str(asc), str(path)],
                       check=True)
        print(f"OpenPGP: {asc.name}", flush=True)


def openpgp_verify(paths, keyring):
    """gpgv, as a user checks: each PATH.asc against KEYRING alone."""
    for path in paths:
        shown = subprocess.run(["gpgv", "--keyring", str(keyring),
                                str(path.with_name(path.name + ".asc")), str(path)],
                               capture_output=True, text=True)
        if shown.returncode != 0:
            raise Failure(f"gpgv rejects {path.name}.asc:\n{shown.stderr.strip()}")
        print(f"gpgv {path.name}.asc: " + "; ".join(
            line.removeprefix("gpgv:").strip() for line in shown.stderr.splitlines()
            if "Good signature" in line or "using" in line), flush=True)


def export_public_key(keyring):
    """The signing key's public part, as gpgv reads it."""
    exported = subprocess.run(["gpg", "--batch", "--export", openpgp_key()], capture_output=True,
                              check=True).stdout
    if not exported:
        raise Failure(f"no OpenPGP key {openpgp_key()} in GNUPGHOME")
    Path(keyring).write_bytes(exported)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    command = commands.add_parser("authenticode", help="sign a file, or attach its signature")
    command.add_argument("file", type=Path)
    command.add_argument("name")
    command.add_argument("--description", required=True)
    command.add_argument("--url", required=True)
    args = parser.parse_args()
    authenticode(args.file, args.name, args.description, args.url)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (Failure, OSError) as error:
        sys.exit(f"signing.py: {error}")
