#!/usr/bin/python3
"""The site as a person carries it, in headless Chromium: the release archive
unzipped and opened from disk (file://) with a few GUI case rows replayed
and line lists run through 一括計算 (one printed: landscape, numbered, every column, its heading); a calculated page printed to PDF (one
A4 sheet with every caption, input and result, no button); the site kept for
offline use after one visit over http (what a page fetches besides kept
too, and a cache a newer build deleted not brought back); a missing or
failing module reported in the page; Tab leaving the window for the page's
links; a new build put in place of the served one with no moment without it.

site_test.py ARCHIVE.zip CASES_JSON

Exit 77 (skipped) only when Chromium, its driver, Selenium or poppler-utils
is not installed.
"""
import base64
import csv
import io
import json
import unittest.mock
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
import zipfile

from web_test import (BATCH_CASES, CHROMIUM, DRIVER, Browser, Failures, check_batch, check_cases, page_of, run_list,
                      serve, webdriver, wide_list)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web"))
import make_site  # noqa: E402

if webdriver:
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait

# The programs whose GUI case rows are replayed from the folder: the first
# rows of each, and its first row that ends in a fault.
REPLAYED = ("fennick", "熱伝達率", "ravelt")
FIRST_ROWS = 3
# The page printed, after its example with its first box typed as below: read
# as the example's own text, so the digits stay, and printed with its note.
PRINTED = "熱伝達率"
PRINTED_TYPO = ("Text1", "20abc", "「20abc」を 20 として計算しました")

# What is done to a file of the module (its script; its code as the script a
# page opened from a folder reads: None removes it), the note the page must
# then show (page.texts["module" + note], and its "Help"), and the reason it
# must give, where the browser's own words do not make it.
BROKEN_MODULES = [
    ("module", None, "Missing", None),
    ("wasmScript", None, "Missing", None),
    ("wasmScript", "window.milfoWasm = 'AGFzbQ==';", "Failed", None),
    ("module", "Module.onAbort('no native wasm support detected');", "Failed", "no native wasm support detected"),
    ("module", "throw new Error('old browser');", "Failed", None),
]

PAGE_DATA = "return JSON.parse(document.getElementById('description').textContent)"


def rows(program_cases):
    cases = program_cases["cases"]
    faulty = [c for c in cases[FIRST_ROWS:] if c["fault"]][:1]
    return dict(program_cases, cases=cases[:FIRST_ROWS] + faulty)


def unzip(archive, into):
    """The archive's one folder, unpacked; checks its names."""
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
        tops = {n.split("/")[0] for n in names}
        folder = os.path.splitext(os.path.basename(archive))[0]
        problems = [f"top folders {sorted(tops)}, not {folder}"] if tops != {folder} else []
        problems += [f"{i.filename}: not marked as UTF-8" for i in z.infolist()
                     if not i.filename.isascii() and not i.flag_bits & 0x800]
        z.extractall(into)
    return os.path.join(into, folder), problems


def check_folder(b, f, folder, all_cases):
    """From disk: the cases replay, and nothing is refused or asked for
    outside the folder; the service worker lists every file of the folder
    but the module's code for folders."""
    for pc in all_cases:
        if pc["program"] in REPLAYED:
            check_cases(b, f, rows(pc))
    b.driver.get(b.origin + "/index.html")
    f.check(len(b.driver.find_elements(By.CSS_SELECTOR, "#programs a")) == len(all_cases), "menu from disk")
    b.collect_requests()
    outside = sorted({u for u in b.urls if not u.startswith((b.origin + "/", "data:", "chrome:", "about:"))})
    f.check(not outside, f"from disk, requests outside the folder: {outside[:5]}")
    f.check(not b.console_errors, f"from disk, console errors: {b.console_errors[:5]}")
    with open(os.path.join(folder, "sw.js"), encoding="utf-8") as fh:
        listed = json.loads(re.search(r"const SITE_FILES = (\[.*?\]);", fh.read(), re.S).group(1))
    b.open(page_of(REPLAYED[0]))
    files = [urllib.parse.quote(os.path.relpath(os.path.join(d, n), folder)) for d, _, names in os.walk(folder)
             for n in names if n not in ("sw.js", b.js(PAGE_DATA)["wasmScript"])]
    f.check(sorted(listed) == sorted(files), f"sw.js lists {sorted(set(listed) ^ set(files))} wrongly")


