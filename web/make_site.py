#!/usr/bin/env python3
"""Writes the static site from the exported program descriptions.

make_site.py DESCRIPTIONS.json FRONT_END_DIR MODULE_JS SITE_DIR [ARCHIVE.zip]

index.html (the menu), NAME.html per program (the description embedded, the
window built by frame.js, the calculation sheet it prints), 一括計算.html (a
line list run through a program by milfo-calc's runner in a Web Worker,
batch.js, which also shows a program's columns and offers its template; the
worker's code is batch-worker.js and the module's runtime in one function,
which the page makes a worker of), the WebAssembly
module (MODULE_JS and the .wasm beside it, and the same code as a script,
base64, for pages opened from a folder, which may not fetch the .wasm),
IPAPGothic subset to the characters the suite shows or reads with its licence
beside it, the web app manifest, and the service worker that keeps the site
for offline use.

Every asset's name carries a hash of its content (frame.0123456789.js), so a
page never meets an asset of another build; the pages and sw.js keep their
names, and sw.js names its cache after a hash of the whole site. With
ARCHIVE.zip, the site also goes into that archive under one folder named
after the archive (milfo-site-VERSION/).
"""
import base64
import ctypes
import hashlib
import html
import json
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import zipfile

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
FONT_LICENCE = "/usr/share/doc/fonts-ipafont-gothic/copyright"
ICON = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging", "icons", "io.github.milfo.svg")

# Every file is the site's own: no request leaves the origin. The 一括計算
# page starts its worker from a Blob of the site's own code.
CSP = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
       "font-src 'self'; img-src 'self'; connect-src 'self'; manifest-src 'self'; "
       "worker-src 'self'; base-uri 'none'; form-action 'none'")
BATCH_CSP = CSP.replace("worker-src 'self'", "worker-src 'self' blob:")

