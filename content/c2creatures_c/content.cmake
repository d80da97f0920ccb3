# Chapter two's guards on the bank path: the weevil on his twig (anims/weavel.xml: graphs
# "idle" first, "tongue", "retreat", "retreat_idle") and the sundew behind the path
# (anims/2bugcatcher.xml: graphs "idle" first, "wake", "wake_idle", "eat"). make_art
# renders their parts and writes where each sat; make_anims builds the animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_weavel
    shadow far_femur_front far_tibia_front far_tarsus_front far_femur_mid far_tibia_mid far_tarsus_mid
    far_femur_back far_tibia_back far_tarsus_back far_scape far_club body head rostrum scape club
    eye eye_closed eye_happy femur_front tibia_front tarsus_front femur_mid tibia_mid tarsus_mid
    femur_back tibia_back tarsus_back seed)
  set(tw_creature_parts_2bugcatcher
    base
    leaf1_stalk leaf1_blade leaf1_blade_glint leaf1_tip leaf1_tip_glint
    leaf2_stalk leaf2_blade leaf2_blade_glint leaf2_tip leaf2_tip_glint
    leaf3_stalk leaf3_blade leaf3_blade_glint leaf3_tip leaf3_tip_glint
    leaf4_stalk leaf4_blade leaf4_blade_glint leaf4_tip leaf4_tip_glint
  )
  tw_creatures(c2creatures_c CREATURES weavel 2bugcatcher ANIMS anims/weavel.xml anims/2bugcatcher.xml)
endif()
