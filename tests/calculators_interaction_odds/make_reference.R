# Writes reference.tsv: what the interaction, d-to-odds-ratio and
# odds-ratio-to-d windows show for a table of varied inputs, computed
# independently in R from the formulas:
#   interaction: D = (mE1 - mC1) - (mE2 - mC2); pooled SDs are square roots of
#   the mean of the squared SDs; d = D / SDP; SE = sqrt(N/(nE nC) + es^2/(2N));
#   J = 1 - 3/(4N - 9); S = sqrt(((nE-1) SDE^2 + (nC-1) SDC^2)/(N - 2)); g = J D / S
#   logistic: k = 4 atan(1) / sqrt(3); OR = exp(d k); d = log(OR) / k;
#   SE = |log L - log U| / 3.92, SEd = SE / k, limits d -/+ 1.96 SEd.
#   cd tests/calculators_interaction_odds && Rscript make_reference.R
# A value rounded to n places is R's sprintf("%.nf") of the unrounded double
# (glibc printf: the exact binary value, ties to even), then shown as the
# shortest plain text with at most 15 significant digits of that rounded
# value (sprintf("%.14e"), exact); "-0" shows as "0".
# Columns (tab-separated): window, the input boxes as box=text joined by
# " | " (chk=1: the check box ticked), then the expected box texts as
# box=text joined by " | " ("\n" stands for a line break inside a box).

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
shown <- function(v, n) plain15(as.numeric(sprintf(paste0("%.", n, "f"), v)))
kv <- function(a) paste(paste0(names(a), "=", gsub("\n", "\\\\n", unlist(a))), collapse = " | ")
rows <- character(0)
emit <- function(window, inputs, expected) rows <<- c(rows, paste(window, kv(inputs), kv(expected), sep = "\t"))

interaction <- function(eM1, eS1, eM2, eS2, eN, cM1, cS1, cM2, cS2, cN) {
  inputs <- list(txtEXMean1 = eM1, txtEXSD1 = eS1, txtEXMean2 = eM2, txtEXSD2 = eS2, txtExN = eN,
                 txtCtrlMean1 = cM1, txtCtrlSD1 = cS1, txtCtrlMean2 = cM2, txtCtrlSD2 = cS2, txtCtrlN = cN)
  lenient <- function(t) if (t == ".") 0 else as.numeric(t)
  mE1 <- as.numeric(eM1); mE2 <- as.numeric(eM2); mC1 <- as.numeric(cM1); mC2 <- as.numeric(cM2)
  sE1 <- lenient(eS1); sE2 <- lenient(eS2); sC1 <- lenient(cS1); sC2 <- lenient(cS2)
  D <- (mE1 - mC1) - (mE2 - mC2)
  SDE <- sqrt((sE1^2 + sE2^2) / 2); SDC <- sqrt((sC1^2 + sC2^2) / 2)
  SD1 <- sqrt((sE1^2 + sC1^2) / 2); SD2 <- sqrt((sE2^2 + sC2^2) / 2)
  SDP <- sqrt((sE1^2 + sE2^2 + sC1^2 + sC2^2) / 4)
  d <- D / SDP
  e <- list(txtEXDiff = shown(mE1 - mE2, 5), txtCtrlDiff = shown(mC1 - mC2, 5),
            txtDiffTime1 = shown(mE1 - mC1, 5), txtDiffTime2 = shown(mE2 - mC2, 5),
            txtTotDiff = shown(D, 5), txtEXPooledSD = shown(SDE, 5), txtCtrlPooledSD = shown(SDC, 5),
            txtTime1PooledSD = shown(SD1, 5), txtTime2PooledSD = shown(SD2, 5),
            txtPooledSD = shown(SDP, 5), txtESD = shown(d, 5),
            TxtESNeg95 = "", TxtESPlus95 = "", txtHedgesG = "", TxtHedgesGNeg95 = "", TxtHedgesGPlus95 = "")
  if (eN != "" && cN != "") {
    nE <- as.numeric(eN); nC <- as.numeric(cN); N <- nE + nC
    se <- function(es) sqrt(N / (nE * nC) + es^2 / (2 * N))
    J <- 1 - 3 / (4 * N - 9)
    S <- sqrt(((nE - 1) * SDE^2 + (nC - 1) * SDC^2) / (N - 2))
    g <- J * D / S
    e$TxtESNeg95 <- shown(d - 1.96 * se(d), 5); e$TxtESPlus95 <- shown(d + 1.96 * se(d), 5)
    e$txtHedgesG <- shown(g, 5)
    e$TxtHedgesGNeg95 <- shown(g - 1.96 * se(g), 5); e$TxtHedgesGPlus95 <- shown(g + 1.96 * se(g), 5)
  }
  emit("frmESInteract", inputs, e)
}

k <- 4 * atan(1) / sqrt(3)
NED <- "Approximate difference in the normal equivalent deviate (NED) to the logistic distribution = "

