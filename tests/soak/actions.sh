# The soak's random input (sourced by scripts/soak): popup menu commands, feeding, touch and
# zoom clicks, F1, and the three dialogs opened, edited and closed. Every action starts and
# ends with only the tank on the screen. Keys go to the window that holds the input focus
# (XTEST); the tank answers only Esc and F1, and an Esc is sent only once the window it is for
# has the focus (escape_from), so none ever ends the program.
# Needs: APP_PID (the program), SOAK_MEDIA (pictures and tracks), soak_note (a log line).

FISH_CAPTION='^Fish Settings - Quelmarine Fish 3D Screensaver 1.0$'
MUSIC_CAPTION='^Custom Music - Quelmarine Fish 3D Screensaver 1.0$'
BACKGROUND_CAPTION='^Custom Background - Quelmarine Fish 3D Screensaver 1.0$'
MENU_ITEM_HEIGHT=48 # the popup's rows, from its top-left corner at the click point
SCREEN_WIDTH=1280 SCREEN_HEIGHT=1024 # the virtual X server's screen (lib.sh)

# A random whole number in [$1, $2].
between() { echo $(($1 + RANDOM % ($2 - $1 + 1))); }
pause() { sleep "$(between "$1" "$2" | awk '{ printf "%.2f", $1 / 100 }')"; }

tank_window() { xdotool search --onlyvisible --name '^QuelmarineScr$' 2>/dev/null | head -n 1; }
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# Waits up to $2 s (default 5) for a visible window named $1; prints its id.
wait_window() {
    local id=""
    for _ in $(seq 1 $((${2:-5} * 10))); do
        id=$(window_named "$1")
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}


# Sets X, Y, WIDTH, HEIGHT for window $1.
geometry_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
# The window last measured covers the screen: the tank's frame or its view.
covers_screen() { [ "$WIDTH" -ge "$SCREEN_WIDTH" ] && [ "$HEIGHT" -ge "$SCREEN_HEIGHT" ]; }

click() { xdotool mousemove "$1" "$2" sleep 0.1 click "${3:-1}"; }

# The program's windows on the screen that are not the tank (the frame and the view inside
# it both cover the whole screen): a message box, a file dialog, a dialog or the menu.
stray_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        geometry_of "$id" 2>/dev/null || continue
        covers_screen && continue
        echo "$id"
    done
}

# Esc to window $1, only once it holds the input focus: Qt hands a key to the window that has
# the focus, whatever window it was sent to, and an Esc that reaches the tank ends the program.
# A click near its top-right corner (empty there, or a species picture) gives it the focus.
escape_from() {
    local id="$1"
    geometry_of "$id" 2>/dev/null || return 0
    click $((X + WIDTH - 5)) $((Y + 5))
    sleep 0.2
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] || return 0
    xdotool key Escape
    for _ in $(seq 1 20); do
        xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
}

# Closes what an action left open (one that went wrong): the menu by a click on the tank's
# corner, anything else by Esc.
close_strays() {
    local id strays
    for round in 1 2 3 4; do
        strays=$(stray_windows)
        [ -z "$strays" ] && return 0
        soak_note "closing windows left open:$(for id in $strays; do printf " '%s'" "$(xdotool getwindowname "$id" 2>/dev/null)"; done)"
        for id in $strays; do
            if [ "$round" -eq 1 ] && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = QuelmarineScr ]; then
                click $((SCREEN_WIDTH - 5)) $((SCREEN_HEIGHT - 5))
            else
                escape_from "$id"
            fi
        done
        sleep 0.3
    done
}

# Right click at a random place and choose popup item $1 (0 = "  Feed Fish").
choose_from_menu() {
    local x y
    x=$(between 40 1000) y=$(between 40 600)
    click "$x" "$y" 3
    sleep 0.6
    click $((x + 70)) $((y + $1 * MENU_ITEM_HEIGHT + MENU_ITEM_HEIGHT / 2))
}

# A mode from the menu (feed, touch, zoom in, zoom out), then a few left clicks on the tank.
act_mode_clicks() {
    local item
    item=$(between 0 3)
    soak_note "menu item $item, then clicks"
    choose_from_menu "$item"
    for _ in $(seq 1 "$(between 1 6)"); do
        xdotool mousemove "$(between 20 1260)" "$(between 20 1000)"
        pause 5 40
        if [ $((RANDOM % 4)) -eq 0 ]; then
            xdotool mousedown 1 sleep 0.3 mouseup 1 # a held press acts once
        else
            xdotool click 1
        fi
        pause 5 30
    done
}

act_help() {
    soak_note "F1"
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null) && geometry_of "$focus" 2>/dev/null &&
        covers_screen && xdotool key F1
    pause 20 120
}

# How long an action waits for a window it opened, in seconds (longer in the first round, where
# each window opens for the first time).
WINDOW_WAIT=5

