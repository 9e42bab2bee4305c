#!/usr/bin/env bash
# Measures levywise-cli: batch throughput and peak memory on a generated
# county of 497 units (20 special districts selected by default) and a
# generated CSV of properties, and the whole-process time of one estimate.
# The batch runs twice: with the districts sharing their exemption rules (as
# most counties' do) and with every district having rules of its own.
# Usage: scripts/bench-cli.sh [rows] (default 1000000); the program is taken
# from $LEVYWISE_BUILD_DIR (default build/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LEVYWISE_BUILD_DIR:-$root/build}"
cli="$build/cli/levywise-cli"
rows="${1:-1000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Codes 001..498 without 100: 20 county units, 127 cities, 50 school
# districts, 300 special districts of which the first 20 are selected.
county() {
  awk -v own="$1" 'BEGIN {
    printf "TaxRates v3.54\tBenchmark\tLarge\t\r\n";
    n = 0;
    for (i = 1; i <= 498; i++) {
      if (i == 100) continue;
      n++;
      type = n <= 20 ? "K" : n <= 147 ? "C" : n <= 197 ? "I" : "S";
      sel = (type == "S" && n <= 217) ? "Y" : "N";
      hs = (own && type == "S") ? 1000 + n : 3000;
      opths = (own && type == "S") ? sprintf("0.%d", n % 9 + 1) : "20%";
      printf "%03d\tUNIT %d OF THE COUNTY\t%s\t%s\t0.%04d\t%d\t10000\t12000\t%s\t0.1\t25000\t\t\t5000\t7500\t10000\t12000\t\t\t\t\r\n",
        i, (n * 7919) % 997, type, sel, 1000 + n * 13, hs, opths;
    }
  }'
}
county 0 > "$work/shared.tab"
county 1 > "$work/own.tab"

# Properties over every county, city and school district, every exemption
# and veteran bracket, with the file's default districts.
awk -v rows="$rows" 'BEGIN {
  print "id,value,county,city,school,homestead,exemption,veteran,specials";
  split(",over65,disabled", ex, ",");
  split(",1,2,3,4", vet, ",");
  for (r = 1; r <= rows; r++) {
    county = 1 + r % 20; city = 21 + r % 127; school = 149 + r % 50;
    if (city >= 100) city++;
    printf "P%d,%d,%03d,%03d,%03d,%s,%s,%s,\n", r, 40000 + (r * 7919) % 960000, county, city, school,
      (r % 2 ? "Y" : "N"), ex[1 + r % 3], vet[1 + r % 5];
  }
}' > "$work/in.csv"
echo "input: $rows rows, $(du -h "$work/in.csv" | cut -f1)"

for rules in shared own; do
  /usr/bin/time -f "%e %U %M" -o "$work/time" "$cli" batch --rates "$work/$rules.tab" \
    --input "$work/in.csv" --output "$work/out.csv"
  read -r elapsed user peak_kb < "$work/time"
  echo "batch, $rules exemption rules: $elapsed s elapsed ($(awk -v r="$rows" -v s="$elapsed" \
    'BEGIN { printf "%.2f", r / s / 1e6 }') M rows/s), $user s on the CPU ($(awk -v r="$rows" \
    -v s="$user" 'BEGIN { printf "%.2f", r / s / 1e6 }') M rows/s), peak memory $peak_kb kB"
done

runs=200
start=$(date +%s%N)
for _ in $(seq "$runs"); do
  "$cli" estimate --rates "$work/shared.tab" --value 250000 --county 001 --city 021 --school 149 \
    --homestead >/dev/null
done
end=$(date +%s%N)
echo "estimate: $(( (end - start) / runs / 1000 )) us per whole process (mean of $runs, 497-unit file)"
