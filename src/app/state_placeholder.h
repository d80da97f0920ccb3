// The first state until the main menu exists: a warm dawn sky over swaying
// grass, the studio logo, and glowing motes drifting upwards.
#pragma once
#include <vector>

#include "app/application.h"

namespace tw {

class c_state_placeholder : public c_state {
public:
    static constexpr int k_disc_wedges = 24;

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;

    uint32_t ticks = 0;  // ticks since entering

private:
    struct mote {
        float x, y;       // UI units
        float speed;      // UI units per tick, upwards
        float phase;      // radians, for the sideways wobble
        float size;       // half size in UI units
    };

    void draw_rect(c_platform& platform, c_material* material, float x0, float y0, float x1,
                   float y1, const c_rgba& top, const c_rgba& bottom);
    void draw_glow(c_platform& platform, float x, float y, float size, const c_rgba& colour);

    c_material* plain_ = nullptr;
    c_material* glow_ = nullptr;
    c_material* logo_ = nullptr;
    c_vertex_buffer_quad quad_{4};
    c_vertex_buffer_quad disc_{k_disc_wedges * 4};
    std::vector<mote> motes_;
};

}  // namespace tw
