#!/usr/bin/python3
"""The program heard through a real screen reader, worked by the keyboard alone.

Starts its own X server with openbox, D-Bus session bus and accessibility
bus, a speech dispatcher that speaks into nothing, and Orca with preferences
of its own and its debug log on; then runs the built program in Russian with
Qt's accessibility bridge on, presses keys with xdotool and reads what Orca
says from the log's "SPEECH OUTPUT" lines. Only the program's own texts are
matched, never Orca's words for roles or keys, which change between its
versions.

The walk: entry values on focus and after Up and Down, each calculator's
"Расчет" by Space or Enter with its results, and each of the six shapes
chosen by F4, the arrow keys and Enter, with what the choice changed.
Everything started here leads a process group of its own and is stopped by
it, also when a check fails or the watchdog fires.

Usage: tst_screen_reader.py path/to/vembrix
"""

import os
import re
import subprocess
import sys
import threading
import time
import tty

from x_session import run_test, start_accessible_desktop

WATCHDOG_SECONDS = 280
# On a busy machine Orca falls seconds behind the keys; the waits are long
# enough for that, and end as soon as what is awaited has been said.
HEARD_SECONDS = 40
QUIET_SECONDS = 0.8

# Without these two the speech dispatcher's output module aborts when it finds
# no sound card; the dummy module then speaks nowhere.
SPEECHD_CONF = """AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
"""

SPEECH = "SPEECH OUTPUT: '"
# What Orca appends after the quoted text, which differs between its versions:
# the voice's settings, a voice name.
SPEECH_TAIL = re.compile(r"'\s*(?:\{.*\}|voice=.*)?\s*$")
# Orca 48 leaves out a description it finds too like the name, and says so in
# its log: for "Расчет" it drops "Расчет СО2" (and would "Расчет" plus any
# short word) but speaks "Расчет освещения".
LEFT_OUT = re.compile(r"GENERATOR: Similarity between '(.*)', '(.*)': ([\d.]+) "
                      r"\(threshold: ([\d.]+)\)")
# A number standing on its own, not the digit of a word such as "СО2".
NUMBER = re.compile(r"(?<![\w,])-?\d+(?:,\d+)?(?![\w,])")

# What the picker's choice says, by shape: the name, the sides no longer used,
# the lighting calculation.
SHAPES = [
    ("Прямоугольный", "Не используются стороны C, D", "Расчет освещения доступен"),
    ("Прямоугольный со скосами", "Используются все стороны", "Расчет освещения доступен"),
    ("Прямоугольный \"Vision\"", "Не используется сторона D", "Расчет освещения доступен"),
    ("Треугольный", "Не используется сторона D", "Расчет освещения недоступен"),
    ("Треугольный \"Vision\"", "Не используются стороны C, D", "Расчет освещения недоступен"),
    ("Шестиугольный", "Не используются стороны B, C, D", "Расчет освещения недоступен"),
]


class Orca:
    """What Orca has said, from its debug log."""

    def __init__(self, log_path, program):
        self.log_path = log_path
        self.program = program
        self.spoken = []
        # (how much had been said by then, name, description) for each
        # description Orca left out as redundant to the name.
        self.left_out = []
        self.read_to = 0
        self.mark_at = 0

    def read(self):
        try:
            with open(self.log_path, "rb") as f:
                f.seek(self.read_to)
                chunk = f.read()
        except FileNotFoundError:
            return
        # Only whole lines; the rest is read again next time.
        end = chunk.rfind(b"\n") + 1
        self.read_to += end
        for line in chunk[:end].decode("utf-8", "replace").splitlines():
            judged = LEFT_OUT.search(line)
            if judged and float(judged.group(3)) >= float(judged.group(4)):
                self.left_out.append((len(self.spoken), judged.group(1), judged.group(2)))
            at = line.find(SPEECH)
            if at >= 0:
                said = line[at + len(SPEECH):]
                self.spoken.append(SPEECH_TAIL.sub("", said, count=1).strip())

    def settle(self):
        """Waits until Orca has said nothing new for a moment: what it still
        had to say about the last step must not count for the next one."""
        self.read()
        count, since = len(self.spoken), time.monotonic()
        deadline = since + HEARD_SECONDS
        while time.monotonic() - since < QUIET_SECONDS and time.monotonic() < deadline:
            time.sleep(0.1)
            self.read()
            if len(self.spoken) != count:
                count, since = len(self.spoken), time.monotonic()

    def mark(self):
        """From here on is what the next step made Orca say."""
        self.settle()
        self.mark_at = len(self.spoken)

    def since_mark(self):
        self.read()
        return self.spoken[self.mark_at:]

    def left_out_since_mark(self, name, description):
        return any(at >= self.mark_at and (n, d) == (name, description)
                   for at, n, d in self.left_out)

    def wait_for(self, *texts, seconds=HEARD_SECONDS, description_of=None):
        """What was said since the mark once it holds every text, else None.
        With description_of (name, description), the description also counts
        as heard when Orca said the name and left the description out as
        redundant to it: the focus was on the object that has both."""
        deadline = time.monotonic() + seconds
        while True:
            spoken = self.since_mark()
            said = " | ".join(spoken)
            if spoken and all(t in said for t in texts):
                return said
            if (spoken and description_of
                    and all(t in said for t in texts if t != description_of[1])
                    and self.left_out_since_mark(*description_of)):
                return said
            if time.monotonic() > deadline:
                return None
            if self.program.poll() is not None:
                raise RuntimeError("the program ended with %s" % self.program.returncode)
            time.sleep(0.1)


