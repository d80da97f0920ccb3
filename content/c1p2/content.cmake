# Chapter one's seed head puzzle: its two painted layers and five seed bitmaps rendered by
# make_art from c1p2/c1p2.art, and the hand-written scene file copied to the content root.
if(TARGET make_art)
  set(tw_c1p2_layers backdrop head)
  set(tw_c1p2_seeds seed_round seed_striped seed_winged seed_burr seed_heart)
  set(tw_c1p2_outputs "")
  set(tw_c1p2_sources c1p2/c1p2.art)
  foreach(name IN LISTS tw_c1p2_layers)
    list(APPEND tw_c1p2_outputs textures/c1/p2/${name}.xml)
    list(APPEND tw_c1p2_sources c1p2/${name}.svg)
  endforeach()
  foreach(kind RANGE 1 5)
    list(APPEND tw_c1p2_outputs textures/c1/p2/1aseed${kind}.bmp)
  endforeach()
  foreach(name IN LISTS tw_c1p2_seeds)
    list(APPEND tw_c1p2_sources c1p2/${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c1p2_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c1p2/c1p2.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c1p2_sources})
endif()

tw_content_copy(c1p2/c1p2.xml c1p2.xml)
