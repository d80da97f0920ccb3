# Chapter two's glow-worm chime puzzle: the night pond as one opaque layer and the lit
# glow-worm rendered by make_art from c2p1/c2p1.art, and the hand-written scene file.
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/c2/p1/backdrop.xml textures/c2/p1/glowworm.bmp
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c2p1/c2p1.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c2p1/c2p1.art c2p1/backdrop.svg c2p1/glowworm.svg)
endif()

tw_content_copy(c2p1/c2p1.xml c2p1.xml)
