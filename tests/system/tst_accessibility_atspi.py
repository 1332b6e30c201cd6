#!/usr/bin/python3
"""The program as a screen reader meets it, through the real AT-SPI bridge.

Starts its own X server, D-Bus session bus and accessibility bus, runs the
built program with Qt's bridge forced on, and reads it back with pyatspi, the
library a screen reader uses: names, descriptions, and the press actions of
the pictures. What a screen reader makes of it, results and announcements
included, tst_screen_reader.py hears through Orca itself. Everything started here is
started in a session of its own and stopped by its process group, also when a
check fails or the watchdog fires.

Usage: tst_accessibility_atspi.py path/to/vembrix
"""

import os
import sys
import time

from x_session import WAIT_SECONDS, run_test, start_accessible_desktop

WATCHDOG_SECONDS = 100

CALCULATORS = [
    "Аквариум",
    "Расчет освещения",
    "Расчет СО2",
    "Расчет обогревателя",
    "Пересчет жесткости при подменах",
]

# The caption of every box inside a calculator, as its own name, with the
# units a Russian voice would spell out as letters in words.
INNER_BOXES = {
    "Аквариум": ["A, см", "B, см", "C, см", "D, см", "Толщина стекла, мм",
                 "Высота столба воды, см", "Толщина слоя грунта, см",
                 "Объем воды", "Вес грунта"],
    "Расчет освещения": ["Требуемый уровень на дне, люкс",
                         "Расстояние от ламп до воды, см", "Тип отражателя",
                         "Необходимая мощность"],
    "Расчет СО2": ["pH", "kH, немецких градусов", "Содержание СО2"],
    "Расчет обогревателя": ["Температура в помещении",
                            "Температура в аквариуме", "Необходимая мощность"],
    "Пересчет жесткости при подменах": ["Начальная жескость",
                                        "Требуемая жесткость",
                                        "Жесткость \"подменной\" воды",
                                        "Объем подмены"],
}

SHAPES = ["Прямоугольный", "Прямоугольный со скосами", "Прямоугольный \"Vision\"",
          "Треугольный", "Треугольный \"Vision\"", "Шестиугольный"]


def run(session, checks, binary):
    procs = session.procs
    base_env = dict(session.env, GSETTINGS_BACKEND="memory")
    env = start_accessible_desktop(procs, base_env)

    # The client side joins the same buses before it imports pyatspi.
    os.environ.update(DISPLAY=env["DISPLAY"], XDG_RUNTIME_DIR=session.runtime,
                      DBUS_SESSION_BUS_ADDRESS=env["DBUS_SESSION_BUS_ADDRESS"])
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    client = ScreenReader(checks)

    app_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = procs.start("vembrix", [binary], app_env)
    client.program = program
    client.run_checks()