# Texts of the pages themselves (beyond the descriptions).
MENU_TITLE = "ミルフォ 技術計算"
MENU_NOTE = "保温設計の計算プログラム集"
BACK = "メニューへ戻る"
PRINT = "計算書を印刷"
SAVE = "保存"
OPEN = "開く"
DIALOG_BUTTON = "OK"
BATCH_PAGE = "一括計算.html"
# The 一括計算 page's own texts: what it writes, and what batch.js shows.
BATCH = {
    "title": "一括計算",
    "menu": "一括計算：CSV の行ごとに計算",
    "intro": ("行の一覧（Excel で「CSV」として保存したファイル）の一行ずつを計算プログラムで計算し、結果を CSV"
              " ファイルにします。ウィンドウと同じ計算で、同じ数字になります。見出しの行には、ウィンドウの入力の名前"
              "（「低温側温度（℃）」、単位を除いた「低温側温度」でもかまいません）か、コントロール名（Text1 など）を"
              "書きます。入力でない列（番号、備考など）はそのまま結果に写します。"),
    "heading": "行の一覧を計算する",
    "program": "計算プログラム",
    "file": "行の一覧（CSV ファイル）",
    "drop": "ファイルをここにドロップすることもできます。",
    "header": "結果の見出し",
    "captions": "ウィンドウの名前",
    "names": "コントロール名（Text1 など）",
    "lenient": "ウィンドウと同じに読む（「12abc」は 12 として計算、空欄や列のない入力はウィンドウの初めのまま）",
    "run": "計算",
    "cancel": "中止",
    "progress": "進み具合",
    "notes": "読み方についての注意",
    "results": "計算結果",
    "columns": "行の一覧に書く列",
    "columnCaption": "見出し（ウィンドウの名前）",
    "columnName": "コントロール名",
    "columnSays": "行に書くもの",
    "columnEntries": "一覧の値",
    "errorsOnly": "エラーか注意のある行だけを表示",
    "rowsBox": "計算結果の表（矢印キーで縦と横にスクロールします）",
    "sheet": "一括計算の結果",
    "sheetProgram": "計算プログラム",
    "sheetFile": "ファイル",
    "sheetEncoding": "文字コード",
    "sheetOptions": "設定",
    "when": "計算日時",
    "sheetCounts": "行数",
    "sheetPrinted": "印刷した行",
}
# A module that did not load, as frame.js and batch.js say it.
MODULE_MISSING = "計算モジュール（{file}）を読み込めませんでした。"
# What batch.js says.
BATCH_TEXTS = {
    "noFile": "CSV ファイルを選んでください。",
    "rows": "{rows} 行",
    "done": "{rows} 行を計算しました（エラーのある行 {failed} 行、注意のある行 {noted} 行）。",
    "counts": "{rows} 行（エラーのある行 {failed} 行、注意のある行 {noted} 行）",
    "shown": "画面には先頭の {shown} 行を表示しています。すべての行はダウンロードするファイルにあります。",
    "flaggedShown": "エラーか注意のある {shown} 行を表示しています。",
    "flaggedMore": "ほかの {more} 行はダウンロードするファイルにあります。",
    "columnsLoading": "列を調べています…",
    "columnsSay": "見出しの行に、次の名前（またはコントロール名）を書きます（{columns} 列、うち必ず要る列 {needed}）。",
    "template": "ひな形をダウンロード（{file}）",
    "dropRefused": "計算の途中です。ほかのファイルは、計算が終わるか中止してから選んでください。",
    "options": "結果の見出し: {header}、ウィンドウと同じに読む: {lenient}、表示: {rows}",
    "yes": "する",
    "no": "しない",
    "allRows": "すべての行",
    "flaggedRows": "エラーか注意のある行だけ",
    "printFirst": "先頭 {shown} 行（全 {rows} 行）",
    "printAll": "全 {rows} 行",
    "printFlagged": "エラーか注意のある {shown} 行（全 {rows} 行のうち）",
    "printFlaggedFirst": "エラーか注意のある行の先頭 {shown} 行（全 {rows} 行）",
    "part": "{part}／{parts}：第 1 列と列 {from}～{to}（全 {columns} 列）",
    "download": "結果をダウンロード（{file}）",
    "cancelled": "計算を中止しました。",
    "failed": "計算を続けられませんでした（{reason}）。",
    "moduleMissing": MODULE_MISSING,
}
NO_SCRIPT = "この計算プログラムは JavaScript で動きます。ブラウザーの設定で JavaScript を有効にしてください。"
# Shown when frame.js has not run a few seconds after the page was opened.
NO_FRAME = ("このページのスクリプト（{file}）が動きませんでした。サイトのファイルがすべて揃っているか確かめ、"
            "ページを再読み込みしてください。古いブラウザーでは動きません。最近の Chrome、Edge、Firefox、"
            "Safari で開いてください。")
# The texts frame.js shows: the module's failures. (The calculation sheet's
# come with each program's description.)
# The notes of failure are drawn in the system's own font (frame.css), so the
# font subset need not carry their characters for every visit.
FAILURE_TEXTS = ("moduleMissing", "moduleMissingHelp", "moduleFailed", "moduleNotRun", "moduleFailedHelp",
                 "unavailable")
TEXTS = {
    "moduleMissing": MODULE_MISSING,
    "moduleMissingHelp": ("サイトのファイルがすべて揃っているか確かめ（圧縮ファイルはフォルダーごと展開してから"
                          " index.html を開きます）、ページを再読み込みしてください。"),
    "moduleFailed": "計算モジュールを起動できませんでした（{reason}）。",
    "moduleNotRun": "読み込んだスクリプトが動きませんでした",
    "moduleFailedHelp": "WebAssembly に対応したブラウザー（最近の Chrome、Edge、Firefox、Safari）で開いてください。",
    "unavailable": "計算できません。",
}


def content_hash(data):
    return hashlib.sha256(data).hexdigest()[:10]


