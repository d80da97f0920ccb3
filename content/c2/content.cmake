# Chapter two: the night pond's painted layers, collectibles, the cricket's light pool and puzzle
# bar art rendered by make_art from c2/c2.art, and the scene file copied to the content folder's root.
if(TARGET make_art)
  set(tw_c2_layers far mid near)
  set(tw_c2_sprites
    p1/jelly0 p1/jelly1 p1/jelly2 p1/jelly_picked
    p2/seed0 p2/seed1 p2/seed2 p2/seed_picked
    p3/tube0 p3/tube1 p3/tube2 p3/tube_picked
    p5/spore0 p5/spore1 p5/spore2 p5/spore_picked
    p0/leg2abc p0/leg1ab p0/leg_picked
    cricket_glow)
  set(tw_c2_puzzles p0 p1 p2 p3 p5)
  set(tw_c2_outputs "")
  set(tw_c2_sources c2/c2.art)
  foreach(name IN LISTS tw_c2_layers)
    list(APPEND tw_c2_outputs textures/c2/${name}.xml)
    list(APPEND tw_c2_sources c2/${name}.svg)
  endforeach()
  foreach(name IN LISTS tw_c2_sprites)
    get_filename_component(file ${name} NAME)
    list(APPEND tw_c2_outputs textures/c2/${name}.bmp)
    list(APPEND tw_c2_sources c2/sprites/${file}.svg)
  endforeach()
  foreach(puzzle IN LISTS tw_c2_puzzles)
    list(APPEND tw_c2_outputs textures/c2/${puzzle}/icon.bmp textures/c2/${puzzle}/hint.bmp)
    list(APPEND tw_c2_sources c2/icons/${puzzle}_icon.svg c2/icons/${puzzle}_hint.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c2_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c2/c2.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c2_sources})
endif()

tw_content_copy(c2/c2.xml c2.xml)
