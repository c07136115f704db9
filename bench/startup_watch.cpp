// Times the start of a program up to the moment its main window is mapped, without polling:
// it listens for the X server's map notifications on the root window, starts the program,
// and stops the clock when a top-level window of the class "clavenor" at least 600 pixels
// wide appears. Built and run by bench/main-window.sh.
//
// Usage: startup_watch <program> [runs]     (prints one time in ms per run)

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool IsMainWindow(Display* display, Window window) {
    XClassHint hint{};
    bool ours = false;
    if (XGetClassHint(display, window, &hint)) {
        ours = hint.res_name && std::strcmp(hint.res_name, "clavenor") == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    XWindowAttributes attributes{};
    return ours && XGetWindowAttributes(display, window, &attributes) && attributes.width >= 600;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_watch <program> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 1;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execl(argv[1], argv[1], static_cast<char*>(nullptr));
            _exit(127);
        }
        for (;;) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && IsMainWindow(display, event.xmap.window))
                break;
        }
        const auto shown = std::chrono::steady_clock::now();
        std::printf(
            "%lld\n",
            static_cast<long long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(shown - start).count()));
        std::fflush(stdout);
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        XSync(display, True); // drop what the ended program's windows left behind
    }
    XCloseDisplay(display);
    return 0;
}
