# Reference values for the outcome-table statistics of the Quellin main window.
# Run from this folder:  Rscript make_reference.R
# Writes outcome_reference.tsv and fisher_large.tsv; each starts with this
# script as comment lines, then one tab-separated row per case.
# Only base R (stats: qnorm, pchisq, chisq.test, fisher.test) is used.

script <- readLines("make_reference.R")

# Number text: rounded half to even at k places on the exact double value
# (C printf), shortest form without trailing zeros; "0" for a rounded zero.
rnd <- function(x, k) {
  s <- sprintf(paste0("%.", k, "f"), x)
  if (grepl("\\.", s)) s <- sub("\\.?0+$", "", s)
  if (s == "-0") s <- "0"
  s
}
num <- function(x) { s <- sprintf("%.15g", x); s }
dash <- "---"

listed <- c("99.9%" = 3.29053, "99%" = 2.57583, "98%" = 2.32635, "95%" = 1.95996,
            "90%" = 1.64485, "80%" = 1.28155, "68.26%" = 1.0)

one_case <- function(mode, cnt, level, fisher) {
  three <- mode == 3
  a <- cnt[1]; b <- cnt[2]; cc <- if (three) cnt[3] else 0
  d <- cnt[4]; e <- cnt[5]; f <- if (three) cnt[6] else 0
  out <- list()
  put <- function(name, value) out[[name]] <<- value
  x <- c(a, b, cc); y <- c(d, e, f)
  Nt <- sum(x); Nc <- sum(y); N <- Nt + Nc
  put("TxN", num(Nt)); put("CtrlN", num(Nc)); put("txtImpN", num(a + d))
  put("txtSameN", num(b + e)); put("txtWorseN", num(cc + f)); put("TotalN", num(N))
  if (level %in% names(listed)) { z <- listed[[level]]; lt <- level } else {
    L <- as.numeric(sub("%$", "", level)); z <- -qnorm((100 - L) / 200); lt <- paste0(num(L), "%")
  }
  for (i in 0:4) put(sprintf("txtConf(%d)", i), lt)
  key <- c("Imp", "Same", "Worse")
  p <- if (Nt != 0) x / Nt else c(0, 0, 0)
  q <- if (Nc != 0) y / Nc else c(0, 0, 0)
  for (k in 1:3) {
    shown <- k < 3 || three
    put(paste0("EventTx", key[k]), if (shown && Nt != 0) rnd(p[k], 5) else dash)
    put(paste0("EventCtrl", key[k]), if (shown && Nc != 0) rnd(q[k], 5) else dash)
    RR <- p[k] / q[k]
    put(paste0("RR", key[k]), if (q[k] != 0) rnd(RR, 5) else dash)
    if (x[k] != 0 && y[k] != 0) {
      m <- z * sqrt((1 - p[k]) / x[k] + (1 - q[k]) / y[k])
      put(paste0("RR", key[k], "Minus"), rnd(exp(log(RR) - m), 2))
      put(paste0("RR", key[k], "Plus"), rnd(exp(log(RR) + m), 2))
    } else { put(paste0("RR", key[k], "Minus"), dash); put(paste0("RR", key[k], "Plus"), dash) }
    put(paste0("RRI", key[k]), if (q[k] != 0) paste0(rnd((p[k] - q[k]) / q[k] * 100, 2), "%") else dash)
  }
  D <- p - q
  M <- z * sqrt(p * (1 - p) / Nt + q * (1 - q) / Nc)
  sign <- c("ARISign", "ARSSign", "ARWSign")
  for (k in 1:3) {
    put(paste0("AR", key[k]), rnd(D[k], 5))
    put(sign[k], if (D[k] > 0) "Tx Increase" else if (D[k] < 0) "Tx Decrease" else "No Change")
    put(paste0("AR", key[k], "Minus"), rnd(D[k] - M[k], 4))
    put(paste0("AR", key[k], "Plus"), rnd(D[k] + M[k], 4))
  }
  X <- c(b + cc, a + cc, a + b); Y <- c(e + f, d + f, d + e)
  for (k in 1:3) {
    shown <- k < 3 || three
    O <- if (shown && X[k] != 0) x[k] / X[k] else NA
    P <- if (shown && Y[k] != 0) y[k] / Y[k] else NA
    put(paste0("EOTx", key[k]), if (!is.na(O)) rnd(O, 5) else dash)
    put(paste0("EOCtrl", key[k]), if (!is.na(P)) rnd(P, 5) else dash)
    OR <- O / P
    put(paste0("ROR", key[k]), if (!is.na(O) && !is.na(P) && P != 0) rnd(OR, 5) else dash)
    if (x[k] != 0 && y[k] != 0 && X[k] != 0 && Y[k] != 0) {
      m <- z * sqrt(1 / x[k] + 1 / y[k] + 1 / X[k] + 1 / Y[k])
      put(paste0("ROR", key[k], "Minus"), rnd(exp(log(OR) - m), 2))
      put(paste0("ROR", key[k], "Plus"), rnd(exp(log(OR) + m), 2))
    } else { put(paste0("ROR", key[k], "Minus"), dash); put(paste0("ROR", key[k], "Plus"), dash) }
  }
  nn <- function(Dk, Mk, box, plus, minus) {
    put(box, if (Dk != 0) rnd(1 / Dk, 5) else dash)
    U <- Dk - Mk; V <- Dk + Mk
    if (U != 0 && V != 0) {
      put(plus, rnd(1 / U, 4)); put(minus, rnd(1 / V, 4))
      (1 / U > 0 && 1 / V < 0) || (1 / U < 0 && 1 / V > 0)
    } else { put(plus, dash); put(minus, dash); FALSE }
  }
  put("cmdNNTWarning", if (nn(D[1], M[1], "NNT", "NNTConfPlus", "NNTConfMinus")) "1" else "0")
  put("cmdNNHWarning", if (nn(D[3], M[3], "NNH", "NNHConfPlus", "NNHConfMinus") && three) "1" else "0")
  # Chi-square group: groups as rows, outcomes as columns.
  tab <- if (three) matrix(c(a, d, b, e, cc, f), nrow = 2) else matrix(c(a, d, b, e), nrow = 2)
  for (bx in c("txtChiSquared", "txtDF", "txt2P", "txt1P", "txtYates", "txtYates2P", "txtYates1P",
               "txtPhi", "txtFishers1P", "txtFishers2P", "txtESW", "txtESC")) put(bx, "")
  if (all(rowSums(tab) != 0) && all(colSums(tab) != 0)) {
    pearson <- suppressWarnings(chisq.test(tab, correct = FALSE))
    chi <- unname(pearson$statistic); df <- unname(pearson$parameter)
    put("txtChiSquared", rnd(chi, 5)); put("txtDF", as.character(df))
    up <- pchisq(chi, df, lower.tail = FALSE)
    put("txt2P", rnd(up, 5)); put("txt1P", rnd(up / 2, 5))
    if (!three) {
      E <- pearson$expected
      # chisq.test caps the correction at the smallest |O - E|; the window
      # subtracts 0.5 without a floor, which agrees when every |O - E| >= 0.5.
      yates <- if (all(abs(tab - E) >= 0.5)) unname(suppressWarnings(chisq.test(tab, correct = TRUE))$statistic)
               else sum((abs(tab - E) - 0.5)^2 / E)
      put("txtYates", rnd(yates, 5))
      upy <- pchisq(yates, df, lower.tail = FALSE)
      put("txtYates2P", rnd(upy, 5)); put("txtYates1P", rnd(upy / 2, 5))
      if (fisher) {
        cells <- c(a, b, d, e)
        first <- which(cells == min(cells))[1]
        alt <- if (first %in% c(1, 4)) "less" else "greater"
        put("txtFishers1P", rnd(fisher.test(tab, alternative = alt)$p.value, 5))
        put("txtFishers2P", dash)
      }
    }
    w <- sqrt(chi / sum(tab))
    put("txtPhi", rnd(w, 5)); put("txtESW", rnd(w, 5)); put("txtESC", rnd(sqrt(w^2 / (w^2 + 1)), 5))
  }
  out
}

