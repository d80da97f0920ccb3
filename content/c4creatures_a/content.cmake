# Chapter four's creatures: the player's young honeybee (anims/4bee.xml: pose "default",
# graphs "walk", "turn", "idle", "action", "jump", and the hidden disguise graphics "mask",
# "tooth1", "tooth2"). make_art renders its parts and writes where each sat; make_anims
# builds the animation from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_4bee
    shadow glow antenna_far wing_far wing_far_blur leg_far_front leg_far_mid leg_far_back
    abdomen thorax wing wing_blur head eye eye_closed eye_happy eye_wide antenna
    leg_front leg_mid leg_back mask tooth2 tooth1)
  tw_creatures(c4creatures_a CREATURES 4bee ANIMS anims/4bee.xml)
endif()
