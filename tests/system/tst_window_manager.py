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
- on a busy machine (busy loops on every processor) the main window settles
  where it does on an idle one, its frame at the designed place; so it does
  under a manager that frames the window only after showing it
  (slow_framing_wm.py), the order a busy manager may take;
- on a screen too small for it (1920 x 1080 at scale 2) the whole frame is on
  the screen, and the keyboard still reaches the last "Расчет";
- with no such manager the windows keep the type and group Qt gave them.

Usage: tst_window_manager.py path/to/vembrix
"""

import os
import re
import subprocess
import sys
import time

from x_session import WAIT_SECONDS, Desktop, run_test, start_x_server

WATCHDOG_SECONDS = 120

# Places in the main window's client area, from its fixed layout.
TANK_PICTURE = (115, 76)
CHANGE_WATER_FIELD = (530, 442)   # "Жесткость \"подменной\" воды"
CHANGE_CALC_BUTTON = (564, 540)   # its calculator's "Расчет"
BOTTOM_MARGIN = (340, 584)        # below the buttons, never under the picker

# The frame's designed top-left corner, which the 1280 x 1024 screen has room for.
DESIGNED_FRAME_ORIGIN = (469, 232)
LOADED_STARTS = 4

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


def check_placement_under_load(checks, procs, binary, env, desktop):
    # Busy loops on every processor, and one more, so the program and the
    # manager keep waiting for each other while the window is framed.
    loops = [procs.start("busy-%d" % i, [sys.executable, "-c", "while True: pass"], env)
             for i in range((os.cpu_count() or 1) + 1)]
    try:
        for start in range(LOADED_STARTS):
            program = Program(procs, binary, env, desktop, "vembrix-loaded-%d" % start)
            settled = desktop.wait_for(
                lambda: desktop.frame_origin(program.main) == DESIGNED_FRAME_ORIGIN)
            if settled:
                time.sleep(0.5)  # and stays there
            checks.equal(desktop.frame_origin(program.main), DESIGNED_FRAME_ORIGIN,
                         "busy machine, start %d: the frame settles at the designed place"
                         % (start + 1))
            program.stop()
    finally:
        for loop in loops:
            loop.terminate()
            loop.wait(timeout=5)


def check_placement_framed_late(checks, procs, binary, env):
    env = dict(env)
    env["DISPLAY"] = start_x_server(procs, env)
    desktop = Desktop(env)
    wm = os.path.join(os.path.dirname(os.path.abspath(__file__)), "slow_framing_wm.py")
    procs.start("slow-framing-wm", [sys.executable, wm], env)
    if not desktop.wait_for(lambda: desktop.windows(None, "_NET_SUPPORTING_WM_CHECK")):
        raise RuntimeError("the slow-framing manager did not start")
    program = Program(procs, binary, env, desktop, "vembrix-framed-late")
    # Framed, focused, and then left alone long enough to settle.
    desktop.wait_for(lambda: desktop.prop(program.main, "_NET_FRAME_EXTENTS"))
    desktop.wait_for(lambda: desktop.run("xdotool", "getwindowfocus").strip() == str(program.main))
    time.sleep(1)
    checks.equal(desktop.frame_origin(program.main), DESIGNED_FRAME_ORIGIN,
                 "framed late: the frame settles at the designed place")
    program.stop()


def check_small_screen(checks, procs, binary, env):
    env = dict(env, QT_SCALE_FACTOR="2")
    env["DISPLAY"] = start_x_server(procs, env, screen="1920x1080x24")
    desktop = Desktop(env)
    procs.start("openbox-small", ["openbox"], env)
    if not desktop.wait_for(lambda: desktop.windows(None, "_NET_SUPPORTING_WM_CHECK")):
        raise RuntimeError("openbox did not start on the small screen")
    program = Program(procs, binary, env, desktop, "vembrix-small")

    def on_screen():
        f = desktop.frame(program.main)
        return f and f[0] >= 0 and f[1] >= 0 and f[0] + f[2] <= 1920 and f[1] + f[3] <= 1080
    checks.check(desktop.wait_for(on_screen), "small screen: the whole frame is on the screen",
                 str(desktop.frame(program.main)))
    # Back from the first field to the hardness calculator's last one, made as
    # hard as the tank's water, and on to its "Расчет": a division by zero.
    desktop.key("shift+Tab", "shift+Tab", "ctrl+a")
    desktop.type("14")
    desktop.key("Tab", "space")

    def error_box():
        found = desktop.run("xdotool", "search", "--onlyvisible", "--name", "^Vembrix$").split()
        return [int(w) for w in found if int(w) != program.main]
    checks.check(desktop.wait_for(error_box),
                 "small screen: the keyboard reaches the hardness calculator's Расчет")
    program.stop()


def run(session, checks, binary):
    procs = session.procs
    env = dict(session.env, QT_QPA_PLATFORM="xcb")
    env["DISPLAY"] = start_x_server(procs, env)
    desktop = Desktop(env)
    check_without_window_manager(checks, procs, binary, env, desktop)

    procs.start("openbox", ["openbox"], env)
    if not desktop.wait_for(lambda: desktop.windows(None, "_NET_SUPPORTING_WM_CHECK")):
        raise RuntimeError("openbox did not start")
    program = Program(procs, binary, env, desktop, "vembrix")
    checks.check(desktop.wait_for(
        lambda: desktop.frame_origin(program.main) == DESIGNED_FRAME_ORIGIN),
        "idle machine: the frame settles at the designed place",
        str(desktop.frame_origin(program.main)))
    check_picker(checks, desktop, program)
    check_error_box(checks, desktop, program)
    program.stop()
    check_placement_under_load(checks, procs, binary, env, desktop)
    check_placement_framed_late(checks, procs, binary, env)
    check_small_screen(checks, procs, binary, env)


if __name__ == "__main__":
    sys.exit(run_test(__doc__, "vembrix-wm-", WATCHDOG_SECONDS, run))
