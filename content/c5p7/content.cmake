# Chapter five's scarab lock: the door with its empty socket, the exchange button and the
# fifteen pieces of the scarab picture, rendered by make_art from c5p7/c5p7.art, and the
# hand-written scene file copied to the content root.
if(TARGET make_art)
  set(tw_c5p7_outputs textures/c5/p7/backdrop.xml textures/c5/p7/spare.bmp)
  foreach(ring a b c)
    foreach(piece RANGE 1 5)
      list(APPEND tw_c5p7_outputs textures/c5/p7/scarab${piece}${ring}.bmp)
    endforeach()
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c5p7_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c5p7/c5p7.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c5p7/c5p7.art c5p7/backdrop.svg c5p7/spare.svg c5p7/scarab.svg)
endif()

tw_content_copy(c5p7/c5p7.xml c5p7.xml)
