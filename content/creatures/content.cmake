# The creatures: the larva and the firefly. make_art renders their parts and writes
# where each part sat; make_anims builds anims/larva.xml and anims/firefly.xml from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_larva
    shadow glow leg seg0 seg1 seg2 seg3 seg4 antenna_far mandible head eye eye_closed eye_happy antenna_near)
  set(tw_creature_parts_firefly
    halo wing_far antenna_far legs abdomen lantern body head eye eye_closed antenna_near wing_near)
  set(tw_creature_art_outputs textures/larva/parts.xml textures/firefly/parts.xml)
  foreach(creature larva firefly)
    foreach(part IN LISTS tw_creature_parts_${creature})
      list(APPEND tw_creature_art_outputs textures/${creature}/${part}.bmp)
    endforeach()
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_creature_art_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/creatures/creatures.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES creatures/creatures.art creatures/larva.svg creatures/firefly.svg)

  tw_content(TOOL make_anims
    OUTPUTS anims/larva.xml anims/firefly.xml
    ARGS ${TW_CONTENT_DIR} larva firefly)
  # The animations are placed from the parts' geometry, so they wait for the art.
  add_custom_command(OUTPUT ${TW_CONTENT_DIR}/anims/larva.xml APPEND
    DEPENDS ${TW_CONTENT_DIR}/textures/larva/parts.xml ${TW_CONTENT_DIR}/textures/firefly/parts.xml)
endif()
