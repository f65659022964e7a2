// A small X client for timing windows on a private Xvfb display, where no
// window manager reparents anything and top-level windows are children of
// the root window.
//
//   selenara_xprobe paint [--name TITLE] [--keep] [--timeout S] -- PROGRAM ARGS...
//       Starts PROGRAM and prints, in ms since just before the start, when
//       its window (the one titled TITLE, or any) was mapped and when it was
//       first drawn into; then ends it with SIGTERM, or with --keep waits
//       for it to end (someone else ends it).
//   selenara_xprobe tray
//       Owns the system tray selection and embeds the icons offered to it,
//       until ended, so that programs find a tray.
//   selenara_xprobe close TITLE
//       Asks the window to close, as a window manager's close button does.
//   selenara_xprobe state TITLE
//       Prints "viewable", "unmapped" or "none".
//
// Drawing is seen through the DAMAGE extension: the measured program needs
// no change, no preloaded library and no polling.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A window can be gone between its event and our request about it.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

Display* Open() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "selenara_xprobe: cannot open display %s\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)");
        std::exit(2);
    }
    XSetErrorHandler(IgnoreErrors);
    // Not handed on to the programs we start.
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    return display;
}

std::string WindowName(Display* display, Window window) {
    static const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    for (const Atom property : {netName, static_cast<Atom>(XA_WM_NAME)}) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display, window, property, 0, 1024, False,
                                              AnyPropertyType, &type, &format, &count, &after, &data);
        if (status != Success || !data) continue;
        std::string name(reinterpret_cast<const char*>(data), format == 8 ? count : 0);
        XFree(data);
        if (!name.empty()) return name;
    }
    return {};
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Depth first below `parent`; 0 when there is none.
Window FindByName(Display* display, Window parent, const std::string& name) {
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        if (WindowName(display, children[i]) == name) found = children[i];
    for (unsigned int i = 0; i < count && !found; ++i) found = FindByName(display, children[i], name);
    if (children) XFree(children);
    return found;
}

void EndChild(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int Paint(int argc, char** argv) {
    std::string name;
    bool keep = false;
    double timeoutS = 30;
    int i = 0;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--name") && i + 1 < argc) name = argv[++i];
        else if (!std::strcmp(argv[i], "--keep")) keep = true;
        else if (!std::strcmp(argv[i], "--timeout") && i + 1 < argc) timeoutS = std::atof(argv[++i]);
        else {
            std::fprintf(stderr, "selenara_xprobe paint: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    char** command = argv + i + 1;
    if (i >= argc || !*command) {
        std::fprintf(stderr, "selenara_xprobe paint: no program after --\n");
        return 2;
    }

    Display* display = Open();
    int damageEvent = 0, damageError = 0, major = 1, minor = 1;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XDamageQueryVersion(display, &major, &minor)) {
        std::fprintf(stderr, "selenara_xprobe: the display has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto matches = [&](Window window) { return name.empty() || WindowName(display, window) == name; };

    const double start = NowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 2;
    }
    if (pid == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }

    double mapped = -1, painted = -1;
    while (painted < 0) {
        while (painted < 0 && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const double t = NowMs() - start;
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                // Watched from its creation: its first drawing may follow the map at once.
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && mapped < 0 && matches(event.xmap.window)) {
                mapped = t;
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                if (matches(damage.drawable) && Viewable(display, damage.drawable)) {
                    painted = t;
                    if (mapped < 0) mapped = t;
                } else {
                    XDamageSubtract(display, damage.damage, None, None);
                }
            }
        }
        if (painted >= 0) break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "selenara_xprobe: %s ended (status %d) before drawing its window\n",
                         command[0], status);
            return 1;
        }
        if (NowMs() - start > timeoutS * 1e3) {
            std::fprintf(stderr, "selenara_xprobe: no window drawn within %.0f s\n", timeoutS);
            EndChild(pid);
            return 1;
        }
        // Short enough to notice a program that ends early; events wake us at once.
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 20);
    }
    std::printf("pid=%d start=%.3f mapped_ms=%.2f painted_ms=%.2f\n", static_cast<int>(pid), start,
                mapped, painted);
    std::fflush(stdout);
    XCloseDisplay(display);
    if (keep) {
        waitpid(pid, nullptr, 0);
    } else {
        EndChild(pid);
    }
    return 0;
}