dtoor <- function(dt, chk, lt = "", ut = "") {
  inputs <- list(txtOR = dt, txtORMinus95 = lt, txtORPlus95 = ut, chk = if (chk) "1" else "0")
  d <- as.numeric(dt); OR <- exp(d * k)
  e <- list(txtD = shown(OR, 5), txtLogOR = shown(log(OR), 5))
  head <- c(paste0(NED, shown(k, 8)), paste0("Log Odds Ratio (interpreted from Chinn, 2000) = ", shown(d * k, 10)))
  tail <- c(paste0("Antilog of (D * NED): ", shown(OR, 10)), paste0("Approximate Odds Ratio = ", shown(OR, 5)))
  if (!chk) {
    lines <- c(head, tail)
    e <- c(e, list(txtDMinus95 = "", txtDPlus95 = "", txtLogORMinus = "", txtLogORPlus = ""))
  } else {
    L <- as.numeric(lt); U <- as.numeric(ut)
    e <- c(e, list(txtDMinus95 = shown(exp(L * k), 2), txtDPlus95 = shown(exp(U * k), 2),
                   txtLogORMinus = shown(L * k, 2), txtLogORPlus = shown(U * k, 2)))
    lines <- c(head,
               paste0("Log of the lower bound odds ratio confidence interval: ", shown(L * k, 5)),
               paste0("Log of the upper bound odds ratio confidence interval: ", shown(U * k, 5)),
               tail,
               paste0("Lower bound confidence interval: ", shown(exp(L * k), 5)),
               paste0("Upper bound confidence interval: ", shown(exp(U * k), 5)))
  }
  e$txtWorking <- paste0("Working ...\n\n\n", paste(lines, collapse = "\n\n"), "\n")
  emit("frmDtoOR", inputs, e)
}

ortod <- function(ort, chk, lt = "", ut = "") {
  inputs <- list(txtOR = ort, txtORMinus95 = lt, txtORPlus95 = ut, chk = if (chk) "1" else "0")
  OR <- as.numeric(ort); lOR <- log(OR); d <- lOR / k
  e <- list(txtD = shown(d, 5))
  lines <- c(paste0("Log odds ratio = ", shown(lOR, 5)), paste0(NED, shown(k, 8)),
             paste0("Log odds ratio divided by NED (Chinn, 2000) = ", shown(d, 10)),
             paste0("Approximate Logit d = ", shown(d, 5)))
  if (!chk) {
    e <- c(e, list(txtDMinus95 = "", txtDPlus95 = ""))
    e$txtWorking <- paste0("Working ...\n\n", paste(lines, collapse = "\n\n"))
  } else {
    lL <- log(as.numeric(lt)); lU <- log(as.numeric(ut))
    SE <- abs((lL - lU) / 3.92); SEd <- SE / k
    lo <- d - 1.96 * SEd; hi <- d + 1.96 * SEd
    e <- c(e, list(txtDMinus95 = shown(lo, 2), txtDPlus95 = shown(hi, 2)))
    lines <- c(lines,
               paste0("Log of the lower bound odds ratio confidence interval: ", shown(lL, 5)),
               paste0("Log of the upper bound odds ratio confidence interval: ", shown(lU, 5)),
               paste0("Standard error of the log of the odds ratio: ", shown(SE, 5)),
               paste0("Standard error to apply to d to create confidence intervals: ", shown(SEd, 5)),
               paste0("Lower bound confidence interval: ", shown(lo, 5)),
               paste0("Upper bound confidence interval: ", shown(hi, 5)))
    e$txtWorking <- paste0("Working ...\n\n", paste(lines, collapse = "\n\n"), "\n")
  }
  emit("frmORtoD", inputs, e)
}

interaction("30", "6", "22", "8", "15", "31", "5", "28", "7", "12")
interaction("20", "5", "10", "5", "20", "20", "5", "18", "5", "20")
interaction("20", "5", "10", "5", "", "20", "5", "18", "5", "20")
interaction("-3.25", "1.7", "4.5", "2.3", "8", "0.75", "2.1", "-1.125", "3.05", "33")
interaction("10", "2", "5", "3", "10", "20", "4", "15", "1", "9")
interaction("1234.5", "210.25", "987.125", "198.5", "150", "1200", "205", "1100", "190", "140")
interaction("5", ".", "3", "2", "10", "4", "1", "4", "1.5", "")
interaction("12.8", "0.4", "11.1", "0.35", "2", "12.9", "0.5", "12.7", "0.45", "1")
interaction("-.5", "3", "-7", "2.5", "45", "-1", "3.5", "-2", "4", "3")

dtoor("0.5", FALSE)
dtoor("0.5", TRUE, "0.1", "0.9")
dtoor("0", TRUE, "0", "-0.5")
dtoor("-0.8", TRUE, "-1.2", "-0.4")
dtoor("2.75", TRUE, "2.1", "3.4")
dtoor("6", FALSE)
dtoor("1.234", FALSE, "0.5", "2")
dtoor("-.25", TRUE, ".15", "-.65")
dtoor("-3.1", FALSE)

ortod("2", FALSE)
ortod("2", TRUE, "1.2", "3.5")
ortod("2", TRUE, "3.5", "1.2")
ortod("1", FALSE)
ortod("0.5", FALSE)
ortod("0.000001", FALSE)
ortod("17.25", TRUE, "4.1", "72.6")
ortod("0.35", TRUE, "0.12", "1.02")
ortod("1000000", FALSE, "3", "4")
ortod(".75", TRUE, ".5", "1.125")

code <- readLines("make_reference.R")
header <- c("# Reference results of the interaction and logistic conversion windows.",
            paste0("# Made with ", R.version.string, " by running, in this folder: Rscript make_reference.R"),
            "# The R code that made this file:", paste0("#   ", code))
writeLines(c(header, rows), "reference.tsv")
