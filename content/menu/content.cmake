# The title screen's scene: its painted layers rendered by make_art from menu/menu.art, and
# the hand-written scene file c0.xml copied to the content folder's root.
if(TARGET make_art)
  set(tw_menu_layers sky clouds_mid haze_near meadow_far stalks grass_front leaf_front)
  set(tw_menu_outputs "")
  set(tw_menu_sources menu/menu.art)
  foreach(name IN LISTS tw_menu_layers)
    list(APPEND tw_menu_outputs textures/menu/${name}.xml)
    list(APPEND tw_menu_sources menu/${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_menu_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/menu/menu.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_menu_sources})
endif()

tw_content_copy(menu/c0.xml c0.xml)
