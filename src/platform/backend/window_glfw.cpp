// GLFW 3 window, callbacks forwarded to the one receiver, key mapping and frame pacing.
#include "platform/backend/window_glfw.h"

#include <GL/freeglut.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace tw {

namespace {

i_glfw_callback* g_receiver = nullptr;
double g_wheel = 0.0;  // the wheel is reported as an absolute position

struct key_pair {
    int glfw;
    int game;
};

// The game numbers special keys from 256 on, in this order.
constexpr key_pair k_special_keys[] = {
    {GLFW_KEY_ESCAPE, k_key_esc},     {GLFW_KEY_UP, 283},           {GLFW_KEY_DOWN, 284},
    {GLFW_KEY_LEFT, 285},       {GLFW_KEY_RIGHT, 286},        {GLFW_KEY_LEFT_SHIFT, 287},
    {GLFW_KEY_RIGHT_SHIFT, 288}, {GLFW_KEY_LEFT_CONTROL, 289}, {GLFW_KEY_RIGHT_CONTROL, 290},
    {GLFW_KEY_LEFT_ALT, 291},   {GLFW_KEY_RIGHT_ALT, 292},    {GLFW_KEY_TAB, 293},
    {GLFW_KEY_ENTER, k_key_enter},      {GLFW_KEY_BACKSPACE, k_key_backspace},
    {GLFW_KEY_INSERT, 296},     {GLFW_KEY_DELETE, k_key_del}, {GLFW_KEY_PAGE_UP, 298},
    {GLFW_KEY_PAGE_DOWN, 299},  {GLFW_KEY_HOME, 300},         {GLFW_KEY_END, 301},
    {GLFW_KEY_KP_SUBTRACT, k_key_kp_subtract}, {GLFW_KEY_KP_ADD, k_key_kp_add},
};

constexpr int k_game_f1 = k_key_f1;

int game_key_to_glfw(int key) {
    if (key >= k_game_f1 && key < k_game_f1 + 25) return GLFW_KEY_F1 + (key - k_game_f1);
    for (const key_pair& p : k_special_keys)
        if (p.game == key) return p.glfw;
    return key < 256 ? key : GLFW_KEY_UNKNOWN;
}

void on_size(GLFWwindow*, int w, int h) {
    if (g_receiver) g_receiver->on_window_size(w, h);
}

void on_key(GLFWwindow*, int key, int, int action, int) {
    if (action == GLFW_REPEAT) return;  // the game sees presses and releases only
    int game_key = map_glfw_key(key);
    if (g_receiver && game_key >= 0) g_receiver->on_key(game_key, action);
}

void on_char(GLFWwindow*, unsigned int code) {
    if (g_receiver) g_receiver->on_character(static_cast<int>(code), k_action_press);
}

void on_button(GLFWwindow*, int button, int action, int) {
    if (g_receiver) g_receiver->on_mouse_button(button, action);
}

void on_focus(GLFWwindow*, int focused) {
    if (g_receiver) g_receiver->on_focus(focused == GLFW_TRUE);
}

void on_cursor(GLFWwindow*, double x, double y) {
    if (g_receiver) g_receiver->on_mouse_position(static_cast<int>(x), static_cast<int>(y));
}

void on_scroll(GLFWwindow*, double, double dy) {
    g_wheel += dy;
    if (g_receiver) g_receiver->on_mouse_wheel(static_cast<int>(g_wheel));
}

// GLFW's own reason for a failure, so a window that cannot open says why.
void on_error(int code, const char* description) {
    std::fprintf(stderr, "GLFW error %#x: %s\n", code, description ? description : "");
}

}  // namespace

int map_glfw_key(int glfw_key) {
    if (glfw_key >= GLFW_KEY_F1 && glfw_key <= GLFW_KEY_F25)
        return k_game_f1 + (glfw_key - GLFW_KEY_F1);
    for (const key_pair& p : k_special_keys)
        if (p.glfw == glfw_key) return p.game;
    if (glfw_key >= 0 && glfw_key < 256) return glfw_key;
    return -1;
}

c_window_glfw::~c_window_glfw() {
    if (initialised_) terminate();
}

bool c_window_glfw::init() {
    glfwSetErrorCallback(on_error);
    if (!glfwInit()) return false;
    initialised_ = true;
    // freeglut is initialised once and used for nothing else. Its own start-up
    // ends the process when no display can be opened, so it runs only after
    // GLFW has shown that there is one.
    static bool glut_done = false;
    if (!glut_done) {
        int argc = 0;
        char* argv[] = {nullptr};
        glutInit(&argc, argv);
        glut_done = true;
    }
    return true;
}

void c_window_glfw::desktop_size(int& width, int& height) {
    width = height = 0;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (mode) {
        width = mode->width;
        height = mode->height;
    }
}

