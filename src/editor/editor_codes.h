// The editor's UI event codes. Tab buttons are 1..10 in tab order.
#pragma once
#include <cstdint>

namespace tw {

constexpr uint16_t k_ed_tab_first = 1;
constexpr uint16_t k_ed_save = 11;
constexpr uint16_t k_ed_load = 12;
constexpr uint16_t k_ed_layer_add = 13;
constexpr uint16_t k_ed_layer_remove = 14;
constexpr uint16_t k_ed_layer_next = 15;
constexpr uint16_t k_ed_layer_previous = 16;
constexpr uint16_t k_ed_layer_move = 17;
constexpr uint16_t k_ed_layer_depth = 18;
constexpr uint16_t k_ed_layer_none = 19;
constexpr uint16_t k_ed_zoom_in = 20;
constexpr uint16_t k_ed_zoom_out = 21;
constexpr uint16_t k_ed_camera_add = 22;
constexpr uint16_t k_ed_camera_remove = 23;
constexpr uint16_t k_ed_camera_previous = 24;
constexpr uint16_t k_ed_camera_next = 25;
constexpr uint16_t k_ed_camera_move = 26;
constexpr uint16_t k_ed_camera_none = 27;
constexpr uint16_t k_ed_camera_center = 28;
constexpr uint16_t k_ed_puzzle_add = 29;
constexpr uint16_t k_ed_puzzle_remove = 30;
constexpr uint16_t k_ed_puzzle_previous = 31;
constexpr uint16_t k_ed_puzzle_next = 32;
constexpr uint16_t k_ed_puzzle_move = 33;
constexpr uint16_t k_ed_puzzle_none = 34;
constexpr uint16_t k_ed_collect_add = 35;
constexpr uint16_t k_ed_collect_remove = 36;
constexpr uint16_t k_ed_collect_previous = 37;
constexpr uint16_t k_ed_collect_next = 38;
constexpr uint16_t k_ed_collect_move = 39;
constexpr uint16_t k_ed_collect_rotate = 40;
constexpr uint16_t k_ed_collect_none = 41;
constexpr uint16_t k_ed_level_add = 42;
constexpr uint16_t k_ed_level_remove = 43;
constexpr uint16_t k_ed_level_previous = 44;
constexpr uint16_t k_ed_level_next = 45;
constexpr uint16_t k_ed_anim_add = 46;
constexpr uint16_t k_ed_anim_remove = 47;
constexpr uint16_t k_ed_anim_previous = 48;
constexpr uint16_t k_ed_anim_next = 49;
constexpr uint16_t k_ed_anim_move = 50;
constexpr uint16_t k_ed_anim_rotate = 51;
constexpr uint16_t k_ed_anim_none = 52;
constexpr uint16_t k_ed_anim_route = 53;  // both codes of the route mode toggle; read, not handled
constexpr uint16_t k_ed_timeline_first = 54;  // the two timelines are 54 and 55
constexpr uint16_t k_ed_timeline_second = 55;
constexpr uint16_t k_ed_anim_change = 56;
constexpr uint16_t k_ed_path_add = 57;
constexpr uint16_t k_ed_path_remove = 58;
constexpr uint16_t k_ed_path_disconnect = 59;
constexpr uint16_t k_ed_path_previous = 60;
constexpr uint16_t k_ed_path_next = 61;
constexpr uint16_t k_ed_path_move = 62;
constexpr uint16_t k_ed_path_rotate = 63;
constexpr uint16_t k_ed_path_connect = 64;
constexpr uint16_t k_ed_path_none = 65;
constexpr uint16_t k_ed_graphic_add = 66;
constexpr uint16_t k_ed_graphic_previous = 67;
constexpr uint16_t k_ed_graphic_next = 68;
constexpr uint16_t k_ed_graphic_remove = 69;
constexpr uint16_t k_ed_graphic_move = 70;
constexpr uint16_t k_ed_graphic_rotate = 71;
constexpr uint16_t k_ed_graphic_none = 72;

}  // namespace tw
