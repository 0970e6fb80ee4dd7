# Reference values for the effect-size calculation of the main window.
# Run from this folder:  Rscript make_reference.R > effectsize_reference.tsv
# The output starts with this script as comment lines, then one tab-separated
# row per case: the inputs, then the expected text of every result box.

single <- function(x) readBin(writeBin(x, raw(), size = 4), "double", size = 4)

# Plain decimal text with at most `sig` significant digits, no trailing zeros,
# no exponent (C printf rounds the exact binary value, ties to even).
plain <- function(v, sig = 15) {
  if (v == 0) return("0")
  s <- sprintf(paste0("%.", sig - 1, "e"), abs(v))
  parts <- strsplit(s, "e", fixed = TRUE)[[1]]
  digits <- gsub(".", "", parts[1], fixed = TRUE)
  e <- as.integer(parts[2])
  digits <- sub("0+$", "", digits)
  if (digits == "") digits <- "0"
  nd <- nchar(digits)
  out <- if (e < 0) paste0("0.", strrep("0", -e - 1), digits)
         else if (e + 1 >= nd) paste0(digits, strrep("0", e + 1 - nd))
         else paste0(substr(digits, 1, e + 1), ".", substr(digits, e + 2, nd))
  if (v < 0) paste0("-", out) else out
}
# Rounded half to even to 5 places on the exact double value.
r5num <- function(x) as.numeric(sprintf("%.5f", x))
r5 <- function(x) plain(r5num(x))
# Lenient reading of a typed number: its leading number, 0 when none.
lenient <- function(s) {
  s <- gsub("[ \t\r\n]", "", s)
  m <- regmatches(s, regexpr("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)", s))
  if (length(m) == 0) 0 else as.numeric(m)
}

listed <- list("99.9%" = c(3.29053, "99.9"), "99%" = c(2.57583, "99"), "98%" = c(2.32635, "98"),
               "95%" = c(1.95996, "95"), "90%" = c(1.64485, "90"), "80%" = c(1.28155, "80"),
               "68.26%" = c(1.0, "68.26"))
K <- c(txtP1 = 15.702, txtP2 = 23.3655, txtP3 = 20.9952, txtP4 = 29.7375,
       txtP5 = 12.37, TxtP6 = 20.073, txtP7 = 17.11, txtP8 = 26.007)

effect <- function(m1, m2, sd1, sd2, n1, n2, choice, level) {
  M1 <- as.numeric(m1); M2 <- as.numeric(m2); S1 <- as.numeric(sd1); S2 <- as.numeric(sd2)
  N1 <- as.numeric(n1); N2 <- as.numeric(n2)
  diff <- M1 - M2
  s <- switch(choice,
    "Weighted Average" = sqrt((S1^2 + S2^2) / 2),
    "Pooled (Adjusted By n)" = { R1 <- round(N1); R2 <- round(N2)
                                 sqrt(((R1 - 1) * S1^2 + (R2 - 1) * S2^2) / (R1 + R2 - 2)) },
    "Group / Time 1" = S1, "Group / Time 2" = S2,
    lenient(choice))
  if (!is.null(listed[[level]])) {
    z <- as.numeric(listed[[level]][1]); lab <- listed[[level]][2]
  } else {
    L <- lenient(level); z <- -qnorm((100 - L) / 200); lab <- plain(L)
  }
  o <- list()
  o$LblPercent0 <- lab; o$LblPercent1 <- paste0("-", lab, "%"); o$LblPercent2 <- paste0("+", lab, "%")
  o$TxtUsedSD <- r5(s)
  d <- diff / s
  o$TxtTarvoss <- r5(d); o$txtD <- o$TxtTarvoss
  de <- as.numeric(o$TxtTarvoss)
  for (b in names(K)) o[[b]] <- sprintf("%d", as.integer(round(K[[b]] / de^2 + 0.5)))
  o$sign <- if (r5num(d) < 0) "negative" else "positive"
  N <- single(N1 + N2)
  o$TxtTotalN <- plain(N, 7)
  o$txtDF <- plain(single(N - 2), 7)
  nt <- N / (N1 * N2)
  seD <- sqrt(d^2 / (2 * N) + nt)
  o$TxtESNeg95 <- r5(d - z * seD); o$TxtESPlus95 <- r5(d + z * seD)
  J <- 1 - 3 / (4 * N - 9)
  dJ <- d * J
  o$TxtHedges <- r5(dJ)
  SS <- (N1 - 1) * S1^2 + (N2 - 1) * S2^2
  sStar <- sqrt(SS / (N - 2))
  o$TxtHedgesS1 <- r5(sStar)
  g <- single((diff / sStar) * J)
  o$txtHedgesG <- plain(single(r5num(g)), 7)
  o$TxtMeanDiff <- plain(diff)
  se <- sqrt((1 / N1 + 1 / N2) * SS / (N - 2))
  o$TxtSED <- r5(se); o$TxtTSD <- r5(sStar)
  t <- diff / se
  o$txtT <- r5(t)
  pt2 <- 2 * pt(-abs(t), as.numeric(o$txtDF))
  o$txt2PT <- r5(pt2); o$txt1PT <- r5(pt2 / 2)
  zs <- diff / sqrt(S1^2 / N1 + S2^2 / N2)
  o$txtZStat <- r5(zs)
  P <- pnorm(abs(zs))
  o$txt2PZ <- r5(2 * (1 - P)); o$txt1PZ <- r5(1 - P)
  seDJ <- sqrt(dJ^2 / (2 * N) + nt)
  o$TxtHedgesNeg95 <- r5(dJ - z * seDJ); o$TxtHedgesPlus95 <- r5(dJ + z * seDJ)
  seG <- sqrt(g^2 / (2 * N) + nt)
  o$TxtHedgesGNeg95 <- r5(g - z * seG); o$TxtHedgesGPlus95 <- r5(g + z * seG)
  o
}

