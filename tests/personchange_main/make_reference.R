# Reference values for the Morvane main window: reliable change, clinical
# cut-offs and the two exact-confidence calculators, recomputed in R.
# Run from this folder:  Rscript make_reference.R > change_reference.tsv
# The output starts with this script as comment lines, then one tab-separated
# row per case: the input texts, then the expected text of every result box,
# the picture shown by each criterion picture, the colour of the status line
# and the messages shown (separated by " | ").

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
# Rounded half to even on the exact double value, as text.
rt <- function(x, places) plain(as.numeric(sprintf(paste0("%.", places, "f"), x)))

Z95 <- 1.95996398454005
Z99 <- 2.5758293035489

change_case <- function(r, sd, t1, t2, cm, cs, nm, ns) {
  out <- list()
  msgs <- character(0)
  pics <- c("picAwithin", "picAover", "picAreliable", "picBawayNorm", "picBwithinNorm", "picBreliable",
            "picCtime1", "picCtime2", "picCreliable", "picCintersect")
  for (p in pics) out[[p]] <- "help.gif"
  for (b in c("TxtSEM", "TxtSED", "Txt1sdConf", "Txt95Conf", "Txt99Conf", "TxtChangeScore", "TxtClient68",
              "TxtClient95", "TxtClient99", "TxtPointA", "TxtPointB", "TxtPointC", "TxtCNI", "TxtAAnswer",
              "TxtBAnswer", "TxtCAnswer")) out[[b]] <- ""
  out$status <- "unchanged"
  finish <- function() { out$messages <- paste(msgs, collapse = " | "); out }
  R <- as.numeric(r)
  if (R >= 1 || R <= 0) { msgs <- c(msgs, "The test-retest reliability must be less than 1 and greater than 0."); return(finish()) }
  sem <- as.numeric(sd) * sqrt(1 - R)
  sed <- sqrt(sem^2 + sem^2)
  out$TxtSEM <- rt(sem, 5); out$TxtSED <- rt(sed, 5)
  th <- c(rt(sed, 3), rt(sed * Z95, 5), rt(sed * Z99, 5))
  out$Txt1sdConf <- th[1]; out$Txt95Conf <- th[2]; out$Txt99Conf <- th[3]
  v95 <- ""
  times <- t1 != "" && t2 != ""
  if (times) {
    ch <- as.numeric(t2) - as.numeric(t1)
    out$TxtChangeScore <- plain(ch)
    v <- ifelse(ch^2 - as.numeric(th)^2 > 0, "HAS", "Has NOT")
    out$TxtClient68 <- v[1]; out$TxtClient95 <- v[2]; out$TxtClient99 <- v[3]
    v95 <- v[2]
  }
  g <- c(cm = cm != "", cs = cs != "", nm = nm != "", ns = ns != "")
  num <- function(s) if (s == "") 0 else as.numeric(s)
  Mc <- num(cm); Sc <- num(cs); Mn <- num(nm); Sn <- num(ns)
  if (!g["nm"] && g["cm"]) msgs <- c(msgs, "You have specified a clinical mean and SD, but no normative data. This programme will assume that clinical scores are HIGHER.")
  if (g["nm"] && !g["cm"]) msgs <- c(msgs, "You have specified a normative mean and SD, but no clinical data. This programme will now assume that clinical scores are LOWER.")
  both <- g["cm"] && g["nm"]
  out$status <- if (both && Mc > Mn) "red" else if (both && Mn > Mc) "blue" else "black"
  if (both) {
    if (Mc == Mn) { msgs <- c(msgs, "You cannot have the clinical mean and normative mean equal."); return(finish()) }
    higher <- Mc > Mn
  } else if (g["cm"]) higher <- TRUE else if (g["nm"]) higher <- FALSE else return(finish())
  cl <- function(x, k) if (higher) x > k else x < k
  nr <- function(x, k) if (higher) x < k else x > k
  mark <- function(met, failed, old) if (met) "tick.gif" else if (failed) "cross.gif" else old
  T1 <- if (times) as.numeric(t1) else NA; T2 <- if (times) as.numeric(t2) else NA
  crit <- function(k) v95 == "HAS" && cl(T1, k) && nr(T2, k)
  pics3 <- function(k, p1, p2, p3) {
    out[[p1]] <<- mark(cl(T1, k), nr(T1, k), out[[p1]])
    out[[p2]] <<- mark(nr(T2, k), cl(T2, k), out[[p2]])
    out[[p3]] <<- mark(v95 == "HAS", v95 == "Has NOT", out[[p3]])
  }
  A <- NA; B <- NA
  if (g["cm"] && g["cs"]) { A <- if (higher) Mc - 1.96 * Sc else Mc + 1.96 * Sc; out$TxtPointA <- rt(A, 5) } else out$TxtPointA <- "NA"
  if (times && out$TxtPointA != "NA") {
    k <- as.numeric(out$TxtPointA)
    out$TxtAAnswer <- if (crit(k)) "YES" else "Some Criteria Were Not Met"
    pics3(k, "picAwithin", "picAover", "picAreliable")
  } else out$TxtAAnswer <- "Not Enough Data To Compute Answer"
  if (g["nm"] && g["ns"]) { B <- if (higher) Mn + 1.96 * Sn else Mn - 1.96 * Sn; out$TxtPointB <- rt(B, 5) } else out$TxtPointB <- "NA"
  if (times && out$TxtPointB != "NA") {
    k <- as.numeric(out$TxtPointB)
    out$TxtBAnswer <- if (crit(k)) "YES" else "Some Criteria Were Not Met"
    pics3(k, "picBawayNorm", "picBwithinNorm", "picBreliable")
  } else out$TxtBAnswer <- "Not Enough Data To Compute Answer"
  if (all(g)) { C <- (Mn * Sc + Mc * Sn) / (Sc + Sn); out$TxtPointC <- rt(C, 5) } else out$TxtPointC <- "NA"
  if (!times || out$TxtPointC == "NA") {
    out$TxtCAnswer <- "Not Enough Data To Compute Answer"
  } else {
    k <- as.numeric(out$TxtPointC)
    apart <- (A > C && B > C) || (A < C && B < C) || (cl(A, C) && nr(B, C))
    if (apart) { out$TxtCAnswer <- "*The Two Samples Do Not Intersect (1.96SD)"; out$TxtCNI <- "*NI" }
    else out$TxtCAnswer <- if (crit(k)) "YES" else "Some Criteria Were Not Met"
    pics3(k, "picCtime1", "picCtime2", "picCreliable")
    out$picCintersect <- mark(nr(A, C) && cl(B, C), cl(A, C) || nr(B, C), out$picCintersect)
  }
  finish()
}