class Walk:
    def __init__(self, checks, orca, env):
        self.checks = checks
        self.orca = orca
        self.env = env

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def step(self, keys, texts, what, description_of=None):
        """Presses keys, and checks that Orca then says every one of texts."""
        self.orca.mark()
        self.keys(*keys)
        said = self.orca.wait_for(*texts, description_of=description_of)
        self.checks.check(said is not None, what,
                          "heard %r" % " | ".join(self.orca.since_mark()))
        return said or ""

    def value_step(self, keys, name, value, what):
        """An entry value is spoken whole: the full text, and no number that
        is only part of it (Orca once said "100" for 1000 and "120,1" for
        120,10). Names and values are all a field's speech holds."""
        texts = [value] if name is None else [name, value]
        said = self.step(keys, texts, what)
        if said:
            numbers = set(NUMBER.findall(said))
            self.checks.check(numbers == {value}, what + ": no shortened value",
                              "numbers heard %r in %r" % (sorted(numbers), said))

    def button_step(self, keys, calculator, what):
        """Tab to a "Расчет", told apart from the others by its calculator's
        title, its description."""
        self.step(keys, ["Расчет", calculator], what, description_of=("Расчет", calculator))

    def calculator(self, keys, sentence, what):
        self.step(keys, [sentence], what)

    def run(self):
        o = self.orca
        o.mark_at = 0
        if not self.checks.check(o.wait_for("Vembrix", seconds=30) is not None,
                                 "the main window is spoken", "heard %r" % o.since_mark()):
            return
        # Round the tab chain and back, so the first field is heard whatever
        # Orca made of the window's first focus.
        self.step(["shift+Tab"], ["Расчет", "Пересчет жесткости при подменах"],
                  "Shift+Tab from the first field wraps to the last Расчет")
        self.value_step(["Tab"], "A, см", "100,00", "Tab to side A speaks it whole")

        # Tank: side A becomes 120; side B stepped up and down.
        self.type("120")
        self.orca.settle()
        self.value_step(["Tab"], "B, см", "40,00", "Tab to side B speaks it whole")
        self.value_step(["Up"], None, "40,10", "Up on side B speaks the new value whole")
        self.value_step(["Down"], None, "40,00", "Down on side B speaks the new value whole")
        self.keys("Tab", "Tab", "Tab", "Tab", "Tab")
        self.button_step(["Tab"], "Аквариум", "Tab reaches the tank's Расчет")
        self.calculator(["space"], "Объем воды 232,05 л, вес грунта 48,73 кг",
                        "the tank's results are spoken after Space on its Расчет")

        # Lighting, pressed with Enter; its unit is spoken as a word.
        self.value_step(["Tab"], "Требуемый уровень на дне, люкс", "1000",
                        "Tab to the required level speaks it whole")
        self.value_step(["Up"], None, "1001", "Up on an integer field speaks the new value whole")
        self.value_step(["Down"], None, "1000", "Down on an integer field speaks it whole")
        self.keys("Tab", "Tab")
        self.button_step(["Tab"], "Расчет освещения", "Tab reaches the lighting's Расчет")
        self.calculator(["Return"], "Необходимая мощность 4516 люмен",
                        "Enter presses a focused Расчет, and the lamp power is spoken")

        # CO2 at pH 6.5: the rating comes last.
        self.value_step(["Tab"], "pH", "7,00", "Tab to pH speaks it whole")
        self.type("6,5")
        self.keys("Tab")
        self.button_step(["Tab"], "Расчет СО2", "Tab reaches the CO2 Расчет")
        self.calculator(["space"], "Содержание СО2 110 мг/л, избыток",
                        "the CO2 content and its rating are spoken after its Расчет")

        # Heater. (The keypad's Enter is Orca's own "where am I" key.)
        self.keys("Tab", "Tab")
        self.button_step(["Tab"], "Расчет обогревателя", "Tab reaches the heater's Расчет")
        self.calculator(["Return"], "Необходимая мощность 49 ватт",
                        "the heater power is spoken after Enter on its Расчет")

        # Hardness.
        self.keys("Tab", "Tab", "Tab")
        self.button_step(["Tab"], "Пересчет жесткости при подменах",
                         "Tab reaches the hardness Расчет")
        self.calculator(["space"], "Объем подмены 64 %",
                        "the water-change share is spoken after its Расчет")

        self.shapes()

    def shapes(self):
        # Escape first: the picker goes and the main window is back.
        self.step(["F4"], ["Выбор типа аквариума", SHAPES[0][0]],
                  "F4 opens the picker on the current shape")
        self.step(["Escape"], ["Vembrix"], "Escape hides the picker and the main window is back")

        # Round the grid, each shape chosen once, ending where it started.
        route = [(1, "Right"), (2, "Right"), (5, "Down"), (4, "Left"), (3, "Left"), (0, "Up")]
        current = 0
        for target, arrow in route:
            name = SHAPES[target][0]
            self.step(["F4"], ["Выбор типа аквариума", SHAPES[current][0]],
                      "F4 opens the picker on %s" % SHAPES[current][0])
            self.step([arrow], [name], "%s moves to %s" % (arrow, name))
            self.step(["Return"], [". ".join(SHAPES[target]) + "."],
                      "Enter chooses %s, and the choice is announced" % name)
            current = target


