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

# The subsystems take only the parts of the game they use (a surface, a state record, the platform services
# they call), so their headers leave out the Game record. A header listed here keeps it, each for a reason:
set(VORNA_NARROW_LAYERS "gfx" "sound" "input" "music")
set(VORNA_GAME_HEADER "base/game.h")
set(VORNA_WHOLE_GAME_HEADERS
    # UpdateBackdrop draws from the game's one random sequence, shared in order with play and the scenes.
    "gfx/backdrop.h")
