# Helpers for the end-to-end tests of the list dialogs (source after lib.sh).
MUSIC_CAPTION="Custom Music - Quelmarine Fish 3D Screensaver 1.0"
BACKGROUND_CAPTION="Custom Background - Quelmarine Fish 3D Screensaver 1.0"

click_at() { xdotool mousemove "$1" "$2" sleep 0.2 click 1; }

# Chooses popup item $1 (0 = the first) from a menu opened at (300, 200).
open_from_menu() {
    xdotool mousemove 300 200 click 3
    sleep 0.8
    click_at 370 $((200 + $1 * 48 + 24))
    sleep 1
}

# "X Y W H" of the visible window named $1.
dialog_geometry() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || return 1
    [ -n "$id" ] || return 1
    # (The window may go between the search and the questions: then there is none.)
    local x y geometry
    read -r x y < <(e2e_window_position "$id")
    geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || return 1
    [ -n "$x" ] && [ -n "$y" ] || return 1
    eval "$geometry"
    echo "$x $y $WIDTH $HEIGHT"
}

key_to_dialog() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    xdotool key --window "$id" "$2"
}

# Clicks the add button at ($1, $2), types the path $3 into the file dialog (once it has the
# keyboard) and accepts it; returns when the file dialog has gone.
choose_file_by_typing() {
    click_at "$1" "$2"
    e2e_poll 20 eval '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Open ]' ||
        fail "no file dialog took the keyboard"
    # The completion list the dialog offers while the path is typed may swallow keys (under a
    # window manager it sometimes does): the dialog then shows the path's folder with an empty
    # name, and the path is typed once more.
    local try
    for try in 1 2 3; do
        xdotool key ctrl+a
        xdotool type --delay 5 "$3"
        xdotool key Return
        e2e_poll 5 eval '[ -z "$(xdotool search --onlyvisible --name "^Open\$" 2>/dev/null)" ]' &&
            return 0
    done
    e2e_shot "${SHOTS:-$E2E_SCRATCH}/file_dialog_stayed.png"
    fail "the file dialog stayed open"
}

# Clicks at ($1, $2) until the window named $3 has the keyboard (a window that was asked for it
# a moment before may take it back once).
click_for_keyboard() {
    local try name="$3"
    for try in 1 2 3 4 5; do
        click_at "$1" "$2"
        e2e_poll 3 eval '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$name" ]' && return 0
    done
    fail "clicks did not give '$name' the keyboard (it is on '$(xdotool getwindowfocus getwindowname 2>/dev/null)')"
}

# The colour most pixels of the region have, as "R G B": a fish or a bubble that swims through
# the region does not change it (the mean did, when a large fish passed).
common_rgb() {
    convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- | sort -rn | head -n 1 |
        sed -E 's/^ *[0-9]+: \( *([0-9]+), *([0-9]+), *([0-9]+).*/\1 \2 \3/'
}
is_reddish() { read -r r g b < <(common_rgb "$1" "$2"); [ "$r" -gt $((2 * b)) ] && [ "$r" -gt 100 ]; }
is_bluish() { read -r r g b < <(common_rgb "$1" "$2"); [ "$b" -gt $((2 * r)) ] && [ "$b" -gt 100 ]; }
is_green() { read -r r g b < <(common_rgb "$1" "$2"); [ "$g" -gt 180 ] && [ "$r" -lt 80 ]; }
