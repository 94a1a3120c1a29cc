"""The help in the nine interface languages: one page per language, written
from help/<code>.html (a <title> line, then the page's body) into the shared
page frame below.

Every page must carry the same sections, in the same order, because the
program and its windows open the help at a section (#playing, #about, ...)
whatever the language. A page that lacks one, or links to a section that is
not there, stops the build rather than ship a link that lands nowhere.

Captions of the program's buttons and windows are marked
<span class="ui">...</span> and quote the interface texts of that language
exactly; the data set's tests check each against lang.crp."""

import html
import os
import re

# Language number (as the settings and lang.crp number them), code, and the
# language's own name for the bar of language links.
LANGUAGES = [
    (1, "sv", "Svenska"),
    (2, "en", "English"),
    (3, "fr", "Français"),
    (4, "de", "Deutsch"),
    (5, "es", "Español"),
    (6, "it", "Italiano"),
    (7, "da", "Dansk"),
    (8, "nl", "Nederlands"),
    (9, "pt-BR", "Português (Brasil)"),
]
ENGLISH = 2

# The anchors that links into the help use, in page order.
SECTIONS = ["playing", "scores", "settings", "keys", "about", "credits"]

FALLBACK_NAME = "landora.html"

STYLE = """\
  body { font-family: Arial, Helvetica, sans-serif; font-size: 15px; line-height: 1.5;
         color: #1a1a1a; background: #ffffff; margin: 0; }
  header { background: #285aa0; color: #ffffff; padding: 18px 28px; }
  header h1 { margin: 0; font-size: 28px; letter-spacing: 1px; }
  header p { margin: 4px 0 0 0; color: #dde8f6; }
  .languages { background: #1c4580; padding: 4px 28px; font-size: 13px; color: #dde8f6; }
  .languages a { color: #ffffff; margin-right: 12px; text-decoration: none; }
  .languages a:hover { text-decoration: underline; }
  .languages strong { margin-right: 12px; }
  nav { background: #c0d0e0; padding: 8px 28px; }
  nav a { color: #102a55; margin-right: 16px; font-weight: bold; text-decoration: none; }
  nav a:hover { text-decoration: underline; }
  main { padding: 8px 28px 28px 28px; max-width: 860px; }
  h2 { color: #285aa0; border-bottom: 2px solid #c0d0e0; padding-bottom: 4px; margin-top: 28px; }
  h3 { color: #102a55; margin-bottom: 4px; }
  table { border-collapse: collapse; margin: 8px 0; }
  th, td { border: 1px solid #c0d0e0; padding: 4px 10px; text-align: left; vertical-align: top; }
  th { background: #eef3f9; }
  kbd { border: 1px solid #8899aa; border-radius: 3px; padding: 0 5px; background: #f4f6f8;
        font-family: Arial, Helvetica, sans-serif; font-size: 13px; }
  .ui { white-space: pre; font-weight: bold; font-size: 13px; border: 1px solid #8899aa;
        border-radius: 3px; padding: 0 5px; background: #eceff2; }
  .rule { background: #fff8dc; border-left: 4px solid #e0b020; padding: 6px 12px; }
  .swatch { display: inline-block; width: 14px; height: 14px; border: 1px solid #555;
            vertical-align: middle; margin-right: 4px; }
  footer { color: #555; font-size: 13px; padding: 12px 28px; border-top: 1px solid #c0d0e0; }
"""


def file_name(number):
    """The shipped help of a language: landora1.html .. landora9.html."""
    return f"landora{number}.html"


def _language_bar(current):
    items = []
    for number, _code, name in LANGUAGES:
        if number == current:
            items.append(f"<strong>{html.escape(name)}</strong>")
        else:
            items.append(f'<a href="{file_name(number)}">{html.escape(name)}</a>')
    return '<div class="languages">' + "\n  ".join(items) + "</div>"


def check_page(code, body):
    """Raises ValueError when the page's sections differ from SECTIONS or a
    link inside the page has no target."""
    ids = re.findall(r'<section id="([^"]+)"', body)
    if ids != SECTIONS:
        raise ValueError(f"help {code}: sections {ids}, expected {SECTIONS}")
    all_ids = set(re.findall(r'\bid="([^"]+)"', body))
    for target in re.findall(r'href="#([^"]*)"', body):
        if target not in all_ids:
            raise ValueError(f"help {code}: link to #{target}, which is not on the page")
    nav = re.search(r"<nav>(.*?)</nav>", body, re.S)
    if nav is None or re.findall(r'href="#([^"]+)"', nav.group(1)) != SECTIONS:
        raise ValueError(f"help {code}: the navigation bar must link every section in order")


def render(number, code, source):
    """The whole page of one language from its source text."""
    title = re.match(r"\s*<title>(.*?)</title>\s*\n", source)
    if title is None:
        raise ValueError(f"help {code}: the source must start with a <title> line")
    body = source[title.end():].strip("\n")
    check_page(code, body)
    # The bar of languages goes right under the header, so that a player who
    # landed in the wrong language sees it on the first screen.
    header_end = body.index("</header>") + len("</header>")
    body = body[:header_end] + "\n" + _language_bar(number) + body[header_end:]
    return (
        "<!DOCTYPE html>\n"
        f'<html lang="{code}">\n'
        "<head>\n"
        '<meta charset="utf-8">\n'
        f"<title>{title.group(1)}</title>\n"
        "<style>\n"
        f"{STYLE}"
        "</style>\n"
        "</head>\n"
        "<body>\n"
        f"{body}\n"
        "</body>\n"
        "</html>\n"
    )


def build(source_dir, out_dir):
    """Writes landora1.html .. landora9.html and landora.html, the English
    page under the name the program falls back to. Returns the names written."""
    written = []
    for number, code, _name in LANGUAGES:
        with open(os.path.join(source_dir, f"{code}.html"), encoding="utf-8") as f:
            page = render(number, code, f.read())
        names = [file_name(number)] + ([FALLBACK_NAME] if number == ENGLISH else [])
        for name in names:
            with open(os.path.join(out_dir, name), "w", encoding="utf-8", newline="\n") as f:
                f.write(page)
            written.append(name)
    return written
