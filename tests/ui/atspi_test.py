#!/usr/bin/python3
"""The window as a screen reader reads it, through AT-SPI.

Usage: atspi_test.py PROGRAM CALCULATOR-PAGE-ADDRESS

Runs on an X display in a D-Bus session of its own, for example
    xvfb-run -a dbus-run-session -- /usr/bin/python3 atspi_test.py ...
Starts PROGRAM with Qt's AT-SPI bridge on and a stand-in xdg-open that
records the pages asked for, finds the program on the accessibility bus and
checks, as a screen reader sees them: the name and role of every control
that takes the focus; score and result labels named by their field with
their value as text, also after a value typed through xdotool; which caption
label titles which control; and the banner and the site link, reached by
the keyboard and opened by Enter, Space and the press action.
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20  # seconds for anything to appear

TEXT = pyatspi.ROLE_TEXT
LIST = pyatspi.ROLE_COMBO_BOX
BUTTON = pyatspi.ROLE_PUSH_BUTTON
CHECK_BOX = pyatspi.ROLE_CHECK_BOX
LINK = pyatspi.ROLE_LINK
LABEL = pyatspi.ROLE_LABEL

# Every control that takes the focus, by the name a screen reader says.
FOCUSABLE = {
    "身份证号码": TEXT,
    "年龄": TEXT,
    "居住时长": TEXT,
    "养老月数": TEXT,
    "医疗月数": TEXT,
    "工伤月数": TEXT,
    "生育险月数": TEXT,
    "失业月数": TEXT,
    "统一月数": TEXT,
    "统一年数": TEXT,
    "选择学历": LIST,
    "房产状况": LIST,
    "生育状况": LIST,
    "身份证解读": BUTTON,
    "统一（月）": BUTTON,
    "统一（年）": BUTTON,
    "综合计算中...": BUTTON,
    "重置": BUTTON,
    "在线咨询": BUTTON,
    "公司申办": CHECK_BOX,
    "积分入户计算器": LINK,
    "Morvith": LINK,
}

# The labels that show a value, named by their field, with the value at start.
VALUES = {
    name: "0"
    for name in ("学历得分", "年龄得分", "房产得分", "生育得分", "个人得分", "养老得分",
                 "医疗得分", "工伤得分", "生育险得分", "失业得分", "社保得分", "合计得分")
}
VALUES.update({"出生日期": "", "性别": ""})

# Caption labels and the controls they title: caption, titled name and role.
TITLES = [
    ("学历", "选择学历", LIST),
    ("身份证号码", "身份证号码", TEXT),
    ("住房", "房产状况", LIST),
    ("养老", "养老月数", TEXT),
    ("失业", "失业月数", TEXT),
    ("个人得分", "个人得分", LABEL),
    ("合计得分", "合计得分", LABEL),
]

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL: " + what, file=sys.stderr)
    return ok


def pump():
    """Lets the accessibility bus deliver what it has for us."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(probe, what, timeout=TIMEOUT, needed=True):
    """The first true result of probe(). If none comes in time the test ends
    saying what is missing, or, for what later checks do not need, notes it
    as a failure and returns None."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = probe()
        except GLib.Error:
            result = None  # the tree changed under the question; ask again
        if result:
            return result
        if time.monotonic() > deadline:
            if needed:
                sys.exit(f"FAIL: {what} (waited {timeout} s)")
            check(False, f"{what} (waited {timeout} s)")
            return None
        pump()
        time.sleep(0.05)


def descendants(node):
    """Every accessible below node; a list's items are the list's own business."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != LIST:
            yield from descendants(child)


def text_of(node):
    if "Text" not in pyatspi.listInterfaces(node):
        return None
    return node.queryText().getText(0, -1)


def place(node):
    """Where a node sits in the tree: the same place is the same control."""
    indexes = []
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        indexes.append(node.getIndexInParent())
        node = node.parent
    return tuple(reversed(indexes))


def related(node, relation):
    places = []
    for r in node.getRelationSet():
        if r.getRelationType() == relation:
            places += [place(r.getTarget(i)) for i in range(r.getNTargets())]
    return places


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=TIMEOUT, stdout=subprocess.PIPE)


class Program:
    def __init__(self, path, folder):
        fake = os.path.join(folder, "xdg-open")
        with open(fake, "w") as f:
            f.write('#!/bin/sh\nprintf \'%s\\n\' "$*" >>"$VAROSTEL_FAKE_BROWSER_LOG"\n')
        os.chmod(fake, 0o755)
        self.log = os.path.join(folder, "pages")
        env = dict(os.environ,
                   QT_QPA_PLATFORM="xcb",
                   QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CURRENT_DESKTOP="",
                   DESKTOP_SESSION="",
                   VAROSTEL_FAKE_BROWSER_LOG=self.log,
                   PATH=folder + os.pathsep + os.environ.get("PATH", ""))
        self.process = subprocess.Popen([path], env=env)

    def pages(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log) as f:
            return f.read().splitlines()

    def application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()


