# Chapter one's cocoons (anims/cacoona.xml, anims/cacoonb.xml) and its three puzzle-spot
# props (anims/1rose.xml, anims/1silk.xml, anims/1seedhead.xml). make_art renders their
# parts and writes where each part sat; make_anims builds the animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_cocoon_a pad glow body band1 band2 band3 band4 face)
  set(tw_creature_parts_cocoon_b pad glow body band1 band2 band3 band4 strands)
  set(tw_creature_parts_c1rose glow stalk back centre front)
  set(tw_creature_parts_c1silk glow back front glints)
  set(tw_creature_parts_c1seedhead glow stalk back disc front)
  tw_creatures(c1creatures CREATURES cocoon_a cocoon_b c1rose c1silk c1seedhead
    ANIMS anims/cacoona.xml anims/cacoonb.xml anims/1rose.xml anims/1silk.xml anims/1seedhead.xml)
endif()