class Site:
    """The files of the site, written under root, each asset under a name
    that carries its content's hash."""

    def __init__(self, root):
        self.root = root
        self.files = []  # every file's path under root, '/'-separated

    def write(self, path, data):
        full = os.path.join(self.root, *path.split("/"))
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data)
        self.files.append(path)
        return path

    def asset(self, path, data):
        """path "dir/name.ext" written as "dir/name.HASH.ext"; the new path."""
        stem, ext = os.path.splitext(path)
        return self.write(f"{stem}.{content_hash(data)}{ext}", data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def page_name(program):
    return program["name"] + ".html"


def link(program):
    return urllib.parse.quote(page_name(program))


def head(title, assets, extra="", csp=CSP):
    return f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{csp}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape(title)}</title>
<link rel="stylesheet" href="{assets['frame.css']}">
<link rel="icon" href="{assets['icon.svg']}" type="image/svg+xml">
<meta name="theme-color" content="#2f5597">
<script src="{assets['offline.js']}" defer data-manifest="{assets['manifest.webmanifest']}"></script>
{extra}</head>
"""


def program_page(program, descriptions, assets):
    data = {"program": program, "suite": descriptions["suite"], "fonts": descriptions["fonts"],
            "unexpected": descriptions["unexpected"], "texts": TEXTS, "module": assets["milfo.js"],
            "wasm": assets["milfo.wasm"], "wasmScript": assets["milfo.wasm.js"]}
    # Inside <script>, "</" must not appear as such.
    embedded = json.dumps(data, ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")
    extra = (f'<script type="application/json" id="description">{embedded}</script>\n'
             f'<script src="{assets["frame.js"]}" defer></script>\n'
             f'<script src="{assets["milfo.js"]}" defer id="module"></script>\n')
    if "tables" in program:  # side tables below the window, and their charts
        extra += (f'<link rel="stylesheet" href="{assets["chart.css"]}">\n'
                  f'<script src="{assets["chart.js"]}" defer></script>\n')
    caption = program["caption"]
    sheet = program["sheet"]
    e = html.escape
    # The window and all that belongs to it are the page's main part; the
    # navigation comes after it, so that Tab goes from the window's last
    # control to the page's link (the stylesheet shows it above).
    return head(caption, assets, extra) + f"""<body>
<main>
<noscript><p class="failure">{e(NO_SCRIPT)}</p></noscript>
<p id="failure" class="failure unstarted" role="alert">{e(NO_FRAME.format(file=assets["frame.js"]))}</p>
<section id="sheet" aria-label="{e(sheet['heading'])}">
<header>
<p class="suite" id="sheet-suite">{e(sheet['suite'])}</p>
<p class="when"><span id="sheet-when-title">{e(sheet['whenTitle'])}</span> <time id="sheet-when"></time></p>
<h2 id="sheet-heading">{e(sheet['heading'])}</h2>
<p class="caption" id="sheet-caption">{e(sheet['caption'])}</p>
</header>
<div id="sheet-sections"></div>
</section>
<div class="window">
<h1>{e(caption)}</h1>
<div id="Form1"></div>
<div id="notes" role="status"></div>
</div>
<dialog id="error" aria-labelledby="error-title" aria-describedby="error-message">
<h2 id="error-title">{e(caption)}</h2>
<p id="error-message"></p>
<div class="buttons"><button type="button">{DIALOG_BUTTON}</button></div>
</dialog>
</main>
<nav><a href="index.html">{e(BACK)}</a> <a href="{urllib.parse.quote(BATCH_PAGE)}">{e(BATCH['title'])}</a> <button type="button" id="save">{e(SAVE)}</button> <label class="open">{e(OPEN)}<input type="file" id="open" accept=".csv,text/csv"></label> <button type="button" id="print" hidden>{e(PRINT)}</button></nav>
</body>
</html>
"""


def menu_page(descriptions, assets):
    items = []
    for p in descriptions["programs"]:
        items.append(f'<li><a href="{link(p)}"><span class="number">{html.escape(p["menu"])}'
                     f'</span><span class="title">{html.escape(p["title"])}</span></a></li>')
    body = "\n".join(items)
    return head(MENU_TITLE, assets) + f"""<body>
