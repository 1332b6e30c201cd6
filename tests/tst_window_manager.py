#!/usr/bin/python3
"""The windows as a real window manager shows them.

Runs the built program on a private Xvfb, first with no window manager, then
under openbox, which puts minimise and maximise on every window whatever the
window's Motif hints say. Drives it with real input (xdotool) and reads what
the manager made of the windows from its own properties (xprop):

- the picker and the error box offer the close box only;
- the picker still does not stay above the main window, and a click on the
  main window's picture brings it to the front again, at every showing;
- the error box stays with its window, keeps the keyboard and closes on Enter;
- with no such manager the windows keep the type and group Qt gave them.

Usage: tst_window_manager.py path/to/vembrix
"""

import os
import re
import shutil
import signal
import sys
import tempfile

from x_session import Checks, Desktop, Processes, Watchdog, arm_watchdog, start_x_server

WATCHDOG_SECONDS = 120

# Places in the main window's client area, from its fixed layout.
TANK_PICTURE = (115, 76)
CHANGE_WATER_FIELD = (530, 442)   # "Жесткость \"подменной\" воды"
CHANGE_CALC_BUTTON = (564, 540)   # its calculator's "Расчет"
BOTTOM_MARGIN = (340, 584)        # below the buttons, never under the picker

BUTTON_ACTIONS = ["_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                  "_NET_WM_ACTION_MAXIMIZE_VERT"]


class Program:
    """The program and its two windows on one desktop."""

    def __init__(self, procs, binary, env, desktop, name):
        self.desktop = desktop
        self.proc = procs.start(name, [binary], env)
        self.main = desktop.wait_for(lambda: desktop.visible_window("Vembrix"))
        if not self.main:
            raise RuntimeError("the main window did not show")

    def open_picker(self):
        self.desktop.click(self.main, TANK_PICTURE)
        return self.desktop.wait_for(lambda: self.desktop.visible_window("AquaTypeFrm"))

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=5)


def toolbar_typed(desktop, window):
    return "_NET_WM_WINDOW_TYPE_TOOLBAR" in desktop.atoms(window, "_NET_WM_WINDOW_TYPE")


def in_window_group(desktop, window):
    return "group leader" in desktop.run("xprop", "-id", str(window), "WM_HINTS")


ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def icon_sizes(desktop, window):
    """The sizes the window's _NET_WM_ICON holds, in order."""
    out = desktop.run("xprop", "-len", "2000000", "-id", str(window), "_NET_WM_ICON")
    return [int(w) for w, h in re.findall(r"Icon \((\d+) x (\d+)\)", out) if w == h]


def check_without_window_manager(checks, procs, binary, env, desktop):
    program = Program(procs, binary, env, desktop, "vembrix-bare")
    # The icon is handed over once, before the window maps: all of it.
    sizes = icon_sizes(desktop, program.main)
    checks.check(sorted(sizes) == ICON_SIZES, "the main window offers its icon in every size",
                 str(sizes))
    picker = program.open_picker()
    if checks.check(picker is not None, "bare X: the picker opens"):
        checks.check(not toolbar_typed(desktop, picker), "bare X: the picker keeps Qt's window type")
        checks.check(in_window_group(desktop, picker), "bare X: the picker stays in the window group")
    program.stop()


def check_offers_close_box_only(checks, desktop, window, what):
    actions = desktop.atoms(window, "_NET_WM_ALLOWED_ACTIONS")
    checks.check("_NET_WM_ACTION_CLOSE" in actions, what + " can be closed", ", ".join(actions))
    checks.equal([a for a in actions if a in BUTTON_ACTIONS], [],
                 what + " offers no minimise or maximise")


