# Chapter three's leaf balance (anims/3balance.xml): make_art renders its parts and writes
# where each part sat; make_anims builds the animation from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_3balance shadow pebble leaf dust)
  tw_creatures(c3creatures_c CREATURES 3balance ANIMS anims/3balance.xml)
endif()
