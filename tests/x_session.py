"""What the tests that need a real X server share: starting processes in
sessions of their own and stopping them by process group, a private Xvfb,
the desktop worked through the command-line X clients, the clipboard, a
process's resident memory, and a list of named checks.
"""

import os
import re
import select
import signal
import subprocess
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


def start_x_server(procs, env):
    # -noreset: the server writes its display number again at every reset,
    # and the pipe is gone by then.
    for attempt in range(3):
        r, w = os.pipe()
        proc = procs.start("Xvfb-%d" % attempt,
                           ["Xvfb", "-displayfd", str(w), "-noreset", "-nolisten", "tcp",
                            "-screen", "0", "1280x1024x24"], env, pass_fds=(w,))
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