class ScreenReader:
    """The client: finds the program over AT-SPI and works it."""

    def __init__(self, checks):
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.checks = checks
        self.program = None

    def pump(self, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while self.context.iteration(False):
                pass
            time.sleep(0.02)

    def wait_until(self, predicate, seconds=WAIT_SECONDS):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.program.poll() is not None:
                raise RuntimeError("the program ended with %s" % self.program.returncode)
            result = predicate()
            if result:
                return result
            self.pump(0.1)
        return predicate()

    # --- the tree -------------------------------------------------------

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Vembrix":
                return app
        return None

    def window(self, title):
        app = self.application()
        if app is None:
            return None
        for child in app:
            if child is not None and child.name == title:
                return child
        return None

    def descendants(self, node):
        for child in node:
            if child is None:
                continue
            yield child
            yield from self.descendants(child)

    def find(self, node, role, name):
        return [n for n in self.descendants(node) if n.getRole() == role and n.name == name]

    def showing(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def sensitive(self, node):
        return node.getState().contains(self.pyatspi.STATE_SENSITIVE)

    def press(self, node):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        return action.doAction(names.index("Press"))

    def set_text(self, field, text):
        field.queryEditableText().setTextContents(text)

    # --- the checks -----------------------------------------------------

    def run_checks(self):
        r = self.pyatspi
        main = self.wait_until(lambda: self.window("Vembrix"))
        if not self.checks.check(main is not None, "the main window reaches the screen reader"):
            return
        self.equal(main.getRoleName(), "frame", "main window is a frame")
        self.wait_until(lambda: self.find(main, r.ROLE_PUSH_BUTTON, "Расчет"))

        panels = {p.name: p for p in main if p is not None and p.getRole() == r.ROLE_PANEL}
        for calculator in CALCULATORS:
            panel = panels.get(calculator)
            if not self.checks.check(panel is not None, "calculator box " + calculator):
                continue
            inner = sorted(p.name for p in panel if p is not None and p.getRole() == r.ROLE_PANEL)
            self.equal(inner, sorted(INNER_BOXES[calculator]),
                       "boxes inside %s are named by their own captions" % calculator)
            buttons = [b for b in panel if b is not None and b.getRole() == r.ROLE_PUSH_BUTTON
                       and b.name == "Расчет"]
            self.equal([b.description for b in buttons], [calculator],
                       "the Расчет button of %s names it" % calculator)

        combos = [c for c in self.descendants(main) if c.getRole() == r.ROLE_COMBO_BOX]
        self.equal([c.name for c in combos], ["Тип отражателя"], "reflector list named by its box")

        powers = self.find(main, r.ROLE_TEXT, "Необходимая мощность")
        self.equal(sorted(p.description for p in powers),
                   ["Расчет обогревателя", "Расчет освещения"],
                   "the two power results told apart by their calculator")

        # Each part on its own, so a fault in one still lets the others report.
        for part in (self.check_pictures,):
            try:
                part(main)
            except (IndexError, ValueError, NotImplementedError) as e:
                self.check(False, part.__name__ + " ran through", "%s: %s" % (type(e).__name__, e))
        self.check(self.program.poll() is None, "the program is still running after the checks")

    def equal(self, actual, expected, what):
        return self.checks.equal(actual, expected, what)

    def check_pictures(self, main):
        r = self.pyatspi
        pictures = self.find(main, r.ROLE_PUSH_BUTTON, "Выбор типа аквариума")
        if not self.checks.check(len(pictures) == 1, "tank picture named by its tooltip"):
            return
        picture = pictures[0]
        action = picture.queryAction()
        self.equal([action.getName(i) for i in range(action.nActions)], ["Press"],
                   "tank picture offers a press action")

        self.press(picture)
        picker = self.wait_until(lambda: (lambda w: w if w and self.showing(w) else None)(
            self.window("Выбор типа аквариума")))
        if not self.checks.check(picker is not None, "pressing the tank picture shows the picker"):
            return
        self.equal(picker.getRoleName(), "frame", "picker is a frame")
        self.wait_until(lambda: self.find(picker, r.ROLE_PUSH_BUTTON, SHAPES[-1]))
        for shape in SHAPES:
            found = self.find(picker, r.ROLE_PUSH_BUTTON, shape)
            if self.checks.check(len(found) == 1, "picker picture named " + shape):
                a = found[0].queryAction()
                self.equal([a.getName(i) for i in range(a.nActions)][:1], ["Press"],
                           "picker picture %s offers a press action first" % shape)

        # The hexagon uses side A alone and lights no rectangle.
        self.press(self.find(picker, r.ROLE_PUSH_BUTTON, "Шестиугольный")[0])
        hidden = self.wait_until(lambda: not self.showing(picker))
        self.check(hidden, "a pressed shape closes the picker")
        side_b = self.find(main, r.ROLE_SPIN_BUTTON, "B, см")[0]
        self.check(self.wait_until(lambda: not self.sensitive(side_b)),
                   "the hexagon leaves side B unused")
        self.check(self.sensitive(self.find(main, r.ROLE_SPIN_BUTTON, "A, см")[0]),
                   "the hexagon keeps side A")
        light = [b for p in main if p.name == "Расчет освещения"
                 for b in p if b.name == "Расчет"][0]
        self.check(not self.sensitive(light), "the hexagon turns the lighting calculation off")

        # And back: the rectangle uses sides A and B and lights its top.
        self.press(picture)
        self.check(self.wait_until(lambda: self.showing(picker)), "the picker comes back")
        self.press(self.find(picker, r.ROLE_PUSH_BUTTON, "Прямоугольный")[0])
        self.check(self.wait_until(lambda: self.sensitive(side_b)),
                   "the rectangle uses side B again")
        self.check(self.sensitive(light), "the rectangle turns the lighting calculation on")

    def check(self, ok, what, detail=""):
        return self.checks.check(ok, what, detail)


if __name__ == "__main__":
    sys.exit(run_test(__doc__, "vembrix-atspi-", WATCHDOG_SECONDS, run))
