"""Random rate files for the browser tests: Windows-1252 bytes, CR LF lines."""

import random

HOSTILE_NAME = "<img src=x onerror=alert(1)>"


def _name(rng, prefix):
    words = ["OAK", "RIVER", "HILL", "MESA", "CAF\xc9", "A&B", "<b>", "NORTH", "PINE"]
    return (prefix + " " + " ".join(rng.choice(words) for _ in range(rng.randint(1, 3))))[:30]


def _amount(rng):
    return rng.choice(["", "", "3000", "5000", "12500.50"])


def _optional(rng):
    return rng.choice(["", "", "20%", "0.2", "0.05", "1", "3000"])


def unit_line(rng, code, name, kind, default="N", rate=None):
    rate = rate if rate is not None else f"{rng.uniform(0, 1.5):.4f}"
    vets = [str(rng.choice([0, 5000, 7500, 12000, 32767])) for _ in range(4)]
    cols = [code, name, kind, default, rate, _amount(rng), _amount(rng), _amount(rng),
            _optional(rng), _optional(rng), _optional(rng), "", ""] + vets
    return "\t".join(cols)


def rate_file(seed, specials=None, hostile=False):
    """A rate file's bytes and its units as (code, name, kind); specials fixes
    the number of special districts."""
    rng = random.Random(seed)
    counts = {"K": rng.randint(1, 3), "C": rng.randint(1, 4), "I": rng.randint(1, 3),
              "S": rng.randint(0, 12) if specials is None else specials}
    codes = iter(rng.sample([c for c in range(200, 999) if c != 900], sum(counts.values())))
    lines = ["TaxRates v3.54\t2027 Proposed\tRandom %d\t" % seed]
    for kind, n in counts.items():
        for k in range(n):
            name = _name(rng, kind)
            if kind == "C" and k == 0 and rng.random() < 0.5:
                name = "CITY OF QUARLOW"
            if hostile and k == 0:
                name = HOSTILE_NAME
            lines.append(unit_line(rng, str(next(codes)), name, kind, rng.choice("YN")))
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")
