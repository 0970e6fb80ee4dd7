# Writes reference.tsv: what the comparison and significance calculators show
# for a table of varied inputs, computed independently in R from the formulas
# with R's own pnorm, qnorm, pt and pchisq.
#   cd tests/calculators_comparisons_significance && Rscript make_reference.R
# A value rounded to n places is R's sprintf("%.nf") of the unrounded double
# (glibc printf: the exact binary value, ties to even), shown without
# trailing zeros; "-0" shows as "0". A value shown unrounded is its shortest
# plain text with at most 15 significant digits (sprintf("%.14e"), exact).
# Columns (tab-separated): calculator, inputs 1-8 (unused ones empty), then
# the expected box texts as box=text joined by " | " ("\n" for a line break
# inside the working box), or msg=<key> for a refused input.

rounded <- function(v, n) {
  s <- sprintf(paste0("%.", n, "f"), v)
  if (grepl("\\.", s)) s <- sub("\\.?0+$", "", s)
  if (s == "-0") s <- "0"
  s
}
plain15 <- function(v) {
  if (v == 0) return("0")
  s <- sprintf("%.14e", abs(v))
  mant <- gsub("\\.", "", sub("e.*$", "", s))
  ex <- as.integer(sub("^.*e", "", s))
  mant <- sub("0+$", "", mant)
  if (mant == "") mant <- "0"
  nd <- nchar(mant)
  out <- if (ex < 0) paste0("0.", strrep("0", -ex - 1), mant)
         else if (ex + 1 >= nd) paste0(mant, strrep("0", ex + 1 - nd))
         else paste0(substr(mant, 1, ex + 1), ".", substr(mant, ex + 2, nd))
  if (v < 0) paste0("-", out) else out
}
kv <- function(...) { a <- list(...); paste(paste0(names(a), "=", unlist(a)), collapse = " | ") }
rows <- character(0)
emit <- function(calc, inputs, expected) {
  inputs <- c(inputs, rep("", 8 - length(inputs)))
  rows <<- c(rows, paste(c(calc, inputs, expected), collapse = "\t"))
}

# Two one-tailed p values.
zdiff <- function(p1s, p2s, neg) {
  p1 <- as.numeric(p1s); p2 <- as.numeric(p2s)
  if (p1 <= 0 || p1 > 0.5 || p2 <= 0 || p2 > 0.5) return("msg=EnterP")
  swap <- !neg && p1 < p2
  first <- if (swap) p2 else p1; second <- if (swap) p1 else p2
  zf <- qnorm(first); zs <- qnorm(second)
  zd <- if (neg) (abs(zf) + abs(zs)) / sqrt(2) else (zf - zs) / sqrt(2)
  p <- 1 - pnorm(zd)
  kv(txtZ1 = rounded(abs(qnorm(p1)), 5), txtZ2 = rounded(abs(qnorm(p2)), 5),
     txtAnswerZ = rounded(zd, 5), txt1PZ = rounded(p, 5), txt2PZ = rounded(2 * p, 5))
}
for (c in list(c("0.05", "0.01", 0), c("0.01", "0.05", 0), c("0.05", "0.01", 1), c("0.01", "0.05", 1),
               c("0.2", "0.2", 0), c("0.5", "0.05", 0), c("0.5", "0.5", 1), c("0.001", "0.3", 0),
               c("0.0001", "0.45", 1), c("0.025", "0.0005", 0), c("0.123456", "0.0123", 0),
               c("0.49", "0.000001", 1), c("1e-10", "0.25", 0), c("0.333", "0.111", 1),
               c("0", "0.05", 0), c("0.6", "0.05", 0), c("-0.01", "0.05", 1), c("0.05", "0.5000001", 0)))
  emit("zdiff", c(c[1], c[2], c[3]), zdiff(c[1], c[2], c[3] == "1"))

