# Chapter five's timed view: its painted layer rendered by make_art from c5p4/c5p4.art, and the
# hand-written scene file copied to the content root.
if(TARGET make_art)
  tw_content(TOOL make_art
    OUTPUTS textures/c5/p4/backdrop.xml
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c5p4/c5p4.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c5p4/c5p4.art c5p4/backdrop.svg)
endif()

tw_content_copy(c5p4/c5p4.xml c5p4.xml)
