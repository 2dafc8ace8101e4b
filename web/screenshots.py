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


class Camera:
    """Headless Chromium over the site, served on this machine only, and
    what a screenshot takes: pages opened, entries made, a viewport fitted
    to the content, a page printed."""

    FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--hide-scrollbars", "--lang=ja"]

    def __init__(self, site, out):
        self.out = out
        handler = functools.partial(type("H", (http.server.SimpleHTTPRequestHandler,),
                                         {"log_message": lambda *a: None}), directory=site)
        self.httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        self.origin = f"http://127.0.0.1:{self.httpd.server_address[1]}"
        self.profile = tempfile.mkdtemp(prefix="milfo-shots-")
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for flag in self.FLAGS + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)

    def close(self):
        self.driver.quit()
        self.httpd.shutdown()
        shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, page, width, height, module=True):
        """A page of the site, once its module has loaded (the menu has none)."""
        self.driver.set_window_size(width, height)
        self.driver.get(self.origin + "/" + urllib.parse.quote(page))
        if module:
            WebDriverWait(self.driver, 20).until(lambda d: d.execute_script("return window.milfoReady === true"))

    def enter(self, entries):
        """Each (control, text) as a person enters it: a list's entry picked
        from its drop-down (the page gives a list one), a box's text typed
        over what it holds."""
        for name, text in entries:
            if self.driver.find_elements(By.ID, name + "-list"):
                self.driver.find_element(By.ID, name + "-button").click()
                for option in self.driver.find_elements(By.CSS_SELECTOR, f"#{name}-list [role=option]"):
                    if option.get_attribute("textContent") == text:
                        option.click()
                        break
            else:
                box = self.driver.find_element(By.ID, name)
                box.clear()
                box.send_keys(text)

    def press(self, name="Command1"):
        self.driver.find_element(By.ID, name).click()

    def shoot(self, name, content=".window"):
        """The viewport fitted to the page's content, then a screenshot."""
        w, h = self.driver.execute_script(
            "const rs = [...document.querySelectorAll(arguments[0])].map(e => e.getBoundingClientRect());"
            "return [Math.ceil(Math.max(...rs.map(r => r.right)) + 16), Math.ceil(Math.max(...rs.map(r => r.bottom)) + 16)];",
            content)
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": w, "height": h, "deviceScaleFactor": 1, "mobile": False})
        self.driver.save_screenshot(os.path.join(self.out, name))
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def print_first_page(self, name):
        """The page printed as the browser prints it; its first page as a PNG."""
        pdf = self.driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
        with tempfile.NamedTemporaryFile(suffix=".pdf") as sheet:
            sheet.write(base64.b64decode(pdf["data"]))
            sheet.flush()
            subprocess.run(["pdftoppm", "-png", "-r", "72", "-singlefile", sheet.name,
                            os.path.join(self.out, name)], check=True)


def menu(cam):
    cam.open("index.html", 1024, 768, module=False)
    cam.shoot("web-menu.png")


def heat_transfer(cam):
    """熱伝達率 after the example's press, and the calculation sheet it prints."""
    cam.open("熱伝達率.html", 1024, 768)
    cam.enter([("Combo1", "仕上げセメント、布類"), ("Text1", "20"), ("Text2", "50"), ("Text3", "0"),
               ("Text4", "0.1"), ("Text5", "0.05")])
    cam.press()
    cam.shoot("web-熱伝達率.png")
    cam.print_first_page("web-計算書")


def fennick_marked(cam):
    """fennick with 12abc typed as the low temperature: read as 12, marked."""
    cam.open("fennick.html", 1024, 768)
    cam.enter([("Combo1", "保温筒１種"), ("Text1", "12abc"), ("Text2", "50")])
    cam.press()
    cam.shoot("web-fennick-12abc.png")


def batch(cam):
    """一括計算 after the 保温設計 list: the page with its worksheet scrolled
    to the results (the header row and the line numbers kept in view), and
    the first page it prints."""
    driver = cam.driver
    cam.open("一括計算.html", 1280, 900)
    lines = os.path.join(cam.profile, "lines.csv")
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
    cam.shoot("web-一括計算.png", "main, footer")
    cam.print_first_page("web-一括計算-印刷")


def economic_thickness(cam):
    """保温設計, 経済的厚さ: the chart of the annual costs (its table folded below)."""
    cam.open("保温設計.html", 1280, 1000)
    cam.enter([("Combo1", "ロックウール"), ("Combo2", "保温筒"), ("Text1", "180"), ("Text2", "10"), ("Text4", "1"),
               ("Combo3", "アルミニウム板"), ("Combo4", "水平管"), ("Combo5", "100A"), ("Combo6", "経済的厚さ"),
               ("Text31", "8000,8600,9200,10500,11800,14000,15500,19000"), ("Text32", "6"), ("Text33", "4000"),
               ("Text34", "10"), ("Text35", "3"), ("Text36", "85")])
    cam.press()
    for figure in cam.driver.find_elements(By.CSS_SELECTOR, ".side-tables figure"):
        if figure.find_element(By.TAG_NAME, "summary").get_attribute("textContent") == "標準厚さごとの年間費用":
            figure.screenshot(os.path.join(cam.out, "web-経済的厚さ.png"))


def main():
    site, out = sys.argv[1:3]
    os.makedirs(out, exist_ok=True)
    cam = Camera(site, out)
    try:
        for take in (menu, heat_transfer, fennick_marked, batch, economic_thickness):
            take(cam)
    finally:
        cam.close()


if __name__ == "__main__":
    main()
