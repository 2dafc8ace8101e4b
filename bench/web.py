#!/usr/bin/python3
"""The web site's first visit in headless Chromium: bytes transferred, time
from navigation to window.milfoReady and to the first result, against the
same page with the WebAssembly module replaced by a stub (same run).

bench/web.py SITE_DIR [RUNS]     (bench/run web builds the site and runs it)

Every run starts a fresh browser profile, so each visit is a first visit
(nothing cached). Each page is visited served over http and opened from the
folder (file://). The first result: as soon as the page is ready, the
example's inputs are typed in by script and Command1 is clicked; the time is
taken when its result box has changed.
"""
import functools
import http.server
import json
import os
import re
import shutil
import socketserver
import statistics
import sys
import tempfile
import threading
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768"]

# Pages and what the first press types: (page, inputs, button, result box).
PAGES = [
    ("fennick", [("Combo1", "保温筒１種"), ("Text1", "0"), ("Text2", "50")], "Command1", "Text3"),
    ("熱伝達率", [("Text1", "20"), ("Text2", "50"), ("Text4", "0.1"), ("Text5", "0.05")], "Command1", "Text9"),
]

# Runs in every document before its own scripts: notes when the page sets
# milfoReady, then presses the button at once and notes the first result.
PROBE = """
(() => {
  const press = %s;
  let ready = false;
  Object.defineProperty(window, 'milfoReady', {
    configurable: true,
    get() { return ready; },
    set(v) {
      ready = v;
      if (!v || !press) return;
      window.milfoBench = {ready: performance.now()};
      setTimeout(() => {
        for (const [id, text] of press.inputs) document.getElementById(id).value = text;
        const box = document.getElementById(press.result);
        const before = box.value;
        document.getElementById(press.button).click();
        const done = () => box.value !== before;
        const poll = () => done() ? (window.milfoBench.result = performance.now()) : requestAnimationFrame(poll);
        poll();
      }, 0);
    }
  });
})();
"""

# Stands in for the module: the same interface, answering at once.
STUB = """
var Module = typeof Module != 'undefined' ? Module : {};
Module.ccall = function (name, type, types, args) {
  if (name === 'milfo_type') return null;
  return name === 'milfo_begin' ? '{"changes":[],"error":null,"ended":false}'
       : '{"changes":[["text","%s","1"]],"error":null,"ended":false}';
};
Module.calledRun = true;
setTimeout(function () { if (Module.onRuntimeInitialized) Module.onRuntimeInitialized(); }, 0);
"""


def serve(site):
    handler = functools.partial(type("H", (http.server.SimpleHTTPRequestHandler,),
                                     {"log_message": lambda *a: None}), directory=site)
    # A browser that quits while its service worker still fetches the site
    # breaks a connection: no matter here.
    server = type("S", (socketserver.ThreadingTCPServer,), {"handle_error": lambda *a: None})
    httpd = server(("127.0.0.1", 0), handler)
    httpd.daemon_threads = True
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd, f"http://127.0.0.1:{httpd.server_address[1]}"


def visit(origin, page, press):
    """One first visit in a fresh profile: (bytes, ms to ready, ms to result)."""
    profile = tempfile.mkdtemp(prefix="milfo-bench-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        probe = None
        if press:
            probe = {"inputs": press[1], "button": press[2], "result": press[3]}
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                               {"source": PROBE % json.dumps(probe, ensure_ascii=False)})
        driver.get(f"{origin}/{urllib.parse.quote(page)}")
        WebDriverWait(driver, 30).until(
            lambda d: d.execute_script("return window.milfoBench && window.milfoBench.result !== undefined")
            if press else d.execute_script("return document.readyState === 'complete'"))
        times = driver.execute_script("return window.milfoBench || null")
        # The site's own responses only (not the browser's start page).
        urls, transferred = {}, 0
        for entry in driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            params = message["params"]
            if message["method"] == "Network.requestWillBeSent":
                urls[params["requestId"]] = params["request"]["url"]
            elif message["method"] == "Network.loadingFinished" and urls.get(params["requestId"], "").startswith(origin):
                transferred += params["encodedDataLength"]
        if times:
            return transferred, times["ready"], times["result"]
        return transferred, None, None
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def stub_site(site, result_box):
    stub = tempfile.mkdtemp(prefix="milfo-stub-site-")
    shutil.copytree(site, stub, dirs_exist_ok=True)
    # The module (milfo.HASH.js, the WebAssembly inside) under its own name.
    for name in os.listdir(stub):
        if re.fullmatch(r"milfo\.[0-9a-f]+\.js", name):
            with open(os.path.join(stub, name), "w") as f:
                f.write(STUB % result_box)
    return stub


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    size = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(site) for f in fs)
    print(f"site on disk: {size} bytes in {sum(len(fs) for _, _, fs in os.walk(site))} files")
    httpd, origin = serve(site)
    try:
        menu_bytes = visit(origin, "index.html", None)[0]
        print(f"first visit of the menu: {menu_bytes} bytes transferred")
        for page, *press in PAGES:
            stub = stub_site(site, press[2])
            shttpd, sorigin = serve(stub)
            folders = ("file://" + urllib.parse.quote(os.path.abspath(site)),
                       "file://" + urllib.parse.quote(os.path.abspath(stub)))
            try:
                for how, (real_origin, stub_origin) in [("served", (origin, sorigin)), ("from the folder", folders)]:
                    real, fake = [], []
                    for _ in range(runs):
                        real.append(visit(real_origin, page + ".html", (page, *press)))
                        fake.append(visit(stub_origin, page + ".html", (page, *press)))
                    med = lambda rows, i: statistics.median(r[i] for r in rows)
                    print(f"{page}.html {how}, first visit ({runs} runs, medians):")
                    if how == "served":
                        print(f"  bytes transferred   {med(real, 0):>9.0f}   stub {med(fake, 0):>9.0f}")
                    print(f"  navigation → ready  {med(real, 1):>7.1f} ms   stub {med(fake, 1):>7.1f} ms"
                          f"   ratio {med(real, 1) / med(fake, 1):.2f}")
                    print(f"  navigation → result {med(real, 2):>7.1f} ms   stub {med(fake, 2):>7.1f} ms"
                          f"   ratio {med(real, 2) / med(fake, 2):.2f}", flush=True)
            finally:
                shttpd.shutdown()
                shutil.rmtree(stub, ignore_errors=True)
    finally:
        httpd.shutdown()


if __name__ == "__main__":
    main()
