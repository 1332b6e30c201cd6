// Starts a program and reports how long it took until its first top-level
// window was mapped on the X server, and optionally its resident memory a
// fixed time after the start.
//
//   map_timer [--rss-after-ms N] [--timeout-ms N] -- PROGRAM [ARGS...]
//
// prints one line:  map_ms=123.456 cpu_ms=98.765 rss_kb=45678 size=682x588
// (cpu_ms: the program's CPU time when its window was mapped; rss_kb=0
// without --rss-after-ms), then ends the program.
//
// The root window's SubstructureNotify is selected and the selection made
// effective (XSync) before the fork, so the MapNotify cannot be missed however
// fast the program is. The clock starts just before the fork; fork + exec of a
// small process costs well under a millisecond. Without a window manager the
// program's top-level windows are direct children of the root, and a window
// belongs to the program when its _NET_WM_PID names the child. Override-
// redirect windows (tool tips, menus) are not top-level windows and are
// skipped.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A window may be destroyed between its MapNotify and our look at it; that
// BadWindow must not end the measurement.
int ignoreXError(Display *, XErrorEvent *) { return 0; }

std::optional<long> windowPid(Display *dpy, Window w, Atom netWmPid) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char *data = nullptr;
  const int status = XGetWindowProperty(dpy, w, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                                        &count, &after, &data);
  std::optional<long> pid;
  if (status == Success && data && format == 32 && count == 1)
    pid = *reinterpret_cast<long *>(data);  // format 32 is delivered as long
  if (data) XFree(data);
  return pid;
}

// CPU time the process has used so far, all its threads, from the
// scheduler's nanosecond accounting. Unlike the wall time it hardly depends
// on what else the machine is doing, which makes it the steadier figure for
// finding where the start-up goes.
double cpuMs(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  double ns = 0;
  if (DIR *dir = opendir(tasks.c_str())) {
    while (const dirent *entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
      double runNs = 0;
      if (schedstat >> runNs) ns += runNs;
    }
    closedir(dir);
  }
  return ns / 1e6;
}

long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

void endChild(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(10'000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

int usage() {
  std::fputs("usage: map_timer [--rss-after-ms N] [--timeout-ms N] -- PROGRAM [ARGS...]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  long rssAfterMs = -1;
  long timeoutMs = 30'000;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (i + 1 >= argc) return usage();
    if (arg == "--rss-after-ms")
      rssAfterMs = std::strtol(argv[++i], nullptr, 10);
    else if (arg == "--timeout-ms")
      timeoutMs = std::strtol(argv[++i], nullptr, 10);
    else
      return usage();
  }
  if (i >= argc) return usage();
  char **program = argv + i;

  Display *dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fputs("map_timer: cannot open the display (DISPLAY unset?)\n", stderr);
    return 2;
  }
  // The program must not inherit our connection to the server.
  fcntl(ConnectionNumber(dpy), F_SETFD, FD_CLOEXEC);
  XSetErrorHandler(ignoreXError);
  const Atom netWmPid = XInternAtom(dpy, "_NET_WM_PID", False);
  const Window root = DefaultRootWindow(dpy);
  XSelectInput(dpy, root, SubstructureNotifyMask);
  XSync(dpy, False);

  const double start = nowMs();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("map_timer: fork");
    return 2;
  }
  if (child == 0) {
    execvp(program[0], program);
    std::fprintf(stderr, "map_timer: cannot run %s: %s\n", program[0], std::strerror(errno));
    _exit(127);
  }

  double mappedAt = -1;
  double cpuAtMap = 0;
  int width = 0, height = 0;
  while (mappedAt < 0) {
    while (XPending(dpy) > 0) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (ev.type != MapNotify || ev.xmap.event != root || ev.xmap.override_redirect) continue;
      const double at = nowMs();
      if (windowPid(dpy, ev.xmap.window, netWmPid) != child) continue;
      mappedAt = at;
      cpuAtMap = cpuMs(child);
      XWindowAttributes attrs{};
      if (XGetWindowAttributes(dpy, ev.xmap.window, &attrs)) {
        width = attrs.width;
        height = attrs.height;
      }
      break;
    }
    if (mappedAt >= 0) break;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "map_timer: %s ended before mapping a window\n", program[0]);
      return 1;
    }
    const double left = start + static_cast<double>(timeoutMs) - nowMs();
    if (left <= 0) {
      std::fprintf(stderr, "map_timer: no window of %s mapped within %ld ms\n", program[0],
                   timeoutMs);
      endChild(child);
      return 1;
    }
    // Wake for the next event, or now and then to notice a child that died.
    pollfd pfd{ConnectionNumber(dpy), POLLIN, 0};
    poll(&pfd, 1, left < 50 ? static_cast<int>(left) + 1 : 50);
  }

  long rss = 0;
  if (rssAfterMs >= 0) {
    const double wait = start + static_cast<double>(rssAfterMs) - nowMs();
    if (wait > 0) usleep(static_cast<useconds_t>(wait * 1000));
    rss = residentKb(child);
  }
  endChild(child);
  XCloseDisplay(dpy);

  std::printf("map_ms=%.3f cpu_ms=%.3f rss_kb=%ld size=%dx%d\n", mappedAt - start, cpuAtMap, rss,
              width, height);
  return 0;
}
