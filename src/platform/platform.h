// The platform object: the one receiver of window callbacks, the per-frame input
// record, the texture and material cache with its loading queue, drawing and views.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/render_device.h"
#include "platform/texture.h"
#include "platform/vertex_buffer.h"
#include "platform/window.h"

namespace tw {

struct c_image;

class i_sound_device;

// What the states share of the platform: screen, last delivered mouse, tick
// clock and the four texture and material lists (each in insertion order).
template <class T, class M>
class i_platform {
public:
    virtual ~i_platform() = default;

    // Screen size record; 0 until the first frame, afterwards each at least 1.
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t short_side = 0;
    uint16_t long_side = 0;

    // Last delivered mouse state: window pixels, origin top-left, y downwards.
    uint16_t mouse_x = 0;
    uint16_t mouse_y = 0;
    uint8_t mouse_button = 0;  // 1 = left button down

    uint32_t last_ticks = 0;  // tick count of the last update

    std::list<std::unique_ptr<T>> loaded_textures;
    std::list<std::unique_ptr<T>> queued_textures;
    std::list<std::unique_ptr<M>> loaded_materials;
    std::list<std::unique_ptr<M>> queued_materials;
};

// A mouse event for the state: kind 0 press, 1 drag, 2 release. dx, dy are
// 16-bit two's-complement movements since the last delivery (read as signed).
struct c_mouse_event {
    uint16_t kind = 0;
    uint16_t dx = 0;
    uint16_t dy = 0;
};

// A key press with the state of Alt at the moment it arrived.
struct c_key_press {
    int key = 0;
    bool alt = false;
};

constexpr uint16_t k_mouse_press = 0;
constexpr uint16_t k_mouse_drag = 1;
constexpr uint16_t k_mouse_release = 2;

class c_platform : public i_glfw_callback, public i_platform<c_texture, c_material> {
public:
    // The window and device must outlive the platform.
    c_platform(i_window& window, i_render_device& device);
    ~c_platform() override;
    c_platform(const c_platform&) = delete;
    c_platform& operator=(const c_platform&) = delete;

    i_window& window() { return window_; }
    i_render_device& device() { return device_; }

    // --- Window callbacks (arrive inside the buffer swap) ---
    void on_key(int key, int action) override;
    void on_character(int code, int action) override;
    void on_mouse_button(int button, int action) override;
    void on_mouse_position(int x, int y) override;
    void on_focus(bool focused) override;

    // --- Per-frame input ---
    // Stores the clamped window size; true if width or height changed.
    bool update_screen_size(int width, int height);
    // Compares the current mouse with the last delivered state; at most one event.
    bool take_mouse_event(c_mouse_event& out);
    // Oldest queued character, one per frame.
    bool take_character(uint16_t& out);
    // The keys pressed since the last call, oldest first (presses only, no repeats).
    std::vector<int> take_key_presses();
    // The same presses with the Alt state each arrived with.
    std::vector<c_key_press> take_key_chords();
    // Discards the frame's raw key events.
    void clear_key_events() { key_events_.clear(); }
    // The last delivered mouse position in the UI view (half extent 1024 on the
    // shorter side, y upwards).
    vec2 screen_to_view() const;
    // Framebuffer pixels per cursor unit on each axis (the frame loop sets it
    // from the window each frame); pointer positions are scaled by it on
    // arrival, so the pointer, the viewport and the screen size share one unit.
    void set_pointer_scale(float x, float y);
    // Whether the window has the keyboard focus; true until told otherwise.
    bool focused() const { return focused_; }
    // True once after the focus changed; focused() tells which way.
    bool take_focus_change();
    // Milliseconds of the window timer, truncated; 0 if the library is not initialised.
    uint32_t now_ms();
    // Tick count (60 Hz) of the timer: (ms * 60) / 1000 in unsigned 32-bit arithmetic.
    uint32_t now_ticks();

    // --- Textures and materials ---
    // The shared material for a texture file and blend mode; never touches the disk.
    c_material* get_material(const std::string& file_name, bool additive);
    // Reads "textures/" + file name and uploads it; on failure reports it and leaves name 0.
    void load(c_texture& texture);
    // Reads and decodes "textures/" + file name without uploading it; false if unreadable.
    bool read_texture_image(const std::string& file_name, c_image& image) const;
    // Reads only the bitmap headers of "textures/" + file name.
    bool read_bitmap_size(const std::string& file_name, uint16_t& width, uint16_t& height);
    // Deletes every material and texture, loaded and queued, with their device textures.
    void release_all();
    size_t queued_texture_count() const { return queued_textures.size(); }
    size_t loaded_texture_count() const { return loaded_textures.size(); }
    size_t queued_material_count() const { return queued_materials.size(); }
    // Loads the oldest queued texture, else moves the oldest queued material;
    // false if nothing was queued.
    bool load_next_queued();

    // --- Drawing ---
    // Binds the material's texture (0 if none) and sets its blend function.
    void bind_material(const c_material* material);
    void set_vertex_buffer(const c_vertex_buffer_quad* buffer) { vertex_buffer_ = buffer; }
    // Draws the first `count` vertices of the current buffer under the transform.
    void draw_quads(const c_transform& transform, int count);
    // Binds the quad's material and draws its four vertices under the transform;
    // the platform keeps no pointer to the quad afterwards.
    void draw_quad(const c_quad& quad, const c_transform& transform);
    // Draws `count` vertices (four per quad) from caller-owned arrays under the
    // transform; for batches larger than a quad buffer holds, such as text.
    void draw_arrays(const c_transform& transform, const vec3* positions, const vec2* uvs,
                     const c_rgba* colours, int count);
    // A rectangle centred on the origin with half sizes (a, b), the given
    // texture window and opaque white colours; the material is stored with it.
    void set_rect(c_quad& quad, c_material* material, float a, float b, float left_u,
                  float right_u, float top_v, float bottom_v);

    // --- Views ---
    // Shows world x from camera x + left to camera x + right, y from camera y +
    // bottom to camera y + top; world z from -96 to 128 is visible.
    void set_view(int16_t left, int16_t right, int16_t top, int16_t bottom, float camera_x,
                  float camera_y);
    // The shorter window side spans 2a world units.
    void set_view_short(float a, float camera_x, float camera_y);
    // The longer window side spans 2a world units.
    void set_view_long(float a, float camera_x, float camera_y);

    // --- Sound ---
    // The sound engine; null when none could be created (all sound is skipped).
    std::shared_ptr<i_sound_device> sound_engine;
    // Makes the engine once the window is open; unset means a silent game.
    std::function<std::shared_ptr<i_sound_device>()> sound_engine_factory;

private:
    struct key_event {
        int32_t key;
        int32_t action;
        bool alt;
    };

    i_window& window_;
    i_render_device& device_;
    std::vector<key_event> key_events_;
    std::deque<uint16_t> characters_;
    uint16_t current_x_ = 0;
    uint16_t current_y_ = 0;
    float pointer_scale_x_ = 1.0f;
    float pointer_scale_y_ = 1.0f;
    bool left_alt_ = false;
    bool right_alt_ = false;
    bool focused_ = true;
    bool focus_changed_ = false;
    // Button states not yet delivered, oldest first: a press and its release
    // inside one frame arrive in two frames instead of cancelling out.
    std::deque<uint8_t> pending_buttons_;
    const c_vertex_buffer_quad* vertex_buffer_ = nullptr;
};

}  // namespace tw
