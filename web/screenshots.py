#!/usr/bin/python3
"""Screenshots of the site in headless Chromium, for the README: the menu,
熱伝達率 after the example's press, the calculation sheet it prints (the
PDF's page as an image, by pdftoppm), fennick with a box marked as read
otherwise than as typed, 一括計算 after the README's line list of 保温設計
(the worksheet scrolled sideways, and the first page it prints), and
保温設計's chart of the annual costs after its 経済的厚さ example.

web/screenshots.py SITE_DIR OUT_DIR
"""
import base64
import functools
import http.server
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

# The README's line list for 保温設計: hot lines by 表面温度上限, cold ones by 防露.
LINES = """ライン番号,保温材,種類,内部温度（℃）,周囲温度（℃）,相対湿度（％）,表面仕上げ,形状,呼び径,設計条件
L-101,ロックウール,保温筒,350,20,70,アルミニウム板,水平管,150A,表面温度上限
L-102,ロックウール,保温筒,180,20,70,アルミニウム板,水平管,50A,表面温度上限
L-103,けい酸カルシウム保温材,１号－１３,450,20,70,ステンレス鋼板,水平管,200A,表面温度上限
L-104,はっ水性パーライト保温材,保温板(筒)３号－２５,250,20,70,塗装溶融メッキ鋼板,垂直管,100A,表面温度上限
L-105,グラスウール,保温筒,120,20,70,アルミニウム板,水平管,25A,表面温度上限
L-106,ロックウール,保温筒,150,20,70,アルミニウム板,水平管,500A,表面温度上限
L-107,セラミックファイバーブランケット,ブランケット１号,300,20,70,アルミニウム板,水平管,80A,表面温度上限
L-201,ポリスチレンフォーム,押出法保温筒３種,7,30,80,ステンレス鋼板,水平管,80A,防露
L-202,ポリスチレンフォーム,押出法保温筒３種,7,30,80,ステンレス鋼板,水平管,15A,防露
L-203,硬質ウレタンフォーム,,-20,30,80,ステンレス鋼板,水平管,100A,防露
L-204,フェノールフォーム,保温筒２号,-10,30,80,仕上げセメント、布類,水平管,40A,防露
L-205,ポリエチレンフォーム,保温筒１種,5,30,80,アルミニウム板,垂直管,32A,防露
"""


def batch(driver, origin, profile, out, shoot):
    """一括計算 after the 保温設計 list: the page with its worksheet scrolled
    to the results (the header row and the line numbers kept in view), and
    the first page it prints."""
    driver.set_window_size(1280, 900)
    driver.get(origin + "/" + urllib.parse.quote("一括計算.html"))
    WebDriverWait(driver, 20).until(lambda d: d.execute_script("return window.milfoReady === true"))
    lines = os.path.join(profile, "lines.csv")
    with open(lines, "w", encoding="utf-8") as f:
        f.write(LINES)
    Select(driver.find_element(By.ID, "program")).select_by_value("保温設計")
    driver.find_element(By.ID, "file").send_keys(lines)
    driver.find_element(By.ID, "run").click()
    WebDriverWait(driver, 60).until(lambda d: d.execute_script("return document.body.dataset.batch === 'done'"))
    driver.execute_script("document.activeElement.blur();"
                          "const box = document.getElementById('rows-box');"
                          "box.scrollLeft = document.querySelector('#rows thead th:nth-child(11)').offsetLeft - "
                          "document.querySelector('#rows thead th').offsetWidth;")
    shoot("web-一括計算.png", "main, footer")
    pdf = driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
    with tempfile.NamedTemporaryFile(suffix=".pdf") as sheet:
        sheet.write(base64.b64decode(pdf["data"]))
        sheet.flush()
        subprocess.run(["pdftoppm", "-png", "-r", "72", "-singlefile", sheet.name,
                        os.path.join(out, "web-一括計算-印刷")], check=True)


