# Chapter three's creatures of the flower bed: the bumblebee asleep on her daisy with
# parts missing (anims/3bee.xml: graph "idle"), awake and whole (anims/3beea.xml: graphs
# "idle" first, "twitch"), and the seed pod (anims/3pod.xml: graphs "closed" first,
# "open", "blank"). make_art renders their parts and writes where each part sat;
# make_anims builds the animations from that.
if(TARGET make_art AND TARGET make_anims)
  set(tw_creature_parts_3bee
    daisy wing_far legs_far abdomen thorax head antenna_far stump_antenna eye leg_front stump_mid stump_hind wing_near snore)
  set(tw_creature_parts_3beea
    daisy wing_far wing_far_blur legs_far abdomen thorax head antenna_far eye eye_joy antenna_near
    leg_front leg_mid leg_hind wing_near wing_near_blur)
  set(tw_creature_parts_3pod stalk core left right left_open right_open puff)
  tw_creatures(c3creatures_b CREATURES 3bee 3beea 3pod ANIMS anims/3bee.xml anims/3beea.xml anims/3pod.xml)
endif()
