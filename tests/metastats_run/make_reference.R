# Reference values for the meta-analysis runs over the studies of studies.tsv.
# Run from this folder:  Rscript make_reference.R > run_reference.tsv
# The output starts with this script as comment lines, then one tab-separated
# row per expected value: the case (study set and measure), a key and the text
# expected. Keys: box:<name> (summary box text), value:<name> (working value
# printed in the report), listD / listG / listWD / listWG (study lines, in
# order), column:<column>:<study> (result column, NULL when empty),
# rosenthal:<name>, message (title of each message box, in order).

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
# Rounded half to even on the exact double value.
rnum <- function(x, places) as.numeric(sprintf(paste0("%.", places, "f"), x))
r5num <- function(x) rnum(x, 5)
r5 <- function(x) plain(r5num(x))
# Five decimals always shown; no minus sign on a zero.
fixed5 <- function(x) { s <- sprintf("%.5f", x); if (s == "-0.00000") "0.00000" else s }
# Sums added one value at a time in double precision, in table order.
seqsum <- function(x) { s <- 0; for (v in x) s <- s + v; s }

studies <- read.delim("studies.tsv", comment.char = "#", na.strings = "NULL", check.names = FALSE,
                      stringsAsFactors = FALSE, quote = "")

emit <- function(case, key, value) cat(case, "\t", key, "\t", value, "\n", sep = "")

