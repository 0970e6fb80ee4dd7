# Reference values for the statistics component, made with base R:
#   Rscript tests/platform/stat_reference.R > tests/platform/stat_reference.txt
# Each row: kind, arguments, expected value(s), printed with sprintf("%.17g").
#   pnorm  x mean sd      lower upper   pnorm(x, mean, sd) and its upper tail
#   pchisq x df           lower upper   pchisq(x, df) and its upper tail
#   ttail  t df tails     p             P(|T| >= |t|) (tails 2) or P(T >= |t|) (tails 1)
#   tinv   p df tails     t             t with P(|T| >= t) = p (tails 2) or P(T >= t) = p (tails 1)
#   qnorm  p mean sd      x             qnorm(p, mean, sd)
#   atanh  r              z             atanh(r)
#   tanh   z              r             tanh(z)
#   sqrt   x              r             sqrt(x)
# R's pt() switches to a normal approximation above 400000 df, so the t upper
# tail is taken from pbeta() directly (the same incomplete-beta route pt()
# uses below that limit) and t quantiles are polished with Newton steps on it.
g <- function(v) sprintf("%.17g", v)
row <- function(...) cat(paste(c(...), collapse = " "), "\n", sep = "")

ttail <- function(t, df) {            # P(T >= |t|)
  t <- abs(t)
  if (df > t * t) 0.5 * pbeta(t * t / (df + t * t), 0.5, df / 2, lower.tail = FALSE)
  else 0.5 * pbeta(1 / (1 + (t / df) * t), df / 2, 0.5)
}
tupper <- function(p, df) {           # t with P(T >= t) = p
  q <- qt(p, df, lower.tail = FALSE)
  for (i in 1:8) {
    upper <- if (q >= 0) ttail(q, df) else 1 - ttail(q, df)
    q <- q + (upper - p) / dt(q, df)
  }
  q
}

src <- readLines("tests/platform/stat_reference.R")
cat(paste0("# ", src), sep = "\n")
cat("# Generated with ", R.version.string, "\n", sep = "")

for (x in c(-8.2, -7.94, -7.5, -6, -5, -4, -3.2905, -2.5758, -1.96, -1.6449, -1, -0.5, -0.1, 0,
            0.001, 0.1, 0.5, 1, 1.2816, 1.6449, 1.96, 2.3263, 2.5758, 3, 3.2905, 4, 5, 6, 7, 8))
  row("pnorm", g(x), 0, 1, g(pnorm(x)), g(pnorm(x, lower.tail = FALSE)))
for (a in list(c(12.5, 10, 2), c(-3, 1.5, 0.25), c(100, 100, 15)))
  row("pnorm", g(a[1]), g(a[2]), g(a[3]), g(pnorm(a[1], a[2], a[3])), g(pnorm(a[1], a[2], a[3], lower.tail = FALSE)))

for (df in c(1, 2, 3, 4, 5, 6, 8, 10, 15, 20, 30, 50, 100, 200, 500, 1000)) {
  xs <- c(df * c(0.01, 0.2, 0.5, 1, 1.5, 2, 3), 0.0001, 0.5, 2.705543, 3.841459, 6.634897, 10.827566, 50)
  for (x in xs) row("pchisq", g(x), g(df), g(pchisq(x, df)), g(pchisq(x, df, lower.tail = FALSE)))
}
row("pchisq", g(2.5), g(2.5), g(pchisq(2.5, 2.5)), g(pchisq(2.5, 2.5, lower.tail = FALSE)))

dfs <- c(1, 2, 3, 4, 5, 7, 10, 15, 20, 29, 50, 100, 250, 1000, 10000, 1e5, 1e6, 2.5, 37.25)
for (df in dfs) {
  for (t in c(0, 0.001, 0.1, -0.5, 1, 1.5, -2, 2.228139, 2.5, 3, -4, 5, 10, 30, 100)) {
    p1 <- ttail(t, df)
    if (df <= 4e5) stopifnot(abs(p1 - pt(abs(t), df, lower.tail = FALSE)) <= 1e-14 * p1)
    row("ttail", g(t), g(df), 2, g(min(1, 2 * p1)))
    row("ttail", g(t), g(df), 1, g(p1))
  }
}
for (df in dfs) {
  for (p in c(0.0005, 0.001, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.3, 0.5, 0.8, 0.9, 0.99, 0.9995)) {
    t2 <- tupper(p / 2, df)
    t1 <- tupper(p, df)
    if (df <= 4e5) stopifnot(abs(t2 - qt(p / 2, df, lower.tail = FALSE)) <= 1e-13 * abs(t2),
                             abs(t1 - qt(p, df, lower.tail = FALSE)) <= 1e-13 * abs(t1) + 1e-300)
    row("tinv", g(p), g(df), 2, g(t2))
    row("tinv", g(p), g(df), 1, g(t1))
  }
}

for (p in c(1e-15, 1e-10, 0.0005, 0.001, 0.005, 0.01, 0.025, 0.05, 0.1, 0.2, 0.3, 0.4, 0.45, 0.5,
            0.55, 0.6, 0.7, 0.8, 0.9, 0.95, 0.975, 0.99, 0.995, 0.999, 0.9995, 0.999999))
  row("qnorm", g(p), 0, 1, g(qnorm(p)))
row("qnorm", g(0.3), g(100), g(15), g(qnorm(0.3, 100, 15)))

for (r in c(-0.999, -0.9, -0.5, -0.1, 0, 1e-8, 0.05, 0.3, 0.5, 0.75, 0.9, 0.99, 0.999999))
  row("atanh", g(r), g(atanh(r)))
for (z in c(-5, -1, -0.2, 0, 1e-8, 0.1, 0.5, 1, 2, 3.8, 10, 20))
  row("tanh", g(z), g(tanh(z)))
for (x in c(0, 1e-300, 0.25, 2, 10, 123.456, 1e10, 1e300))
  row("sqrt", g(x), g(sqrt(x)))
