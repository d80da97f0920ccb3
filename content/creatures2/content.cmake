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
  tw_creatures(creatures2 CREATURES fly dragonfly ANIMS anims/1hover.xml anims/3dragonfly.xml)
endif()
