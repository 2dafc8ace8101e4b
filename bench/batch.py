#!/usr/bin/python3
"""The site's 一括計算 page against milfo-calc on the same line lists: rows
per second of each, the page's longest frame while it runs, and memory.

bench/batch.py SITE_DIR MILFO_CALC [ROWS]     (bench/run batch builds both and runs it)

A fennick line list of ROWS rows (default 400,000; captions, a line number
passed through, UTF-8) and one of a quarter of them are made in a scratch
folder. milfo-calc --bom runs each (wall and CPU time, peak resident memory,
by /usr/bin/time).
Then the page, in a fresh headless Chromium each time, served over http and
opened from the folder (file://): the file chosen, 計算 clicked; the time from
the click to body[data-batch=done], the longest gap between two animation
frames of the page meanwhile (and the longest task Chromium reports), the
peak resident memory of all the browser's processes (sampled every 100 ms),
and whether the downloaded result is byte for byte milfo-calc's. The
targets: no frame over 250 ms; the whole run within 4 × milfo-calc's time +
1 s; memory at 4 × the rows about that at 1 ×.
"""
import functools
import http.server
import os
import random
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import Select, WebDriverWait

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768"]

# In every document before its own scripts: the longest gap between two
# animation frames and the longest task, from the click on 計算 to the end.
MONITOR = """
(() => {
  const m = window.milfoBench = {gap: 0, task: 0, start: 0, end: 0};
  let last = 0;
  const frame = (t) => {
    if (m.start && !m.end && last) m.gap = Math.max(m.gap, t - last);
    last = t;
    requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
  try {
    new PerformanceObserver((list) => {
      for (const e of list.getEntries()) if (m.start && !m.end) m.task = Math.max(m.task, e.duration);
    }).observe({type: 'longtask', buffered: false});
  } catch (e) {}
  addEventListener('click', (e) => { if (e.target.id === 'run') m.start = performance.now(); }, true);
  new MutationObserver(() => {
    if (document.body && ['done', 'error', 'cancelled'].includes(document.body.dataset.batch) && m.start && !m.end)
      m.end = performance.now();
  }).observe(document, {attributes: true, subtree: true, attributeFilter: ['data-batch']});
})();
"""


def line_list(path, rows):
    rng = random.Random(1)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("番号,ポリエチレンフォームの種類,低温側温度（℃）,高温側温度（℃）\r\n")
        for i in range(rows):
            low = rng.randint(-60, 40)
            f.write(f"{i + 1},{'保温筒１種' if i % 2 else '保温筒２種'},{low},{low + rng.randint(1, 30)}\r\n")


def calc(milfo_calc, path, out):
    """milfo-calc --bom fennick PATH > OUT: wall time, CPU time, peak memory
    (MB; by /usr/bin/time, whose child is no copy of this Python)."""
    with tempfile.NamedTemporaryFile("r") as usage, open(out, "wb") as f:
        t0 = time.time()
        subprocess.run(["/usr/bin/time", "-o", usage.name, "-f", "%U %S %M", milfo_calc, "--bom", "fennick", path],
                       stdout=f, stderr=subprocess.DEVNULL, check=True)
        wall = time.time() - t0
        user, system, kilobytes = usage.read().split()
    return wall, float(user) + float(system), int(kilobytes) / 1024


def tree(pid):
    """pid and every process below it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(parent, []).append(int(entry))
            except (OSError, ValueError, IndexError):
                pass
    out, todo = [], [pid]
    while todo:
        p = todo.pop()
        out.append(p)
        todo.extend(children.get(p, []))
    return out


def resident(pids):
    total = 0
    for p in pids:
        try:
            with open(f"/proc/{p}/status") as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total / 1024


def page(origin, path, expected):
    profile = tempfile.mkdtemp(prefix="milfo-bench-")
    downloads = tempfile.mkdtemp(prefix="milfo-bench-dl-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    service = Service(shutil.which("chromedriver"))
    driver = webdriver.Chrome(service=service, options=options)
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MONITOR})
        driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        driver.get(origin + "/" + urllib.parse.quote("一括計算.html"))
        WebDriverWait(driver, 30).until(lambda d: d.execute_script("return window.milfoReady === true"))
        Select(driver.find_element("id", "program")).select_by_value("fennick")
        driver.find_element("id", "file").send_keys(path)
        # The browser's processes, found once (the worker runs in the page's).
        pids = tree(service.process.pid)
        peak = resident(pids)
        driver.find_element("id", "run").click()
        while driver.execute_script("return document.body.dataset.batch") in ("running", "drawing"):
            peak = max(peak, resident(pids))
            time.sleep(0.1)
        m = driver.execute_script("return window.milfoBench")
        state = driver.execute_script("return document.body.dataset.batch")
        driver.find_element("id", "download").click()
        name = os.path.splitext(os.path.basename(path))[0] + "-結果.csv"
        got = os.path.join(downloads, name)
        for _ in range(600):
            if os.path.exists(got) and not os.path.exists(got + ".crdownload"):
                break
            time.sleep(0.05)
        time.sleep(0.2)
        with open(got, "rb") as f, open(expected, "rb") as g:
            same = f.read() == g.read()
        return {"state": state, "time": (m["end"] - m["start"]) / 1000, "gap": m["gap"], "task": m["task"],
                "memory": peak, "same": same}
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
        shutil.rmtree(downloads, ignore_errors=True)


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    site, milfo_calc = sys.argv[1:3]
    rows = int(sys.argv[3]) if len(sys.argv) == 4 else 400_000
    work = tempfile.mkdtemp(prefix="milfo-bench-batch-")
    handler = functools.partial(type("H", (http.server.SimpleHTTPRequestHandler,),
                                     {"log_message": lambda *a: None}), directory=site)
    httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
    httpd.daemon_threads = True
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    origins = [("served", f"http://127.0.0.1:{httpd.server_address[1]}"),
               ("file://", "file://" + urllib.parse.quote(os.path.abspath(site)))]
    try:
        print(f"fennick line lists; load average {os.getloadavg()[0]:.1f}")
        print(f"{'':22} {'rows':>8} {'time':>8} {'rows/s':>9} {'CPU':>7} {'peak memory':>12}"
              f" {'longest frame':>14} {'longest task':>13}  same bytes")
        for n in (rows // 4, rows):
            path = os.path.join(work, f"lines-{n}.csv")
            line_list(path, n)
            expected = os.path.join(work, f"expected-{n}.csv")
            wall, cpu, rss = calc(milfo_calc, path, expected)
            print(f"{'milfo-calc':22} {n:8} {wall:7.2f}s {n / wall:9.0f} {cpu:6.2f}s {rss:9.1f} MB")
            for how, origin in origins:
                r = page(origin, path, expected)
                limit = 4 * wall + 1
                print(f"{'page, ' + how:22} {n:8} {r['time']:7.2f}s {n / r['time']:9.0f} {'':>7} "
                      f"{r['memory']:9.1f} MB {r['gap']:11.0f} ms {r['task']:10.0f} ms  "
                      f"{'yes' if r['same'] else 'NO'}  ({r['state']}; {r['time'] / wall:.1f}× milfo-calc, "
                      f"limit {limit:.1f} s)")
    finally:
        httpd.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
