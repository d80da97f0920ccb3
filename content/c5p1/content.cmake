# Chapter five's silhouette puzzle: its carved slab layer and the dusk moth's eight pieces
# rendered by make_art from c5p1/c5p1.art, and the hand-written scene file copied to the
# content root.
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/c5/p1/backdrop.xml
            textures/c5/p1/forewing_left.bmp textures/c5/p1/forewing_right.bmp
            textures/c5/p1/hindwing_left.bmp textures/c5/p1/hindwing_right.bmp
            textures/c5/p1/abdomen.bmp textures/c5/p1/thorax.bmp
            textures/c5/p1/head.bmp textures/c5/p1/antennae.bmp
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c5p1/c5p1.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c5p1/c5p1.art c5p1/backdrop.svg c5p1/picture.svg)
endif()

tw_content_copy(c5p1/c5p1.xml c5p1.xml)