cases <- list(
  list(2, c(10, 5, NA, 3, 12, NA), "95%", TRUE),
  list(2, c(2, 2, NA, 2, 2, NA), "95%", TRUE),
  list(2, c(0, 5, NA, 5, 0, NA), "95%", TRUE),
  list(2, c(1, 4, NA, 1, 6, NA), "95%", TRUE),
  list(2, c(45, 55, NA, 30, 70, NA), "95%", TRUE),
  list(2, c(12, 38, NA, 25, 25, NA), "99%", TRUE),
  list(2, c(7, 13, NA, 7, 13, NA), "90%", TRUE),
  list(2, c(150, 50, NA, 120, 80, NA), "99.9%", TRUE),
  list(2, c(3, 97, NA, 9, 91, NA), "80%", TRUE),
  list(2, c(18, 2, NA, 11, 9, NA), "68.26%", TRUE),
  list(2, c(33, 17, NA, 21, 29, NA), "98%", TRUE),
  list(2, c(60, 40, NA, 55, 45, NA), "97.5", TRUE),
  list(2, c(8, 22, NA, 16, 14, NA), "95", TRUE),
  list(2, c(5, 5, NA, 9, 1, NA), "85%", FALSE),
  list(2, c(240, 260, NA, 200, 300, NA), "95%", TRUE),
  list(2, c(1, 19, NA, 6, 14, NA), "99%", TRUE),
  list(2, c(14, 6, NA, 0, 20, NA), "95%", TRUE),
  list(2, c(20, 0, NA, 12, 8, NA), "95%", TRUE),
  list(2, c(2.5, 7.5, NA, 5, 5, NA), "95%", FALSE),
  list(2, c(25, 75, NA, 20, 80, NA), "99.5", TRUE),
  list(3, c(10, 6, 4, 5, 7, 8), "95%", FALSE),
  list(3, c(20, 15, 5, 10, 15, 15), "95%", FALSE),
  list(3, c(30, 10, 10, 20, 20, 10), "99%", FALSE),
  list(3, c(8, 8, 4, 4, 8, 8), "90%", FALSE),
  list(3, c(50, 30, 20, 35, 40, 25), "99.9%", FALSE),
  list(3, c(12, 5, 3, 6, 8, 6), "80%", FALSE),
  list(3, c(9, 9, 2, 3, 10, 7), "68.26%", FALSE),
  list(3, c(100, 60, 40, 80, 70, 50), "98%", FALSE),
  list(3, c(15, 10, 0, 10, 10, 5), "95%", FALSE),
  list(3, c(7, 3, 10, 2, 8, 10), "93", FALSE),
  list(3, c(40, 40, 20, 40, 40, 20), "95%", FALSE),
  list(3, c(5, 15, 30, 25, 15, 10), "95%", FALSE),
  list(3, c(11, 22, 33, 33, 22, 11), "99%", FALSE),
  list(3, c(3, 1, 1, 1, 1, 3), "95%", FALSE)
)

