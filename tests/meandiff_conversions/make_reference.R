# Writes conversions_reference.tsv: reference results of the seventeen
# effect-size conversions, computed independently in R from the formulas.
#   cd tests/meandiff_conversions && Rscript make_reference.R
# Every arithmetic step is checked as the program checks it: a division by
# zero, a square root of a negative number, a logarithm of a number <= 0, or a
# step that is not finite (overflow) is an error; so is a value that is not a
# number. The unrounded result is written with sprintf("%.17g"), which keeps
# the double exactly; the test rounds it half to even on its exact binary
# value. The column `rounded` is R's own rounding of the same double with
# sprintf("%.5f") (glibc printf: exact value, ties to even), a second check.
# For t to d the intermediate d5 is rounded the same way before the correction.

fail <- function() stop("arith", call. = FALSE)
ck <- function(v) { if (!is.finite(v)) fail(); v }
dv <- function(a, b) { ck(a); ck(b); if (b == 0) fail(); ck(a / b) }
sq <- function(x) { ck(x); if (x < 0) fail(); sqrt(x) }
lg <- function(x) { ck(x); if (x <= 0) fail(); log(x) }
ad <- function(a, b) ck(ck(a) + ck(b))
sb <- function(a, b) ck(ck(a) - ck(b))
ml <- function(a, b) ck(ck(a) * ck(b))
num <- function(s) { v <- suppressWarnings(as.numeric(s)); if (is.na(v) || !is.finite(v)) fail(); v }
blank <- function(s) trimws(s) == ""
round5 <- function(v) as.numeric(sprintf("%.5f", v))

msg <- function(key) list(kind = "message", key = key)
val <- function(v) list(kind = "value", v = v)

compute <- function(cv, xs, p, corr) {
  x <- num(xs)
  switch(cv,
    RtoD = if (x >= 1) msg("RLessThanOne") else val(dv(ml(2, x), sq(sb(1, ml(x, x))))),
    DtoR = if (!corr) val(dv(x, sq(ad(ml(x, x), 4)))) else {
      if (blank(p[1]) || blank(p[2])) msg("GroupSizes") else {
        n1 <- num(p[1]); n2 <- num(p[2]); n <- ad(n1, n2)
        a <- dv(sb(ml(n, n), ml(2, n)), ml(n1, n2))
        val(dv(x, sq(ad(ml(x, x), a))))
      }
    },
    FtoD = if (blank(p[1])) msg("DfError") else val(dv(ml(2, sq(x)), sq(num(p[1])))),
    FtoR = if (blank(p[1])) msg("DfError") else val(sq(dv(x, ad(x, num(p[1]))))),
    TtoR = if (blank(p[1])) msg("DfError") else { t2 <- ml(x, x); val(sq(dv(t2, ad(t2, num(p[1]))))) },
    TtoD = if (blank(p[1])) msg("DfError") else {
      raw <- dv(ml(2, x), sq(num(p[1])))
      if (!corr) val(raw) else {
        d5 <- round5(raw)
        if (blank(p[2]) || blank(p[3])) msg("GroupSizes") else {
          n1 <- num(p[2]); n2 <- num(p[3])
          A <- dv(ad(n2, n1), 2)
          H <- dv(1, ml(ad(dv(1, n2), dv(1, n1)), 0.5))
          val(ml(sq(dv(A, H)), d5))
        }
      }
    },
    ChitoR = if (blank(p[1])) msg("TotalN") else val(sq(dv(x, num(p[1])))),
    GtoD = if (blank(p[1]) || blank(p[2])) msg("TotalNAndDf") else val(ml(x, sq(dv(num(p[1]), num(p[2]))))),
    DtoG = if (blank(p[1]) || blank(p[2])) msg("TotalNAndWithinDf") else val(ml(x, sq(dv(num(p[1]), num(p[2]))))),
    GtoR = if (blank(p[1]) || blank(p[2])) msg("TotalNAndWithinDf") else
      val(dv(x, sq(ad(ml(x, x), dv(ml(4, num(p[1])), num(p[2])))))),
    FsqToRsq = val(dv(x, ad(x, 1))),
    RtoZ = if (!(x > 0 && x < 1)) msg("CorrelationRange") else val(dv(lg(abs(dv(ad(x, 1), sb(x, 1)))), 2)),
    RtoT = if (blank(p[1])) msg("WithinDf") else val(ml(dv(x, sq(sb(1, ml(x, x)))), sq(num(p[1])))),
    RtoChi = if (blank(p[1])) msg("Subjects") else val(ml(ml(x, x), num(p[1]))),
    WtoC = { w2 <- ml(x, x); val(sq(dv(w2, ad(w2, 1)))) },
    CtoW = { c2 <- ml(x, x); val(sq(dv(c2, sb(1, c2)))) },
    ChitoC = if (blank(p[1])) msg("TotalN") else val(sq(dv(x, ad(x, num(p[1]))))),
    stop("unknown conversion ", cv))
}

