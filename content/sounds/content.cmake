# The game's sound effects and glow-worm chimes, rendered by make_sounds from sounds.txt.
if(TARGET make_sounds)
  set(tw_sound_effects aphid bee cricket dragonfly fly_loop grub maggot moth roll_stone stag)
  set(tw_sound_outputs
    sounds/sfx_music_none.wav sounds/item_found.wav sounds/error.wav
    sounds/puzzle_complete.wav sounds/puzzle_discovery.wav)
  foreach(effect IN LISTS tw_sound_effects)
    list(APPEND tw_sound_outputs sounds/effects/${effect}.wav)
  endforeach()
  foreach(chime RANGE 1 9)
    list(APPEND tw_sound_outputs sounds/glowworms/${chime}.wav)
  endforeach()
  tw_content(TOOL make_sounds
    OUTPUTS ${tw_sound_outputs}
    ARGS ${CMAKE_CURRENT_SOURCE_DIR}/sounds/sounds.txt ${TW_CONTENT_DIR}
    SOURCES sounds/sounds.txt)
endif()
