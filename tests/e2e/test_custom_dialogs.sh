#!/usr/bin/env bash
# The user's own pictures and music with the real program: each dialog opens from the popup
# menu, a file is added through the real file dialog by typing its path, own pictures switched
# on replace the backdrop (seen in a screenshot), and after Esc on the tank and a restart the
# lists, the switches and the modes are all still there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"

e2e_start_x 1280 1024
SHOTS="${QUELMARINE_E2E_SHOTS:-$E2E_SCRATCH}"

# A picture in a folder whose name has blanks: left half red, right half
# blue, as a camera names it; and a short tone.
media="$E2E_SCRATCH/Bilder am Meer"
mkdir -p "$media"
picture="$media/IMG_0001.JPG"
convert -size 400x300 xc:'rgb(220,30,30)' \( -size 200x300 xc:'rgb(30,30,220)' \) \
    -geometry +200+0 -composite "$picture"
track="$media/tone.wav"
sox -n -r 22050 -c 1 "$track" synth 2 sine 700

e2e_start_app
e2e_wait_window >/dev/null
sleep 1.5

# Custom Background: open it from the menu, add the picture, switch own pictures on.
open_from_menu 6
read -r bx by _ _ < <(dialog_geometry "$BACKGROUND_CAPTION") || fail "no background dialog"
pass "the background dialog opens from the menu"
e2e_shot "$SHOTS/background_dialog.png"
choose_file_by_typing $((bx + 89)) $((by + 246)) "$picture"
click_at $((bx + 18)) $((by + 18)) # "Use your own image"
sleep 1
e2e_shot "$SHOTS/background_with_picture.png"
grep -q "^OwnImage=1" "$SETTINGS_FILE" || fail "the switch was not saved at once"
e2e_poll 10 grep -qF "ImageList0=$picture" "$SETTINGS_FILE" || fail "the picture was not saved"
key_to_dialog "$BACKGROUND_CAPTION" Escape
sleep 1
e2e_shot "$SHOTS/tank_with_picture.png"
is_reddish "$SHOTS/tank_with_picture.png" "100x100+150+300" || fail "the left of the backdrop is not the picture's red"
is_bluish "$SHOTS/tank_with_picture.png" "100x100+1030+300" || fail "the right of the backdrop is not the picture's blue"
pass "own pictures on: the picture is the backdrop, the right way round"

# Custom Music: open it, add the tone, choose Repeat All (own music stays off: no sound here).
open_from_menu 5
read -r mx my _ _ < <(dialog_geometry "$MUSIC_CAPTION") || fail "no music dialog"
pass "the music dialog opens from the menu"
choose_file_by_typing $((mx + 58)) $((my + 287)) "$track"
click_at $((mx + 34)) $((my + 371)) # "Repeat All"
sleep 0.5
e2e_shot "$SHOTS/music_dialog.png"
e2e_poll 10 grep -qF "MusicList0=$track" "$SETTINGS_FILE" || fail "the track was not saved"

# The background dialog opened again while the music dialog is open: beside it, not on top.
open_from_menu 6
read -r mx my mw mh < <(dialog_geometry "$MUSIC_CAPTION") || fail "the music dialog went"
read -r bx by bw bh < <(dialog_geometry "$BACKGROUND_CAPTION") || fail "no background dialog"
e2e_shot "$SHOTS/both_dialogs.png"
[ $((bx + bw)) -lt "$mx" ] || [ $((mx + mw)) -lt "$bx" ] ||
    fail "the dialogs overlap: music at $mx,$my ${mw}x$mh, background at $bx,$by ${bw}x$bh"
pass "the second dialog opens beside the first (music at $mx,$my, background at $bx,$by)"

# Under a window manager: minimising a dialog (openbox minimises the tank with it) brings all
# back.
if [ -n "${E2E_WM:-}" ]; then
    tank=$(e2e_find_window)
    music=$(xdotool search --onlyvisible --name "^$MUSIC_CAPTION\$" | head -n 1)
    xdotool windowminimize "$music"
    e2e_poll 10 eval 'e2e_shown "$tank" && e2e_shown "$music"' ||
        fail "minimising the music dialog took the tank away (tank $(e2e_map_state "$tank"))"
    pass "minimising a dialog: the tank and the dialog come back"
fi
# A click on the background dialog (right of its switch's label) gives it the keyboard.
click_for_keyboard $((bx + bw - 40)) $((by + 18)) "$BACKGROUND_CAPTION"
xdotool key Escape
e2e_poll 10 eval '! dialog_geometry "$BACKGROUND_CAPTION" >/dev/null' || fail "Esc left the background dialog open"
read -r mx my _ _ < <(dialog_geometry "$MUSIC_CAPTION") || fail "the music dialog went"

# Esc on the tank while the music dialog is still open: everything is already kept.
click_at 1200 100
xdotool key Escape
e2e_wait_exit "$APP_PID" 5
[ "$EXIT_CODE" = 0 ] || fail "Esc gave '$EXIT_CODE'"

e2e_start_app
e2e_wait_window >/dev/null
sleep 3
e2e_shot "$SHOTS/restarted.png"
is_reddish "$SHOTS/restarted.png" "100x100+150+300" || fail "after the restart the picture is not the backdrop"
for line in "ImageSum=1" "OwnImage=1" "RepeatImage=1" "ImageTime=5" "MusicSum=1" "CycMusic=1" \
    "RepeatMusic=0" "OwnMusic=0"; do
    grep -q "^$line" "$SETTINGS_FILE" || fail "$line is not kept"
done
open_from_menu 5
e2e_poll 10 eval 'dialog_geometry "$MUSIC_CAPTION" >/dev/null' || fail "no music dialog after the restart"
read -r mx my _ _ < <(dialog_geometry "$MUSIC_CAPTION")
# (The dialog may take a moment to paint on a loaded machine.)
repeat_all_lit() {
    e2e_shot "$SHOTS/music_restarted.png"
    is_green "$SHOTS/music_restarted.png" "8x8+$((mx + 30))+$((my + 367))"
}
e2e_poll 10 repeat_all_lit || fail "Repeat All is not lit after the restart"
pass "after Esc and a restart the lists, the switches and the modes are kept"
