# Sourced by scripts that drag the real window's border as a user does.

# drag_border GRIP_X GRIP_Y BORDER PIXELS: a press in the bottom border at GRIP_X, GRIP_Y (the
# border BORDER pixels high), a move down (or up, when negative) by PIXELS in four steps, and a
# release. The window manager sets its resize cursor on entering the border, so the press comes
# after that, and the moves are paced as a hand moves (there is nothing to poll for in between).
# HOLD (seconds, 0 by default): the hand holds still that long before it lets go.
drag_border() {
  local grip_x=$1 grip_y=$2 border=$3 pixels=$4 hold=${5:-0} step
  xdotool mousemove --sync "$grip_x" $((grip_y - border - 2)) mousemove --sync "$grip_x" "$grip_y"
  sleep 0.1
  xdotool mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove "$grip_x" $((grip_y + pixels * step / 4))
    sleep 0.05
  done
  sleep "$hold"
  xdotool mouseup 1
}