def check_print(b, f, program_cases):
    """The page after its example, printed: one A4 page whose text has the
    suite and version, the menu number and title, the date and time, every
    input and result with its caption as the window shows them (a box read
    otherwise than as typed with its note beside it), and no text of a button
    or of the page's links; below it, what else the page shows (here a closed
    fold put in by the test), open on paper."""
    box, typed, note = PRINTED_TYPO
    first = program_cases["cases"][0]
    typo = dict(first, title=first["title"] + f", {box} typed {typed}",
                commands=first["commands"] + [f"set {box} {typed}", "click Command1"],
                expect=[[name, typed if name == box else text] for name, text in first["expect"]],
                marks=[[box, note]])
    check_cases(b, f, dict(program_cases, cases=[typo]))
    page = b.js(PAGE_DATA)
    program = page["program"]
    boxes = program["inputs"] + program["results"]
    shown = b.js("return arguments[0].map(n => document.getElementById(n).value)", boxes)
    captions = {c["name"]: c.get("caption") for c in program["controls"]}
    pairs = [(captions[n], text) for n, text in zip(boxes, shown)]
    buttons = [c["text"] for c in program["controls"] if c["kind"] == "CommandButton"]
    buttons += b.js("return [...document.querySelectorAll('nav a, nav button, dialog button')].map(e => e.textContent)")
    b.js("document.querySelector('.window').insertAdjacentHTML('afterend', "
         "'<details id=fold><summary>fold</summary><p>folded-text</p></details>')")
    pdf = b.driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
    f.check(not b.js("return document.getElementById('fold').open"), "the fold stays open after printing")
    with tempfile.NamedTemporaryFile(suffix=".pdf") as out:
        out.write(base64.b64decode(pdf["data"]))
        out.flush()
        info = subprocess.run(["pdfinfo", out.name], capture_output=True, text=True, check=True).stdout
        text = subprocess.run(["pdftotext", out.name, "-"], capture_output=True, text=True, check=True).stdout
    f.check(re.search(r"^Pages:\s+1$", info, re.M), f"printed on more than one page:\n{info}")
    f.check(re.search(r"^Page size:.*\(A4\)", info, re.M), f"not A4:\n{info}")
    flat = re.sub(r"\s+", "", text)
    suite = page["suite"]
    for want in (suite["name"], suite["version"], program["menu"], program["title"], program["caption"],
                 "folded-text"):
        f.check(want in flat, f"the sheet lacks {want!r}:\n{text}")
    f.check(re.search(r"\d{4}/\d\d/\d\d \d\d:\d\d", text), f"the sheet has no date and time:\n{text}")
    for caption, shows in pairs:
        f.check(re.sub(r"\s+", "", caption + shows) in flat, f"the sheet lacks {caption} {shows!r}:\n{text}")
    f.check(re.sub(r"\s+", "", captions[box] + typed + note) in flat,
            f"the sheet lacks {note!r} beside {typed}:\n{text}")
    words = text.split()
    for button in buttons:
        f.check(button not in words and (len(button) < 4 or button not in flat), f"{button!r} printed:\n{text}")


