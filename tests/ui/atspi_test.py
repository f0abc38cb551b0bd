#!/usr/bin/python3
# The window as a screen reader meets it, through AT-SPI, against a transcript.
#
# Usage: atspi_test.py PROGRAM SITE-HOST CONSULTATION-HOST [--remake]
#
# Starts its own Xvfb and D-Bus session (the user's session bus, if any, is
# never used), runs PROGRAM there with Qt's AT-SPI bridge on and fake-xdg-open
# first on PATH, and writes what a screen reader gets: the tree (roles, names,
# descriptions, text, states, relations, actions, where characters lie), the
# Tab order, and for each thing done by keyboard, mouse or AT-SPI what is
# heard, which pages open, which tooltips or dialogs show (Qt's own in Chinese,
# though the program runs under an English locale), where the focus is
# and what the printer wrote (a PDF file, read back). The transcript must equal
# fixtures/atspi-tree.txt; --remake rewrites that file instead (run by hand,
# then read its diff).

import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURE = os.path.join(HERE, "fixtures", "atspi-tree.txt")

if "VAROSTEL_ATSPI_RUNTIME" not in os.environ:
    if len(sys.argv) not in (4, 5):
        sys.exit("usage: atspi_test.py PROGRAM SITE-HOST CONSULTATION-HOST [--remake]")
    with tempfile.TemporaryDirectory() as runtime:
        env = dict(os.environ, HOME=runtime, XDG_RUNTIME_DIR=runtime, XDG_CACHE_HOME=runtime, VAROSTEL_ATSPI_RUNTIME=runtime)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS"):
            env.pop(name, None)
        sys.exit(subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -dpi 96", "dbus-run-session",
                                 "--", sys.executable, *sys.argv], env=env).returncode)

import pyatspi  # noqa: E402  (inside the private session only)
from gi.repository import GLib  # noqa: E402


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def wait_for(probe, what, timeout=20):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            if (result := probe()):
                return result
        except GLib.Error:
            pass  # the tree changed under the question
        pump(0.05)
    sys.exit(f"FAIL: no {what} after {timeout} s")


def q(text):
    return '"' + text.replace("\n", "\\n") + '"'


def who(node):
    return f"{node.getRoleName()} {q(node.name)}"


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=20)


def glyphs(node, text):
    # Each character inside its label and found again from its middle; the text's side.
    box, t, at = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), node.queryText(), []
    for i in range(len(text)):
        x, y, w, h = t.getCharacterExtents(i, pyatspi.DESKTOP_COORDS)
        if not (box.x <= x and x + w <= box.x + box.width and box.y <= y and y + h <= box.y + box.height) \
                or t.getOffsetAtPoint(x + w // 2, y + h // 2, pyatspi.DESKTOP_COORDS) != i:
            return f"character {i} misplaced"
        at.append((x, y, x + w))
    gaps = (min(a[0] for a in at) - box.x, box.x + box.width - max(a[2] for a in at))
    return ("centred" if abs(gaps[0] - gaps[1]) <= 1 else "left" if gaps[0] <= 1 else "right" if gaps[1] <= 1
            else f"{gaps[0]} px from the left") + "".join(f" on {n} lines" for n in [len({a[1] for a in at})] if n > 1)


def describe(node, depth, lines, nodes):
    words, states = ["  " * depth + who(node)], node.getState()
    nodes[(node.getRoleName(), node.name)] = node
    words += ["description " + q(node.description)] * bool(node.description)
    text = node.queryText().getText(0, -1) if "Text" in pyatspi.listInterfaces(node) else None
    words += [f"text {q(text or '')}"] * (text is not None and text != node.name)
    words += ["focusable"] * states.contains(pyatspi.STATE_FOCUSABLE)
    words += ["disabled"] * (not states.contains(pyatspi.STATE_ENABLED))
    for r in node.getRelationSet():
        words.append(pyatspi.Atspi.RelationType(r.getRelationType()).value_nick + " "
                     + ", ".join(who(r.getTarget(i)) for i in range(r.getNTargets())))
    if "Action" in pyatspi.listInterfaces(node) and node.queryAction().nActions:
        words.append("actions " + ",".join(node.queryAction().getName(i) for i in range(node.queryAction().nActions)))
    if text and node.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_LINK):
        words.append("characters " + glyphs(node, text))
    lines.append(" ".join(words))
    if node.getRole() != pyatspi.ROLE_COMBO_BOX:  # its items are the list's own business
        for child in node:
            describe(child, depth + 1, lines, nodes)


