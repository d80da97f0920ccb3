# Chapter four's fallen stick (anims/4stick.xml) and sleepy maggot (anims/4maggotb.xml):
# make_art renders their parts and writes where each part sat; make_anims builds the
# animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_4stick shadow stick leaf ant legs_a legs_b)
  set(tw_creature_parts_4maggotb
    shadow shadow_round ball seg1 seg2 seg3 seg4 seg5 seg6 seg7 seg8 head eyes eyes_closed eyes_happy
    mouth mouth_chew leaves_a leaves_b leaves_c z)
  tw_creatures(c4creatures_c CREATURES 4stick 4maggotb ANIMS anims/4stick.xml anims/4maggotb.xml)
endif()
