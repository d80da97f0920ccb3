# The sample scene: its painted layers, collectibles and props rendered by make_art from
# sample/sample.art, and the hand-written scene file copied to the content folder's root.
if(TARGET make_art)
  set(tw_sample_layers meadow_far meadow_mid meadow_fg stones_far stones_mid stones_fg)
  set(tw_sample_images dewdrop dewdrop_picked seed seed_picked petal petal_picked mushroom pebble)
  set(tw_sample_outputs "")
  set(tw_sample_sources sample/sample.art)
  foreach(name IN LISTS tw_sample_layers)
    list(APPEND tw_sample_outputs textures/sample/${name}.xml)
    list(APPEND tw_sample_sources sample/${name}.svg)
  endforeach()
  foreach(name IN LISTS tw_sample_images)
    list(APPEND tw_sample_outputs textures/sample/${name}.bmp)
    list(APPEND tw_sample_sources sample/${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_sample_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/sample/sample.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_sample_sources})
endif()

tw_content_copy(sample/sample.xml sample.xml)
