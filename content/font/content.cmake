# The game's font: DejaVu Sans Bold rendered into the glyph sheet and its description.
if(TARGET make_font)
  tw_content(TOOL make_font
    OUTPUTS textures/font.bmp font/font_desc.xml
    ARGS /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ${TW_CONTENT_DIR})
endif()