# Chooses item $1 of the popup menu and sets DIALOG to the id of the dialog captioned $2 once
# it shows; fails (noted) when it does not.
open_dialog() {
    choose_from_menu "$1"
    DIALOG=$(wait_window "$2" "$WINDOW_WAIT")
    [ -n "$DIALOG" ] || soak_note "the dialog $2 did not show"
    [ -n "$DIALOG" ]
}

# Fish Settings: species clicks, the buttons and the keys A, D, R, C, double clicks; closed with
# Enter (saves) or Esc.
act_fish_settings() {
    soak_note "Fish Settings"
    open_dialog 4 "$FISH_CAPTION" || return 0
    local id=$DIALOG
    geometry_of "$id"
    local buttons=(202 249 299 346) keys=(a d r c)
    for _ in $(seq 1 "$(between 2 10)"); do
        case $((RANDOM % 5)) in
        0) click $((X + 50 + 100 * $(between 0 4))) $((Y + 45)) ;;
        1) click $((X + ${buttons[RANDOM % 4]})) $((Y + 539)) ;;
        2) xdotool key "${keys[RANDOM % 4]}" ;;
        3) xdotool mousemove $((X + 50 + 100 * $(between 0 4))) $((Y + 45)) click --repeat 2 1 ;;
        4) xdotool mousemove $((X + 50 + 100 * $(between 0 4))) $((Y + 45)) click --repeat 2 3 ;;
        esac
        pause 10 80 # the dialog saves every half second
    done
    if [ $((RANDOM % 2)) -eq 0 ]; then xdotool key Return; else escape_from "$id"; fi
    sleep 0.3
}

# Types path $1 into the file dialog that the button at ($2, $3) opens (a click on its file
# name box first) and accepts it; Esc when the dialog is still open after three Returns.
# FILE_TAKEN is "yes" when the dialog took the path, else empty.
add_through_file_dialog() {
    FILE_TAKEN=""
    click "$2" "$3"
    local id
    id=$(wait_window '^Open$' "$WINDOW_WAIT")
    if [ -z "$id" ]; then
        soak_note "the file dialog did not show (its button is off while a track plays)"
        return 0
    fi
    sleep 0.3
    geometry_of "$id"
    click $((X + WIDTH / 2)) $((Y + HEIGHT - 55))
    xdotool key ctrl+a
    xdotool type --delay 5 "$1"
    sleep 0.2
    # The first Return may only close the name completer's list.
    for _ in 1 2 3; do
        xdotool key Return
        sleep 0.7
        [ -z "$(window_named '^Open$')" ] && FILE_TAKEN=yes && return 0
    done
    soak_note "the file dialog did not take $1"
    escape_from "$id"
}

# Custom Background: rows, the modes, own pictures off and on, the interval typed (back to 0
# at the end, so the pictures go on cycling every tick), a picture removed and one added
# through the file dialog.
act_background() {
    soak_note "Custom Background"
    open_dialog 6 "$BACKGROUND_CAPTION" || return 0
    local id=$DIALOG
    geometry_of "$id"
    local pictures=("$SOAK_MEDIA"/picture*)
    for _ in $(seq 1 "$(between 2 8)"); do
        case $((RANDOM % 7)) in
        0 | 1) click $((X + 220)) $((Y + 64 + 14 * $(between 0 3))) ;;
        2) click $((X + 34)) $((Y + 290 + 27 * $(between 0 2))) ;;
        3) click $((X + 18)) $((Y + 18)) && pause 20 60 && click $((X + 18)) $((Y + 18)) ;;
        4) click $((X + 218)) $((Y + 315)) && xdotool key ctrl+a && xdotool key "$(between 0 2)" ;;
        5)
            click $((X + 220)) $((Y + 64 + 14 * $(between 0 3)))
            click $((X + 253)) $((Y + 246)) # Remove Image
            add_through_file_dialog "${pictures[RANDOM % ${#pictures[@]}]}" $((X + 89)) $((Y + 246))
            ;;
        6)
            if [ $((RANDOM % 3)) -eq 0 ]; then
                click $((X + 416)) $((Y + 246)) # Remove All, then two back
                add_through_file_dialog "${pictures[0]}" $((X + 89)) $((Y + 246))
                add_through_file_dialog "${pictures[1]}" $((X + 89)) $((Y + 246))
            fi
            ;;
        esac
        pause 10 60
    done
    click $((X + 218)) $((Y + 315))
    xdotool key ctrl+a && xdotool key 0
    sleep 0.2
    escape_from "$id"
    sleep 0.3
}

