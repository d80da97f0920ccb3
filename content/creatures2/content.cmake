# The title screen's flyers: the hovering fly and the dragonfly. make_art renders their
# parts and writes where each part sat; make_anims builds anims/1hover.xml and
# anims/3dragonfly.xml from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_fly
    wing_far wing_far_blur legs_far abdomen thorax head eye_far eye antenna
    leg_front leg_mid leg_back wing_near wing_near_blur)
  set(tw_creature_parts_dragonfly
    glow wing_fore_far wing_hind_far seg0 seg1 seg2 seg3 seg4 thorax legs head eye_far eye
    wing_hind_near wing_fore_near)
  set(tw_flyer_art_outputs textures/fly/parts.xml textures/dragonfly/parts.xml)
  foreach(creature fly dragonfly)
    foreach(part IN LISTS tw_creature_parts_${creature})
      list(APPEND tw_flyer_art_outputs textures/${creature}/${part}.bmp)
    endforeach()
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_flyer_art_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/creatures2/creatures2.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES creatures2/creatures2.art creatures2/fly.svg creatures2/dragonfly.svg)

  tw_content(TOOL make_anims
    OUTPUTS anims/1hover.xml anims/3dragonfly.xml
    ARGS ${TW_CONTENT_DIR} fly dragonfly)
  # The animations are placed from the parts' geometry, so they wait for the art.
  add_custom_command(OUTPUT ${TW_CONTENT_DIR}/anims/1hover.xml APPEND
    DEPENDS ${TW_CONTENT_DIR}/textures/fly/parts.xml ${TW_CONTENT_DIR}/textures/dragonfly/parts.xml)
endif()
