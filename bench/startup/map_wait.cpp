// Starts a program and reports the milliseconds until the X server maps its top-level window of
// the given name. It watches the server's own map events on one connection (SubstructureNotify on
// the root window), so it loads neither the server nor the cores while it waits.
// Usage: bench_map_wait NAME PROGRAM [ARGUMENTS...]   prints: <ms> <pid>; the program keeps running.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {
std::string windowName(xcb_connection_t *c, xcb_window_t w)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
    if (!reply) return {};
    const std::string name(static_cast<const char *>(xcb_get_property_value(reply)),
                           size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
}
}

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: bench_map_wait NAME PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("bench_map_wait: no X display\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Its output would keep a caller's $(...) waiting for as long as the program runs.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t *>(event)->window : 0;
        std::free(event);
        if (mapped && windowName(c, window) == argv[1]) {
            const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
            std::printf("%.1f %d\n", ms.count(), int(pid));
            xcb_disconnect(c);
            return 0;
        }
    }
    std::fputs("bench_map_wait: the display went away\n", stderr);
    return 1;
}