# Custom Music: rows, Play and Stop, the modes, own music on and off, the volume, a track
# added through the file dialog now and then (and the list emptied when it grows long).
act_music() {
    soak_note "Custom Music"
    open_dialog 5 "$MUSIC_CAPTION" || return 0
    local id=$DIALOG
    geometry_of "$id"
    local tracks=("$SOAK_MEDIA"/track*) play_x=(364 466)
    for _ in $(seq 1 "$(between 2 8)"); do
        case $((RANDOM % 7)) in
        0) click $((X + 200)) $((Y + 106 + 14 * $(between 0 3))) ;;
        1) click $((X + ${play_x[RANDOM % 2]})) $((Y + 288)) ;;
        2) click $((X + 34)) $((Y + 345 + 27 * $(between 0 2))) ;;
        3) click $((X + 34)) $((Y + 48)) ;;
        4) click $((X + $(between 155 495))) $((Y + 372)) ;;
        5) click $((X + 200)) $((Y + 106)) && click $((X + 160)) $((Y + 288)) ;; # Remove
        6)
            if [ $((RANDOM % 4)) -eq 0 ]; then
                click $((X + 262)) $((Y + 288)) # Remove All
            fi
            add_through_file_dialog "${tracks[RANDOM % ${#tracks[@]}]}" $((X + 58)) $((Y + 288))
            ;;
        esac
        pause 10 60
    done
    escape_from "$id"
    sleep 0.3
}

# The sound server's streams now: the ambient loop's and, while a track plays, the music's.
streams() { pactl list short sink-inputs 2>/dev/null | wc -l; }
own_music_on() { grep -q '^OwnMusic=1' "$XDG_CONFIG_HOME/QuelmarineScr/QuelmarineSet.ini" 2>/dev/null; }

# The sound in the same state for every quiet sample: own music stopped ("Stop") and switched
# off ("On/Off", when it is on), so that the ambient loop plays, one stream. (Own music switched
# on but stopped plays nothing and holds no sound-server connection: six descriptors fewer.)
quiet_sound() {
    open_dialog 5 "$MUSIC_CAPTION" || return 0
    local id=$DIALOG
    geometry_of "$id"
    click $((X + 466)) $((Y + 288)) # Stop
    sleep 0.3
    if own_music_on; then click $((X + 34)) $((Y + 48)); fi
    escape_from "$id"
    for _ in $(seq 1 100); do
        ! own_music_on && [ "$(streams)" -eq 1 ] && return 0
        sleep 0.1
    done
    soak_note "quiet sound: own music $(own_music_on && echo on || echo off), $(streams) stream(s)"
}

# One random action, weighted towards the tank's own input; only those named in
# QUELMARINE_SOAK_ACTIONS when it is set.
soak_random_action() {
    close_strays
    if [ -n "${QUELMARINE_SOAK_ACTIONS:-}" ]; then
        local only=($QUELMARINE_SOAK_ACTIONS)
        "${only[RANDOM % ${#only[@]}]}"
        return
    fi
    case $((RANDOM % 10)) in
    0 | 1 | 2 | 3) act_mode_clicks ;;
    4) act_help ;;
    5 | 6) act_fish_settings ;;
    7 | 8) act_background ;;
    9) act_music ;;
    esac
}

# Own music switched off (the ambient loop plays), a track added through the file dialog, then
# played for two seconds and stopped; true when the track was taken and played (a second
# stream came).
first_music() {
    open_dialog 5 "$MUSIC_CAPTION" || return 1
    local id=$DIALOG played=""
    geometry_of "$id"
    local mx=$X my=$Y
    if own_music_on; then click $((mx + 34)) $((my + 48)); fi
    add_through_file_dialog "$SOAK_MEDIA/track0.wav" $((mx + 58)) $((my + 288))
    click $((mx + 200)) $((my + 106)) # the first row
    click $((mx + 364)) $((my + 288)) # Play
    for _ in $(seq 1 50); do
        [ "$(streams)" -ge 2 ] && played=yes && break
        sleep 0.1
    done
    sleep 2
    click $((mx + 466)) $((my + 288)) # Stop
    escape_from "$id"
    [ -n "$FILE_TAKEN" ] && [ -n "$played" ]
}

# A picture added through the file dialog; true when it was taken.
first_picture() {
    open_dialog 6 "$BACKGROUND_CAPTION" || return 1
    local id=$DIALOG
    geometry_of "$id"
    add_through_file_dialog "$SOAK_MEDIA/picture0.png" $((X + 89)) $((Y + 246))
    escape_from "$id"
    [ -n "$FILE_TAKEN" ]
}

# Every kind of action once, so that whatever is made on first use exists before the warm-up's
# sample: also a track played, and a picture and a track added through the file dialogs, each
# tried up to three times until it takes (a window can be slow to come the first time on a busy
# machine, and what it makes would then come after the warm-up).
soak_first_round() {
    local WINDOW_WAIT=20 part try
    for part in first_music first_picture; do
        for try in 1 2 3; do
            close_strays
            "$part" && break
            soak_note "first round: $part did not take (try $try)"
        done
    done
    close_strays
    act_mode_clicks
    act_help
    act_help
    act_fish_settings
    close_strays
    act_background
    close_strays
    act_music
    close_strays
}