exact_case <- function(r, sd, pct, pt) {
  R <- as.numeric(r); S <- as.numeric(sd)
  sem <- S * sqrt(1 - R); sed <- sqrt(sem^2 + sem^2)
  P <- as.numeric(pct)
  z1 <- qnorm(1 - (1 - P / 100) / 2, 0, 1)
  D <- as.numeric(pt)
  z2 <- D / sed
  conf <- 100 - (2 * (1 - pnorm(abs(z2), 0, 1))) * 100
  # An SD of 0 makes z = D / 0: the point calculator fails, its boxes stay empty.
  point_ok <- is.finite(z2)
  list(txtSEM2 = rt(sem, 8), txtSED2 = rt(sed, 8), txtZ_level = plain(z1), txtChange = rt(sed * z1, 8),
       txtZ_point = if (point_ok) plain(z2) else "", txtConfidence = if (point_ok) rt(conf, 8) else "")
}

cases <- read.table(text = "
r|sd|t1|t2|cm|cs|nm|ns|pct|pt
0.84|7.5|30|20|||||95|10
0.84|7.5|30|15|30|6|10|5|95|3.5
0.84|7.5|45|12|40|3|10|3|68.26|8.315
0.84|7.5|8|22|10|5|20|5|99|5
0.84|7.5|||30|6|||90|1
0.84|7.5|30|15|30|6|||50|2.25
0.84|7.5|3|-4|||0|5|80|-3.5
0.84|7.5|||30|6|10|5|99.9|12
0.84|7.5|30|27|30|6|10|5|95|4
0.84|3.2|12|12.3|||||95|3.547
0.9|10|50|30|55|10|30|8|95|6.32456
0.7|15.2|80|42|75|12.5|40|11|97.5|20
0.95|4|20|14|22|3|12|2.5|60|1.8
0.5|1|3|5|4|1|6|1|99.99|0.5
0.999|100|500|520|520|40|420|35|95|9
0.01|0.25|1.5|0.5|2|0.5|0.5|0.4|75|0.71
0.63|21.7|140|96|131|18|88|15|85|33.3
0.88|6.05|17.25|9.75|18.5|5.5|8.25|4.75|95|4.2
0.77|12|60|60|70|9|40|8|99|0.001
0.8|9|35|20|31.5|7|12|6|68.26|5.69
0.8|9|20|35|12|6|31.5|7|68.26|8.05
0.92|2.5|10|6.5|9|2|4|1.5|94|2.2
0.6|0|5|6|8|2|3|2|95|1
0.6|0|5|5|8|2|3|2|95|2
0.75|8|40|28|30|6|18|5|90|7.5
0.75|8|28|40|18|5|30|6|90|-7.5
0.85|5|25|15|25|8|10|1|95|3
0.85|5|25|15|25|1|10|8|95|3
0.66|14|70|30|65|11|35|12|99.5|25
0.72|3.3|9|4|10|2.2|||42|1.234
0.72|3.3|4|9|||10|2.2|42|1.234
0.93|11.1|33.3|22.2|33.3|7.7|15.5|6.6|95.45|7.77
0.81|1234.5|10000|7000|9800|900|5000|850|99|2500
0.97|0.85|2.1|1.2|2.4|0.3|1.1|0.25|80|0.3
", sep = "|", header = TRUE, colClasses = "character", na.strings = NULL)

script <- readLines("make_reference.R")
cat(paste0("# ", script), sep = "\n")
rows <- list()
for (i in seq_len(nrow(cases))) {
  c <- cases[i, ]
  a <- change_case(c$r, c$sd, c$t1, c$t2, c$cm, c$cs, c$nm, c$ns)
  b <- exact_case(c$r, c$sd, c$pct, c$pt)
  rows[[i]] <- c(unlist(c), unlist(a), unlist(b))
}
cat(paste(names(rows[[1]]), collapse = "\t"), "\n", sep = "")
for (row in rows) cat(paste(row, collapse = "\t"), "\n", sep = "")
