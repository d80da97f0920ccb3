# Chapter three: the flower bed's painted layers rendered by make_art from c3/c3.art, and the
# hand-written scene file copied to the content folder's root.
if(TARGET make_art)
  set(tw_c3_layers far mid near)
  set(tw_c3_outputs "")
  set(tw_c3_sources c3/c3.art)
  foreach(name IN LISTS tw_c3_layers)
    list(APPEND tw_c3_outputs textures/c3/${name}.xml)
    list(APPEND tw_c3_sources c3/${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_c3_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/c3/c3.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_c3_sources})
endif()

tw_content_copy(c3/c3.xml c3.xml)
