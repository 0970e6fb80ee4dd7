#!/usr/bin/env python3
# Reference values for Fisher's one-tailed p of extreme 2 x 2 tables: counts up
# to 2^53, very skewed tables and counts with fractions.
# Run from this folder:  python3 make_fisher_extreme.py
# Writes fisher_extreme.tsv: this script as comment lines, then one
# tab-separated row per table (a b c d p); p is "none" where a count is above
# 2^53 and the window shows a message instead of a p.
#
# Only Python's standard library and mpmath (50 significant digits) are used,
# independently of the program's code:
# - The direction is that of the smallest cell (first of a, b, c, d on a tie)
#   moving towards 0, the other cells moving so that the margins stay.
# - Each table's probability is n! products of the whole parts of the cells
#   and of the margins (a count below 0 counts as 0), as log-gamma values in
#   mpmath.  Counts are exact binary fractions, read as Fractions.
# - The walk sums the tables one by one: between tables the ratio of two
#   neighbours (a quotient of small whole numbers) in doubles, and every 1000
#   tables the probability afresh from the mpmath log-gammas, so no error
#   builds up.  The walk stops at the end of the table or once the rest, bounded
#   by a geometric series of the current ratio (the ratios only fall along the
#   walk), is below 1e-22 of the sum.
# - For [n, n; n, n] with n above 10^9 the walk would be too long: by symmetry
#   the tail is (1 + P(a = n)) / 2, with P from the mpmath log-gammas.  For
#   n = 10^9 the script checks that the walk agrees with this to 1e-13.
import math
import sys
from fractions import Fraction
from math import floor

import mpmath

mpmath.mp.dps = 50
LIMIT = 2 ** 53


def lf(n):
    return mpmath.loggamma(n + 1)


def setup(cells):
    a, b, c, d = cells
    margins = [a + b, c + d, a + c, b + d]
    n = a + b + c + d
    whole = lambda v: max(0, floor(v))
    const = sum(lf(whole(m)) for m in margins) - lf(whole(n))
    smallest = min(cells)
    chosen = cells.index(smallest)
    # a moves down with cells 0 and 3, up with cells 1 and 2.
    step = -1 if chosen in (0, 3) else 1
    sign = [step, -step, -step, step]
    return const, chosen, sign


def walk_p(cells):
    const, chosen, sign = setup(cells)
    v = cells[chosen]
    if v <= -1:
        return mpmath.mpf(0)
    w0 = [floor(x) for x in cells]
    frac = v - floor(v)
    last = w0[chosen] + (1 if frac > 0 else 0)   # the last step k: value v - k > -1

    def whole_parts(k):
        return [max(0, w0[i] + sign[i] * k) for i in range(4)]

    def log_t(k):
        return const - sum(lf(w) for w in whole_parts(k))

    base = log_t(0)
    # parts: the tables' probabilities in units of e^(base + scale), t the
    # current one in the same units (rescaled while the walk climbs towards the
    # most likely table).
    parts = []
    scale = mpmath.mpf(0)
    t = 1.0
    k = 0
    while True:
        parts.append(t)
        if k == last:
            break
        w = whole_parts(k)
        nxt = whole_parts(k + 1)
        r = 1.0
        for i in range(4):
            if nxt[i] < w[i]:
                r *= w[i]
            elif nxt[i] > w[i]:
                r /= nxt[i]
        k += 1
        if k % 1000 == 0:
            t = float(mpmath.exp(log_t(k) - base - scale))
        else:
            t *= r
        if t > 1e150:
            parts = [math.fsum(parts) / t]
            scale += mpmath.log(t)
            t = 1.0
        if r < 1 and t / (1 - r) < 1e-22 * parts[0]:
            parts.append(t)
            break
    return mpmath.exp(base + scale) * mpmath.mpf(math.fsum(parts))


def symmetric_p(n):
    # P(a = n) for [n, n; n, n]: margins 2n, N = 4n.
    p = mpmath.exp(4 * lf(2 * n) - lf(4 * n) - 4 * lf(n))
    return (1 + p) / 2