rows <- lapply(cases, function(cs) one_case(cs[[1]], cs[[2]], cs[[3]], cs[[4]]))
boxes <- names(rows[[1]])
counts <- c("TxImp", "TxSame", "TxWorse", "CtrlImp", "CtrlSame", "CtrlWorse")
con <- file("outcome_reference.tsv", "w")
writeLines(paste("#", script), con)
writeLines(paste(c("mode", counts, "level", "fisher", boxes), collapse = "\t"), con)
for (i in seq_along(cases)) {
  cs <- cases[[i]]
  cnt <- ifelse(is.na(cs[[2]]), "", sapply(cs[[2]], num))
  writeLines(paste(c(cs[[1]], cnt, cs[[3]], if (cs[[4]]) "1" else "0", unlist(rows[[i]][boxes])),
                   collapse = "\t"), con)
}
close(con)

# Fisher's one-tailed p of large 2 x 2 tables (full precision).
big <- list(c(500, 480, 520, 470), c(10000, 9800, 9900, 10100), c(3, 5000, 20, 4000),
            c(100000, 99000, 101000, 100500), c(1200, 800, 1000, 1000), c(250000, 250300, 249800, 250100),
            c(40, 160, 70, 130), c(999, 1, 990, 10), c(1000000, 1001000, 1000500, 1000000))
con <- file("fisher_large.tsv", "w")
writeLines(paste("#", script), con)
writeLines("a\tb\tc\td\tp", con)
for (t in big) {
  tab <- matrix(c(t[1], t[3], t[2], t[4]), nrow = 2)
  first <- which(t == min(t))[1]
  alt <- if (first %in% c(1, 4)) "less" else "greater"
  writeLines(paste(c(sapply(t, num), sprintf("%.17g", fisher.test(tab, alternative = alt)$p.value)),
                   collapse = "\t"), con)
}
close(con)
