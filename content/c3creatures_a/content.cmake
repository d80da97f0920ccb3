# Chapter three's creatures: the player's cricket (anims/cricket.xml: pose "default",
# graphs "walk", "turn", "idle", "action"). make_art renders its parts and writes where
# each sat; make_anims builds the animation from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_cricket
    shadow glow antenna_far antenna_far_tip
    front_far_femur front_far_tibia front_far_foot mid_far_femur mid_far_tibia mid_far_foot
    hind_far_femur hind_far_tibia hind_far_foot wing_far abdomen wing thorax head mouth
    eye eye_blink eye_happy antenna antenna_tip
    front_femur front_tibia front_foot mid_femur mid_tibia mid_foot hind_femur hind_tibia hind_foot chirp)
  tw_creatures(c3creatures_a CREATURES cricket ANIMS anims/cricket.xml)
endif()
