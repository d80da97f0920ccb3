# Chapter five: the mossy ruin's painted layers, the scarab door, the glowing mushroom, the
# collectibles and the puzzle bar art rendered by make_art from c5/c5.art, and the hand-written
# scene file copied to the content folder's root.
if(TARGET make_art)
  set(tw_c5_layers far mid near)
  set(tw_c5_sprites door mushroom)
  set(tw_c5_collectibles
    p0/spore0 p0/spore1 p0/spore2 p0/spore_picked
    p1/chip0 p1/chip1 p1/chip2 p1/chip_picked
    p2/drop0 p2/drop1 p2/drop2 p2/drop_picked
    p4/oil0 p4/oil1 p4/oil_picked
    p7/coin0 p7/coin1 p7/coin2 p7/coin_picked)
  set(tw_c5_puzzles p0 p1 p2 p4 p7)
  set(tw_c5_outputs "")
  set(tw_c5_sources c5/c5.art)
  foreach(name IN LISTS tw_c5_layers)
    list(APPEND tw_c5_outputs textures/c5/${name}.xml)
    list(APPEND tw_c5_sources c5/${name}.svg)
  endforeach()
  foreach(name IN LISTS tw_c5_sprites)
    list(APPEND tw_c5_outputs textures/c5/${name}.bmp)
    list(APPEND tw_c5_sources c5/sprites/${name}.svg)
  endforeach()
  foreach(path IN LISTS tw_c5_collectibles)
    get_filename_component(name ${path} NAME)
    list(APPEND tw_c5_outputs textures/c5/${path}.bmp)
    list(APPEND tw_c5_sources c5/sprites/${name}.svg)
  endforeach()
  foreach(puzzle IN LISTS tw_c5_puzzles)
    list(APPEND tw_c5_outputs textures/c5/${puzzle}/icon.bmp textures/c5/${puzzle}/hint.bmp)
    list(APPEND tw_c5_sources c5/icons/${puzzle}_icon.svg c5/icons/${puzzle}_hint.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c5_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c5/c5.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c5_sources})
endif()

tw_content_copy(c5/c5.xml c5.xml)
