# Chapter one: the rose thicket's painted layers, collectibles, silk and puzzle bar art rendered
# by make_art from c1/c1.art, and the hand-written scene file copied to the content folder's root.
if(TARGET make_art)
  set(tw_c1_layers far mid near)
  set(tw_c1_sprites bud0 bud1 bud2 bud3 bud4 bud5 bud_picked seed0 seed1 seed2 seed_picked thread thread_head)
  set(tw_c1_puzzles p0 p1 p2)
  set(tw_c1_outputs "")
  set(tw_c1_sources c1/c1.art)
  foreach(name IN LISTS tw_c1_layers)
    list(APPEND tw_c1_outputs textures/c1/${name}.xml)
    list(APPEND tw_c1_sources c1/${name}.svg)
  endforeach()
  foreach(name IN LISTS tw_c1_sprites)
    list(APPEND tw_c1_outputs textures/c1/${name}.bmp)
    list(APPEND tw_c1_sources c1/sprites/${name}.svg)
  endforeach()
  foreach(puzzle IN LISTS tw_c1_puzzles)
    list(APPEND tw_c1_outputs textures/c1/${puzzle}/icon.bmp textures/c1/${puzzle}/hint.bmp)
    list(APPEND tw_c1_sources c1/icons/${puzzle}_icon.svg c1/icons/${puzzle}_hint.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c1_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c1/c1.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c1_sources})
endif()

tw_content_copy(c1/c1.xml c1.xml)
