"""What the tests that need a real X server share: the run of a test script
(usage, watchdog, a private home and environment, teardown and verdict),
starting processes in sessions of their own and stopping them by process
group, a private Xvfb, a private D-Bus session bus, the desktop worked
through the command-line X clients, the clipboard, a process's resident
memory, and a list of named checks.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WAIT_SECONDS = 15


class Watchdog(Exception):
    pass


def arm_watchdog(seconds):
    """Ends a hung test with Watchdog after the given time."""
    def on_alarm(_signum, _frame):
        raise Watchdog("the test took longer than %d s" % seconds)
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(seconds)


class Processes:
    """What the test starts, each leading a process group of its own."""

    def __init__(self, log_dir):
        self.log_dir = log_dir
        self.started = []

    def start(self, name, argv, env, pass_fds=(), stdin=subprocess.DEVNULL, stdout=None):
        log = open(os.path.join(self.log_dir, name + ".log"), "wb")
        proc = subprocess.Popen(argv, env=env, stdin=stdin, stdout=stdout or log,
                                stderr=subprocess.STDOUT, pass_fds=pass_fds,
                                start_new_session=True)
        log.close()
        self.started.append((name, proc))
        return proc

    def stop(self, proc):
        """Stops one of them early, and forgets it."""
        self.started = [(n, p) for n, p in self.started if p is not proc]
        try:
            os.killpg(proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait(timeout=5)

    def stop_all(self):
        for _name, proc in reversed(self.started):
            try:
                os.killpg(proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for _name, proc in reversed(self.started):
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
            # The group may outlive its leader (the bus launcher's own bus).
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass

    def logs(self):
        out = []
        for name, _proc in self.started:
            path = os.path.join(self.log_dir, name + ".log")
            with open(path, "rb") as f:
                text = f.read().decode("utf-8", "replace")
            out.append("--- %s ---\n%s" % (name, text[-4000:]))
        return "\n".join(out)


def read_line_from(fd, proc, what):
    """A line a child writes to fd, or None once it has exited without one."""
    data = b""
    deadline = time.monotonic() + WAIT_SECONDS
    while b"\n" not in data:
        if time.monotonic() > deadline:
            raise RuntimeError("no answer from " + what)
        ready, _, _ = select.select([fd], [], [], 0.2)
        if ready:
            chunk = os.read(fd, 256)
            if not chunk:
                return None
            data += chunk
        elif proc.poll() is not None:
            return None
    return data.decode().strip()


def start_x_server(procs, env, screen="1280x1024x24"):
    # -noreset: the server writes its display number again at every reset,
    # and the pipe is gone by then.
    for attempt in range(3):
        r, w = os.pipe()
        proc = procs.start("Xvfb-%d" % attempt,
                           ["Xvfb", "-displayfd", str(w), "-noreset", "-nolisten", "tcp",
                            "-screen", "0", screen], env, pass_fds=(w,))
        os.close(w)
        try:
            number = read_line_from(r, proc, "Xvfb")
        finally:
            os.close(r)
        if number:
            return ":" + number
    raise RuntimeError("Xvfb did not start")


def memory_kb(pid):
    """The resident set of a process in kB, whole and in its parts: VmRSS,
    RssAnon (the heap and stacks), RssFile (mapped files) and RssShmem
    (shared memory: the X server's image buffers among it)."""
    wanted = ("VmRSS", "RssAnon", "RssFile", "RssShmem")
    found = {}
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            name, _, value = line.partition(":")
            if name in wanted:
                found[name] = int(value.split()[0])
    return found


class ActiveWindowWatch:
    """The active window as the window manager announces it, followed by one
    long-running xprop, so that a test learns at once when a box takes the
    keyboard without starting a client for every look."""

    def __init__(self, procs, env):
        self.proc = procs.start("xprop-spy", ["xprop", "-root", "-spy", "_NET_ACTIVE_WINDOW"],
                                env, stdout=subprocess.PIPE)
        self.fd = self.proc.stdout.fileno()
        self.pending = b""
        self.window = None
        # xprop says what is active as it starts.
        deadline = time.monotonic() + WAIT_SECONDS
        while not self.read(deadline):
            if time.monotonic() >= deadline:
                raise RuntimeError("xprop did not follow the active window")

    def read(self, deadline):
        """Reads what xprop said until the deadline; returns whether it
        announced anything."""
        ready, _, _ = select.select([self.fd], [], [], max(0, deadline - time.monotonic()))
        if not ready:
            return False
        chunk = os.read(self.fd, 4096)
        if not chunk:
            raise RuntimeError("xprop stopped following the active window")
        self.pending += chunk
        *lines, self.pending = self.pending.split(b"\n")
        announced = False
        for line in lines:
            found = re.search(rb"# (0x[0-9a-f]+)", line)
            if found:
                self.window = int(found.group(1), 16) or None
                announced = True
        return announced

    def changed(self, seconds):
        """Waits up to the given time for the active window to change; returns
        whether it did. The latest is in self.window."""
        deadline = time.monotonic() + max(0, seconds)
        before = self.window
        while self.read(deadline) or time.monotonic() < deadline:
            if self.window != before:
                return True
        return self.window != before

    def wait_for(self, condition, seconds=WAIT_SECONDS):
        """Waits until condition(active window) holds; returns whether it did."""
        deadline = time.monotonic() + seconds
        while not condition(self.window):
            if not self.changed(deadline - time.monotonic()) and time.monotonic() >= deadline:
                return False
        return True


class Clipboard:
    """The desktop's clipboard, owned by xclip for one text at a time, as an
    editor owns what it copied; another text replaces the owner."""

    def __init__(self, procs, env):
        self.procs = procs
        self.env = env
        self.owner = None

    def copy(self, text):
        self.release()
        # -quiet keeps xclip in the foreground, its own process to stop; it
        # says when it owns the clipboard.
        self.owner = self.procs.start("xclip", ["xclip", "-quiet", "-selection", "clipboard"],
                                      self.env, stdin=subprocess.PIPE)
        self.owner.stdin.write(text.encode())
        self.owner.stdin.close()
        log = os.path.join(self.procs.log_dir, "xclip.log")
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            with open(log, "rb") as f:
                if b"Waiting for selection request" in f.read():
                    return
            time.sleep(0.01)
        raise RuntimeError("xclip did not take the clipboard")

    def release(self):
        if self.owner is not None:
            self.procs.stop(self.owner)
            self.owner = None


class Checks:
    def __init__(self):
        self.failures = []

    def check(self, ok, what, detail=""):
        print(("ok   " if ok else "FAIL ") + what + ((": " + detail) if detail and not ok else ""))
        if not ok:
            self.failures.append(what)
        return ok

    def equal(self, actual, expected, what):
        return self.check(actual == expected, what, "got %r, expected %r" % (actual, expected))


# What the calling shell's desktop would otherwise leak into a private one.
CLEARED_VARIABLES = ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                     "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME")