<main class="window menu">
<h1>{html.escape(MENU_TITLE)}</h1>
<ol id="programs">
{body}
</ol>
<p class="batch-link"><a href="{urllib.parse.quote(BATCH_PAGE)}">{html.escape(BATCH['menu'])}</a></p>
<footer>{html.escape(MENU_NOTE)}</footer>
</main>
</body>
</html>
"""


def batch_page(descriptions, assets):
    data = {"programs": [{"name": p["name"], "menu": p["menu"], "title": p["title"]} for p in descriptions["programs"]],
            "texts": BATCH_TEXTS, "wasm": assets["milfo.wasm"], "wasmScript": assets["milfo.wasm.js"],
            "worker": assets["batch-worker.js"]}
    embedded = json.dumps(data, ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")
    extra = (f'<link rel="stylesheet" href="{assets["batch.css"]}">\n'
             f'<script type="application/json" id="description">{embedded}</script>\n'
             f'<script src="{assets["batch.js"]}" defer></script>\n')
    e = html.escape
    b = {key: e(text) for key, text in BATCH.items()}
    options = "\n".join(f'<option value="{e(p["name"])}">{e(p["title"])}</option>'
                        for p in descriptions["programs"])
    suite = descriptions["suite"]
    return head(BATCH["title"], assets, extra, BATCH_CSP) + f"""<body>
