"""Writes every asset of the data set that is not a scrambled table:
flags, sounds, music, the logo, the menu map pictures, the flag board
template, the decorations and the help file."""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import continents  # noqa: E402
import flags  # noqa: E402
import geodata  # noqa: E402
import helpfiles  # noqa: E402
import pictures  # noqa: E402
import sounds  # noqa: E402


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--out", required=True, help="the data set folder")
    ap.add_argument("--flag-svgs", required=True, help="folder of 4:3 flag SVGs")
    ap.add_argument("--containment", required=True, help="CLDR territoryContainment.json")
    ap.add_argument("--countries", required=True, help="GeoPackage with a countries layer")
    ap.add_argument("--help-dir", required=True, help="folder of the help pages, one per language")
    args = ap.parse_args()

    os.makedirs(args.out, exist_ok=True)
    count = flags.build(args.flag_svgs, os.path.join(args.out, "flags"))
    print(f"flags: {count}")
    sounds.build(args.out)
    print("sounds: Plopp4.WAV Rassel11.WAV Plopp.WAV good.mid")
    countries = geodata.load_countries(args.countries)
    pages = geodata.page_table(args.containment)
    continents.build(countries, pages, args.out)
    print(f"continent pictures: 7 from {len(countries)} outlines")
    pictures.build(countries, args.out)
    print("pictures: logo.gif bmptest.bmp topten1/2 toplist1/2 multi_flower multi_berries")
    names = helpfiles.build(args.help_dir, args.out)
    print("help: " + " ".join(names))


if __name__ == "__main__":
    main()
