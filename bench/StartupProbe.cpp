#include "StartupProbe.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>

namespace glyphwright::bench {

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long PeakRssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    [[nodiscard]] bool Meets(const Rect& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

}  // namespace

StartupSample ProbeStartup(const std::string& program) {
    int screenNumber = 0;
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    xcb_connection_t* c = connection.get();
    if (xcb_connection_has_error(c)) throw std::runtime_error("cannot open the X display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (damage == nullptr || !damage->present) throw std::runtime_error("no Damage extension");
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));

    // Top-level windows appear as children of the root; every drawing on the screen shows up as
    // damage to the root.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_damage_damage_t watch = xcb_generate_id(c);
    xcb_damage_create(c, watch, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // the above is in force

    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        ::close(xcb_get_file_descriptor(c));
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }

    StartupSample sample;
    std::optional<Rect> window;
    const auto deadline = start + std::chrono::seconds(20);
    bool shown = false;
    while (!shown) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (event == nullptr) {
            if (xcb_connection_has_error(c) || Clock::now() > deadline) break;
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            ::poll(&fd, 1, 100);
            continue;
        }
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_MAP_NOTIFY && !window) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect) {
                sample.mappedMs = MsSince(start);
                auto* geometry =
                    xcb_get_geometry_reply(c, xcb_get_geometry(c, map->window), nullptr);
                if (geometry != nullptr) {
                    window = Rect{geometry->x, geometry->y, geometry->width, geometry->height};
                    free(geometry);
                }
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && window) {
            const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            const Rect area{notify->area.x, notify->area.y, notify->area.width,
                            notify->area.height};
            if (area.Meets(*window)) {
                sample.shownMs = MsSince(start);
                sample.peakRssKb = PeakRssKb(child);
                shown = true;
            }
        }
        free(event);
    }
    xcb_damage_destroy(c, watch);
    xcb_flush(c);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (!shown) throw std::runtime_error(program + " showed no window within 20 s");
    return sample;
}

}  // namespace glyphwright::bench