# Two correlations from independent samples.
rind <- function(r1, n1, r2, n2) {
  if (r1 >= 1 || r1 <= -1 || r2 >= 1 || r2 <= -1) return("msg=CorrelationRange")
  if (n1 <= 3 || n2 <= 3) return("msg=ThreeSubjectsEach")
  z1 <- log((1 + r1) / (1 - r1)) / 2; z2 <- log((1 + r2) / (1 - r2)) / 2
  se <- sqrt(1 / (n1 - 3) + 1 / (n2 - 3)); zd <- (z1 - z2) / se
  P <- pnorm(abs(zd)); df <- (n1 - 3) + (n2 - 3); pt2 <- 2 * pt(-abs(zd), df)
  kv(txtZ1 = rounded(z1, 8), txtZ2 = rounded(z2, 8), txtSEdr = rounded(se, 8), txtZD = rounded(zd, 8),
     txt1PZ = rounded(1 - P, 8), txt2PZ = rounded(2 * (1 - P), 8), txtDF = plain15(df),
     txt2PT = rounded(pt2, 8), txt1PT = rounded(pt2 / 2, 8))
}
for (c in list(c(0.3, 50, 0.1, 60), c(0.1, 60, 0.3, 50), c(0.5, 4, 0.2, 4), c(0.999, 100, -0.999, 100),
               c(-0.45, 25, 0.12, 33), c(0.72, 150, 0.65, 210), c(0, 10, 0, 12), c(0.05, 1000, 0.02, 1500),
               c(0.9, 20, 0.4, 18), c(-0.2, 7, -0.6, 9), c(0.33, 5, 0.34, 40000), c(0.61, 12, 0.08, 11),
               c(1, 50, 0.1, 60), c(0.3, 50, -1, 60), c(0.3, 3, 0.1, 60), c(0.3, 50, 0.1, 3)))
  emit("rind", as.character(c), rind(c[1], c[2], c[3], c[4]))

# Two correlations of one sample sharing y (Williams' t).
rdep <- function(rxy, rvy, rxv, n) {
  if (any(c(rxy, rvy, rxv) >= 1) || any(c(rxy, rvy, rxv) <= -1)) return("msg=CorrelationRange")
  if (n <= 3) return("msg=ThreeSubjects")
  D <- ((1 - rxy^2) - rvy^2) - rxv^2 + (2 * rxy * rxv) * rvy
  t <- (rxy - rvy) * sqrt((n - 1) * (1 + rxv)) / sqrt(2 * (n - 1) / (n - 3) * D + ((rxy + rvy) / 2)^2 * (1 - rxv)^3)
  df <- n - 3; p2 <- 2 * pt(-abs(t), df)
  kv(txtRValue = rounded(D, 5), txtTValue = rounded(t, 5), txtDF = plain15(df),
     txt2PT = rounded(p2, 8), txt1PT = rounded(p2 / 2, 8))
}
for (c in list(c(0.5, 0.3, 0.4, 50), c(0.3, 0.5, 0.4, 50), c(0.7, 0.2, 0.1, 30), c(-0.3, 0.4, 0.25, 100),
               c(0.1, 0.1, 0.6, 12), c(0.82, 0.61, 0.55, 8), c(0.45, -0.15, -0.35, 200), c(0.05, 0.4, 0.9, 4),
               c(0.6, 0.58, 0.3, 40000), c(1, 0.3, 0.4, 50), c(0.5, 0.3, -1, 50), c(0.5, 0.3, 0.4, 3)))
  emit("rdep", as.character(c), rdep(c[1], c[2], c[3], c[4]))

# p values from a statistic (5 places).
for (c in list(c("2", "10"), c("-2", "10"), c("1.96", "1000"), c("0.5", "3"), c("12.3", "1"), c("-3.291", "45"),
               c("0", "8"), c("2.228", "10"), c("7", "250")))
  { p <- 2 * pt(-abs(as.numeric(c[1])), as.numeric(c[2]))
    emit("sigT", c, kv(txt2PT = rounded(p, 5), txt1PT = rounded(p / 2, 5))) }
for (z in c("1.96", "-1.96", "0", "1.644854", "2.575829", "-0.3", "3.8", "10"))
  { P <- pnorm(abs(as.numeric(z)))
    emit("sigZ", z, kv(txt2PZ = rounded(2 * (1 - P), 5), txt1PZ = rounded(1 - P, 5))) }
