"""What the tests that need a real X server share: the run of a test script
(usage, watchdog, a private home and environment, teardown and verdict),
starting processes in sessions of their own and stopping them by process
group, a private Xvfb, a private D-Bus session bus, and a list of named checks.
"""

import os
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

    def start(self, name, argv, env, pass_fds=()):
        log = open(os.path.join(self.log_dir, name + ".log"), "wb")
        proc = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=log,
                                stderr=subprocess.STDOUT, pass_fds=pass_fds,
                                start_new_session=True)
        log.close()
        self.started.append((name, proc))
        return proc

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


def run_test(usage, prefix, watchdog_seconds, body):
    """Runs body(session, checks, binary) for the program named on the command
    line and returns the exit status: 0 when every check passed. Whatever the
    body started is stopped, and a failure prints the processes' logs."""
    if len(sys.argv) != 2:
        print(usage)
        return 2
    arm_watchdog(watchdog_seconds)
    binary = os.path.abspath(sys.argv[1])
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
