# The shared UI art: buttons, pointer, title, studio logo, chapter cards, glows and
# motes, rendered by make_art from the SVGs listed in ui/ui.art.
if(TARGET make_art)
  set(tw_ui_art_names
    zelt glow circle hand home question_mark question_mark_fill question_mark_highlight
    resume_1 title_big main_menu_1 chapter01 chapter02 chapter03 chapter04 chapter05
    dot transform editor_button particle1 c1/pollen c1/light0)
  set(tw_ui_art_outputs "")
  set(tw_ui_art_sources ui/ui.art)
  foreach(name IN LISTS tw_ui_art_names)
    list(APPEND tw_ui_art_outputs textures/${name}.bmp)
    list(APPEND tw_ui_art_sources ui/${name}.svg)
  endforeach()
  tw_content(TOOL make_art
    OUTPUTS ${tw_ui_art_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/ui/ui.art ${CMAKE_CURRENT_SOURCE_DIR} ${TW_CONTENT_DIR}
    SOURCES ${tw_ui_art_sources})
endif()
