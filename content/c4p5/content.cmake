# Chapter four's silhouette puzzle: its sandstone layer and the stag beetle's eight pieces
# rendered by make_art from c4p5/c4p5.art, and the hand-written scene file copied to the
# content root.
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/c4/p5/backdrop.xml
            textures/c4/p5/legs_left.bmp textures/c4/p5/legs_right.bmp
            textures/c4/p5/mandible_left.bmp textures/c4/p5/mandible_right.bmp
            textures/c4/p5/wing_left.bmp textures/c4/p5/wing_right.bmp
            textures/c4/p5/thorax.bmp textures/c4/p5/head.bmp
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c4p5/c4p5.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c4p5/c4p5.art c4p5/backdrop.svg c4p5/picture.svg)
endif()

tw_content_copy(c4p5/c4p5.xml c4p5.xml)
