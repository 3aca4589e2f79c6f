# The bench page: the circuit diagram, its overlays, the switch and button glyphs.

# The diagram ISh, 553 x 259, with the switches open (S6, S7 on Uвх).
oplab_render(pictures bench/schematic.svg schematic.png 553 259 HIDE closed AT2X)

# The overlays IS1..IS9: pieces of the same diagram with the switches closed
# (S6, S7 on Uвых). A picture point (x, y) lies at (x + 3, y + 3) of the
# panel PSh, so the piece of an overlay placed at panel (left, top) starts
# at picture (left - 3, top - 3).
foreach(overlay
    "IS1  9  75  60 113"
    "IS2 214 140  36  72"
    "IS3 299 113  53  26"
    "IS4 271  78  77  33"
    "IS5 388 142  70  46"
    "IS6 423  81  66  30"
    "IS7 402   4 117  35"
    "IS8 521 124  35  64"
    "IS9 248 109  29  27")
  string(REGEX MATCHALL "[^ ]+" field "${overlay}")
  list(GET field 0 name)
  list(GET field 1 left)
  list(GET field 2 top)
  list(GET field 3 width)
  list(GET field 4 height)
  math(EXPR x "${left} - 3")
  math(EXPR y "${top} - 3")
  oplab_render(pictures bench/schematic.svg ${name}.png 553 259
    HIDE open CROP ${x} ${y} ${width} ${height} AT2X)
endforeach()

# The switches' own pictures (46 x 30): lever up with the lamp lit when the
# switch is checked, lever down with the lamp dark when it is not.
oplab_render(pictures bench/switch-on.svg switch-on.png 46 30 AT2X)
oplab_render(pictures bench/switch-off.svg switch-off.png 46 30 AT2X)

# The power button: four 16 x 16 frames (up, disabled, pressed, down).
oplab_render(pictures bench/power.svg power.png 64 16 AT2X)
# "Печать экрана": a printer in two 18 x 18 frames (normal, disabled).
oplab_render(pictures bench/printer.svg printer.png 36 18 AT2X)
# "Выход": a door with an arrow out, 18 x 18.
oplab_render(pictures bench/exit.svg exit.png 18 18 AT2X)
