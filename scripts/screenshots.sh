#!/usr/bin/env bash
# Screenshots for the README and the pages of docs/, taken under Xvfb into docs/screenshots/.
# Each line of SHOTS is one run of zt40util: the locale, then its arguments; {out} stands for
# the output folder. Add a line for a new window (a wizard page...) with the option that makes
# the program save it, e.g. --screenshot=FILE for the main window.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
out="$here/docs/screenshots"
bands="$here/platform/sim/examples/all-bands.zt40sim"

SHOTS=(
  "en_GB.UTF-8 --simulate=$bands --screenshot={out}/main-en.png --simulator-screenshot={out}/simulator-en.png"
  "ja_JP.UTF-8 --simulate=$bands --screenshot={out}/main-ja.png --simulator-screenshot={out}/simulator-ja.png"
)

command -v xvfb-run >/dev/null || { echo "screenshots.sh: xvfb-run is missing (apt-get install xvfb xauth)" >&2; exit 1; }
cmake --build "$build_dir" --target zt40util -j2 >/dev/null
mkdir -p "$out"
for shot in "${SHOTS[@]}"; do
  read -r locale args <<<"$shot"
  args=${args//\{out\}/$out}
  # shellcheck disable=SC2086 # one word per option, as written above
  env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$locale" xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/zt40util" $args
done

# The history window's "Wear" view, on three weeks of counter samples that lead up to the
# all-bands printer's counts (the window adds today's sample itself).
samples=$(mktemp -d)
trap 'rm -rf "$samples"' EXIT
python3 "$here/tools/wear_samples.py" "$samples/zt40util-samples.csv"
for edition in en_GB.UTF-8:en ja_JP.UTF-8:ja; do
  env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="${edition%%:*}" ZT40_DATA_DIR="$samples" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/zt40util" --simulate="$bands" \
    --wear-screenshot="$out/wear-${edition##*:}.png"
done

# Every page of both wizards and the origin page, in both editions.
BUILD_DIR="$build_dir" bash "$here/scripts/wizard-screenshots.sh" "$out"
