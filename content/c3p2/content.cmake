# Chapter three's leaf pairs puzzle: the floor layer, the leaf's two sides and the six beetles
# (each twice) rendered by make_art from c3p2/c3p2.art, and the hand-written scene file.
if(TARGET make_art)
  set(tw_c3p2_beetles ladybird stag longhorn tortoise weevil rhino)
  set(tw_c3p2_outputs textures/c3/p2/floor.xml textures/c3/p2/pair/leaf_front.bmp
                      textures/c3/p2/pair/leaf_back.bmp)
  set(tw_c3p2_sources c3p2/c3p2.art c3p2/floor.svg c3p2/leaf_front.svg c3p2/leaf_back.svg)
  foreach(pair RANGE 1 6)
    list(APPEND tw_c3p2_outputs textures/c3/p2/pair/beetle${pair}a.bmp
                                textures/c3/p2/pair/beetle${pair}b.bmp)
  endforeach()
  foreach(name IN LISTS tw_c3p2_beetles)
    list(APPEND tw_c3p2_sources c3p2/beetle_${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c3p2_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c3p2/c3p2.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c3p2_sources})
endif()

tw_content_copy(c3p2/c3p2.xml c3p2.xml)
