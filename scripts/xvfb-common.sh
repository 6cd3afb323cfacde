# shellcheck shell=bash
# Shared by the scripts that drive a real window in a virtual X screen (Xvfb) with
# xdotool and check its screenshots with ImageMagick. Source it, then:
#   xvfb_require_tools               exit 77 (skipped) when a tool is missing
#   xvfb_run_self ARGS...            run the calling script again, as "$0 --inside ARGS...",
#                                    inside a virtual screen of 1700 x 1300 pixels
#   fail MESSAGE                     report a failure and count it in $failures
#   pixel FILE X Y                   the colour at X, Y of a screenshot, as RRGGBB
#   expect_pixel FILE X Y RRGGBB WHAT
#   window_icon_size WINDOW          the size of the first picture of the window's icon, as
#                                    WxH, waiting up to 10 s for one; "none" without

failures=0

xvfb_require_tools() {
    local tool
    for tool in xvfb-run xdotool import convert; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed (see scripts/packages.txt)"
            exit 77
        fi
    done
}

xvfb_run_self() {
    # No accessibility bus exists on the virtual screen; GTK's bridge to it would only
    # warn and leave allocations behind that LeakSanitizer reports in sanitizer builds.
    export NO_AT_BRIDGE=1
    exec xvfb-run -a -s "-screen 0 1700x1300x24" "$0" --inside "$@"
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -oE '#[0-9A-Fa-f]{6}' | head -1 | tr -d '#' | tr a-f A-F
}

expect_pixel() {
    local got
    got="$(pixel "$1" "$2" "$3")"
    [[ "$got" == "$4" ]] || fail "$5: pixel ($2, $3) of $(basename "$1") is $got, expected $4"
}

window_icon_size() {
    local size="" deadline=$((SECONDS + 10))
    until [[ -n "$size" ]] || ((SECONDS > deadline)); do
        size="$(xprop -id "$1" -notype -len 16 32c _NET_WM_ICON 2>/dev/null |
            sed -n 's/^_NET_WM_ICON = \([0-9]*\), \([0-9]*\).*/\1x\2/p')" || true
        [[ -n "$size" ]] || sleep 0.2
    done
    echo "${size:-none}"
}
