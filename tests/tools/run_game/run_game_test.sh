#!/usr/bin/env bash
# tools/run-game.sh keeps the player's files: a second start finds the save files
# and the archive the first one wrote, a change of the sample data or of the
# compiled story is copied anew, and a start beside a running game changes nothing.
# The game is stood in for by a program that writes what the real one writes.
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tree/data/Data" "$scratch/tree/tools" "$scratch/build/bin" "$scratch/build/Data"
cp "$root/tools/run-game.sh" "$scratch/tree/tools/"
echo "[Common]" > "$scratch/tree/data/Data/Common.ini"
echo "story 1" > "$scratch/build/Data/scenario.dat"
# Packs its archive when there is none, saves, and stays while told to.
cat > "$scratch/build/bin/vesk" <<'GAME'
#!/usr/bin/env bash
[ -f Data.dat ] || cat Data/Common.ini > Data.dat
echo "saved $(cat scenario.dat)" >> global.dat
while [ -f "$HOLD" ]; do sleep 0.05; done
GAME
chmod +x "$scratch/build/bin/vesk"
run() { HOLD=${HOLD:-/nonexistent} "$scratch/tree/tools/run-game.sh" "$scratch/build" "$scratch/run"; }
fail() { echo "$*" >&2; exit 1; }

run
run
[ "$(cat "$scratch/run/global.dat")" = $'saved story 1\nsaved story 1' ] || fail "a second start lost the save"

echo "story 2" > "$scratch/build/Data/scenario.dat"
echo "Key=1" >> "$scratch/tree/data/Data/Common.ini"
touch -d '1 minute ago' "$scratch/tree/data/Data/Common.ini"
run
[ "$(tail -n1 "$scratch/run/global.dat")" = "saved story 2" ] || fail "the new story was not copied"
grep -q Key=1 "$scratch/run/Data.dat" || fail "the changed sample data was not packed anew"
[ "$(wc -l < "$scratch/run/global.dat")" -eq 3 ] || fail "the saves did not stay"

touch "$scratch/hold"
HOLD="$scratch/hold" run &
first=$!
while ! grep -q "story 2" <(tail -n +4 "$scratch/run/global.dat"); do sleep 0.05; done
before=$(cd "$scratch/run" && find . -type f -exec sha256sum {} + | sort)
echo "story 3" > "$scratch/build/Data/scenario.dat"
if run; then fail "a second start beside a running game went on"; fi
after=$(cd "$scratch/run" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "a start beside a running game changed its folder"
rm "$scratch/hold"
wait "$first"
