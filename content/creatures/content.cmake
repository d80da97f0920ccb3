# The creatures: the larva and the firefly. make_art renders their parts and writes
# where each part sat; make_anims builds anims/larva.xml and anims/firefly.xml from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_larva
    shadow glow leg seg0 seg1 seg2 seg3 seg4 antenna_far mandible head eye eye_closed eye_happy antenna_near petal)
  set(tw_creature_parts_firefly
    halo wing_far antenna_far legs abdomen lantern body head eye eye_closed antenna_near wing_near)
  tw_creatures(creatures CREATURES larva firefly ANIMS anims/larva.xml anims/firefly.xml)
endif()