cases <- list()
add <- function(cv, value, ..., corr = 0) {
  p <- c(..., "", "", "")[1:3]
  cases[[length(cases) + 1]] <<- list(cv = cv, value = value, p = p, corr = corr)
}

set.seed(20261210)
rnd <- function(n, lo, hi) sprintf("%.4f", runif(n, lo, hi))
rint <- function(n, lo, hi) as.character(sample(lo:hi, n, replace = TRUE))

# r to d
for (v in c("0.6", "0", "0.3", "0.999", "0.999999", "-0.6", "-0.3", "0.123455", "-0.999",
            "1", "1.5", "1e200", "-1", "-1.5", "-1e200", ".", "abc"))
  add("RtoD", v)
for (v in rnd(10, -0.99, 0.99)) add("RtoD", v)
# d to r, without and with the correction
for (v in c("1.5", "0", "2", "-1.5", "0.2", "1e-5", "100000", "1e200", "-.5"))
  add("DtoR", v)
for (v in rnd(8, -4, 4)) add("DtoR", v)
for (a in list(c("1", "4", "4"), c("0.5", "10", "20"), c("-1", "4", "4"), c("1", "2", "2"), c("1", "1", "1"),
               c("2.5", "3", "30"), c("1", "", "4"), c("1", "4", ""), c("1", "", ""), c("1", " ", "4"),
               c("0", "1", "1"), c("1", "0", "5"), c("1", "0", "2"), c("1", "x", "4"), c("1", "0", "0")))
  add("DtoR", a[1], a[2], a[3], corr = 1)
for (i in 1:8) add("DtoR", rnd(1, -3, 3), rint(1, 2, 60), rint(1, 2, 60), corr = 1)
# F to d, F to r
for (a in list(c("9", "16"), c("1089", "16384"), c("0.06646728515625", "1"), c("9", ""), c("9", "0"),
               c("0", "0"), c("0", "5"), c("-9", "16"), c("2.25", "7")))
  add("FtoD", a[1], a[2])
for (i in 1:8) add("FtoD", rnd(1, 0, 40), rint(1, 1, 200))
for (a in list(c("9", "16"), c("1089", "3007"), c("0", "0"), c("0", "5"), c("-1", "16"), c("-20", "16"),
               c("9", ""), c("4", "12"), c("1e308", "1e308")))
  add("FtoR", a[1], a[2])
for (i in 1:8) add("FtoR", rnd(1, 0, 40), rint(1, 1, 200))
# t to r, t to d
for (a in list(c("3", "16"), c("33", "3007"), c("-3", "16"), c("-33", "3007"), c("0", "0"), c("0", "5"),
               c("3", ""), c("1e200", "1"), c("2.5", "10")))
  add("TtoR", a[1], a[2])
for (i in 1:8) add("TtoR", rnd(1, -6, 6), rint(1, 1, 200))
for (a in list(c("3", "16"), c("0.2578125", "1"), c("-0.2578125", "1"), c("33", "16384"), c("3", "0"),
               c("3", ""), c("-3", "16"), c("0.123455", "4"), c("2.675005", "4"), c("-3", "7")))
  add("TtoD", a[1], a[2])
for (i in 1:8) add("TtoD", rnd(1, -6, 6), rint(1, 1, 200))
for (a in list(c("3", "16", "10", "10"), c("3", "16", "", ""), c("3", "16", "10", ""), c("3", "16", "0", "10"),
               c("3", "16", "1", "4"), c("-3", "16", "1", "4"), c("0.20625", "1", "2", "8"),
               c("0.20625", "1", "1", "4"), c("1.65", "16", "2", "8"), c("3", "0", "10", "10"),
               c("3", "", "10", "10"), c("2.2", "38", "15", "25"), c("0.7", "98", "3", "97")))
  add("TtoD", a[1], a[2], a[3], a[4], corr = 1)
for (i in 1:8) add("TtoD", rnd(1, -5, 5), rint(1, 2, 120), rint(1, 1, 60), rint(1, 1, 60), corr = 1)
# chi-square to r
for (a in list(c("9", "100"), c("1089", "4096"), c("9", "0"), c("0", "0"), c("0", "7"), c("-9", "100"),
               c("9", ""), c("3.84", "50")))
  add("ChitoR", a[1], a[2])
for (i in 1:8) add("ChitoR", rnd(1, 0, 30), rint(1, 10, 500))
# g to d (N, df)
for (a in list(c("0.5", "36", "9"), c("0.515625", "4", "4"), c("-0.515625", "4", "4"), c("0.123455", "7", "7"),
               c("-0.123455", "7", "7"), c("2.675005", "7", "7"), c("0.5", "36", "0"), c("0.5", "0", "9"),
               c("0.5", "", "9"), c("0.5", "36", ""), c("0.8", "40", "38")))
  add("GtoD", a[1], a[2], a[3])
