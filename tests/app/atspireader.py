#!/usr/bin/python3
"""Reads the running program as a screen reader does, over AT-SPI, and writes what it found as JSON.

Usage: atspireader.py PROGRAM OUT SECONDS, inside dbus-run-session (where the accessibility bus and its
registry start on demand). Starts an Xvfb and the program on it, finds the program among the registry's
applications, reads the main page, presses the sale search button by its accessible action, reads the
list, opens its first row by the row's action and reads the detail. On a missed wait it writes what it
had, with "error" saying which wait ran out, and exits 1. The assertions are the test's.
"""

import json
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

BUTTON_ROLES = {"push button", "toggle button", "check box", "radio button", "page tab"}


class Missed(Exception):
    pass


def poll(what, program, deadline, probe, twice=False):
    """Calls probe until it returns something true (with twice: the same twice in a row, as a page that
    is still being filled replaces its children), the program ends or the deadline passes."""
    last = ""
    previous = None
    while True:
        try:
            found = probe()
        except (GLib.Error, RuntimeError) as e:  # an object gone between two calls: ask again
            found = None
            last = str(e)
        if found and (not twice or found == previous):
            return found
        previous = found
        if program.poll() is not None:
            raise Missed("%s: the program exited with %d" % (what, program.returncode))
        if time.monotonic() > deadline:
            raise Missed(what + (" (" + last + ")" if last else "") + ": the deadline passed")
        time.sleep(0.05)


def walk(acc, depth=0):
    """Every accessible below acc (acc included), depth first; showing or not."""
    if depth <= 40:
        yield acc
        for child in children(acc):
            yield from walk(child, depth + 1)


def children(acc):
    kids = [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    if any(k is None for k in kids):
        raise RuntimeError("a child of %s %r went away" % (acc.getRoleName(), acc.name))
    return kids


def action_names(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def describe(acc):
    return {
        "role": acc.getRoleName(),
        "name": acc.name or "",
        "description": acc.description or "",
        "checked": acc.getState().contains(pyatspi.STATE_CHECKED),
        "actions": action_names(acc),
    }


def read(program, deadline, out):
    def application():
        apps = pyatspi.Registry.getDesktop(0)
        return next((a for a in apps if a is not None and a.name == "kwdpersonal"), None)

    app = poll("the program among the registry's applications", program, deadline, application)
    out["application"] = app.name

    def everything():
        # The client library keeps the names, roles and children it has read, while the program's
        # tree changes under it: every look starts from what the program says now.
        app.clear_cache()
        return list(walk(app))

    def main_page():
        seen = everything()
        tabs = [describe(a) for a in seen if a.getRoleName() in ("radio button", "page tab")]
        unnamed = [
            describe(a) for a in seen if a.getRoleName() in BUTTON_ROLES and not (a.name or "").strip()
        ]
        return {"tabs": tabs, "unnamedButtons": unnamed} if len(tabs) >= 4 else None

    out.update(poll("the main page's tabs", program, deadline, main_page, twice=True))

    def pressed(role, name):
        for a in everything():
            if a.getRoleName() == role and a.name == name:
                names = action_names(a)
                if "Press" not in names:
                    raise Missed("a Press action on %s %r" % (role, name))
                a.queryAction().doAction(names.index("Press"))
                return True
        return False

    poll("the sale search button", program, deadline, lambda: pressed("push button", "二手房"))

    def sale_list():
        for a in everything():
            if a.getRoleName() == "list" and (a.name or "").startswith("二手房"):
                items = [describe(i) for i in children(a)]
                # Rows, not the message that the list is being loaded.
                if any(i["role"] == "list item" for i in items):
                    return {"name": a.name, "items": items}
        return None

    out["list"] = poll("a sale list with rows", program, deadline, sale_list, twice=True)
    first = out["list"]["items"][0]
    poll("the first row", program, deadline, lambda: pressed(first["role"], first["name"]))

    def detail():
        for a in everything():
            if a.getRoleName() == "document frame" and a.childCount > 0:
                return {"name": a.name, "children": [describe(c) for c in children(a)]}
        return None

    out["detail"] = poll("the first row's detail", program, deadline, detail, twice=True)


def main(program_path, out_path, seconds):
    deadline = time.monotonic() + float(seconds)
    # A display of its own: Xvfb picks a free number and writes it once it accepts clients; -noreset
    # keeps it from starting over (and refusing clients) when its last client leaves. Its complaints,
    # and the program's, go to the test's log.
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        stdout=subprocess.PIPE,
    )
    display = xvfb.stdout.readline().decode().strip()
    # X11 with the accessibility bridge on, as on a desktop with a screen reader.
    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1")
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    program = subprocess.Popen([program_path], stdout=subprocess.DEVNULL, env=env)
    out = {}
    code = 0
    try:
        read(program, deadline, out)
    except Missed as e:
        out["error"] = "waiting for %s" % e
        code = 1
    finally:
        # Whatever is left goes with the session's process group, which the test ends.
        for process in (program, xvfb):
            process.kill()
    with open(out_path, "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False)
    return code


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