def main(program_path, calculator_page):
    text_changes = []

    def on_text_inserted(event):
        text_changes.append((event.source.name, event.any_data))

    # Before the program starts, so its bridge sends these from the start.
    pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")

    with tempfile.TemporaryDirectory() as folder:
        program = Program(program_path, folder)
        try:
            app = wait_for(program.application, "the program on the accessibility bus")
            nodes = wait_for(
                lambda: [n for n in descendants(app) if n.name == "Morvith"] and list(descendants(app)),
                "the window's controls on the accessibility bus")
            check_focusable(nodes)
            labels = check_values(nodes)
            check_titles(nodes, labels)
            check_typed_value(app, labels, text_changes)
            check_links(nodes, program, calculator_page)
        finally:
            program.stop()

    if failures:
        print(f"{len(failures)} check(s) failed", file=sys.stderr)
        return 1
    print("all checks passed")
    return 0


def check_focusable(nodes):
    found = sorted((n.name, n.getRole()) for n in nodes
                   if n.getState().contains(pyatspi.STATE_FOCUSABLE))
    expected = sorted(FOCUSABLE.items())
    for name, role in sorted(set(expected) - set(found)):
        check(False, f"no focusable {pyatspi.Atspi.Role(role).value_nick} named {name!r}")
    for name, role in sorted(set(found) - set(expected)):
        check(False, f"unexpected focusable {pyatspi.Atspi.Role(role).value_nick} named {name!r}")
    check(len(found) == len(expected), f"{len(found)} focusable controls, expected {len(expected)}")


def check_values(nodes):
    """The value label of each field, by name: the label of that name that
    shows something other than its name (its caption label shows the name)."""
    labels = {}
    for n in nodes:
        if n.getRole() == LABEL:
            check(n.name != "0", "a label is named by a bare 0")
    for name, start in VALUES.items():
        shown = [n for n in nodes if n.getRole() == LABEL and n.name == name and text_of(n) != name]
        if not check(len(shown) == 1, f"{len(shown)} value labels named {name!r}, expected one"):
            continue
        labels[name] = shown[0]
        text = text_of(shown[0])
        check(text == start, f"{name} gives {text!r} as its text, expected {start!r}")
    return labels


def check_titles(nodes, labels):
    for caption, name, role in TITLES:
        captions = [n for n in nodes if n.getRole() == LABEL and n.name == caption
                    and text_of(n) == caption]
        titled = ([labels[name]] if name in labels else []) if role == LABEL else \
            [n for n in nodes if n.getRole() == role and n.name == name]
        if not check(len(captions) == 1 and len(titled) == 1,
                     f"caption {caption!r} or control {name!r} not found once"):
            continue
        check(place(titled[0]) in related(captions[0], pyatspi.RELATION_LABEL_FOR),
              f"caption {caption!r} is not the label of {name}")
        check(place(captions[0]) in related(titled[0], pyatspi.RELATION_LABELLED_BY),
              f"{name} is not labelled by the caption {caption!r}")


def check_typed_value(app, labels, text_changes):
    """120 months typed into the pension box score 30, shown and announced;
    the box's text set to 0 through the accessibility interface scores 0."""
    box = next(n for n in descendants(app) if n.name == "养老月数" and n.getRole() == TEXT)
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Varostel$"],
                            check=True, timeout=TIMEOUT, stdout=subprocess.PIPE, text=True)
    xdotool("windowfocus", "--sync", window.stdout.split()[0])
    box.queryComponent().grabFocus()
    wait_for(lambda: box.getState().contains(pyatspi.STATE_FOCUSED), "the focus in 养老月数")
    xdotool("key", "ctrl+a")
    xdotool("type", "120")
    score = labels.get("养老得分")
    if score is None:
        return
    if wait_for(lambda: text_of(score) == "30", "养老得分 giving 30 after 120 months typed",
                needed=False):
        check(text_of(labels["社保得分"]) == "30", "社保得分 does not give 30")
    if not wait_for(lambda: ("养老得分", "30") in text_changes,
                    "the new score 30 of 养老得分 announced as a text change", needed=False):
        print(f"announced: {text_changes}", file=sys.stderr)
    # A screen reader or a voice tool may set the whole text instead of typing it.
    box.queryEditableText().setTextContents("0")
    if wait_for(lambda: text_of(score) == "0", "养老得分 giving 0 after its text is set to 0",
                needed=False):
        check(text_of(labels["社保得分"]) == "0", "社保得分 does not follow a text set to 0")


def check_links(nodes, program, calculator_page):
    links = {n.name: n for n in nodes if n.getRole() == LINK}
    banner, site = links.get("积分入户计算器"), links.get("Morvith")
    if not check(banner is not None and site is not None, "the two links are missing"):
        return
    steps = [(banner, "Return"), (site, "space"), (banner, "KP_Enter")]
    for count, (link, key) in enumerate(steps, start=1):
        link.queryComponent().grabFocus()
        wait_for(lambda: link.getState().contains(pyatspi.STATE_FOCUSED),
                 f"the focus on the link {link.name}")
        xdotool("key", key)
        wait_for(lambda: len(program.pages()) >= count, f"a page opened by {key} on {link.name}")
    action = site.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if check("Press" in names, f"the site link offers no press action, only {names}"):
        action.doAction(names.index("Press"))
        wait_for(lambda: len(program.pages()) >= len(steps) + 1, "a page opened by the press action")
    time.sleep(0.5)  # a second page for one key would come now
    pages = program.pages()
    check(pages == [calculator_page] * (len(steps) + 1),
          f"pages opened: {pages}, expected the calculator page {len(steps) + 1} times")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
