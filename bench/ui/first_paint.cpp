// Cold start of pemu to its first painted window, seen from outside as a user sees it:
// the time from starting the process until the display's background colour shows on the
// screen inside a window titled "Pemu". Runs each start with a fresh data folder.
// Usage: pemu-first-paint <pemu> <runs> <lcd colour as RRGGBB>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A point inside the digit panel of the face, clear of the digits.
constexpr int kPanelX = 60;
constexpr int kPanelY = 60;
constexpr int kClientHeight = 400;

Window FindPemu(Display* display, Window parent) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes a;
        if (XFetchName(display, children[i], &name) && name && std::strcmp(name, "Pemu") == 0 &&
            XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
            a.height >= kClientHeight) {
            found = children[i];
        }
        if (name) XFree(name);
        if (!found) found = FindPemu(display, children[i]);
    }
    if (children) XFree(children);
    return found;
}

// The screen pixel at the panel point of the window, or -1.
long PanelPixel(Display* display, Window window) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a)) return -1;
    int x = 0, y = 0;
    Window child = 0;
    const Window root = DefaultRootWindow(display);
    XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
    const int clientTop = y + a.height - kClientHeight;
    XImage* image =
        XGetImage(display, root, x + kPanelX, clientTop + kPanelY, 1, 1, AllPlanes, ZPixmap);
    if (!image) return -1;
    const long pixel = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

double OneStart(Display* display, const char* pemu, long lcd, const std::string& root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/run");
    setenv("PEMU_DATA_ROOT", (root + "/data").c_str(), 1);
    setenv("PEMU_RUNTIME_DIR", (root + "/run").c_str(), 1);
    char* argv[] = {const_cast<char*>(pemu), nullptr};
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, pemu, nullptr, nullptr, argv, environ) != 0) return -1;
    double ms = -1;
    while (Clock::now() - start < std::chrono::seconds(10)) {
        const Window w = FindPemu(display, DefaultRootWindow(display));
        if (w && PanelPixel(display, w) == lcd) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        usleep(200);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <pemu> <runs> <lcd colour RRGGBB>\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[2]);
    const long lcd = std::strtol(argv[3], nullptr, 16);
    Display* display = XOpenDisplay(nullptr);
    if (!display || runs < 1) {
        std::fprintf(stderr, "%s: no X display or no runs\n", argv[0]);
        return 2;
    }
    const std::string root =
        std::filesystem::temp_directory_path() / ("pemu-first-paint-" + std::to_string(getpid()));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = OneStart(display, argv[1], lcd, root);
        if (ms < 0) {
            std::fprintf(stderr, "%s: start %d showed no painted window\n", argv[0], i + 1);
            return 1;
        }
        times.push_back(ms);
    }
    std::filesystem::remove_all(root);
    std::sort(times.begin(), times.end());
    std::printf(
        "cold start to first painted window: median %.1f ms, min %.1f ms, max %.1f ms "
        "(%d starts)\n",
        times[times.size() / 2], times.front(), times.back(), runs);
    XCloseDisplay(display);
    return 0;
}
