# Chapter two's creatures, first set: the player's aphid (anims/aphida.xml: pose "default";
# graphs "walk", "turn", "idle", "action", "drop") and the glimmer over places to click
# (anims/2glint.xml: pose "default"; graph "idle"). make_art renders their parts and writes
# where each sat; make_anims builds the animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_aphida
    shadow glow cornicle_far cornicle_near leg_far_front leg_far_mid leg_far_back leg_front leg_mid leg_back
    body body_squat body_squash body_stretch antenna_far head eye eye_closed eye_happy eye_squeeze eye_dizzy
    antenna_near)
  set(tw_creature_parts_2glint halo rays sparks core)
  tw_creatures(c2creatures_a CREATURES aphida 2glint ANIMS anims/aphida.xml anims/2glint.xml)
endif()