WA <- "Weighted Average"; PO <- "Pooled (Adjusted By n)"; G1 <- "Group / Time 1"; G2 <- "Group / Time 2"
cases <- list(
  c("10", "8", "2", "2", "20", "20", WA, "95%"),
  c("8", "10", "2", "2", "20", "20", WA, "95%"),
  c("10", "8", "2", "2", "20", "20", WA, "99%"),
  c("10", "8", "2", "2", "20", "20", WA, "95"),
  c("25.3", "21.7", "5.2", "6.1", "34", "29", WA, "99.9%"),
  c("25.3", "21.7", "5.2", "6.1", "34", "29", PO, "98%"),
  c("25.3", "21.7", "5.2", "6.1", "34", "29", G1, "90%"),
  c("25.3", "21.7", "5.2", "6.1", "34", "29", G2, "80%"),
  c("25.3", "21.7", "5.2", "6.1", "34", "29", "5.5", "68.26%"),
  c("-3.5", "2.25", "1.75", "2.4", "12", "15", WA, "95%"),
  c("100", "112.5", "15", "14", "50", "48", PO, "95%"),
  c("0.45", "0.3", "0.12", "0.2", "8", "11", PO, "97.5"),
  c("50", "49", "10", "10", "200", "200", WA, "90"),
  c("1000", "0", "1", "1", "5", "5", WA, "95%"),
  c("3.3", "1.1", "0.9", "1.4", "3", "2", G2, "99%"),
  c("12.4", "9.6", "3.1", "2.8", "10.4", "10.6", PO, "95%"),
  c("12.4", "9.6", "3.1", "2.8", "7.5", "9.25", WA, "99.5"),
  c("77", "70", "12", "9", "1500", "1700", WA, "95%"),
  c("5", "7", "2", "2", "25", "25", G1, "50"),
  c("14.2", "13.9", "4.4", "4.6", "60", "61", WA, "99%"),
  c("2", "1", "0.5", "1.5", "30", "10", PO, "80%"),
  c("2", "1", "0.5", "1.5", "30", "10", "1", "90%"),
  c("120", "95", "30", "25", "18", "22", G2, "68.26"),
  c("-10", "-14", "3", "5", "40", "20", WA, "98%"),
  c("0.001", "0.0005", "0.0002", "0.0003", "100", "90", PO, "95%"),
  c("3", "2", "1", "1", "2", "2", WA, "95%"),
  c("45", "40", "10", "12", "1000", "3", WA, "95%"),
  c("6.5", "6.25", "1.2", "1.1", "16", "16", G1, "99.9%"),
  c("100", "90", "20", "20", "32000", "32000", WA, "95%"),
  c("10", "8", "2", "2", "20000", "20000", G2, "95%"),
  c("1", "0", "3", "4", "9", "11", "3.5", "99.99"),
  c("4.75", "5", "0.5", "0.5", "7", "9", WA, "33.3"),
  c("21", "20", "7", "7", "3", "3", PO, "68.26%"),
  c("9.87654", "1.23456", "2.5", "3.75", "123456", "654321", WA, "95%"),
  c("5", "4", "2", "2", "20000001", "2", WA, "95%"),
  c("10", "9", "2", "3", "10.3", "12.6", WA, "95%"),
  c("-0.75", "0.5", "1", "1.5", "13", "17", PO, "99%"),
  c("88.8", "77.7", "11.1", "22.2", "44", "55", G1, "12.5")
)

inputs <- c("txtMean1", "txtMean2", "txtSD1", "txtSD2", "TxtN1", "TxtN2", "Combo1", "Combo2")
outputs <- c("TxtUsedSD", "TxtTarvoss", "txtD", names(K), "sign", "TxtTotalN", "txtDF", "TxtESNeg95",
             "TxtESPlus95", "TxtHedges", "TxtHedgesS1", "txtHedgesG", "TxtMeanDiff", "TxtSED", "TxtTSD", "txtT",
             "txt2PT", "txt1PT", "txtZStat", "txt2PZ", "txt1PZ", "TxtHedgesNeg95", "TxtHedgesPlus95",
             "TxtHedgesGNeg95", "TxtHedgesGPlus95", "LblPercent0", "LblPercent1", "LblPercent2")

self <- readLines("make_reference.R")
cat(paste0("# ", self), sep = "\n")
cat(paste(c(inputs, outputs), collapse = "\t"), "\n", sep = "")
for (cs in cases) {
  o <- do.call(effect, as.list(cs))
  cat(paste(c(cs, unlist(o[outputs])), collapse = "\t"), "\n", sep = "")
}
