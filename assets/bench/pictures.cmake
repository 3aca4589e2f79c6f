# The bench page: the circuit diagram, its overlays, the switch and button glyphs.
