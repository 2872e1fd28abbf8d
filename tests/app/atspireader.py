#!/usr/bin/python3
"""Reads the running program as a screen reader does, over AT-SPI, and writes what it found as JSON.

Run by tst_atspi inside dbus-run-session (a private session bus, where the accessibility bus and its
registry are started on demand) with DISPLAY naming an Xvfb. Starts the program, finds it among the
registry's applications, reads the main page, presses the sale search button by its accessible
action, reads the list that opens, opens its first row by the row's action and reads the detail.
Every wait polls against one deadline; on a miss it writes what it had, with "error" saying which
wait ran out, and exits 1. The findings go to the file --out names (the session's daemons share
standard output). The assertions are the test's.
"""

import argparse
import json
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


def poll(what, program, deadline, probe, interval=0.05):
    """Calls probe until it returns something true, the program ends or the deadline passes."""
    last = ""
    while True:
        try:
            found = probe()
        except (GLib.Error, RuntimeError) as e:  # an object gone between two calls: ask again
            found = None
            last = str(e)
        if found:
            return found
        if program.poll() is not None:
            raise Missed("%s: the program exited with %d" % (what, program.returncode))
        if time.monotonic() > deadline:
            raise Missed(what + (" (" + last + ")" if last else "") + ": the deadline passed")
        time.sleep(interval)


def settled(what, program, deadline, probe):
    """What probe reads, once it reads the same twice in a row: a page that is still being filled
    replaces its children (and the objects read a moment ago are gone)."""
    previous = [None]

    def twice():
        now = probe()
        same = now is not None and now == previous[0]
        previous[0] = now
        return now if same else None

    return poll(what, program, deadline, twice)


def walk(acc, depth=0):
    """Every accessible below acc (acc included), depth first; showing or not."""
    if depth > 40:
        return
    yield acc
    for child in children(acc):
        yield from walk(child, depth + 1)


def fresh(app):
    # The client library keeps the names, roles and children it has read, while the program's tree
    # changes under it: every look starts from what the program says now.
    app.clear_cache()
    return app


def children(acc):
    kids = [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    if any(k is None for k in kids):
        raise RuntimeError("a child of %s %r went away" % (acc.getRoleName(), acc.name))
    return kids


def describe(acc):
    states = acc.getState()
    return {
        "role": acc.getRoleName(),
        "name": acc.name or "",
        "description": acc.description or "",
        "checked": states.contains(pyatspi.STATE_CHECKED),
        "actions": action_names(acc),
    }


def actions(acc):
    try:
        return acc.queryAction()
    except NotImplementedError:
        return None


def action_names(acc):
    action = actions(acc)
    return [action.getName(i) for i in range(action.nActions)] if action else []


def press(acc):
    action = actions(acc)
    for i in range(action.nActions if action else 0):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    raise Missed("a Press action on %s %r" % (acc.getRoleName(), acc.name))


def find_application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def read(program, deadline, out):
    app = poll("the program among the registry's applications", program, deadline,
               lambda: find_application("kwdpersonal"))
    out["application"] = app.name

    def main_page():
        tabs = [describe(a) for a in walk(fresh(app)) if a.getRoleName() in ("radio button", "page tab")]
        unnamed = [
            describe(a) for a in walk(app) if a.getRoleName() in BUTTON_ROLES and not (a.name or "").strip()
        ]
        return {"tabs": tabs, "unnamedButtons": unnamed} if len(tabs) >= 4 else None

    out.update(settled("the main page's tabs", program, deadline, main_page))

    def pressed(role, name):
        for a in walk(fresh(app)):
            if a.getRoleName() == role and a.name == name:
                press(a)
                return True
        return False

    poll("the sale search button", program, deadline, lambda: pressed("push button", "二手房"))

    def sale_list():
        for a in walk(fresh(app)):
            if a.getRoleName() == "list" and (a.name or "").startswith("二手房"):
                items = [describe(i) for i in children(a)]
                # Rows, not the message that the list is being loaded.
                if any(i["role"] == "list item" for i in items):
                    return {"name": a.name, "items": items}
        return None

    out["list"] = settled("a sale list with rows", program, deadline, sale_list)

    first = out["list"]["items"][0]
    poll("the first row", program, deadline, lambda: pressed(first["role"], first["name"]))

    def detail():
        for a in walk(fresh(app)):
            if a.getRoleName() == "document frame" and a.childCount > 0:
                return {"name": a.name, "children": [describe(c) for c in children(a)]}
        return None

    out["detail"] = settled("the first row's detail", program, deadline, detail)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--timeout", type=float, default=60)
    args = parser.parse_args()
    deadline = time.monotonic() + args.timeout
    out = {}
    program = subprocess.Popen([args.program], stdout=subprocess.DEVNULL)
    started = time.monotonic()
    code = 0
    try:
        read(program, deadline, out)
    except Missed as e:
        out["error"] = "waiting for %s" % e
        code = 1
    finally:
        out["seconds"] = round(time.monotonic() - started, 2)
        if program.poll() is None:
            program.terminate()
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
    with open(args.out, "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False)
    return code


if __name__ == "__main__":
    sys.exit(main())