for (c in list(c("0.5", "27"), c("-0.5", "27"), c("0.3", "100"), c("0.999999999", "10"), c("0.05", "12"),
               c("-0.72", "9"), c("0", "30"), c("0.2", "3")))
  { r <- as.numeric(c[1]); df <- as.numeric(c[2]) - 2; t <- r * sqrt(df / (1 - r^2)); p <- 2 * pt(-abs(t), df)
    emit("sigR", c, kv(txtWorking = paste0("t value = ", plain15(t), "\\nDegrees of Freedom = ", plain15(df), ".\\n"),
                       txt2PR = rounded(p, 5), txt1PR = rounded(p / 2, 5))) }
for (c in list(c("1.0000000001", "10"), c("1", "10")))
  emit("sigR", c, "msg=RBelowOne")
for (c in list(c("6", "2"), c("-6", "2"), c("3.841459", "1"), c("0", "4"), c("25.5", "12"), c("0.004", "1"),
               c("120", "80"), c("9.21", "2")))
  { C <- pchisq(abs(as.numeric(c[1])), as.numeric(c[2]))
    emit("sigChi", c, kv(txt2PChi = rounded(1 - C, 5), txt1PChi = rounded((1 - C) / 2, 5))) }

# Two Hedges' g values: inputs gA, nA1, nA2, tA, gB, nB1, nB2, tB.
gdiff <- function(v) {
  gA <- v[1]; nA1 <- v[2]; nA2 <- v[3]; tA <- v[4]; gB <- v[5]; nB1 <- v[6]; nB2 <- v[7]; tB <- v[8]
  NA_ <- nA1 + nA2; NB <- nB1 + nB2
  numA <- nA2 * nA1 * 2 * (NA_ - 2); numB <- nB1 * nB2 * 2 * (NB - 2)
  denA <- (tA^2 + 2 * (NA_ - 2)) * NA_; denB <- (tB^2 + 2 * (NB - 2)) * NB
  WA <- numA / denA; WB <- numB / denB
  if (!is.finite(WA) || !is.finite(WB) || !(WA > 0) || !(WB > 0)) return("msg=NoWeight")
  z <- (gA - gB) / sqrt(1 / WB + 1 / WA); P <- pnorm(abs(z))
  p1 <- rounded(1 - P, 8); p2 <- rounded(2 * (1 - P), 8)
  kv(txt2PZ = p2, txt1PZ = p1,
     txtWorking = paste0("Wa = ", plain15(numA), " / ", plain15(denA), " = ", plain15(WA), "\\n",
                         "Wb = ", plain15(numB), " / ", plain15(denB), " = ", plain15(WB), "\\n",
                         "z statistic = ", plain15(z), "\\n", "2 sided p = ", p2, "\\n", "1 sided p = ", p1, "\\n"))
}
for (v in list(c(0.9, 10, 10, 2, 0.45, 10, 10, 1), c(0.45, 10, 10, 1, 0.9, 10, 10, 2), c(0.3, 25, 25, 1.5, 0.3, 40, 38, 1.9),
               c(0.8, 12, 15, 0, 0.1, 30, 31, 0), c(-0.25, 60, 55, -1.35, 0.62, 18, 22, 1.95),
               c(1.75, 7, 9, 3.4, 0.02, 200, 190, 0.28), c(0.51, 3, 2, 0.7, 0.49, 1000, 1200, 8.1),
               c(2.5, 40, 40, 11.2, -1.1, 33, 30, -4.3), c(0.9, 1, 1, 2, 0.45, 10, 10, 1), c(0.9, 0, 10, 2, 0.45, 10, 10, 1),
               c(0.9, 10, 10, 2, 0.45, 0, 0, 0)))
  emit("gdiff", as.character(v), gdiff(v))

header <- c("# Reference results of the comparison and significance calculators.",
            paste0("# Made with ", R.version.string, " by running, in this folder: Rscript make_reference.R"),
            "# The R code that made this file:",
            paste0("#   ", readLines("make_reference.R")))
writeLines(c(header, rows), "reference.tsv")
