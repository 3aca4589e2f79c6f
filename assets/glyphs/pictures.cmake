# Glyphs of the controls: the CHECKBOX strip of the glyph check box.
oplab_render(pictures glyphs/checkbox.svg checkbox.bmp 1008 18 FORMAT bmp8)
