# Chapter four's beetles in the poppy field: the stag beetle guarding the path
# (anims/4stag.xml: graphs "idle" first, "snap", "retreat", "retreat_idle") and the big
# friendly chafer by the poppy stem (anims/4bigbug.xml: graphs "idle" first, "twitch").
# make_art renders their parts and writes where each sat; make_anims builds the
# animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_4stag
    shadow far_femur_front far_tibia_front far_tarsus_front far_femur_mid far_tibia_mid far_tarsus_mid
    far_femur_back far_tibia_back far_tarsus_back far_jaw far_scape far_club body head
    eye eye_closed eye_scared jaw scape club femur_front tibia_front tarsus_front
    femur_mid tibia_mid tarsus_mid femur_back tibia_back tarsus_back)
  set(tw_creature_parts_4bigbug
    shadow far_front far_hind antenna_far body head eye eye_closed stub antenna
    leg_front leg_mid leg_hind)
  tw_creatures(c4creatures_b CREATURES 4stag 4bigbug ANIMS anims/4stag.xml anims/4bigbug.xml)
endif()
