# Chapter two's cricket by the night pond: asleep and missing two legs (anims/2cricketb.xml:
# graph "idle") and awake and whole (anims/2cricket.xml: graphs "idle" first, "twitch", its
# song). make_art renders their parts and writes where each sat; make_anims builds the
# animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_2cricketb
    shadow leg_front_far leg_mid_far leg_hind_far antenna_far wing_far abdomen
    wing head thorax antenna leg_front eye_sleep mouth_sad stump_mid stump_hind sigh)
  set(tw_creature_parts_2cricket
    shadow leg_front_far leg_mid_far leg_hind_far antenna_far wing_far abdomen
    wing head thorax antenna leg_front eye eye_blink eye_happy mouth leg_mid leg_hind chirp)
  tw_creatures(c2creatures_b CREATURES 2cricketb 2cricket ANIMS anims/2cricketb.xml anims/2cricket.xml)
endif()