class Session:
    """A private home and runtime directory, the environment that points at
    them, and the processes started for one run."""

    def __init__(self, prefix):
        self.tmp = tempfile.mkdtemp(prefix=prefix)
        self.runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.procs = Processes(self.tmp)
        self.env = {k: v for k, v in os.environ.items() if k not in CLEARED_VARIABLES}
        self.env.update(XDG_RUNTIME_DIR=self.runtime, HOME=self.tmp, LANG="C.UTF-8",
                        LC_ALL="C.UTF-8")


def run_test(usage, prefix, watchdog_seconds, body, binary=None):
    """Runs body(session, checks, binary) for the program named on the command
    line (or given, by a script that reads options of its own) and returns the
    exit status: 0 when every check passed. Whatever the body started is
    stopped, and a failure prints the processes' logs."""
    if binary is None:
        if len(sys.argv) != 2:
            print(usage)
            return 2
        binary = sys.argv[1]
    arm_watchdog(watchdog_seconds)
    binary = os.path.abspath(binary)
    checks = Checks()
    session = Session(prefix)
    try:
        body(session, checks, binary)
    except Watchdog as e:
        checks.check(False, "finished in time", str(e))
    except Exception as e:  # a broken set-up is a failure, reported with the logs
        checks.check(False, "set-up and checks ran through", "%s: %s" % (type(e).__name__, e))
    finally:
        signal.alarm(0)
        session.procs.stop_all()
        if checks.failures:
            print(session.procs.logs())
        shutil.rmtree(session.tmp, ignore_errors=True)
    if checks.failures:
        print("%d check(s) failed" % len(checks.failures))
        return 1
    print("all checks passed")
    return 0


