# Chapter four: the poppy field's painted layers, collectibles, falling petal, beetle relief, glow
# and puzzle bar art rendered by make_art from c4/c4.art, and the scene file copied to the content
# folder's root.
if(TARGET make_art)
  set(tw_c4_layers far mid near)
  set(tw_c4_sprites
    p1/honey0 p1/honey1 p1/honey2 p1/honey_picked
    p2/mask1 p2/mask_picked
    p3/poppy0 p3/poppy1 p3/poppy2 p3/poppy_picked
    p4/leaf0 p4/leaf1 p4/leaf2 p4/leaf_picked
    p5/petal0 p5/petal1 p5/petal2 p5/petal_picked
    p6/chip0 p6/chip1 p6/chip2 p6/chip_picked
    p7/antenna p7/antenna_picked
    petal front beetle_glow)
  set(tw_c4_icons p1 p2 p3 p4 p5 p7)
  set(tw_c4_outputs textures/c4/p0/hint.bmp)
  set(tw_c4_sources c4/c4.art c4/icons/p0_hint.svg)
  foreach(name IN LISTS tw_c4_layers)
    list(APPEND tw_c4_outputs textures/c4/${name}.xml)
    list(APPEND tw_c4_sources c4/${name}.svg)
  endforeach()
  foreach(name IN LISTS tw_c4_sprites)
    get_filename_component(file ${name} NAME)
    list(APPEND tw_c4_outputs textures/c4/${name}.bmp)
    list(APPEND tw_c4_sources c4/sprites/${file}.svg)
  endforeach()
  foreach(puzzle IN LISTS tw_c4_icons)
    list(APPEND tw_c4_outputs textures/c4/${puzzle}/icon.bmp textures/c4/${puzzle}/hint.bmp)
    list(APPEND tw_c4_sources c4/icons/${puzzle}_icon.svg c4/icons/${puzzle}_hint.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c4_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c4/c4.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c4_sources})
endif()

tw_content_copy(c4/c4.xml c4.xml)
