#!/bin/bash
# Draws one fixed set of views with two native builds' snapshot tools and
# compares the frames pixel by pixel, to show that a change to how things are
# drawn leaves the picture alone. Also compares the frames the render tests
# keep (render-out/), when both builds have run them.
#
#   scripts/compare-frames.sh OLD_BUILD NEW_BUILD OUT_DIR
#
# OLD_BUILD and NEW_BUILD are native build directories (with snapshot built).
# For every view it writes OUT_DIR/NAME-old.png, NAME-new.png and NAME-diff.png
# (ImageMagick's difference picture: changed pixels in red) and prints how many
# pixels differ at all and how many by more than a few levels. A view fails
# when more than 0.5 % of its pixels differ; the exit status is the number of
# failed views. Look at the pairs and the difference pictures as well: large
# differences belong only on the edges of triangles.
#
# The clock is stopped (libfaketime, speed 0) so the stars twinkle alike and the moon shows
# the same phase in both builds.
set -u

if [ $# -ne 3 ]; then
  echo "usage: $0 OLD_BUILD NEW_BUILD OUT_DIR" >&2
  exit 2
fi
old="$1"
new="$2"
out="$3"
mkdir -p "$out"

FAKETIME_LIBRARY=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
FROZEN_CLOCK="@2026-12-05 22:00:00 x0"
# Differences of up to this much are rounding; beyond it a pixel really changed.
FEW_LEVELS="1.6%"
ALLOWED_PERCENT="0.5"

views=(
  # The gallery's views.
  "day            --at 0,40 --look -90,-5"
  "night          --at 0,40 --look -90,-5 --night 1"
  "snow           --at 0,40 --look -90,-5 --weather snow --snow-cover 1"
  "rain           --at 0,40 --look -90,-5 --weather rain"
  "binoculars     --near enemy,30 --binoculars"
  "night_binocs   --near enemy,30 --binoculars --night 1"
  "fight          --near enemy,9,60 --fire --frames 6"
  "enemy          --near enemy,4,90"
  "deer           --near deer,2.5,90"
  "rabbit         --near rabbit,1.2,90"
  # Close to the scenery.
  "tree_close     --at -9.3,21 --look-at -9.26,2.5,16.04"
  "tree_crown     --at -21,21 --look-at -23.1,4,24.7"
  "rock_close     --at 8.5,11 --look-at 8.55,1.0,8.18"
  "rock_far       --at -18.6,54 --look-at -18.67,0.8,50.57"
  "sign           --near-sign"
  "bush_a         --near-bush 0"
  "bush_b         --near-bush 41"
  "stream         --near-stream 0.5"
  "stream_night   --near-stream 0.2 --night 1"
  # Every direction from the start, with things cut by every edge of the view.
  "look_east      --look 0,0"
  "look_south     --look 90,-10"
  "look_west      --look 180,5"
  "look_ne        --look -45,-25"
  "look_up        --look -120,60"
  "corner         --at -120,-120 --look 45,-3"
  "corner_binocs  --at -120,-120 --look 45,-3 --binoculars"
  # Weather, snow and the sky.
  "snow_partial   --at 0,40 --look -90,-5 --weather snow --snow-cover 0.4"
  "snow_edge      --look 30,-20 --weather snow --snow-cover 0.01"
  "snow_grass     --look 30,-20 --snow-cover 0.0099"
  "snow_night     --look 150,-5 --weather snow --snow-cover 0.7 --night 1"
  "night_sky      --look -60,25 --night 1"
  "night_binocs2  --look 0,2 --night 1 --binoculars"
  "rain_night     --look 60,0 --weather rain --night 1"
  "rainbow        --look -90,10 --rainbow 1"
  "walking_deer   --near deer,6,180 --frames 40"
  "fallen_enemy   --near enemy,7 --fire --frames 90"
)

compare_pair() {
  local name="$1" a="$2" b="$3"
  local total any big percent status
  total=$(identify -format '%[fx:w*h]' "$a")
  any=$(compare -metric AE "$a" "$b" "$out/$name-diff.png" 2>&1 >/dev/null)
  big=$(compare -metric AE -fuzz "$FEW_LEVELS" "$a" "$b" null: 2>&1 >/dev/null)
  percent=$(awk -v d="$any" -v t="$total" 'BEGIN { printf "%.3f", 100 * d / t }')
  status=ok
  if awk -v p="$percent" -v a="$ALLOWED_PERCENT" 'BEGIN { exit !(p > a) }'; then
    status=FAIL
    failures=$((failures + 1))
  fi
  printf '%-34s %8s px differ (%6s %%), %7s by more than a few levels  %s\n' "$name" "$any" "$percent" "$big" "$status"
}

failures=0
for view in "${views[@]}"; do
  read -r name args <<<"$view"
  # shellcheck disable=SC2086
  LD_PRELOAD="$FAKETIME_LIBRARY" FAKETIME="$FROZEN_CLOCK" "$old/snapshot" $args "$out/$name-old.png" || { echo "$name: old build failed"; failures=$((failures + 1)); continue; }
  # shellcheck disable=SC2086
  LD_PRELOAD="$FAKETIME_LIBRARY" FAKETIME="$FROZEN_CLOCK" "$new/snapshot" $args "$out/$name-new.png" || { echo "$name: new build failed"; failures=$((failures + 1)); continue; }
  compare_pair "$name" "$out/$name-old.png" "$out/$name-new.png"
done

if [ -d "$old/render-out" ] && [ -d "$new/render-out" ]; then
  for a in "$old"/render-out/*.png; do
    name="render-$(basename "$a" .png)"
    b="$new/render-out/$(basename "$a")"
    [ -f "$b" ] || { echo "$name: missing in the new build"; continue; }
    cp "$a" "$out/$name-old.png"
    cp "$b" "$out/$name-new.png"
    compare_pair "$name" "$a" "$b"
  done
fi

echo "$failures view(s) differ in more than $ALLOWED_PERCENT % of their pixels"
exit "$failures"
