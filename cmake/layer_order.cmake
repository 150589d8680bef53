# The layers of src/, lowest first: a folder may include its own layer and any lower one, never a higher one
# nor a neighbour on its own rung. Names separated by commas share a rung; "backends/*" makes every backend
# folder its own neighbour, so one backend never reaches into another.
set(VORNA_LAYER_ORDER
    "platform"
    "base"
    "gfx,sound,input,music"
    "play"
    "scenes"
    "app"
    "backends/*"
    "programs")