int Tray() {
    Display* display = Open();
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const std::string selectionName = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const Atom selection = XInternAtom(display, selectionName.c_str(), False);
    const Atom opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    const Atom manager = XInternAtom(display, "MANAGER", False);
    const Atom xembed = XInternAtom(display, "_XEMBED", False);
    const Atom orientation = XInternAtom(display, "_NET_SYSTEM_TRAY_ORIENTATION", False);

    const Window tray = XCreateSimpleWindow(display, root, 0, 0, 240, 24, 0, BlackPixel(display, screen),
                                            BlackPixel(display, screen));
    const long horizontal = 0;
    XChangeProperty(display, tray, orientation, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&horizontal), 1);
    XMapWindow(display, tray);
    XSetSelectionOwner(display, selection, tray, CurrentTime);
    if (XGetSelectionOwner(display, selection) != tray) {
        std::fprintf(stderr, "selenara_xprobe: another tray owns %s\n", selectionName.c_str());
        return 1;
    }
    // Programs started before us learn of the tray from this.
    XEvent announce{};
    announce.xclient.type = ClientMessage;
    announce.xclient.window = root;
    announce.xclient.message_type = manager;
    announce.xclient.format = 32;
    announce.xclient.data.l[0] = CurrentTime;
    announce.xclient.data.l[1] = static_cast<long>(selection);
    announce.xclient.data.l[2] = static_cast<long>(tray);
    XSendEvent(display, root, False, StructureNotifyMask, &announce);
    XSync(display, False);
    std::printf("tray ready\n");
    std::fflush(stdout);

    constexpr long RequestDock = 0, EmbeddedNotify = 0;
    int docked = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != opcode ||
            event.xclient.data.l[1] != RequestDock)
            continue;
        const auto icon = static_cast<Window>(event.xclient.data.l[2]);
        XReparentWindow(display, icon, tray, 24 * (docked++ % 10), 0);
        XResizeWindow(display, icon, 24, 24);
        XEvent notify{};
        notify.xclient.type = ClientMessage;
        notify.xclient.window = icon;
        notify.xclient.message_type = xembed;
        notify.xclient.format = 32;
        notify.xclient.data.l[0] = CurrentTime;
        notify.xclient.data.l[1] = EmbeddedNotify;
        notify.xclient.data.l[3] = static_cast<long>(tray);
        XSendEvent(display, icon, False, NoEventMask, &notify);
        XMapWindow(display, icon);
        XFlush(display);
    }
}

int Close(const std::string& name) {
    Display* display = Open();
    const Window window = FindByName(display, DefaultRootWindow(display), name);
    if (!window) {
        std::fprintf(stderr, "selenara_xprobe: no window named \"%s\"\n", name.c_str());
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}

int State(const std::string& name) {
    Display* display = Open();
    const Window window = FindByName(display, DefaultRootWindow(display), name);
    std::printf("%s\n", !window ? "none" : Viewable(display, window) ? "viewable" : "unmapped");
    XCloseDisplay(display);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "paint") return Paint(argc - 2, argv + 2);
    if (command == "tray" && argc == 2) return Tray();
    if (command == "close" && argc == 3) return Close(argv[2]);
    if (command == "state" && argc == 3) return State(argv[2]);
    std::fprintf(stderr,
                 "usage: selenara_xprobe paint [--name TITLE] [--keep] [--timeout S] -- PROGRAM ARGS...\n"
                 "       selenara_xprobe tray | close TITLE | state TITLE\n");
    return 2;
}