namespace {

void hint_framebuffer() {
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
    // The class the desktop's menu entry and task bar match the window by.
    glfwWindowHintString(GLFW_X11_CLASS_NAME, "Thistlewarp");
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "thistlewarp");
}

// Top-left corner that centres a width x height window on the monitor's work area.
void centred_position(GLFWmonitor* monitor, int width, int height, int& x, int& y) {
    int area_x = 0, area_y = 0, area_w = width, area_h = height;
    if (monitor) glfwGetMonitorWorkarea(monitor, &area_x, &area_y, &area_w, &area_h);
    x = area_x + std::max(0, (area_w - width) / 2);
    y = area_y + std::max(0, (area_h - height) / 2);
}

}  // namespace

bool c_window_glfw::open_fullscreen(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    hint_framebuffer();
    window_ = glfwCreateWindow(width, height, "", glfwGetPrimaryMonitor(), nullptr);
    return window_ && after_open();
}

bool c_window_glfw::open_windowed(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    hint_framebuffer();
    window_ = glfwCreateWindow(width, height, "", nullptr, nullptr);
    if (!window_) return false;
    int x = 0, y = 0;
    centred_position(glfwGetPrimaryMonitor(), width, height, x, y);
    glfwSetWindowPos(window_, x, y);
    return after_open();
}

void c_window_glfw::set_fullscreen(bool fullscreen, int width, int height) {
    if (!window_ || width <= 0 || height <= 0) return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (fullscreen) {
        const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
        glfwSetWindowMonitor(window_, monitor, 0, 0, width, height,
                             mode ? mode->refreshRate : GLFW_DONT_CARE);
        return;
    }
    int x = 0, y = 0;
    centred_position(monitor, width, height, x, y);
    glfwSetWindowMonitor(window_, nullptr, x, y, width, height, GLFW_DONT_CARE);
}

void c_window_glfw::set_icon(int width, int height, const uint8_t* rgba) {
    if (!window_ || width <= 0 || height <= 0 || !rgba) return;
    GLFWimage image{width, height, const_cast<unsigned char*>(rgba)};
    glfwSetWindowIcon(window_, 1, &image);
}

bool c_window_glfw::after_open() {
    glfwMakeContextCurrent(window_);
    // The player must see where they point: keep the system cursor visible and free.
    glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    glfwSetInputMode(window_, GLFW_STICKY_KEYS, GLFW_TRUE);
    return true;
}

void c_window_glfw::set_title(const char* title) {
    if (window_) glfwSetWindowTitle(window_, title);
}

void c_window_glfw::set_swap_interval(int interval) { glfwSwapInterval(interval); }

void c_window_glfw::set_receiver(i_glfw_callback* receiver) { g_receiver = receiver; }

void c_window_glfw::register_callbacks() {
    if (!window_) return;
    glfwSetFramebufferSizeCallback(window_, on_size);
    glfwSetKeyCallback(window_, on_key);
    glfwSetCharCallback(window_, on_char);
    glfwSetMouseButtonCallback(window_, on_button);
    glfwSetCursorPosCallback(window_, on_cursor);
    glfwSetScrollCallback(window_, on_scroll);
    glfwSetWindowFocusCallback(window_, on_focus);
    // Size, pointer position and wheel are delivered once at registration.
    int w = 0, h = 0;
    glfwGetFramebufferSize(window_, &w, &h);
    on_size(window_, w, h);
    double x = 0, y = 0;
    glfwGetCursorPos(window_, &x, &y);
    on_cursor(window_, x, y);
    on_scroll(window_, 0, 0);
}

void c_window_glfw::window_size(int& width, int& height) {
    width = height = 0;
    if (window_) glfwGetFramebufferSize(window_, &width, &height);
}

void c_window_glfw::window_points(int& width, int& height) {
    width = height = 0;
    if (window_) glfwGetWindowSize(window_, &width, &height);
}

bool c_window_glfw::key_pressed(int key) {
    int glfw_key = game_key_to_glfw(key);
    if (!window_ || glfw_key == GLFW_KEY_UNKNOWN) return false;
    return glfwGetKey(window_, glfw_key) == GLFW_PRESS;
}

bool c_window_glfw::is_open() { return window_ && !glfwWindowShouldClose(window_); }

void c_window_glfw::request_close() {
    if (window_) glfwSetWindowShouldClose(window_, GLFW_TRUE);
}

double c_window_glfw::time() { return initialised_ ? glfwGetTime() : 0.0; }

void c_window_glfw::swap_buffers() {
    if (!window_) return;
    glfwSwapBuffers(window_);
    glfwPollEvents();
    if (!pacing_) return;
    double wait = pacer_.sleep_after_swap(glfwGetTime());
    if (wait > 0.0) std::this_thread::sleep_for(std::chrono::duration<double>(wait));
}

void c_window_glfw::terminate() {
    glfwTerminate();
    window_ = nullptr;
    initialised_ = false;
}

}  // namespace tw
