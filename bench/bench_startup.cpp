// Start-up cost of the usage messages: times c_application::start and stop on a
// headless platform with the collector and event endpoint refused, silent
// (accepting but never answering) and working, and with the built-in endpoints.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "bench_timing.h"
#include "net/loopback_server.h"
#include "net/usage_messages.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace {

constexpr int k_default_repetitions = 3;
constexpr int k_saved_events = 5;  // event messages waiting in "data.xml" at start
constexpr int k_server_life_ms = 60000;
using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

// A headless window whose timer runs in real time, so the flush limits apply
// as they do in the game.
class c_window_real_time : public tw::c_window_headless {
public:
    double time() override {
        return std::chrono::duration<double>(bench_clock::now() - start_).count();
    }

private:
    bench_clock::time_point start_ = bench_clock::now();
};

struct c_run_times {
    double start_ms = 0;
    double stop_ms = 0;
};

// One run in a fresh save folder: a first run (sending nothing) leaves the
// saved events behind, then the measured run starts and stops. An empty host
// keeps the endpoints the build gave.
c_run_times measure(const std::string& host, int saved_events) {
    char pattern[] = "/tmp/tw_bench_startup_XXXXXX";
    const std::string folder = mkdtemp(pattern);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    c_window_real_time window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.set_receiver(&platform);
    window.init();
    window.open_fullscreen(1920, 1080);
    platform.update_screen_size(1920, 1080);
    auto make_app = [&host] {
        auto app = std::make_unique<tw::c_application>();
        app->make_state = [](uint16_t) { return nullptr; };
        if (!host.empty()) {
            app->data.persistent.endpoints.event_host = host;
            app->data.persistent.endpoints.collector_host = host;
        }
        return app;
    };
    if (saved_events > 0) {
        auto first = make_app();
        first->send_message = {};  // keep everything for the measured run
        first->start(platform);
        for (int i = 0; i < saved_events; ++i)
            tw::queue_event(first->data.persistent, "start_menu", 0, "");
        first->stop(platform);
    }
    c_run_times times;
    auto app = make_app();
    auto t0 = bench_clock::now();
    app->start(platform);
    times.start_ms = ms_since(t0);
    t0 = bench_clock::now();
    app->stop(platform);
    times.stop_ms = ms_since(t0);
    app.reset();
    std::filesystem::remove_all(folder);
    return times;
}

void report(const char* name, const std::string& host, int saved_events, int repetitions) {
    std::vector<double> starts, stops;
    for (int i = 0; i < repetitions; ++i) {
        const c_run_times t = measure(host, saved_events);
        starts.push_back(t.start_ms);
        stops.push_back(t.stop_ms);
    }
    std::printf("%-34s saved events %d   start %8.1f ms   stop %8.1f ms   (median of %d)\n", name,
                saved_events, median(starts), median(stops), repetitions);
    std::fflush(stdout);
}

tw::c_loopback_options server_options(tw::c_loopback_options::e_mode mode) {
    tw::c_loopback_options options;
    options.mode = mode;
    options.max_connections = 1000;
    options.time_limit_ms = k_server_life_ms;
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : k_default_repetitions;
    // The loading screen's textures are read from the working folder; run from
    // the content folder to include them (without them only the upload is skipped).
    if (argc > 2 && chdir(argv[2]) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", argv[2]);
        return 1;
    }
    std::printf("c_application::start/stop with usage messages; event endpoint %s, collector %s\n",
                TW_EVENT_HOST, TW_COLLECTOR_HOST);
    const std::string refused = "127.0.0.1:" + std::to_string(tw::refused_port());
    for (int saved : {0, k_saved_events}) report("refused (nothing listening)", refused, saved, repetitions);
    {
        tw::c_loopback_server silent(server_options(tw::c_loopback_options::k_hold));
        for (int saved : {0, k_saved_events})
            report("silent server (never answers)", silent.host(), saved, repetitions);
    }
    {
        tw::c_loopback_server working(server_options(tw::c_loopback_options::k_answer));
        for (int saved : {0, k_saved_events})
            report("working server", working.host(), saved, repetitions);
    }
    for (int saved : {0, k_saved_events}) report("built-in endpoints", "", saved, repetitions);
    return 0;
}