def check_batch_print(b, f, milfo_calc):
    """A 熱伝達率 list of 1,200 rows, wider than the page, printed from the
    folder: landscape A4 pages, numbered "1 / N", the columns in two parts,
    each led by the first column; a heading with the program,
    the file, the encoding, the options, the date and time, the counts, the
    rows printed (「先頭 1,000 行（全 1,200 行）」) and the notes; every
    column's header, and on every page the first column's."""
    work = tempfile.mkdtemp(prefix="milfo-print-test-")
    try:
        path = os.path.join(work, "wide.csv")
        wide_list(path, 1200)
        calc = subprocess.run([milfo_calc, "--bom", "熱伝達率", path], capture_output=True, check=True)
        expected = list(csv.reader(io.StringIO(calc.stdout.decode("utf-8-sig"), newline="")))
        failed = sum(row[-2] != "" for row in expected[1:])
        noted = sum(row[-1] != "" for row in expected[1:])
        b.open("一括計算.html")
        got = run_list(b, path, "熱伝達率")
        f.check(got["state"] == "done", f"print: the list ends {got['state']} {got['message']!r}")
        page = b.js(PAGE_DATA)
        entry = next(p for p in page["programs"] if p["name"] == "熱伝達率")
        pdf = b.driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
        with tempfile.NamedTemporaryFile(suffix=".pdf") as out:
            out.write(base64.b64decode(pdf["data"]))
            out.flush()
            info = subprocess.run(["pdfinfo", out.name], capture_output=True, text=True, check=True).stdout
            pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
            # In the order drawn, so that a cell's wrapped lines stay together;
            # only what stands on the page (72 dpi: a pixel a point).
            texts = [subprocess.run(["pdftotext", "-raw", "-x", "0", "-y", "0", "-W", "842", "-H", "595",
                                     "-f", str(n), "-l", str(n), out.name, "-"],
                                    capture_output=True, text=True, check=True).stdout for n in range(1, pages + 1)]
        size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
        f.check(size and abs(float(size.group(1)) - 842) < 2 and abs(float(size.group(2)) - 595) < 2,
                f"print: not A4 landscape:\n{info}")
        flat = re.sub(r"\s+", "", "".join(texts))
        heading = [entry["menu"] + entry["title"], "wide.csv", "文字コードUTF-8",
                   "結果の見出し:ウィンドウの名前、ウィンドウと同じに読む:しない、表示:すべての行",
                   f"1,200行（エラーのある行{failed}行、注意のある行{noted}行）", "先頭1,000行（全1,200行）",
                   "文字コード:UTF-8として読みました。", "そのまま写した列:番号,図面番号,管理番号"]
        for want in heading:
            f.check(want in flat, f"print: the heading lacks {want!r}:\n{texts[0][:1500]}")
        f.check(re.search(r"\d{4}/\d\d/\d\d \d\d:\d\d", texts[0]), f"print: no date and time:\n{texts[0][:1500]}")
        for caption in expected[0]:
            f.check(re.sub(r"\s+", "", caption) in flat, f"print: no column headed {caption!r}")
        words = set("".join(texts).split())
        f.check("L-1000" in words and "L-1001" not in words, "print: not the first 1,000 rows")
        f.check("1／2：第1列と列2～" in flat, "print: the columns are not in two parts across the pages")
        for n, text in enumerate(texts, 1):
            f.check(f"{n} / {pages}" in text and re.search(r"^番号", text, re.M),
                    f"print: page {n} has no number or no header row:\n{text[:600]}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check_keyboard(b, f, program_cases):
    """Tab visits the window's controls in its tab order, then the page's
    links and buttons (保存 first), then leaves the page; Shift+Tab walks back from the
    link into the window, and leaves the window from the first control."""
    path = program_cases["tabPath"]
    window = path[:-1] if len(path) > 1 and path[-1] == path[0] else path
    focus = "const e = document.activeElement; return e === document.body || !e ? 'body' : e.id || e.tagName"

    def press(shift=False):
        keys = ActionChains(b.driver)
        (keys.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT) if shift else keys.send_keys(Keys.TAB)).perform()
        return b.js(focus)

    b.open(page_of(program_cases["program"]))
    seen = [b.js(focus)] + [press() for _ in range(len(window) + 1)] + [press(True) for _ in range(2)]
    seen += [press() for _ in range(3)]
    want = window + ["A", "A"] + ["A", window[-1]] + ["A", "A", "save"]
    f.check(seen == want, f"Tab and Shift+Tab visit {seen}, not {want}")
    b.open(page_of(program_cases["program"]))
    # Where to is the browser's choice (its own controls, or round the page).
    f.check(press(True) not in window, f"Shift+Tab from the first control goes to {b.js(focus)}")


def wait_for(b, script, what):
    WebDriverWait(b.driver, 30).until(lambda d: d.execute_script(script), what)


