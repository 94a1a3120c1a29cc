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
# A second source for city populations, to check GeoNames' (which gives some
# towns the population of their whole prefecture).
data(world.cities, package = "maps")
wc <- world.cities[, c("name", "pop", "lat", "long")]
wc <- wc[order(wc$lat, wc$long, wc$name), ]
write.csv(wc, file.path(out, "worldcities.csv"), row.names = FALSE, fileEncoding = "UTF-8")