def main():
    site, out = sys.argv[1:3]
    handler = functools.partial(type("H", (http.server.SimpleHTTPRequestHandler,),
                                     {"log_message": lambda *a: None}), directory=site)
    httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    origin = f"http://127.0.0.1:{httpd.server_address[1]}"
    profile = tempfile.mkdtemp(prefix="milfo-shots-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--hide-scrollbars", "--lang=ja", f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    ready = lambda d: d.execute_script("return window.milfoReady === true")

    def shoot(name, content=".window"):
        """The viewport fitted to the page's content, then a screenshot."""
        w, h = driver.execute_script(
            "const rs = [...document.querySelectorAll(arguments[0])].map(e => e.getBoundingClientRect());"
            "return [Math.ceil(Math.max(...rs.map(r => r.right)) + 16), Math.ceil(Math.max(...rs.map(r => r.bottom)) + 16)];",
            content)
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": w, "height": h, "deviceScaleFactor": 1, "mobile": False})
        driver.save_screenshot(os.path.join(out, name))
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def enter(entries):
        """Each (control, text) as a person enters it: a list's entry picked
        from its drop-down (the page gives a list one), a box's text typed
        over what it holds."""
        for name, text in entries:
            if driver.find_elements(By.ID, name + "-list"):
                driver.find_element(By.ID, name + "-button").click()
                for option in driver.find_elements(By.CSS_SELECTOR, f"#{name}-list [role=option]"):
                    if option.get_attribute("textContent") == text:
                        option.click()
                        break
            else:
                box = driver.find_element(By.ID, name)
                box.clear()
                box.send_keys(text)
    try:
        os.makedirs(out, exist_ok=True)
        driver.set_window_size(1024, 768)
        driver.get(origin + "/index.html")
        shoot("web-menu.png")

        driver.get(origin + "/" + urllib.parse.quote("熱伝達率.html"))
        WebDriverWait(driver, 20).until(ready)
        enter([("Combo1", "仕上げセメント、布類"), ("Text1", "20"), ("Text2", "50"), ("Text3", "0"), ("Text4", "0.1"),
               ("Text5", "0.05")])
        driver.find_element(By.ID, "Command1").click()
        shoot("web-熱伝達率.png")
        pdf = driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
        with tempfile.NamedTemporaryFile(suffix=".pdf") as sheet:
            sheet.write(base64.b64decode(pdf["data"]))
            sheet.flush()
            subprocess.run(["pdftoppm", "-png", "-r", "72", "-singlefile", sheet.name,
                            os.path.join(out, "web-計算書")], check=True)

        # fennick with 12abc typed as the low temperature: read as 12, marked.
        driver.get(origin + "/fennick.html")
        WebDriverWait(driver, 20).until(ready)
        enter([("Combo1", "保温筒１種"), ("Text1", "12abc"), ("Text2", "50")])
        driver.find_element(By.ID, "Command1").click()
        shoot("web-fennick-12abc.png")

        batch(driver, origin, profile, out, shoot)

        # 保温設計, 経済的厚さ: the chart of the annual costs (its table folded below).
        driver.set_window_size(1280, 1000)
        driver.get(origin + "/" + urllib.parse.quote("保温設計.html"))
        WebDriverWait(driver, 20).until(ready)
        enter([("Combo1", "ロックウール"), ("Combo2", "保温筒"), ("Text1", "180"), ("Text2", "10"), ("Text4", "1"),
               ("Combo3", "アルミニウム板"), ("Combo4", "水平管"), ("Combo5", "100A"), ("Combo6", "経済的厚さ"),
               ("Text31", "8000,8600,9200,10500,11800,14000,15500,19000"), ("Text32", "6"), ("Text33", "4000"),
               ("Text34", "10"), ("Text35", "3"), ("Text36", "85")])
        driver.find_element(By.ID, "Command1").click()
        for figure in driver.find_elements(By.CSS_SELECTOR, ".side-tables figure"):
            if figure.find_element(By.TAG_NAME, "summary").get_attribute("textContent") == "標準厚さごとの年間費用":
                figure.screenshot(os.path.join(out, "web-経済的厚さ.png"))
    finally:
        driver.quit()
        httpd.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