def check_picker(checks, desktop, program):
    for showing in ("first", "second"):
        picker = program.open_picker()
        if not checks.check(picker is not None, "the picker opens at its %s showing" % showing):
            return
        check_offers_close_box_only(checks, desktop, picker, "the picker (%s showing)" % showing)
        checks.check(desktop.wait_for(lambda: desktop.above(picker, program.main)),
                     "the opened picker is in front (%s showing)" % showing)

        desktop.click(program.main, BOTTOM_MARGIN)
        checks.check(desktop.wait_for(lambda: desktop.above(program.main, picker)),
                     "a click on the main window brings it above the picker (%s showing)" % showing,
                     "stacking %r" % desktop.stacking())

        program.open_picker()
        checks.check(desktop.wait_for(lambda: desktop.above(picker, program.main)),
                     "the main window's picture brings the picker to the front (%s showing)"
                     % showing)
        checks.check(desktop.wait_for(lambda: desktop.active() == picker),
                     "the picker is the active window (%s showing)" % showing)

        # A pick hides the picker; the next round shows it again.
        desktop.click(picker, (120, 70))
        checks.check(desktop.wait_for(lambda: not desktop.visible_window("AquaTypeFrm")),
                     "a pick hides the picker (%s showing)" % showing)


def check_error_box(checks, desktop, program):
    # Change water as hard as the tank's own water: a division by zero.
    desktop.click(program.main, CHANGE_WATER_FIELD)
    desktop.key("ctrl+a")
    desktop.type("14")
    desktop.click(program.main, CHANGE_CALC_BUTTON)

    def error_box():
        found = desktop.run("xdotool", "search", "--onlyvisible", "--name", "^Vembrix$").split()
        boxes = [int(w) for w in found if int(w) != program.main]
        return boxes[0] if boxes else None

    box = desktop.wait_for(error_box)
    if not checks.check(box is not None, "the division by zero opens the error box"):
        return
    check_offers_close_box_only(checks, desktop, box, "the error box")
    checks.equal(desktop.windows(box, "WM_TRANSIENT_FOR"), [program.main],
                 "the error box stands for the main window")
    checks.check(desktop.wait_for(lambda: desktop.active() == box), "the error box has the keyboard")

    desktop.click(program.main, BOTTOM_MARGIN)
    checks.check(desktop.wait_for(lambda: desktop.above(box, program.main)),
                 "the error box stays above the main window")
    checks.check(desktop.wait_for(lambda: desktop.active() == box),
                 "the error box keeps the keyboard after a click on the main window")

    desktop.key("Return")
    checks.check(desktop.wait_for(lambda: error_box() is None), "Enter closes the error box")
    checks.check(program.proc.poll() is None, "the program is still running")


def run(binary):
    checks = Checks()
    tmp = tempfile.mkdtemp(prefix="vembrix-wm-")
    runtime = os.path.join(tmp, "runtime")
    os.mkdir(runtime, 0o700)
    procs = Processes(tmp)
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
                        "DBUS_SESSION_BUS_ADDRESS")}
    env.update(XDG_RUNTIME_DIR=runtime, HOME=tmp, LANG="C.UTF-8", LC_ALL="C.UTF-8",
               QT_QPA_PLATFORM="xcb")
    try:
        env["DISPLAY"] = start_x_server(procs, env)
        desktop = Desktop(env)
        check_without_window_manager(checks, procs, binary, env, desktop)

        procs.start("openbox", ["openbox"], env)
        if not desktop.wait_for(lambda: desktop.windows(None, "_NET_SUPPORTING_WM_CHECK")):
            raise RuntimeError("openbox did not start")
        program = Program(procs, binary, env, desktop, "vembrix")
        check_picker(checks, desktop, program)
        check_error_box(checks, desktop, program)
    except Watchdog as e:
        checks.check(False, "finished in time", str(e))
    except Exception as e:  # a broken set-up is a failure, reported with the logs
        checks.check(False, "set-up and checks ran through", "%s: %s" % (type(e).__name__, e))
    finally:
        signal.alarm(0)
        procs.stop_all()
        if checks.failures:
            print(procs.logs())
        shutil.rmtree(tmp, ignore_errors=True)
    if checks.failures:
        print("%d check(s) failed" % len(checks.failures))
        return 1
    print("all checks passed")
    return 0


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    arm_watchdog(WATCHDOG_SECONDS)
    return run(os.path.abspath(sys.argv[1]))


if __name__ == "__main__":
    sys.exit(main())