class DebugLog:
    """Orca's debug log, through a pseudo-terminal: Orca neither flushes its
    log nor writes it unbuffered, but a file that is a terminal Python writes
    line by line. A thread copies it to a file as it comes, so Orca is never
    held up by a full terminal."""

    def __init__(self, path):
        self.path = path
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)  # the lines as written, no carriage returns
        self.terminal = os.ttyname(self.slave)
        self.thread = threading.Thread(target=self.copy, daemon=True)
        self.thread.start()

    def copy(self):
        with open(self.path, "ab") as out:
            while True:
                try:
                    chunk = os.read(self.master, 65536)
                except OSError:
                    return
                if not chunk:
                    return
                out.write(chunk)
                out.flush()

    def close(self):
        for fd in (self.slave, self.master):
            try:
                os.close(fd)
            except OSError:
                pass


def make_russian_locale(tmp):
    path = os.path.join(tmp, "locale")
    os.mkdir(path)
    subprocess.run(["localedef", "-i", "ru_RU", "-f", "UTF-8", os.path.join(path, "ru_RU.UTF-8")],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
    return path


def other_orcas():
    out = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                         capture_output=True, text=True).stdout
    return out.split()


def run(session, checks, binary):
    procs, tmp = session.procs, session.tmp
    started = time.monotonic()
    # Orca refuses to start beside another of the same user, and must not be
    # asked to replace it: that one is not ours.
    deadline = time.monotonic() + 60
    while other_orcas() and time.monotonic() < deadline:
        time.sleep(1)
    if other_orcas():
        raise RuntimeError("another Orca of this user is running")

    base_env = {k: v for k, v in session.env.items() if k not in ("LANGUAGE", "SPEECHD_ADDRESS")}
    base_env.update(GSETTINGS_BACKEND="memory", LANG="ru_RU.UTF-8", LC_ALL="ru_RU.UTF-8",
                    LOCPATH=make_russian_locale(tmp))
    env = start_accessible_desktop(procs, base_env)
    procs.start("openbox", ["openbox"], env)

    speechd_dir = os.path.join(tmp, "speechd")
    os.mkdir(speechd_dir)
    with open(os.path.join(speechd_dir, "speechd.conf"), "w") as f:
        f.write(SPEECHD_CONF)
    socket = os.path.join(tmp, "speechd.sock")
    procs.start("speech-dispatcher",
                ["speech-dispatcher", "--run-single", "--timeout", "0", "-C", speechd_dir,
                 "-c", "unix_socket", "-S", socket, "-L", tmp], env)

    prefs = os.path.join(tmp, "orca")
    os.mkdir(prefs)
    log = os.path.join(tmp, "orca-debug.log")
    debug_log = DebugLog(log)
    try:
        orca_env = dict(env, SPEECHD_ADDRESS="unix_socket:" + socket)
        orca_proc = procs.start("orca", ["orca", "-u", prefs, "--debug-file", debug_log.terminal],
                                orca_env)
        # Listening before the program appears: its first focus is heard.
        watcher = Orca(log, orca_proc)
        if watcher.wait_for(seconds=30) is None:
            raise RuntimeError("Orca said nothing at its start")

        app_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        program = procs.start("vembrix", [binary], app_env)
        heard = Orca(log, program)
        walk = Walk(checks, heard, env)
        try:
            walk.run()
        finally:
            # The whole transcript, for reading what a user would hear.
            print("--- what Orca said ---")
            for line in heard.spoken:
                print("  " + line)
        checks.check(program.poll() is None, "the program is still running after the walk")
    finally:
        # Orca and the rest are stopped by the session; the terminal is ours.
        procs.stop_all()
        debug_log.close()
        print("walk took %.0f s" % (time.monotonic() - started))


if __name__ == "__main__":
    sys.exit(run_test(__doc__, "vembrix-orca-", WATCHDOG_SECONDS, run))
