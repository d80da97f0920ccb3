# The game's icon: one SVG rendered by make_art into the window icon the game
# loads (textures/icon.bmp) and into the PNG the installed desktop entry shows
# (build/desktop/thistlewarp.png, outside the game's content).
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/icon.bmp
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/icon/icon.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES icon/icon.art icon/thistlewarp.svg)
  set(TW_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop CACHE INTERNAL "Files made for the desktop menu")
  add_custom_command(
    OUTPUT ${TW_DESKTOP_DIR}/thistlewarp.png
    COMMAND $<TARGET_FILE:make_art> ${CMAKE_CURRENT_SOURCE_DIR}/icon/desktop.art
            ${CMAKE_CURRENT_SOURCE_DIR} ${TW_DESKTOP_DIR}
    DEPENDS make_art ${CMAKE_CURRENT_SOURCE_DIR}/icon/desktop.art
            ${CMAKE_CURRENT_SOURCE_DIR}/icon/thistlewarp.svg
    COMMENT "Making the desktop icon: thistlewarp.png"
    VERBATIM)
  set(tw_content_outputs ${tw_content_outputs} ${TW_DESKTOP_DIR}/thistlewarp.png)
endif()
