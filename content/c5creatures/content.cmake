# Chapter five's creatures: the player's glow bug (anims/5bug.xml: pose "default"; graphs
# "walk", "turn", "idle", "action"), the fern on the ruin's edge (anims/fern.xml: graphs
# "idle" first, "unroll", "idle_unrolled") and the dusk moth (anims/moth.xml: graphs
# "idle" first, "flutter", "takeoff", "fly"). make_art renders their parts and writes where
# each sat; make_anims builds the animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_5bug
    shadow glow leg_far leg_far_back lantern core body antenna_far head eye eye_closed eye_happy
    leg leg_back antenna_near)
  set(tw_creature_parts_fern moss stem stem_edge leaf)
  set(tw_creature_parts_moth
    glow wing_far wing_far_blur legs_far antenna_far abdomen body head legs antenna_near wing_near wing_near_blur)
  tw_creatures(c5creatures CREATURES 5bug fern moth ANIMS anims/5bug.xml anims/fern.xml anims/moth.xml)
endif()
