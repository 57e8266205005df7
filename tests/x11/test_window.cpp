// A plain X window for the X11 host's tests: prints its id, then obeys
// "resize W H" and "destroy" read from standard input.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || argc < 5) return 1;
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const unsigned width = std::strtoul(argv[3], nullptr, 10),
                   height = std::strtoul(argv[4], nullptr, 10);
    const int screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, width, height,
                                        0, 0, BlackPixel(display, screen));
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("window %lu\n", window);
    std::fflush(stdout);
    char line[64];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        unsigned w = 0, h = 0;
        if (std::sscanf(line, "resize %u %u", &w, &h) == 2) {
            XResizeWindow(display, window, w, h);
        } else if (std::string(line).rfind("destroy", 0) == 0) {
            XDestroyWindow(display, window);
        }
        XSync(display, False);
        std::printf("done\n");
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
