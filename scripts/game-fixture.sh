# shellcheck shell=bash
# Shared by the scripts that run the real game on test data. Source it, then
#   make_game_folder PROGRAM DIR
# copies the game into DIR (as DIR/vandor), with the window icon that lies beside every built or
# installed game, and a "scenario" folder beside it, so that it runs in debug
# mode on loose files: a still scene that shows the background bg01.png at once and
# waits for a click, over and over. The background has clear regions, so that single
# pixels of a screenshot say where the picture lies and how it was scaled:
#   top left quarter ($bg_red), top right ($bg_blue), bottom left ($bg_green),
#   bottom right 1-pixel columns, black at even x and white at odd x,
#   4 x 4 squares in the top left ($bg_corner_left) and top right ($bg_corner_right)
#   corners. (The message window covers the bottom fifth: y 480 and below.)

bg_red=C03020
bg_blue=2060C0
bg_green=30A040
bg_corner_left=FFFF00
bg_corner_right=00FFFF

make_game_folder() {
    local program="$1" dir="$2"
    mkdir -p "$dir/scenario" "$dir/bgimage"
    cp "$program" "$dir/vandor"
    local icon
    icon="$(dirname "$program")/io.github.quilfen.vandor.png"
    if [[ -f "$icon" ]]; then cp "$icon" "$dir/"; fi
    convert -size 1x1 xc:black xc:white +append "PNG24:$dir/stripe.png"
    convert -size 800x600 "xc:#$bg_red" +antialias \
        -fill "#$bg_blue" -draw 'rectangle 400,0 799,299' \
        -fill "#$bg_green" -draw 'rectangle 0,300 399,599' \
        \( -size 400x300 "tile:$dir/stripe.png" \) -geometry +400+300 -composite \
        -fill "#$bg_corner_left" -draw 'rectangle 0,0 3,3' \
        -fill "#$bg_corner_right" -draw 'rectangle 796,0 799,3' \
        "PNG24:$dir/bgimage/bg01.png"
    rm "$dir/stripe.png"
    printf '%s\n' '[bg01/0]' '*still' '[クリック待]' '[ジャンプ/*still]' >"$dir/scenario/first.txt"
}