for (i in 1:8) add("GtoD", rnd(1, -2, 2), rint(1, 20, 200), rint(1, 4, 18))
# d to g (df, N)
for (a in list(c("1", "9", "36"), c("0.515625", "4", "4"), c("-0.515625", "4", "4"), c("0.123465", "7", "7"),
               c("1.03125", "1", "4"), c("1", "9", "0"), c("1", "", "36"), c("1", "9", ""), c("0.8", "38", "40")))
  add("DtoG", a[1], a[2], a[3])
for (i in 1:8) add("DtoG", rnd(1, -2, 2), rint(1, 4, 18), rint(1, 20, 200))
# g to r (df, N)
for (a in list(c("0.75", "8", "32"), c("0", "0", "0"), c("0", "0", "5"), c("0.75", "8", "0"), c("-0.75", "8", "32"),
               c("0.75", "", "32"), c("0.75", "8", ""), c("0", "8", "32"), c("1e200", "8", "32")))
  add("GtoR", a[1], a[2], a[3])
for (i in 1:8) add("GtoR", rnd(1, -2, 2), rint(1, 4, 100), rint(1, 6, 102))
# f squared to R squared
for (v in c("0.25", "63", "0", "-1", "-0.5", "0.02", "0.15", "0.35", "1e300", "1e308", "-63"))
  add("FsqToRsq", v)
for (v in rnd(8, 0, 3)) add("FsqToRsq", v)
# r to z
for (v in c("0.6", "0", "1", "-0.5", "1.5", "0.999999", "1e-10", "0.5", "0.3", "0.99"))
  add("RtoZ", v)
for (v in rnd(8, 0.01, 0.99)) add("RtoZ", v)
# r to t
for (a in list(c("0.6", "16"), c("1", "16"), c("1.5", "16"), c("-0.6", "16"), c("0.6", ""), c("0.6", "0"),
               c("0.3", "48"), c("-1", "5"), c("0.5", "1e10")))
  add("RtoT", a[1], a[2])
for (i in 1:8) add("RtoT", rnd(1, -0.95, 0.95), rint(1, 1, 300))
# r to chi-square
for (a in list(c("0.5", "100"), c("0.125", "1"), c("0.125", "3"), c("-0.125", "3"), c("1e200", "1"), c("0.5", ""),
               c("0.3", "0"), c("0.5", "1e6"), c("0.21", "150")))
  add("RtoChi", a[1], a[2])
for (i in 1:8) add("RtoChi", rnd(1, -1, 1), rint(1, 10, 1000))
# w to C, C to w
for (v in c("0.75", "0", "-0.75", "1e200", "1e150", "0.1", "0.3", "0.5", "3"))
  add("WtoC", v)
for (v in rnd(8, 0, 2)) add("WtoC", v)
for (v in c("0.6", "1", "1.5", "0", "-0.6", "-1", "0.999999", "0.3", "0.1"))
  add("CtoW", v)
for (v in rnd(8, -0.95, 0.95)) add("CtoW", v)
# chi-square to C
for (a in list(c("25", "75"), c("1089", "3007"), c("0", "0"), c("-25", "75"), c("25", ""), c("25", "abc"),
               c("25", "75 "), c("0", "10"), c("-75", "75"), c("3.84", "100")))
  add("ChitoC", a[1], a[2])
for (i in 1:8) add("ChitoC", rnd(1, 0, 40), rint(1, 10, 500))

rows <- character(0)
for (cs in cases) {
  r <- tryCatch(compute(cs$cv, cs$value, cs$p, cs$corr), error = function(e) list(kind = "error"))
  unrounded <- ""; rounded <- ""; key <- ""
  if (r$kind == "value") {
    unrounded <- sprintf("%.17g", r$v)
    rounded <- sprintf("%.5f", r$v)
  } else if (r$kind == "message") {
    key <- r$key
  }
  rows <- c(rows, paste(cs$cv, cs$corr, cs$value, cs$p[1], cs$p[2], cs$p[3], r$kind, unrounded, rounded, key,
                        sep = "\t"))
}

me <- sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE))
header <- c(
  "# Reference results of the effect-size conversions.",
  paste0("# Made with ", R.version.string, " by running, in this folder: Rscript ", basename(me)),
  "# Columns (tab-separated): conversion, corrected (the Yes of its correction), value box, parameter boxes 1-3",
  "# (in the order of meandiff::convert), kind (value / message / error), unrounded result (%.17g),",
  "# R's sprintf(\"%.5f\") of it, message key. The R code that made this file:",
  paste0("#   ", readLines(me)))
writeLines(c(header, "conversion\tcorrected\tvalue\tp1\tp2\tp3\tkind\tunrounded\trounded\tmessage", rows),
           "conversions_reference.tsv")
cat(length(rows), "cases\n")
