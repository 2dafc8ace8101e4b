// Starts a program and waits, on the X display of $DISPLAY, for its first
// top-level window to be mapped (MapNotify on the root window; the window
// carries the program's _NET_WM_PID or the given caption). At that moment it
// stops the program and reads its peak resident memory, then kills it.
// Prints "<milliseconds from spawn to map> <VmHWM kB> <VmRSS kB>".
//
//   startup_probe CAPTION PROGRAM [ARGUMENTS...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

extern char** environ;

namespace {

// A window property as bytes (8-bit) or as one 32-bit value.
std::string textProperty(Display* dpy, Window w, Atom property, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(dpy, w, property, 0, 1024, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (format == 8)
            text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return text;
}

long pidProperty(Display* dpy, Window w, Atom property)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, property, 0, 1, False, XA_CARDINAL, &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (format == 32 && count == 1)
            pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

long statusKilobytes(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
            return std::stol(line.substr(n + 1));
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe CAPTION PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const std::string caption = argv[1];
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "startup_probe: cannot open display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(dpy);
    const Atom netWmName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom netWmPid = XInternAtom(dpy, "_NET_WM_PID", False);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", argv[2]);
        return 2;
    }

    const int fd = ConnectionNumber(dpy);
    bool mapped = false;
    while (!mapped) {
        if (XPending(dpy) == 0) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval timeout{30, 0};
            if (select(fd + 1, &fds, nullptr, nullptr, &timeout) <= 0)
                break;
            continue;
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type != MapNotify || event.xmap.override_redirect)
            continue;
        const Window w = event.xmap.window;
        mapped = pidProperty(dpy, w, netWmPid) == pid || textProperty(dpy, w, netWmName, utf8) == caption;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    kill(pid, SIGSTOP);
    const long hwm = statusKilobytes(pid, "VmHWM");
    const long rss = statusKilobytes(pid, "VmRSS");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(dpy);
    if (!mapped) {
        std::fprintf(stderr, "startup_probe: no window of %s within 30 s\n", argv[2]);
        return 1;
    }
    std::printf("%.2f %ld %ld\n", ms, hwm, rss);
    return 0;
}
