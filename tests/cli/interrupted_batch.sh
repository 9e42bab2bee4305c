#!/bin/sh
# A batch ended by a signal while it writes --output leaves no temporary
# file behind. Arguments: the program, the rate file, a folder to write in.
cli=$1 rates=$2 dir=$3
out=$dir/interrupted.csv
rm -f "$out" "$dir"/.interrupted.csv.levywise-* "$dir/interrupted.fifo"
# The input is a pipe held open, so the batch is still running when the signal comes.
mkfifo "$dir/interrupted.fifo"
"$cli" batch --rates "$rates" --output "$out" <"$dir/interrupted.fifo" &
batch=$!
exec 3>"$dir/interrupted.fifo"
for _ in $(seq 100); do
  ls "$dir"/.interrupted.csv.levywise-* >/dev/null 2>&1 && break
  sleep 0.05
done
ls "$dir"/.interrupted.csv.levywise-* >/dev/null 2>&1 || { echo "no temporary file made"; exit 1; }
kill -TERM "$batch"
wait "$batch"
status=$?
exec 3>&-
rm -f "$dir/interrupted.fifo"
if ls "$dir"/.interrupted.csv.levywise-* >/dev/null 2>&1; then
  echo "temporary file left behind"; exit 1
fi
[ "$status" -eq 143 ] || { echo "exit status $status, not 143 (ended by SIGTERM)"; exit 1; }
[ ! -e "$out" ] || { echo "output written"; exit 1; }