def start_session_bus(procs, env):
    r, w = os.pipe()
    proc = procs.start("dbus-session", ["dbus-daemon", "--session", "--nofork",
                                        "--print-address=%d" % w], env, pass_fds=(w,))
    os.close(w)
    try:
        address = read_line_from(r, proc, "dbus-daemon")
    finally:
        os.close(r)
    if not address:
        raise RuntimeError("dbus-daemon did not start")
    return address


def wait_for_bus_name(address, name):
    from gi.repository import Gio, GLib
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    deadline = time.monotonic() + WAIT_SECONDS
    try:
        while time.monotonic() < deadline:
            reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus", "NameHasOwner",
                                  GLib.Variant("(s)", (name,)), None,
                                  Gio.DBusCallFlags.NONE, 2000, None)
            if reply.unpack()[0]:
                return
            time.sleep(0.1)
    finally:
        bus.close_sync(None)
    raise RuntimeError(name + " did not appear on the session bus")


class Desktop:
    """One X display, worked through the command-line X clients."""

    def __init__(self, env):
        self.env = env

    def run(self, *argv):
        out = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=10)
        return out.stdout if out.returncode == 0 else ""

    def xdotool(self, *commands):
        """Runs a chain of xdotool commands in one client; "type" takes the
        rest of the line, so it can only come last."""
        self.run("xdotool", *[str(c) for c in commands])

    def wait_for(self, condition):
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.1)
        return None

    def visible_window(self, title):
        found = self.run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % title).split()
        return int(found[0]) if found else None

    def prop(self, window, name):
        """xprop's line for the property, or "" where it is not set."""
        out = self.run("xprop", *(["-root"] if window is None else ["-id", str(window)]), name)
        return out if out.startswith(name + "(") else ""

    def atoms(self, window, name):
        line = self.prop(window, name)
        return [a.strip() for a in line.split("=", 1)[1].split(",") if a.strip()] if "=" in line else []

    def windows(self, window, name):
        line = self.prop(window, name)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", line.split(":", 1)[-1])]

    def origin(self, window):
        out = self.run("xwininfo", "-id", str(window))
        x = re.search(r"Absolute upper-left X:\s+(-?\d+)", out)
        y = re.search(r"Absolute upper-left Y:\s+(-?\d+)", out)
        return (int(x.group(1)), int(y.group(1))) if x and y else None

    def frame(self, window):
        """The window's frame as (x, y, width, height): its client area grown
        by the frame extents the manager gives."""
        out = self.run("xwininfo", "-id", str(window))
        found = [re.search(pattern + r":\s+(-?\d+)", out) for pattern in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]
        line = self.prop(window, "_NET_FRAME_EXTENTS")
        if not all(found) or "=" not in line:
            return None
        x, y, w, h = (int(m.group(1)) for m in found)
        left, right, top, bottom = (int(v) for v in line.split("=", 1)[1].split(","))
        return (x - left, y - top, w + left + right, h + top + bottom)

    def frame_origin(self, window):
        frame = self.frame(window)
        return frame[:2] if frame else None

    def click(self, window, place):
        x, y = self.origin(window)
        self.run("xdotool", "mousemove", str(x + place[0]), str(y + place[1]), "click", "1")

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    def type(self, text):
        self.run("xdotool", "type", text)

    def active(self):
        out = self.run("xdotool", "getactivewindow").strip()
        return int(out) if out else None

    def stacking(self):
        return self.windows(None, "_NET_CLIENT_LIST_STACKING")

    def above(self, upper, lower):
        order = self.stacking()
        return upper in order and lower in order and order.index(upper) > order.index(lower)


def start_accessible_desktop(procs, env):
    """A private Xvfb with a D-Bus session bus and the AT-SPI bus on it, as a
    screen reader's desktop has them; returns the environment that reaches
    all three."""
    display = start_x_server(procs, env)
    address = start_session_bus(procs, env)
    env = dict(env, DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=address)
    procs.start("at-spi-bus-launcher",
                ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"], env)
    wait_for_bus_name(address, "org.a11y.Bus")
    return env