<header class="batch-banner">
<h1>{b['title']}</h1>
<p>{b['intro']}</p>
</header>
<nav><a href="index.html">{e(BACK)}</a></nav>
<main>
<noscript><p class="failure">{e(NO_SCRIPT)}</p></noscript>
<div class="window batch-window">
<h2>{b['heading']}</h2>
<div class="batch-form">
<p><label for="program">{b['program']}</label>
<select id="program">
{options}
</select></p>
<p><a id="template" hidden></a></p>
<p id="drop"><label for="file">{b['file']}</label>
<input type="file" id="file" accept=".csv,text/csv,text/plain" aria-describedby="drop-hint">
<span id="drop-hint">{b['drop']}</span></p>
<p><label for="header">{b['header']}</label>
<select id="header"><option value="captions">{b['captions']}</option><option value="names">{b['names']}</option></select></p>
<p><input type="checkbox" id="lenient"> <label for="lenient">{b['lenient']}</label></p>
<p class="buttons"><button type="button" id="run">{b['run']}</button> <button type="button" id="cancel" hidden>{b['cancel']}</button></p>
<p class="progress"><label for="progress">{b['progress']}</label> <progress id="progress" max="1" value="0"></progress>
<output id="count" aria-live="polite"></output></p>
<p id="message" class="failure" role="alert" hidden></p>
<ul id="notes" aria-label="{b['notes']}"></ul>
<p><a id="download" hidden></a></p>
<details id="columns" open>
<summary>{b['columns']}</summary>
<p id="columns-note" aria-live="polite"></p>
<table id="columns-table"><thead><tr><th scope="col">{b['columnCaption']}</th><th scope="col">{b['columnName']}</th><th scope="col">{b['columnSays']}</th><th scope="col">{b['columnEntries']}</th></tr></thead><tbody></tbody></table>
</details>
</div>
</div>
<section id="results" aria-label="{b['results']}">
<header class="batch-sheet">
<h2>{b['sheet']}</h2>
<dl>
<dt>{b['sheetProgram']}</dt><dd id="sheet-program"></dd>
<dt>{b['sheetFile']}</dt><dd id="sheet-file"></dd>
<dt>{b['sheetEncoding']}</dt><dd id="sheet-encoding"></dd>
<dt>{b['sheetOptions']}</dt><dd id="sheet-options"></dd>
<dt>{b['when']}</dt><dd><time id="sheet-when"></time></dd>
<dt>{b['sheetCounts']}</dt><dd id="sheet-counts"></dd>
<dt>{b['sheetPrinted']}</dt><dd id="sheet-printed"></dd>
</dl>
<ul id="sheet-notes" aria-label="{b['notes']}"></ul>
</header>
<div id="worksheet" hidden>
<p class="worksheet-bar"><input type="checkbox" id="errors-only"> <label for="errors-only">{b['errorsOnly']}</label>
<output id="counts" for="errors-only"></output></p>
<p id="shown" hidden></p>
<div id="rows-box" tabindex="0" role="region" aria-label="{b['rowsBox']}">
<div id="rows" role="table" aria-label="{b['results']}"></div>
</div>
</div>
<div id="printed"></div>
</section>
<div id="measure" aria-hidden="true"><div class="cells"></div><div class="heads"></div></div>
</main>
<footer class="batch-footer">{e(suite['name'])} {e(suite['version'])}</footer>
</body>
</html>
"""


def manifest(descriptions, icon):
    return {
        "id": "./", "name": MENU_TITLE, "short_name": descriptions["suite"]["name"],
        "description": MENU_NOTE, "lang": "ja", "start_url": "index.html", "scope": "./",
        "display": "standalone", "background_color": "#d9dde3", "theme_color": "#2f5597",
        "icons": [{"src": icon, "sizes": "any", "type": "image/svg+xml", "purpose": "any"}],
    }


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
    chars |= set("".join(text for key, text in TEXTS.items() if key not in FAILURE_TEXTS))
    chars |= set(MENU_TITLE + MENU_NOTE + BACK + PRINT + SAVE + OPEN + DIALOG_BUTTON + "—")
    chars |= set("".join(BATCH.values()) + "".join(BATCH_TEXTS.values()) + "結果")
    chars |= {chr(c) for c in range(0x20, 0x7F)}  # ASCII as typed
    chars |= {chr(c) for c in range(0xFF01, 0xFF5F)}  # full-width forms a Japanese input method types
    chars |= set("\u2212\u30fc\u2010\u2012\u2013\u2015\u3002\uff61\u3000")  # minus signs, points, space
    return "".join(sorted(c for c in chars if c.isprintable() or c == "\u3000"))


def subset_font(descriptions):
    with tempfile.TemporaryDirectory(prefix="milfo-font-") as work:
        text_file = os.path.join(work, "glyphs.txt")
        out = os.path.join(work, "font.woff")
        with open(text_file, "w", encoding="utf-8") as f:
            f.write(glyphs(descriptions))
        subprocess.run([sys.executable, "-m", "fontTools.subset", FONT, f"--text-file={text_file}",
                        "--flavor=woff", "--layout-features=*", f"--output-file={out}"], check=True)
        return read(out)


def write_site(descriptions, front_end, module_js, root):
    site = Site(root)
    assets = {}
    # The stylesheet names the font by its hashed name, so the font comes first.
    font = site.asset("fonts/ipagp-milfo.woff", subset_font(descriptions))
    site.write("fonts/IPAfont-LICENSE.txt", read(FONT_LICENCE))
    css = read(os.path.join(front_end, "frame.css")).replace(b"fonts/ipagp-milfo.woff", font.encode())
    assets["frame.css"] = site.asset("frame.css", css)
    for name in ("frame.js", "offline.js", "chart.js", "chart.css", "batch.js", "batch.css"):
        assets[name] = site.asset(name, read(os.path.join(front_end, name)))
    assets["milfo.js"] = site.asset("milfo.js", read(module_js))
    # The worker's code, with the module's runtime run over the Module it is
    # given: one function, which the 一括計算 page makes a worker of (from a
    # folder a page may start no worker from a file). No "use strict" around
    # the runtime, which is written for a script of its own.
    worker = (b"window.milfoBatchWorker = function () {\nfunction startModule(Module) {\n" + read(module_js) +
              b"\n}\n" + read(os.path.join(front_end, "batch-worker.js")) + b"\n};\n")
    assets["batch-worker.js"] = site.asset("batch-worker.js", worker)
    wasm = read(os.path.splitext(module_js)[0] + ".wasm")
    assets["milfo.wasm"] = site.asset("milfo.wasm", wasm)
    code = b'"use strict";\nwindow.milfoWasm = "' + base64.b64encode(wasm) + b'";\n'
    assets["milfo.wasm.js"] = site.asset("milfo.wasm.js", code)
    assets["icon.svg"] = site.asset("icon.svg", read(ICON))
    text = json.dumps(manifest(descriptions, assets["icon.svg"]), ensure_ascii=False, indent=1)
    assets["manifest.webmanifest"] = site.asset("manifest.webmanifest", text.encode())

    for p in descriptions["programs"]:
        site.write(page_name(p), program_page(p, descriptions, assets).encode())
    site.write(BATCH_PAGE, batch_page(descriptions, assets).encode())
    site.write("index.html", menu_page(descriptions, assets).encode())

    # The service worker: the list of the files to keep (all but the copy
    # of the module's code for folders), and a cache named after the hash of
    # every file, so that a new build replaces the old cache.
    digest = hashlib.sha256()
    for path in sorted(site.files):
        digest.update(path.encode() + b"\0" + read(os.path.join(root, *path.split("/"))) + b"\0")
    files = [urllib.parse.quote(p) for p in sorted(site.files) if p != assets["milfo.wasm.js"]]
    constants = (f'"use strict";\n\nconst SITE_VERSION = {json.dumps(digest.hexdigest()[:16])};\n'
                 f"const SITE_FILES = {json.dumps(files, indent=1)};\n").encode()
    worker = read(os.path.join(front_end, "sw.js")).replace(b'"use strict";\n', constants, 1)
    site.write("sw.js", worker)
    return site


def put_in_place(staging, root):
    """The directory staging becomes root, and an earlier root goes, with no
    moment without a site at root (a server serving it answers every request
    meanwhile): the two exchanged in one step where the system can
    (renameat2's RENAME_EXCHANGE on Linux), else the old one renamed away
    just before the new one takes its name."""
    if not os.path.isdir(root):
        os.rename(staging, root)
        return
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        at_cwd, exchange = -100, 2
        done = libc.renameat2(at_cwd, os.fsencode(staging), at_cwd, os.fsencode(root), exchange) == 0
    except (OSError, AttributeError):
        done = False
    if not done:
        old = root.rstrip("/") + ".old"
        shutil.rmtree(old, ignore_errors=True)
        os.rename(root, old)
        os.rename(staging, root)
        staging = old
    shutil.rmtree(staging, ignore_errors=True)


def write_archive(root, archive):
    """The site under one folder named after the archive, names in UTF-8."""
    folder = os.path.splitext(os.path.basename(archive))[0]
    partial = archive + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for directory, dirs, files in os.walk(root):
            dirs.sort()
            for name in sorted(files):
                full = os.path.join(directory, name)
                z.write(full, folder + "/" + os.path.relpath(full, root).replace(os.sep, "/"))
    os.replace(partial, archive)


def main():
    if len(sys.argv) not in (5, 6):
        print(__doc__)
        return 2
    descriptions_path, front_end, module_js, root = sys.argv[1:5]
    with open(descriptions_path, encoding="utf-8") as f:
        descriptions = json.load(f)
    # Written beside, then put in place: no file of an earlier build stays.
    staging = root.rstrip("/") + ".new"
    shutil.rmtree(staging, ignore_errors=True)
    write_site(descriptions, front_end, module_js, staging)
    put_in_place(staging, root)
    if len(sys.argv) == 6:
        write_archive(root, sys.argv[5])
    return 0


if __name__ == "__main__":
    sys.exit(main())
