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
    eval "$(xdotool getwindowgeometry --shell "$id")"
    echo "$X $Y $WIDTH $HEIGHT"
}

key_to_dialog() {
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    xdotool key --window "$id" "$2"
}

# Clicks the add button at ($1, $2), types the path $3 into the file dialog and accepts it.
choose_file_by_typing() {
    click_at "$1" "$2"
    local id=""
    for _ in $(seq 1 50); do
        id=$(xdotool search --onlyvisible --name '^Open$|^$' 2>/dev/null | tail -n 1) || true
        [ -n "$id" ] && break
        sleep 0.1
    done
    sleep 0.5
    xdotool type --delay 5 "$3"
    sleep 0.2
    xdotool key Return
    sleep 1.5
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
