# Dumps the Natural Earth layers shipped in Debian's R packages to GeoJSON.
# Usage: Rscript extract.R OUTDIR
suppressMessages({library(sf); library(sp); library(rnaturalearthdata); library(maps)})
out <- commandArgs(trailingOnly = TRUE)[1]
w <- function(obj, f) st_write(st_as_sf(obj), file.path(out, f), delete_dsn = TRUE, quiet = TRUE)
w(rnaturalearthdata::countries50, "countries50.geojson")
lk <- maps::map("lakes", plot = FALSE, fill = TRUE)
lk <- st_as_sf(lk)
lk <- st_make_valid(lk)
st_write(lk, file.path(out, "lakes.geojson"), delete_dsn = TRUE, quiet = TRUE)
