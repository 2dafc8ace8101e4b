#!/usr/bin/env python3
"""Writes the static site from the exported program descriptions.

make_site.py DESCRIPTIONS.json FRONT_END_DIR MODULE_DIR SITE_DIR

index.html (the menu), NAME.html per program (the description embedded, the
window built by frame.js), the WebAssembly module, and IPAPGothic subset to
the characters the suite shows or reads, with its licence beside it.
"""
import html
import json
import os
import shutil
import subprocess
import sys
import urllib.parse

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
FONT_LICENCE = "/usr/share/doc/fonts-ipafont-gothic/copyright"
ICON = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging", "icons", "io.github.milfo.svg")

# Every file is the site's own: no request leaves the origin.
CSP = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
       "font-src 'self'; img-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'")

# Texts of the pages themselves (beyond the descriptions).
MENU_TITLE = "ミルフォ 技術計算"
MENU_NOTE = "保温設計の計算プログラム集"
BACK = "メニューへ戻る"
DIALOG_BUTTON = "OK"


def page_name(program):
    return program["name"] + ".html"


def link(program):
    return urllib.parse.quote(page_name(program))


def head(title, extra=""):
    return f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{CSP}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape(title)}</title>
<link rel="stylesheet" href="frame.css">
<link rel="icon" href="icon.svg" type="image/svg+xml">
{extra}</head>
"""


def program_page(program, descriptions):
    data = {"program": program, "fonts": descriptions["fonts"],
            "unexpected": descriptions["unexpected"]}
    # Inside <script>, "</" must not appear as such.
    embedded = json.dumps(data, ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")
    extra = (f'<script type="application/json" id="description">{embedded}</script>\n'
             '<script src="frame.js" defer></script>\n'
             '<script src="milfo.js" defer></script>\n')
    if "tables" in program:  # side tables below the window, and their charts
        extra += '<link rel="stylesheet" href="chart.css">\n<script src="chart.js" defer></script>\n'
    caption = program["caption"]
    return head(caption, extra) + f"""<body>
<nav><a href="index.html">{html.escape(BACK)}</a></nav>
<div class="window">
<h1>{html.escape(caption)}</h1>
<div id="Form1"></div>
</div>
<dialog id="error" aria-labelledby="error-title" aria-describedby="error-message">
<h2 id="error-title">{html.escape(caption)}</h2>
<p id="error-message"></p>
<div class="buttons"><button type="button">{DIALOG_BUTTON}</button></div>
</dialog>
</body>
</html>
"""


def menu_page(descriptions):
    items = []
    for p in descriptions["programs"]:
        items.append(f'<li><a href="{link(p)}"><span class="number">{html.escape(p["menu"])}'
                     f'</span><span class="title">{html.escape(p["title"])}</span></a></li>')
    body = "\n".join(items)
    return head(MENU_TITLE) + f"""<body>
<div class="window menu">
<h1>{html.escape(MENU_TITLE)}</h1>
<ol id="programs">
{body}
</ol>
<footer>{html.escape(MENU_NOTE)}</footer>
</div>
</body>
</html>
"""


def strings(value):
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for v in value.values():
            yield from strings(v)
    elif isinstance(value, list):
        for v in value:
            yield from strings(v)


def glyphs(descriptions):
    chars = set("".join(strings(descriptions)))
    chars |= set(MENU_TITLE + MENU_NOTE + BACK + DIALOG_BUTTON)
    chars |= {chr(c) for c in range(0x20, 0x7F)}  # ASCII as typed
    chars |= {chr(c) for c in range(0xFF01, 0xFF5F)}  # full-width forms a Japanese input method types
    chars |= set("\u2212\u30fc\u2010\u2012\u2013\u2015\u3002\uff61\u3000")  # minus signs, points, space
    return "".join(sorted(c for c in chars if c.isprintable() or c == "\u3000"))


def main():
    descriptions_path, front_end, module_dir, site = sys.argv[1:5]
    with open(descriptions_path, encoding="utf-8") as f:
        descriptions = json.load(f)
    os.makedirs(os.path.join(site, "fonts"), exist_ok=True)

    for name in ("frame.js", "frame.css", "chart.js", "chart.css"):
        shutil.copyfile(os.path.join(front_end, name), os.path.join(site, name))
    for name in ("milfo.js", "milfo.wasm"):
        shutil.copyfile(os.path.join(module_dir, name), os.path.join(site, name))
    shutil.copyfile(ICON, os.path.join(site, "icon.svg"))
    for p in descriptions["programs"]:
        with open(os.path.join(site, page_name(p)), "w", encoding="utf-8") as f:
            f.write(program_page(p, descriptions))
    with open(os.path.join(site, "index.html"), "w", encoding="utf-8") as f:
        f.write(menu_page(descriptions))

    text_file = os.path.join(site, "fonts", "glyphs.txt")
    with open(text_file, "w", encoding="utf-8") as f:
        f.write(glyphs(descriptions))
    subprocess.run([sys.executable, "-m", "fontTools.subset", FONT, f"--text-file={text_file}",
                    "--flavor=woff", "--layout-features=*",
                    f"--output-file={os.path.join(site, 'fonts', 'ipagp-milfo.woff')}"], check=True)
    os.remove(text_file)
    shutil.copyfile(FONT_LICENCE, os.path.join(site, "fonts", "IPAfont-LICENSE.txt"))


if __name__ == "__main__":
    main()
