# Chapter four's poppy puzzle: its earth layer, the poppy and the reset pebble rendered by
# make_art from c4p3/c4p3.art, and the hand-written scene file copied to the content root.
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/c4/p3/backdrop.xml textures/c4/p3/poppy.bmp textures/c4/p3/reset.bmp
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c4p3/c4p3.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c4p3/c4p3.art c4p3/backdrop.svg c4p3/poppy.svg c4p3/reset.svg)
endif()

tw_content_copy(c4p3/c4p3.xml c4p3.xml)