# arguments[0] fetched, then until the cache named arguments[1] holds it
# (true), or 5 s (false).
KEPT = """
const [file, name, done] = arguments;
const start = Date.now();
const poll = () => caches.match(file, {cacheName: name}).then((kept) =>
    kept ? done(true) : Date.now() - start > 5000 ? done(false) : setTimeout(poll, 50));
fetch(file).then(poll, () => done(false));
"""
# The cache arguments[0] deleted, then a fetch of arguments[1]: the caches a
# second later.
LATE = """
const [name, file, done] = arguments;
caches.delete(name).then(() => fetch(file)).then(() => setTimeout(() => caches.keys().then(done), 1000));
"""


def check_put_in_place(f):
    """make_site.py puts a new site where the served one is with no moment
    without it: at every step it takes, the site's path has its index.html;
    then it is the new one, and nothing is left beside it."""
    work = tempfile.mkdtemp(prefix="milfo-put-")
    try:
        root, staging = os.path.join(work, "site"), os.path.join(work, "site.new")
        for folder, text in ((root, "old"), (staging, "new")):
            os.makedirs(folder)
            with open(os.path.join(folder, "index.html"), "w") as fh:
                fh.write(text)
        gaps = []

        def watched(name, act):
            def step(*args, **kwargs):
                result = act(*args, **kwargs)
                if not os.path.isfile(os.path.join(root, "index.html")):
                    gaps.append(f"{name}{args}")
                return result
            return step
        with unittest.mock.patch.object(make_site.os, "rename", watched("rename", os.rename)), \
                unittest.mock.patch.object(make_site.shutil, "rmtree", watched("rmtree", shutil.rmtree)):
            make_site.put_in_place(staging, root)
        with open(os.path.join(root, "index.html")) as fh:
            now = fh.read()
        f.check(not gaps and now == "new" and os.listdir(work) == ["site"],
                f"putting the site in place: no site after {gaps}; index {now!r}; beside it {os.listdir(work)}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def check_offline(f, folder, all_cases):
    """One visit over http keeps the whole site, in a cache named after the
    build, which the next build's replaces; with the server stopped, the
    page reloads and calculates, and a page never visited opens too."""
    served = tempfile.mkdtemp(prefix="milfo-served-")
    shutil.copytree(folder, served, dirs_exist_ok=True)
    httpd, origin = serve(served)
    b = Browser(origin)
    b.driver.set_script_timeout(30)
    caches = "caches.keys().then(arguments[0])"
    try:
        b.open(page_of("熱伝達率"))
        wait_for(b, "return navigator.serviceWorker.controller !== null", "the service worker never took over")
        f.check(b.js("return document.querySelector('link[rel=manifest]') !== null"), "no manifest over http")
        first = b.driver.execute_async_script(caches)
        # What a page fetches that the site's list leaves out (the module's
        # code for folders) is kept as it comes; once the cache is deleted (as
        # a newer build's worker does), a late fetch does not bring it back.
        extra = b.js(PAGE_DATA)["wasmScript"]
        f.check(b.driver.execute_async_script(KEPT, extra, first[0] if first else ""),
                f"the service worker did not keep {extra}, which a page fetched")
        late = b.driver.execute_async_script(LATE, first[0] if first else "", extra + "?late")
        f.check(late == [], f"after a late fetch, the caches are {late}, not none")
        # The next build: another site version in sw.js.
        with open(os.path.join(served, "sw.js"), encoding="utf-8") as fh:
            worker = fh.read()
        version = re.search(r'const SITE_VERSION = "(\w+)"', worker).group(1)
        with open(os.path.join(served, "sw.js"), "w", encoding="utf-8") as fh:
            fh.write(worker.replace(version, "next"))
        b.driver.refresh()
        after = [first]
        # The new build's cache there, and its worker in charge (none
        # installing or waiting after it).
        settled = ("navigator.serviceWorker.getRegistration().then((r) => arguments[0](!!r && !r.installing && "
                   "!r.waiting && !!r.active && r.active.state === 'activated'))")
        for _ in range(60):
            after = b.driver.execute_async_script(caches)
            if [k.rsplit(":", 1)[-1] for k in first + after] == [version, "next"] and \
                    b.driver.execute_async_script(settled):
                break
            time.sleep(0.5)
        f.check([k.rsplit(":", 1)[-1] for k in first + after] == [version, "next"],
                f"caches {first} after the first visit and {after} after a new build")
        httpd.shutdown()
        httpd.server_close()
        b.driver.refresh()
        wait_for(b, "return window.milfoReady === true", "the page did not reload offline")
        for pc in all_cases:
            if pc["program"] in ("熱伝達率", "fennick"):
                check_cases(b, f, dict(pc, cases=pc["cases"][:1]))
        b.driver.get(origin + "/")
        f.check(len(b.driver.find_elements(By.CSS_SELECTOR, "#programs a")) == len(all_cases), "offline menu")
    finally:
        b.quit()
        shutil.rmtree(served, ignore_errors=True)


def check_broken_modules(b, f, folder):
    """The module's script missing or failing: the page says what failed and
    what to do, and a press on a button says so too."""
    for file, replacement, note, reason in BROKEN_MODULES:
        what = f"{file} {replacement or 'removed'}"
        broken = tempfile.mkdtemp(prefix="milfo-broken-")
        shutil.copytree(folder, broken, dirs_exist_ok=True)
        try:
            b.driver.get("file://" + urllib.parse.quote(broken) + "/" + urllib.parse.quote(page_of("fennick")))
            page = b.js(PAGE_DATA)
            os.remove(os.path.join(broken, page[file]))
            if replacement:
                with open(os.path.join(broken, page[file]), "w") as fh:
                    fh.write(replacement)
            b.driver.refresh()
            wait_for(b, "return document.documentElement.dataset.failed === 'true'", f"{what}: no failure")
            texts, said = page["texts"], b.element("failure").text
            wanted = texts["module" + note].replace("{file}", page[file]).replace("{reason}", reason or "{")
            f.check(b.element("failure").is_displayed() and said.startswith(wanted.split("{")[0])
                    and said.endswith(texts["module" + note + "Help"]), f"{what}: the page says {said!r}")
            b.element("Command1").click()
            message = b.element("error-message").text
            f.check(b.element("error").is_displayed() and message == texts["unavailable"] + said,
                    f"{what}: a press says {message!r}")
        finally:
            shutil.rmtree(broken, ignore_errors=True)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    archive, cases_path = sys.argv[1:3]
    if not (CHROMIUM and DRIVER and webdriver and shutil.which("pdftotext")):
        print("chromium, chromedriver, python3-selenium or poppler-utils is not installed: skipped")
        return 77
    if not os.path.isfile(archive):
        print(f"no archive {archive}: build it with web/build.sh")
        return 1
    with open(cases_path, encoding="utf-8") as fh:
        all_cases = json.load(fh)
    by_name = {pc["program"]: pc for pc in all_cases}
    f = Failures()
    work = tempfile.mkdtemp(prefix="milfo-site-test-")
    disk = None
    try:
        folder, problems = unzip(archive, work)
        for p in problems:
            f.check(False, f"archive: {p}")
        # One browser for everything from disk; offline has its own profile.
        disk = Browser("file://" + urllib.parse.quote(folder))
        for name, check in [("put in place", lambda: check_put_in_place(f)),
                            ("folder", lambda: check_folder(disk, f, folder, all_cases)),
                            ("一括計算", lambda: check_batch(disk, f, BATCH_CASES, os.environ.get("MILFO_CALC"))),
                            ("print", lambda: check_print(disk, f, by_name[PRINTED])),
                            ("一括計算 printed", lambda: check_batch_print(disk, f, os.environ.get("MILFO_CALC"))),
                            ("keyboard", lambda: check_keyboard(disk, f, by_name[PRINTED])),
                            ("broken module", lambda: check_broken_modules(disk, f, folder)),
                            ("offline", lambda: check_offline(f, folder, all_cases))]:
            t0 = time.time()
            before = f.count
            try:
                check()
            except Exception as e:  # a page that never gets there: this part fails, the others run
                f.check(False, f"{name}: {type(e).__name__}: {e}")
            print(f"{name}: {'ok' if f.count == before else 'FAILED'} ({time.time() - t0:.1f} s)", flush=True)
    finally:
        if disk:
            disk.quit()
        shutil.rmtree(work, ignore_errors=True)
    print(f"{f.checks} checks, {f.count} failed")
    return 1 if f.count else 0


if __name__ == "__main__":
    sys.exit(main())
