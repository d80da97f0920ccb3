# Chapter two's tile puzzle: the ledge as one opaque layer and the picture's twenty tiles,
# each turned back by its accepted turn, rendered by make_art from c2p3/c2p3.art, and the
# hand-written scene file.
if(TARGET make_art)
  set(tw_c2p3_outputs textures/c2/p3/backdrop.xml)
  foreach(tile RANGE 1 20)
    if(tile LESS 10)
      set(tile 0${tile})
    endif()
    list(APPEND tw_c2p3_outputs textures/c2/p3/tile${tile}.bmp)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c2p3_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c2p3/c2p3.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES c2p3/c2p3.art c2p3/backdrop.svg c2p3/picture.svg)
endif()

tw_content_copy(c2p3/c2p3.xml c2p3.xml)
