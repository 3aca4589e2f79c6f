# Glyphs of the controls: the CHECKBOX strip of the glyph check box.