def reference(cells):
    if any(abs(x) > LIMIT for x in cells):
        return None
    a, b, c, d = cells
    if a == b == c == d and a == floor(a) and a > 10 ** 9:
        return symmetric_p(int(a))
    return walk_p(cells)


def num(x):
    # Shortest text that reads back as the same double.
    f = float(x)
    if f == int(f) and abs(f) < 1e17:
        return str(int(f))
    return repr(f)


n12 = 10 ** 12
# A table with margins near 10^12 and the observed cell 2.2 standard
# deviations below its expected value.
r1, r2, k1 = 10 ** 12 + 2 * 10 ** 6, 8 * 10 ** 12, 3 * 10 ** 12 + 5
N = r1 + r2
E = Fraction(r1 * k1, N)
sd = math.sqrt(r1 * r2 * k1 * (N - k1) / (N * N * (N - 1)))
a_skew = floor(E - Fraction(22, 10) * Fraction(sd))
skewed = (a_skew, r1 - a_skew, k1 - a_skew, r2 - k1 + a_skew)


def above(r1, k1, n, sds):
    # The first cell sds standard deviations above its expected value (still
    # the smallest cell): the walk towards 0 passes the most likely table.
    e = Fraction(r1 * k1, n)
    sd = math.sqrt(r1 * (n - r1) * k1 * (n - k1) / (n * n * (n - 1)))
    a = floor(e + Fraction(sds) * Fraction(sd))
    return (a, r1 - a, k1 - a, n - r1 - k1 + a)


tables = [
    # The tables of the fault report.
    (10 ** 16, 10 ** 16, 10 ** 16, 10 ** 16),
    (2 ** 53, 2 ** 53, 2 ** 53, 2 ** 53),
    (1, 10 ** 10, 10 ** 10, 1),
    (7, 2147483648, 2147483647, 32767),
    (Fraction(20000000001, 2), 10000000001, 10000000001, 10000000001),
    (10 ** 16, 10 ** 16, 1, 1),
    (10 ** 200, 10 ** 200, 1, 1),
    (Fraction(2000000000001, 2), 10 ** 12, 3, 5),
    # Just at and just above the limit of exact whole numbers.
    (5, 2 ** 53, 2 ** 53, 3),
    (3, 2 ** 53, 5, 2 ** 53 - 7),
    (2 ** 53 + 2, 5, 5, 5),
    # 10^12 per cell: balanced, near-balanced and skewed.
    (n12, n12, n12, n12),
    (n12 - 10 ** 6, n12 + 10 ** 6, n12 + 10 ** 6, n12 - 10 ** 6),
    skewed,
    (n12, 3, 4, n12),
    (12, n12, 3 * n12, 2 * n12),
    (2 ** 51, 2 ** 51, 2 ** 51, 2 ** 51),
    # The smallest cell above its expected value.
    (20, 30, 25, 100),
    (3, n12, 4, 2 * n12),
    above(2 * 10 ** 6 + 500, 2 * 10 ** 6 + 200, 5 * 10 ** 9, 1),
    above(2 * n12, 2 * n12, 9 * n12, 2),
    # The walk and the symmetry agree here (checked below).
    (10 ** 9, 10 ** 9, 10 ** 9, 10 ** 9),
    # Fractions: whole parts that do not add up to the whole part of a margin.
    (Fraction(40001, 2), Fraction(120001, 4), Fraction(60001, 2), Fraction(160003, 4)),
    (Fraction(5, 2), Fraction(15, 2), 5, 5),
]

if __name__ == "__main__":
    check = walk_p((10 ** 9,) * 4)
    sym = symmetric_p(10 ** 9)
    assert abs(check / sym - 1) < 1e-13, (check, sym)
    script = open(sys.argv[0]).read().splitlines()
    with open("fisher_extreme.tsv", "w") as out:
        for line in script:
            out.write("# " + line + "\n")
        out.write("a\tb\tc\td\tp\n")
        for t in tables:
            p = reference(t)
            ptext = "none" if p is None else mpmath.nstr(p, 17, min_fixed=-1, max_fixed=1)
            out.write("\t".join([num(x) for x in t] + [ptext]) + "\n")
            print(t, ptext, file=sys.stderr)