run <- function(set, measure) {
  case <- paste0(set, "|", measure)
  t <- studies[studies$set == set, ]
  # The grid's order: by study name, Null first, without regard to case.
  t <- t[order(!is.na(t[["Study Name"]]), tolower(t[["Study Name"]])), ]
  included <- t$Include == 1 &
    (measure == "" | (!is.na(t[["Measure Used"]]) & tolower(t[["Measure Used"]]) == tolower(measure)))
  boxes <- list()
  box <- function(name) { v <- boxes[[name]]; if (is.null(v)) "" else v }
  messages <- character(0)

  # The aggregates over the included studies.
  agg <- function(fun, field) {
    x <- t[[field]][included & !is.na(t[[field]])]
    if (fun == "COUNT") return(as.character(length(x)))
    if (length(x) == 0) return("")
    fixed5(switch(fun, AVG = seqsum(x) / length(x), MIN = min(x), MAX = max(x), SUM = seqsum(x)))
  }
  aggregates <- list(
    c("AVG", "Cohen's D", "txtMeanCohen"), c("MIN", "Cohen's D", "txtDMin"), c("MAX", "Cohen's D", "txtDMax"),
    c("AVG", "Total N", "txtNMean"), c("MIN", "Total N", "txtNMin"), c("MAX", "Total N", "txtNMax"),
    c("AVG", "SD 1", "txtSD1Mean"), c("MIN", "SD 1", "txtSD1Min"), c("MAX", "SD 1", "txtSD1Max"),
    c("AVG", "SD 2", "txtSD2Mean"), c("MIN", "SD 2", "txtSD2Min"), c("MAX", "SD 2", "txtSD2Max"),
    c("AVG", "Used SD", "txtSDUsedMean"), c("MIN", "Used SD", "txtSDUsedMin"), c("MAX", "Used SD", "txtSDUsedMax"),
    c("AVG", "Mean Difference", "txtMeanDiffMean"), c("MIN", "Mean Difference", "txtMeanDiffMin"),
    c("MAX", "Mean Difference", "txtMeanDiffMax"), c("COUNT", "Cohen's D", "txtDStat"),
    c("SUM", "Cohen's D", "txtTotalD"), c("SUM", "Hedges' G", "txtTotalG"), c("COUNT", "Total N", "txtNStat"),
    c("COUNT", "SD 1", "txtSD1Stat"), c("COUNT", "SD 2", "txtSD2Stat"), c("COUNT", "Used SD", "txtSDUsedStat"),
    c("AVG", "Experimental / Group 1 Mean", "txtT1Mean"), c("MIN", "Experimental / Group 1 Mean", "txtT1Min"),
    c("MAX", "Experimental / Group 1 Mean", "txtT1Max"), c("AVG", "Control / Group 2 Mean", "txtT2Mean"),
    c("MIN", "Control / Group 2 Mean", "txtT2Min"), c("MAX", "Control / Group 2 Mean", "txtT2Max"),
    c("COUNT", "Experimental / Group 1 Mean", "txtT1Stat"), c("COUNT", "Control / Group 2 Mean", "txtT2Stat"),
    c("COUNT", "Mean Difference", "txtMeanDiffStat"), c("AVG", "Cohen -95", "txtMeanNeg95"),
    c("MIN", "Cohen -95", "txtMinNeg95"), c("MAX", "Cohen -95", "txtMaxNeg95"), c("COUNT", "Cohen -95", "txtNeg95Stat"),
    c("AVG", "Cohen +95", "txtMeanPlus95"), c("MIN", "Cohen +95", "txtMinPlus95"), c("MAX", "Cohen +95", "txtMaxPlus95"),
    c("COUNT", "Cohen +95", "txtPlus95Stat"), c("AVG", "Hedges' G", "txtMeanG"), c("COUNT", "Hedges' G", "txtMeanGStat"),
    c("AVG", "Hedges' -95", "txtMeanGNeg95"), c("COUNT", "Hedges' -95", "txtGNeg95Stat"),
    c("AVG", "Hedges' +95", "txtMeanGPlus95"), c("COUNT", "Hedges' +95", "txtGPlus95Stat"),
    c("AVG", "Hedges' SD", "txtMeanGSD"), c("COUNT", "Hedges' SD", "txtGSDStat"), c("SUM", "Total N", "txtTotalNSummary"),
    c("AVG", "Z Statistic", "txtMeanZ"), c("COUNT", "Z Statistic", "txtMeanZStat"), c("SUM", "Z Statistic", "txtSumZ"))
  for (s in aggregates) boxes[[s[3]]] <- agg(s[1], s[2])
  boxes$txtCountDStudies <- box("txtDStat")
  boxes$txtCountGStudies <- box("txtMeanGStat")

  name <- ifelse(is.na(t[["Study Name"]]), "", t[["Study Name"]])
  year <- ifelse(is.na(t[["Year of Study"]]), "", t[["Year of Study"]])
  studyKey <- ifelse(is.na(t[["Study Name"]]), "(null)", t[["Study Name"]])
  N <- t[["Total N"]]
  columns <- list()

  # Unweighted mean, spread and Z scores of one effect size.
  unweighted <- function(col, meanBox, lineText, sdBox, letter, zColumn, zTitle) {
    e <- t[[col]]
    inSet <- !is.na(e) & box(meanBox) != "" & included
    m <- if (box(meanBox) != "") as.numeric(box(meanBox)) else NA
    ss <- 0; count <- 0; lines <- character(0)
    for (i in which(inSet)) {
      ss <- ss + (e[i] - m) * (e[i] - m)
      count <- count + 1
      lines <- c(lines, paste0("   ", name[i], " (", year[i], lineText, plain(e[i])))
    }
    sd <- if (ss != 0) sqrt(ss * (1 / (count - 1))) else 0
    ok <- ss != 0
    boxes[[sdBox]] <<- if (ok) r5(sd) else "N/A"
    boxes[[paste0("txt", letter, "Neg95Summary")]] <<- if (ok) r5(m - sd * 1.96) else "N/A"
    boxes[[paste0("txt", letter, "Plus95Summary")]] <<- if (ok) r5(m + sd * 1.96) else "N/A"
    boxes[[paste0("txtMean", letter, "Summary")]] <<- if (!is.na(m)) r5(m) else "N/A"
    boxes[[paste0("txtMean", letter, "StatSummary")]] <<- plain(count)
    z <- rep("NULL", nrow(t))
    if (sd == 0) messages <<- c(messages, zTitle)
    else for (i in which(inSet)) z[i] <- r5((e[i] - m) / sd)
    columns[[zColumn]] <<- z
    list(inSet = inSet, lines = lines, e = e, m = m)
  }
  ud <- unweighted("Cohen's D", "txtMeanCohen", ") where Cohen's d = ", "txtSDCohen", "D", "Z Score Of d",
                   "Cohen's D Error")
  # Inverse-variance sums of d.
  usd <- t[["Used SD"]]
  sumW <- 0; sumWD <- 0; sumWD2 <- 0; k <- 0
  for (i in which(ud$inSet & !is.na(usd))) {
    w <- 1 / (usd[i] * usd[i])
    d <- ud$e[i]
    sumW <- sumW + w; sumWD <- sumWD + w * d; sumWD2 <- sumWD2 + w * (d * d); k <- k + 1
  }
  ug <- unweighted("Hedges' G", "txtMeanG", ") where Hedges' g = ", "txtSDHedges", "G", "Z Score Of g",
                   "Hedges' G Error")
  boxes$txtTotalNStatSummary <- box("txtNStat")

  # Means weighted by total N.
  values <- list()
  weighted <- function(col, suffix, lineText, weightColumn) {
    e <- t[[col]]
    inSet <- !is.na(e) & !is.na(N) & included
    sumN <- seqsum(N[inSet]); sumE <- seqsum(e[inSet]); sumNE <- seqsum(N[inSet] * e[inSet])
    count <- sum(inSet)
    pct <- rep("NULL", nrow(t)); lines <- character(0)
    for (i in which(inSet)) {
      p <- r5num((N[i] / sumN) * 100)
      pct[i] <- plain(p)
      lines <- c(lines, paste0("   ", name[i], " (", year[i], lineText, plain(e[i]), "; N = ", plain(N[i]),
                               "; Weighting = ", plain(p), "%"))
    }
    columns[[weightColumn]] <<- pct
    mean <- if (sumN != 0) sumNE / sumN else 0
    ss <- 0
    for (i in which(inSet)) ss <- ss + N[i] * ((e[i] - mean) * (e[i] - mean))
    sd <- if (sumN != 0) sqrt(ss / (sumN - 1)) else 0
    boxes[[paste0("txtWeighted", suffix)]] <<- if (sumN != 0) r5(mean) else "N/A"
    boxes[[paste0("txtWeightedSD", suffix)]] <<- if (sumN != 0) r5(sd) else "N/A"
    boxes[[paste0("txtWeightedMinus95", suffix)]] <<- if (sumN != 0) r5(mean - sd * 1.96) else "N/A"
    boxes[[paste0("txtWeightedPlus95", suffix)]] <<- if (sumN != 0) r5(sd * 1.96 + mean) else "N/A"
    boxes[[paste0("txtTotalN", suffix)]] <<- plain(sumN)
    boxes[[paste0("txtStudies", suffix)]] <<- plain(count)
    boxes[[paste0("txtSum", suffix)]] <<- r5(sumE)
    values[[paste0("SumTotalN", suffix)]] <<- plain(sumN)
    values[[paste0("CountWeighted", suffix)]] <<- plain(count)
    values[[paste0("Sum", suffix)]] <<- plain(sumE)
    lines
  }
  wd <- weighted("Cohen's D", "D", ") where: Cohen's d = ", "% Of Weight (d)")
  wg <- weighted("Hedges' G", "G", ") where: Hedges' g = ", "% Of Weight (g)")

  # Inverse-variance Q and I squared (the run ends here with no such study).
  if (sumW == 0) {
    emit(case, "error", "Overflow")
    return(invisible())
  }
  Q <- r5num(sumWD2 - (sumWD * sumWD) / sumW)
  df <- k - 1
  upper <- if (df > 0) pchisq(Q, df, lower.tail = FALSE) else 1
  values$InverseVarianceQ <- plain(Q)
  values$InverseVarianceDF <- plain(df)
  values$InverseVarianceP2 <- plain(r5num(upper))
  values$InverseVarianceP1 <- plain(r5num(upper / 2))
  values$InverseVarianceISquared <- plain(if (Q > df) r5num((Q - df) / Q * 100) else 0)
  values$VarianceWeightedMeanD <- plain(r5num(sumWD / sumW))

  # Fail-safe numbers.
  missing <- function(s) s == "" || s == "0"
  boxes$txtNFSRosen <- if (missing(box("txtDStat"))) "N/A" else plain(5 * as.numeric(box("txtDStat")) + 10)
  boxes$txtNFSRosenG <- if (missing(box("txtMeanGStat"))) "N/A" else plain(5 * as.numeric(box("txtMeanGStat")) + 10)
  boxes$txtFSN <- if (box("txtSumZ") == "" || missing(box("txtMeanZStat"))) "N/A" else
    plain(rnum(as.numeric(box("txtSumZ"))^2 / 2.706 - as.numeric(box("txtMeanZStat")), 2))
  if (tolower(box("txtMeanDStatSummary")) != tolower(box("txtMeanGStatSummary")))
    messages <- c(messages, "Cohen's d & Hedges' g Inconsistency")
  orwin <- function(k, mean, prefix, ok) {
    for (c in c(2, 5, 8))
      boxes[[paste0("txt", prefix, "c", c)]] <<- if (ok) r5(k * (mean - c / 10) / (c / 10)) else "N/A"
  }
  okD <- !missing(box("txtMeanDStatSummary")) && !missing(box("txtMeanCohen"))
  orwin(if (okD) as.numeric(box("txtDStat")) else 0, if (okD) as.numeric(box("txtMeanCohen")) else 0, "D", okD)
  okG <- !missing(box("txtMeanGStat")) && !missing(box("txtMeanG"))
  orwin(if (okG) as.numeric(box("txtMeanGStat")) else 0, if (okG) as.numeric(box("txtMeanG")) else 0, "G", okG)

  # Rosenthal's Q of d with weights N / (1 - d^2).
  d <- t[["Cohen's D"]]
  rs <- !is.na(d) & !is.na(N) & included
  sw <- 0; swd <- 0
  for (i in which(rs)) { w <- N[i] / (1 - d[i] * d[i]); swd <- swd + w * d[i]; sw <- sw + w }
  rosen <- list(SumRosenthalStudyWeightsByD = swd, SumOfRosenthalStudyWeights = sw, MeanRosenthalD = 0,
                RosenthalFormula = 0, RosenthalN = 0, RosenthalP2 = 0)
  if (swd > 0 && sw > 0) {
    mean <- swd / sw
    f <- 0; n <- 0
    for (i in which(rs)) { w <- N[i] / (1 - d[i] * d[i]); f <- f + w * ((d[i] - mean) * (d[i] - mean)); n <- n + 1 }
    rosen$MeanRosenthalD <- mean; rosen$RosenthalFormula <- f; rosen$RosenthalN <- n
    rosen$RosenthalP2 <- if (n > 1) r5num(pchisq(f, n - 1, lower.tail = FALSE)) else 1
  }

  for (b in sort(names(boxes))) emit(case, paste0("box:", b), boxes[[b]])
  for (v in sort(names(values))) emit(case, paste0("value:", v), values[[v]])
  for (l in ud$lines) emit(case, "listD", l)
  for (l in ug$lines) emit(case, "listG", l)
  for (l in wd) emit(case, "listWD", l)
  for (l in wg) emit(case, "listWG", l)
  for (col in names(columns))
    for (i in seq_len(nrow(t))) emit(case, paste0("column:", col, ":", studyKey[i]), columns[[col]][i])
  for (v in names(rosen)) emit(case, paste0("rosenthal:", v), plain(rosen[[v]]))
  for (m in messages) emit(case, "message", m)
}

script <- readLines("make_reference.R")
cat(paste0("# ", script), sep = "\n")
cat("case\tkey\texpected\n")
run("main", "")
run("main", "bdi")
run("main", "HAM-D")
run("main", "patient's scale")
run("pair", "")
run("three", "")
