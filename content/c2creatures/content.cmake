# Chapter two's creatures: the big glow-worm of the chime puzzle (anims/glowbig.xml: graphs
# "idle" first, "celebrate"). make_art renders her parts and writes where each sat;
# make_anims builds the animation from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_glowbig halo body tail head)
  tw_creatures(c2creatures CREATURES glowbig ANIMS anims/glowbig.xml)
endif()
