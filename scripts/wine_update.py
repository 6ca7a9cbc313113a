# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/wine update: a player installs the next version over this one.

In a fresh Japanese prefix: the old version installed; while its program
runs, the new installer and the old uninstaller refuse to change anything,
and the new installer asks the player to close the program, then goes on to
its first page once it is closed; the new version installed over the old:
one entry in Settings > Apps, the new version, and in its folder exactly the
new version's files; last, the uninstaller refuses while the program runs."""

import contextlib
import hashlib
import re
import subprocess
import time
import zipfile


def files_of(folder):
    """Each file under FOLDER, by its path there, with its SHA-256."""
    return {str(path.relative_to(folder)): hashlib.sha256(path.read_bytes()).hexdigest()
            for path in sorted(folder.rglob("*")) if path.is_file()}


def update(args, wine):
    old = wine.read_names(args.old_names or args.old.parent / "names.env", wine.NAMES)
    new = wine.read_names(args.names or args.new.parent / "names.env", wine.NAMES)
    display, program = new["VI_DISPLAY_NAME"], f"{new['VI_PROGRAM']}.exe"
    install_dir = f"C:\\Program Files\\{display}"
    exe = f"{install_dir}\\{program}"
    key = f"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{display}"
    new_zip = args.new.with_name(args.new.name.replace("-setup.exe", ".zip"))
    with zipfile.ZipFile(new_zip) as archive:
        # The zip's files, without the folder they are packed in.
        zipped = {name.split("/", 1)[1]: hashlib.sha256(archive.read(name)).hexdigest()
                  for name in archive.namelist() if not name.endswith("/")}
    # _?= runs the uninstaller in place, so that its exit status is its own; NSIS
    # reads the folder unquoted, as Wine joins words that hold no space.
    in_place = f"_?={install_dir}".split(" ")
    failures = []

    def check(ok, what):
        print(f"    {'ok' if ok else 'FAILED'}: {what}")
        if not ok:
            failures.append(what)

    def silent(*command):
        # Its exit status once it has ended (not Wine's: the program may be running).
        return subprocess.run([wine.WINE, *map(str, command)], env=env, timeout=600,
                              check=False).returncode

    def version():
        found = re.search(r"DisplayVersion +REG_SZ +(\S+)", wine.reg_query(env, key))
        return found[1] if found else None

    with contextlib.ExitStack() as stack:
        env, prefix = wine.enter_japanese_wine(stack)
        installed = prefix / "drive_c/Program Files" / display

        wine.say(f"1. {old['VI_VERSION_TEXT']}: {args.old.name} /S")
        check(silent(args.old, "/S") == 0, "installed")
        check(version() == old["VI_VERSION_TEXT"], f"Settings > Apps: {version()}")
        before = files_of(installed)
        print(f"    its files: {', '.join(before)}")

        title = f"{display} Ver{old['VI_VERSION_TEXT']}"
        wine.say(f'2. While "{title}" runs: {args.new.name} /S and Uninstall.exe /S')
        running, window = wine.open_window(stack, env, [exe], title, old["VI_WINDOW_SIZE"])
        status = silent(args.new, "/S")
        check(status == 2, f"the installer refuses: exit status {status} (2: cancelled)")
        status = silent(f"{install_dir}\\Uninstall.exe", "/S", *in_place)
        check(status == 2, f"the uninstaller refuses: exit status {status}")
        check(files_of(installed) == before and version() == old["VI_VERSION_TEXT"],
              "nothing changed")

        caption = f"{display} {new['VI_VERSION_TEXT']} "
        wine.say(f"3. While it runs: {args.new.name}, as a player starts it (screenshot: {args.shot})")
        with wine.started([wine.WINE, str(args.new)], env=env) as setup:
            box = wine.wait_for_windows(env, f"^{re.escape(caption)}")[0]
            time.sleep(1)  # it paints after it maps
            wine.screenshot(env, box, args.shot)
            box_size = size_of(wine, env, box)
            print(f'    asks: "{wine.xdotool(env, "getwindowname", box)}", {args.shot}')
            wine.xdotool(env, "key", "--window", box, "Return")  # Retry, still running
            again = wait_for_another(wine, env, caption, box)
            check(again is not None, "asks again on Retry while it runs")
            # The question keeps the keyboard: the program is closed as its
            # close button does it (WM_CLOSE), then the player answers.
            subprocess.run([wine.WINE, "taskkill", "/im", program], env=env, check=False,
                           capture_output=True)
            status = running.wait(timeout=10)
            check(status == 0, f"the program closed, exit status {status}")
            wine.xdotool(env, "windowfocus", "--sync", again or box)
            wine.xdotool(env, "key", "--window", again or box, "Return")  # Retry, closed
            page = wait_for_another(wine, env, caption, again or box)
            check(page is not None, "on Retry once it is closed, the first page")
            if page:
                # The wizard, not one more question: it is the larger window.
                page_size = size_of(wine, env, page)
                check(page_size[1] > box_size[1], f"the question {box_size[0]}x{box_size[1]}, "
                                                  f"the page {page_size[0]}x{page_size[1]}")
                wine.xdotool(env, "key", "--window", page, "alt+F4")
                confirm = wait_for_another(wine, env, caption, page)
                wine.xdotool(env, "key", "--window", confirm or page, "Return")  # Quit? Yes
            print(f"    quit, exit status {setup.wait(timeout=30)}")
        wine.wait_for_wine(env)
        check(files_of(installed) == before, "nothing changed")

        wine.say(f"4. {new['VI_VERSION_TEXT']} over it: {args.new.name} /S")
        check(silent(args.new, "/S") == 0, "installed")
        entries = re.findall(rf"^ +DisplayName +REG_SZ +{re.escape(display)}$", wine.reg_query(
            env, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "/s"), re.M)
        check(len(entries) == 1, f"Settings > Apps: {len(entries)} entries named {display}")
        check(version() == new["VI_VERSION_TEXT"], f"Settings > Apps: version {version()}")
        after = files_of(installed)
        stale = sorted(set(before) - set(zipped) - {"Uninstall.exe"})
        check(stale, f"files of {old['VI_VERSION_TEXT']} that {new['VI_VERSION_TEXT']} lacks, "
                     f"to be removed: {', '.join(stale) or 'none, so nothing to see'}")
        check(set(after) == set(zipped) | {"Uninstall.exe"},
              f"its folder holds the new version's files alone: {', '.join(after)}")
        check(all(after.get(name) == digest for name, digest in zipped.items()),
              "each the same as in the new zip")
        title = f"{display} Ver{new['VI_VERSION_TEXT']}"
        running, window = wine.open_window(stack, env, [exe], title, new["VI_WINDOW_SIZE"])

        wine.say(f'5. While "{title}" runs: Uninstall.exe /S')
        status = silent(f"{install_dir}\\Uninstall.exe", "/S", *in_place)
        check(status == 2, f"the uninstaller refuses: exit status {status}")
        check(files_of(installed) == after, "nothing changed")
        wine.close_with_alt_f4(env, running, window)
    wine.say("Update checked" if not failures else f"{len(failures)} checks FAILED")
    return 1 if failures else 0


def size_of(wine, env, window):
    shown = dict(line.split("=") for line in wine.xdotool(
        env, "getwindowgeometry", "--shell", window).split())
    return int(shown["WIDTH"]), int(shown["HEIGHT"])


def wait_for_another(wine, env, caption, window, timeout=20):
    """A visible window with the installer's caption other than WINDOW, or None."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                f"^{re.escape(caption)}"], env=env, capture_output=True,
                               text=True, check=False).stdout.split()
        others = [w for w in found if w != window]
        if others:
            return others[0]
        time.sleep(0.2)
    return None
