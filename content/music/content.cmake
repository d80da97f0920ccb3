# The six music loops (main menu and chapters 1-5), each made by make_music from
# its text score: three passes rendered with fluidsynth, the middle one kept.
if(TARGET make_music)
  set(tw_music_soundfont /usr/share/sounds/sf2/TimGM6mb.sf2)
  set(tw_music_scores
    music_0_menu music_1_dawn_meadow music_2_night_pond
    music_3_flower_bed music_4_poppy_field music_5_mossy_ruin)
  set(tw_music_index 0)
  foreach(score IN LISTS tw_music_scores)
    tw_content(TOOL make_music
      OUTPUTS sounds/sfx_music_${tw_music_index}.wav
      ARGS ${CMAKE_CURRENT_SOURCE_DIR}/music/${score}.score ${tw_music_soundfont}
           ${TW_CONTENT_DIR}/sounds/sfx_music_${tw_music_index}.wav ${CMAKE_BINARY_DIR}/music_work
      SOURCES music/${score}.score)
    math(EXPR tw_music_index "${tw_music_index} + 1")
  endforeach()
endif()
