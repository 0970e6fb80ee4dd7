# Writes reference.tsv: what the within-subjects d, standard-deviation and
# counternull calculators show for a table of varied inputs, computed
# independently in R from the formulas with R's own qt, sqrt, atanh and tanh.
#   cd tests/calculators_within_sd_counternull && Rscript make_reference.R
# A value rounded to n places is R's sprintf("%.nf") of the unrounded double
# (glibc printf: the exact binary value, ties to even), shown without
# trailing zeros; "-0" shows as "0". A value shown unrounded is its shortest
# plain text with at most 15 significant digits (sprintf("%.14e"), exact).
# Columns (tab-separated): calculator, inputs 1-7 (unused ones empty), then
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
  inputs <- c(inputs, rep("", 7 - length(inputs)))
  rows <<- c(rows, paste(c(calc, inputs, expected), collapse = "\t"))
}

# Within-subjects d: r, t, n, sd1, sd2, intervals (1 or 0). The
# dependent-samples half-width uses the variance of the differences,
# s1^2 + s2^2 - 2 r s1 s2.
within <- function(rs, ts, ns, s1s, s2s, conf) {
  r <- as.numeric(rs); t <- as.numeric(ts); n <- as.numeric(ns)
  if (!(r > 0 && r < 1)) return("msg=CorrelationRange")
  d <- t * sqrt(2 * (1 - r) / n)
  out <- list(txtD = rounded(d, 5), txtDWithin = rounded(d, 5), txtMinus95 = "", txtPlus95 = "",
              txtWithinMinus95 = "", txtWithinPlus95 = "")
  if (conf == "1") {
    sigma <- sqrt(d * d / (4 * n) + (n + n) / (n * n))
    out$txtMinus95 <- rounded(d - 1.96 * sigma, 2)
    out$txtPlus95 <- rounded(d + 1.96 * sigma, 2)
    if (s1s != "" && s2s != "") {
      s1 <- as.numeric(s1s); s2 <- as.numeric(s2s)
      crit <- qt(0.975, n - 1)
      ss <- s1 * s1 + s2 * s2
      h <- crit * sqrt(2 * (ss - (2 * r) * (s1 * s2)) / (n * ss))
      out$txtWithinMinus95 <- rounded(d - h, 2)
      out$txtWithinPlus95 <- rounded(d + h, 2)
    }
  }
  do.call(kv, out)
}
for (c in list(c("0.5", "2", "10", "", "", "1"), c("0.5", "2", "10", "1", "1", "1"),
               c("0.5", "2", "10", "2", "3", "1"), c("0.5", "2", "10", "20", "30", "1"),
               c("0.5", "2", "10", "", "", "0"), c("0.5", "2", "10", "1", "", "1"),
               c("0.3", "-3.2", "25", "12.5", "14.1", "1"), c("0.85", "4.7", "40", "8", "9.5", "1"),
               c("0.999", "1.5", "5", "2", "2", "1"), c("0.01", "10.25", "100", "0.5", "0.7", "1"),
               c("0.72", "0.4", "2", "3", "4", "1"), c("0.6", "-1.96", "30", "15", "15", "1"),
               c("0.25", "3.333", "12", "1.1", "0.9", "1"), c("0.5", "2", "1", "", "", "1"),
               c("0.45", "12", "32767", "5", "6", "1"), c("0.9", "2.5", "18", "0.5", "0.5", "1"),
               c("0", "2", "10", "", "", "1"), c("1", "2", "10", "", "", "1"), c("1.5", "2", "10", "", "", "1")))
  emit("within", c, within(c[1], c[2], c[3], c[4], c[5], c[6]))

# Standard-deviation estimates: option number, Sd a, Sd b, n a, n b, MS
# within, standard error.
sdest <- function(op, a, b, na, nb, m, e) {
  v <- switch(op,
    "1" = (a + b) / 2,
    "2" = sqrt((a * a + b * b) / 2),
    "3" = 2 * (a * b) / (a + b),
    "4" = sqrt(a * b),
    "5" = sqrt(m),
    "6" = sqrt((a * a * (na - 1) + b * b * (nb - 1)) / (na + nb - 2)),
    "7" = sqrt(na) * e)
  kv(txtAnswer = rounded(v, 5))
}
num <- function(s) if (s == "") NA else as.numeric(s)
for (c in list(c("1", "4", "6"), c("2", "4", "6"), c("3", "4", "6"), c("4", "4", "6"),
               c("6", "4", "6", "10", "20"), c("5", "", "", "", "", "25"), c("7", "", "", "16", "", "", "0.5"),
               c("2", "1.234", "5.678"), c("6", "12.3", "15.7", "33", "41"), c("3", "0.5", "0.25"),
               c("4", "9.87", "6.54"), c("1", "3.33333", "4.44444"), c("5", "", "", "", "", "123.456"),
               c("7", "", "", "50", "", "", "1.2345"), c("6", "2.5", "3.5", "2", "2"), c("3", "0", "7.25"),
               c("6", "10", "1", "1", "5"), c("2", "0.000123", "0.000456"), c("1", "1000000", "2.5")))
{
  c <- c(c, rep("", 7 - length(c)))
  emit("sd", c, sdest(c[1], num(c[2]), num(c[3]), num(c[4]), num(c[5]), num(c[6]), num(c[7])))
}

# Counternull: metric (g or r), effect size, null value.
counternull <- function(metric, es, n0) {
  if (metric == "g") return(kv(txtCounterNull = plain15(2 * es - n0), txtWorking = "Working ..."))
  if (abs(es) > 0.999 || abs(n0) > 0.999) return("msg=CorrelationRange")
  zes <- atanh(es); zn0 <- atanh(n0); zc <- 2 * zes - zn0; rc <- tanh(zc)
  kv(txtCounterNull = rounded(rc, 5),
     txtWorking = paste0("Working ...\\n\\nFisher Zr equivalent of Effect Size= ", rounded(zes, 5),
                         "\\nFisher Zr equivalent of Null Value = ", rounded(zn0, 5),
                         "\\nFisher Counternull Equivalent = ", rounded(zc, 5),
                         "\\nDerived Counternull Statistic: ", plain15(rc), "\\n"))
}
for (c in list(c("g", "0.5", "0"), c("g", "0.45", "0.1"), c("g", "-0.3", "0"), c("g", "1.2345", "-0.5"),
               c("g", "0.1", "0.3"), c("g", "123456.789", "0.001"), c("r", "0.3", "0"), c("r", "0.999", "0"),
               c("r", "-0.999", "0"), c("r", "0.5", "0.2"), c("r", "-0.45", "0.1"), c("r", "0.123", "-0.05"),
               c("r", "0.9", "0.5"), c("r", "0", "0"), c("r", "0.2", "0.999"), c("r", "0.9991", "0"),
               c("r", "0.5", "1"), c("r", "0.3", "-1.5")))
  emit("cn", c, counternull(c[1], as.numeric(c[2]), as.numeric(c[3])))

code <- readLines("make_reference.R")
header <- c("# Reference results of the within-subjects d, standard-deviation and counternull calculators.",
            paste0("# Made with ", R.version.string, " by running, in this folder: Rscript make_reference.R"),
            "# The R code that made this file:", paste0("#   ", code))
writeLines(c(header, rows), "reference.tsv")