def main(program, site, consultation, remake):
    folder, heard, nodes, listening = os.environ["VAROSTEL_ATSPI_RUNTIME"], [], {}, [True]
    browser, log = os.path.join(folder, "xdg-open"), os.path.join(folder, "pages")
    os.symlink(os.path.join(HERE, "fake-xdg-open"), browser)
    for event in ("object:text-changed:insert", "object:property-change:accessible-name",
                  "object:property-change:accessible-description"):
        pyatspi.Registry.registerEventListener(
            lambda e: listening[0] and heard.append(f"{e.type.split(':')[-1]} {who(e.source)}" + (
                f" {q(e.any_data)}" if "text" in e.type else f" {q(e.source.description)}" if "desc" in e.type else "")),
            event)
    process = subprocess.Popen([program], env=dict(
        os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="en_US.UTF-8",
        XDG_CURRENT_DESKTOP="", DESKTOP_SESSION="", VAROSTEL_FAKE_BROWSER_LOG=log,
        PATH=folder + ":" + os.environ["PATH"]))
    try:
        app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                     if a is not None and a.get_process_id() == process.pid), None), "program")
        window = wait_for(lambda: app.childCount and app[0].childCount and app[0], "window")
        pump(1)
        lines = ["== the tree"]
        describe(window, 0, lines, nodes)
        focusable = [n for n in nodes.values() if n.getState().contains(pyatspi.STATE_FOCUSABLE)]
        to_window = ("search", "--sync", "--onlyvisible", "--name", "^Varostel$", "windowfocus", "--sync")
        xdotool(*to_window)

        def focused():
            return next((who(n) for n in focusable if n.getState().contains(pyatspi.STATE_FOCUSED)), "nothing")

        lines.append("== Tab from the focus at the start")
        first = wait_for(lambda: focused() != "nothing" and focused(), "focus")
        for _ in focusable:
            lines.append(before := focused())
            xdotool("key", "Tab")
            if wait_for(lambda: focused() != before and focused(), "focus moved by Tab", timeout=5) == first:
                break

        def pages():
            return open(log).read().splitlines() if os.path.exists(log) else []

        def do(what, *steps, focus=None, listen=True):
            if focus is not None:
                xdotool(*to_window)
                nodes[focus].queryComponent().grabFocus()
                wait_for(lambda: nodes[focus].getState().contains(pyatspi.STATE_FOCUSED), f"focus on {focus}")
            heard.clear()
            listening[0], opened, files = listen, len(pages()), set(os.listdir(folder))
            for step in steps:
                step() if callable(step) else xdotool(*step)
            pump(0.2)  # what comes of it comes within this time
            lines.extend(["== " + what] + ["heard " + h for h in heard] + ["opened " + p for p in pages()[opened:]])
            lines.extend(f"shows {who(shown)}: " + ", ".join(who(c) for c in shown)  # tooltips, dialogs
                         for shown in list(app)[1:] if shown.getState().contains(pyatspi.STATE_SHOWING))
            lines.append("focus on " + focused())
            for new in sorted(set(os.listdir(folder)) - files - {"pages"}):
                lines.append("wrote " + new)
                lines.extend("  " + line for line in subprocess.run(["sh", "-c", (
                    'pdfinfo "$0" | grep -E "^(Title|Creator|Pages|Page size):"; pdfimages -list "$0";'
                    'pdftotext -layout "$0" -'),
                    os.path.join(folder, new)], capture_output=True, text=True).stdout.splitlines() if line.strip())

        def spot(name, where="middle"):
            e = nodes[name].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            x = {"middle": e.x + e.width // 2, "last": e.x + e.width - 1, "past": e.x + e.width}[where]
            return [str(x), str(e.y + e.height // 2)]

        def click(name, where="middle", button="1", press=None):
            return (("mousemove", *(press or spot(name)), "mousedown", button),
                    ("mousemove", *spot(name, where), "mouseup", button))

        box, button, banner, site_link = ("text", "养老月数"), ("push button", "身份证解读"), \
            ("link", "积分入户计算器"), ("link", "Morvith")
        do("Ctrl+A, then 1 2 a 0 typed into 养老月数", ("key", "ctrl+a"),
           *[step for key in "12a0" for step in (("type", key), lambda: pump(0.15))], focus=box)
        do("养老月数 set to 0 as editable text", lambda: nodes[box].queryEditableText().setTextContents("0"))
        for keys in ("Return", "KP_Enter", "space", "shift+Return", "ctrl+space", "a"):
            do(f"{keys} on 积分入户计算器", ("key", keys), focus=banner)
        for name in (banner, site_link, ("push button", "在线咨询")):
            do(f"press action of {name[1]}", lambda: nodes[name].queryAction().doAction(0), focus=button)
        do("left click on Morvith, released on its last pixel", *click(site_link, "last"))
        do("left press on Morvith, released one pixel right of it", *click(site_link, "past"))
        do("left press on the window's corner, released on Morvith", *click(site_link, press=["1", "1"]))
        do("right click on Morvith", *click(site_link, button="3"))
        do("Escape", ("key", "Escape"))
        do("left click on the QR code", *click(("image", "")))

        def press(button):  # in the dialog, as a screen reader's user does
            def find(node):
                return node if who(node) == f'push button "{button}"' else next(
                    (found for child in node if (found := find(child))), None)
            return lambda: wait_for(lambda: find(app[-1]), f"{button} in the dialog").queryAction().doAction(0)

        do("Ctrl+P in 养老月数", ("key", "ctrl+p"), focus=box, listen=False)
        do("取消 (Cancel) in the print dialog", press("取消"))
        do("Ctrl+P, then 打印 (Print) in the print dialog", ("key", "ctrl+p"), press("打印(P)"), lambda: pump(1),
           focus=box, listen=False)
        os.remove(browser)  # the browser found at the first page is gone now
        do("在线咨询 clicked with no browser", *click(("push button", "在线咨询")))
    finally:
        process.terminate()
        process.wait(timeout=20)
    version = subprocess.run([program, "--version"], capture_output=True, text=True).stdout.split()[-1]
    transcript = "\n".join(lines).replace(version, "VERSION").replace(
        time.strftime("%Y年%m月%d日").replace("年0", "年").replace("月0", "月"), "TODAY").replace(site, "SITE").replace(
        consultation, "CONSULTATION") + "\n"
    with open(FIXTURE if remake else os.path.join(folder, "atspi-tree.txt"), "w") as f:
        f.write(transcript)
    return 0 if remake else subprocess.run(["diff", "-u", FIXTURE, os.path.join(folder, "atspi-tree.txt")]).returncode


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4], remake=sys.argv[4:] == ["--remake"]))
