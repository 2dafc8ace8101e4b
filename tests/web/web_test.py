#!/usr/bin/python3
"""The web site in headless Chromium, driven through WebDriver as a person
types and clicks: every page against its layout table, the Tab key's path,
the GUI case tables of every program replayed with exact text and marks,
faults in the modal dialog with the inputs kept, the side tables of a
program that has them, the menu, and no request leaving the origin. A
program's page is loaded once and started again (its own restart) before
each case. A case goes to the page as one sequence of real key and mouse
input (W3C Actions, one WebDriver command) when it is in the sample (the
first and every SAMPLE-th of the program) or opens the dialog, marks a box,
presses a key or presses a button a second time; the others are played by
one script through the page's own handlers (SCRIPTED: the events a person's
input sends). Either way its outcome is read back by one script. With axe,
axe-core's accessibility rules on a few pages instead.

web_test.py SITE_DIR CASES_JSON LAYOUT_DIR [PROGRAM...|menu|batch|axe]   (default: everything but axe)

The 一括計算 page's results are compared with those of the milfo-calc named
by MILFO_CALC.

Exit 77 (skipped) only when Chromium, its driver or Selenium is not installed.
"""
import csv
import functools
import http.server
import io
import json
import os
import re
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import unicodedata
import urllib.parse

CHROMIUM = shutil.which("chromium")
DRIVER = shutil.which("chromedriver")
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
    from selenium.common.exceptions import WebDriverException
except ImportError:
    webdriver = None

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768", "--lang=ja"]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    requested = []

    def log_message(self, *args):
        pass

    def do_GET(self):
        QuietHandler.requested.append(self.path)
        super().do_GET()


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    httpd = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
    httpd.daemon_threads = True
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd, f"http://127.0.0.1:{httpd.server_address[1]}"


class Failures:
    def __init__(self):
        self.count = 0
        self.checks = 0

    def check(self, ok, what):
        self.checks += 1
        if not ok:
            self.count += 1
            print("FAIL:", what, flush=True)
        return ok


class Browser:
    def __init__(self, origin):
        self.origin = origin
        self.profile = tempfile.mkdtemp(prefix="milfo-web-test-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(DRIVER), options=options)
        self.driver.set_page_load_timeout(30)
        self.driver.set_script_timeout(30)
        self.urls = []
        self.console_errors = []

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def collect_requests(self):
        # Script errors, refused requests and missing files show as severe console entries.
        for entry in self.driver.get_log("browser"):
            if entry["level"] == "SEVERE":
                self.console_errors.append(entry["message"])
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                self.urls.append(message["params"]["request"]["url"])

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    # Until the page's module has run its load handler; then BODY (a function
    # body over args), whose value the command returns.
    WAIT_READY = """
const done = arguments[arguments.length - 1];
const args = [...arguments].slice(0, -1);
const then = (args) => { %s };
(function poll() {
  if (window.milfoReady === true) done(then(args));
  else setTimeout(poll, 5);
})();
"""

    def wait_ready(self, body="return null;", *args):
        return self.driver.execute_async_script(self.WAIT_READY % body, *args)

    def open(self, page, body="return null;", *args):
        self.driver.get(f"{self.origin}/{urllib.parse.quote(page)}")
        result = self.wait_ready(body, *args)
        self.collect_requests()
        return result

    def element(self, name):
        return self.driver.find_element(By.ID, name)


def page_of(program):
    return program + ".html"


def layout_rows(layout_dir, program):
    with open(os.path.join(layout_dir, program + ".tsv"), encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


GEOMETRY = """
const form = document.getElementById('Form1').getBoundingClientRect();
const out = {client: [form.width, form.height], title: document.title, controls: {},
             focus: document.activeElement.id};
let place = 0;
for (const el of document.querySelectorAll('#Form1 > [id]')) {
  const r = el.getBoundingClientRect();
  out.controls[el.id] = {x: r.left - form.left, y: r.top - form.top, w: r.width, h: r.height,
    tag: el.tagName, role: el.getAttribute('role'), tab: el.tabIndex, place: place++,
    ms: el.classList.contains('box-font'),
    text: el.tagName === 'INPUT' ? el.value : el.textContent, labelFor: el.htmlFor || null,
    selection: el.tagName === 'INPUT' ? [el.selectionStart, el.selectionEnd] : null};
}
out.entries = {};
for (const list of document.querySelectorAll('#Form1 > [role=listbox]'))
  out.entries[list.id.replace(/-list$/, '')] = [...list.querySelectorAll('[role=option]')].map(o => o.textContent);
return out;
"""

KIND_OF = {"Label": ("LABEL", "DIV"), "TextBox": ("INPUT",), "ComboBox": ("INPUT",), "CommandButton": ("BUTTON",)}


def check_layout(b, f, layout_dir, program):
    """The page as built against tests/layout/PROGRAM.tsv: caption, client
    size, every control's rectangle (the same pixel as the desktop's), kind,
    tab order, font and text, the list entries; the first box focused with
    its text selected."""
    b.open(page_of(program))
    g = b.js(GEOMETRY)
    captions = b.js("const d = JSON.parse(document.getElementById('description').textContent);"
                    "return d.program.controls.filter(c => c.for).map(c => [c.for, c.name]);")
    rows = layout_rows(layout_dir, program)
    px = lambda v: round(v) * 15
    tab_order = []
    for row in rows:
        if row[0] == "caption":
            f.check(g["title"] == row[1], f"{program}: title {g['title']!r} != {row[1]!r}")
        elif row[0] == "client":
            got = [px(g["client"][0]), px(g["client"][1])]
            f.check(got == [int(row[1]), int(row[2])], f"{program}: client {got} != {row[1:3]}")
        elif row[0] == "control":
            name, kind, x, y, w, h, tab, font, text = row[1:10] + [""] * (10 - len(row))
            c = g["controls"].get(name)
            if not f.check(c is not None, f"{program}: no element #{name}"):
                continue
            got = [px(c["x"]), px(c["y"]), px(c["w"]), px(c["h"])]
            f.check(got == [int(x), int(y), int(w), int(h)], f"{program} {name}: rectangle {got} != {[x, y, w, h]}")
            f.check(c["tag"] in KIND_OF[kind], f"{program} {name}: <{c['tag']}> for a {kind}")
            if kind == "ComboBox":
                f.check(c["role"] == "combobox", f"{program} {name}: role {c['role']}")
            f.check(c["ms"] == (font != "default"), f"{program} {name}: font")
            f.check(c["text"] == text, f"{program} {name}: text {c['text']!r} != {text!r}")
            if kind != "Label":
                tab_order.append((int(tab), c["place"], name, c["tab"]))
        elif row[0] == "entry":
            pass
    # The entries of every list: "entry TEXT" for Combo1, "entry ComboN TEXT" for the others.
    entries = {name: [] for name in g["entries"]}
    for row in rows:
        if row[0] == "entry":
            list_name, text = ("Combo1", row[1] if len(row) > 1 else "") if len(row) <= 2 else (row[1], row[2])
            entries.setdefault(list_name, []).append(text)
    f.check(g["entries"] == entries, f"{program}: entries {g['entries']} != {entries}")
    # The controls come in the document in the table's tab order, with no
    # tab index of their own: Tab follows the document.
    places = [place for _, place, _, _ in sorted(tab_order)]
    f.check(places == sorted(places) and all(t == 0 for *_, t in tab_order), f"{program}: tab order {tab_order}")
    # Labels caption their boxes.
    for control, label in captions:
        c = g["controls"].get(label)
        if c and c["tag"] == "LABEL":
            f.check(c["labelFor"] == control, f"{program}: {label} is not <label for={control}>")
    first = min(tab_order)[2] if tab_order else None
    f.check(g["focus"] == first, f"{program}: focus at start on {g['focus']!r}, not {first!r}")
    fc = g["controls"].get(first, {})
    if fc.get("selection") is not None:
        f.check(fc["selection"] == [0, len(fc["text"])], f"{program}: text of {first} not selected at start")


# Installed in a page before the input: notes every fault report as the modal
# dialog opens (its message, whether it is modal, its buttons) and, at every
# key and button press, the focused control and the texts of args[0] as they
# were before that press. Then it returns the elements the input will use:
# args[1] by id, the entries args[2] ([list, text]) of the lists, and the
# dialog's button.
RECORDER = """
const textOf = (el) => el ? (el.tagName === 'INPUT' ? el.value : el.textContent) : null;
if (!window.milfoTestRecord) {
  const rec = window.milfoTestRecord = {reports: [], presses: [], watch: []};
  const dialog = document.getElementById('error');
  new MutationObserver(() => {
    if (dialog.open)
      rec.reports.push({message: document.getElementById('error-message').textContent,
                        modal: dialog.matches(':modal'), buttons: dialog.querySelectorAll('button').length});
  }).observe(dialog, {attributes: true, attributeFilter: ['open']});
  for (const type of ['mousedown', 'keydown'])
    window.addEventListener(type, (e) => {
      if (e.isTrusted)
        rec.presses.push({type, focus: document.activeElement.id || document.activeElement.tagName,
                          texts: rec.watch.map((n) => textOf(document.getElementById(n)))});
    }, true);
}
window.milfoTestRecord.watch = args[0];
return {controls: args[1].map((n) => document.getElementById(n)),
        entries: args[2].map(([n, t]) => [...document.querySelectorAll('#' + n + '-list [role=option]')]
                                           .find((o) => o.textContent === t) || null),
        close: document.querySelector('#error button')};
"""

# After the input: what the recorder noted, the texts of arguments[0],
# whether the fault dialog is open, and for each box of arguments[1] its mark:
# aria-invalid, the text that describes it, whether that text is shown, and
# its row of the calculation sheet.
READ = """
const read = (watch, marked) => {
  if (!document.getElementById('Form1') || document.documentElement.dataset.ended === 'true') return {ended: true};
  const textOf = (el) => el ? (el.tagName === 'INPUT' ? el.value : el.textContent) : null;
  const {inputs, results} = JSON.parse(document.getElementById('description').textContent).program;
  const sections = document.querySelectorAll('#sheet-sections table');
  const sheetCell = (n) => inputs.includes(n) ? sections[0].querySelectorAll('td')[inputs.indexOf(n)]
                                              : sections[1].querySelectorAll('td')[results.indexOf(n)];
  const marks = marked.map((n) => {
    const el = document.getElementById(n);
    const notes = (el.getAttribute('aria-describedby') || '').split(' ').filter((id) => id)
      .map((id) => document.getElementById(id));
    return {invalid: el.getAttribute('aria-invalid'), note: notes.map(textOf).join(' '), value: el.value,
            shown: notes.every((d) => d && d.getClientRects().length > 0),
            sheet: textOf(sheetCell(n))};
  });
  return {texts: watch.map((n) => textOf(document.getElementById(n))), marks,
          open: document.getElementById('error').open};
};
"""
RESULT = READ + """
const state = read(arguments[0], arguments[1]);
return state.ended ? state : Object.assign(state, window.milfoTestRecord);
"""

# The program started again in the page that is open (the page's own
# restart, as a reload starts it), and what the recorder noted forgotten.
RESTART = """
window.milfoRestart();
if (window.milfoTestRecord) Object.assign(window.milfoTestRecord, {reports: [], presses: []});
"""

# A case played by script in the page that is open, through the page's own
# handlers: the program started again (as RESTART), then each command as the
# events a person's input sends, which the page's listeners take as they take
# real ones: a press is mousemove, mousedown (the focus moves unless the page
# keeps it), mouseup and click on the element; typing selects the box's text,
# replaces it and sends the input event; a pick presses the list's button and
# then its entry. A dialog that opens is noted as it opens (and closed before
# the next command, as Escape does in real input). With arguments[3] the last
# command is played again, and the texts before it are returned as "first".
# Then what READ reads, with the reports and the commands it could not play.
SCRIPTED = READ + """
const [lines, watch, marked, again] = arguments;
window.milfoRestart();
const dialog = document.getElementById('error');
const reports = [], faults = [];
const textOf = (el) => el ? (el.tagName === 'INPUT' ? el.value : el.textContent) : null;
const mouse = (el, type) => el.dispatchEvent(new MouseEvent(type, {bubbles: true, cancelable: true, composed: true,
                                                                   view: window, button: 0, detail: 1}));
const press = (el) => {
  mouse(el, 'mousemove');
  if (mouse(el, 'mousedown')) el.focus();
  mouse(el, 'mouseup');
  mouse(el, 'click');
};
const play = (line) => {
  const [command, rest] = line.includes(' ') ? [line.slice(0, line.indexOf(' ')), line.slice(line.indexOf(' ') + 1)]
                                             : [line, ''];
  const [name, text] = rest.includes(' ') ? [rest.slice(0, rest.indexOf(' ')), rest.slice(rest.indexOf(' ') + 1)]
                                          : [rest, ''];
  const el = document.getElementById(command === 'pick' ? name + '-button' : name);
  if (!el) return faults.push('? no element #' + (command === 'pick' ? name + '-button' : name));
  if (command === 'set') {
    press(el);
    el.select();
    el.value = text;
    el.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: text ? 'insertText' : 'deleteContentForward',
                                              data: text || null}));
  } else if (command === 'pick') {
    const entry = [...document.querySelectorAll('#' + name + '-list [role=option]')].find((o) => o.textContent === text);
    if (!entry) return faults.push('? no entry');
    press(el);
    press(entry);
  } else if (command === 'click') {
    press(el);
  } else {
    faults.push('? not by script: ' + command);
  }
};
const step = (line, last) => {
  const before = dialog.open;
  play(line);
  if (dialog.open && !before)
    reports.push({message: document.getElementById('error-message').textContent, modal: dialog.matches(':modal'),
                  buttons: dialog.querySelectorAll('button').length});
  if (dialog.open && !last) dialog.close();
};
lines.forEach((line, i) => step(line, i === lines.length - 1));
let first = null;
if (again && document.documentElement.dataset.ended !== 'true') {
  first = watch.map((n) => textOf(document.getElementById(n)));
  step(lines[lines.length - 1], true);
}
const state = read(watch, marked);
return state.ended ? state : Object.assign(state, {reports, faults, first});
"""

KEYS = {"Return": Keys.RETURN, "Enter": Keys.ENTER, "Tab": Keys.TAB, "Space": Keys.SPACE, "Escape": Keys.ESCAPE}


def check_tab_path(b, f, program, path):
    # The desktop's path comes round to the first control; in the page, Tab
    # from the last control goes on to the page's link instead.
    path = path[:-1] + ["A"] if len(path) > 1 and path[-1] == path[0] else path
    """Tab through the path and Shift+Tab twice, as one sequence of keys; the
    recorder notes the focus before each press."""
    ensure_page(b, program)
    b.js("const args = arguments;" + RESTART + RECORDER, [], [], [])
    keys = ActionChains(b.driver, duration=0)
    for _ in path:
        keys.send_keys(Keys.TAB)
    keys.key_down(Keys.SHIFT).send_keys(Keys.TAB).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    presses, back = b.js("return [window.milfoTestRecord.presses, document.activeElement.id]")
    seen = [p["focus"] for p in presses if p["type"] == "keydown"][:len(path)]
    f.check(seen == path, f"{program}: Tab visits {seen}, not {path}")
    f.check(back == path[-2], f"{program}: Shift+Tab twice lands on {back}, not {path[-2]}")


def ensure_page(b, program):
    """The program's page, loaded unless it is the page open (and not ended)."""
    here = urllib.parse.unquote(b.driver.current_url).endswith("/" + page_of(program))
    if not (here and b.js("return !!document.getElementById('Form1') && window.milfoReady === true && "
                          "document.documentElement.dataset.ended !== 'true'")):
        b.open(page_of(program))


def parse(line):
    command, _, rest = line.partition(" ")
    name, _, text = rest.partition(" ")
    return command, name, text


def targets(lines):
    """The elements LINES act on: controls by id, and list entries."""
    controls, entries = [], []
    for line in lines:
        command, name, text = parse(line)
        if command in ("set", "click"):
            controls.append(name)
        elif command == "pick":
            controls.append(name + "-button")
            entries.append([name, text])
    return controls, entries


def may_raise(line):
    """A command that can run a handler, and so open the fault dialog."""
    command, name, _ = parse(line)
    return command == "pick" or (command == "click" and not name.endswith("-button")) or \
        (command == "key" and name not in ("Tab", "Escape"))


class Missing(Exception):
    pass


class Session:
    """One page and the commands of the GUI case tables, played as a person
    does them: click into a box, select all, type; open the list and click
    the entry; click a button; press a key. The commands go to the browser as
    one sequence of key and mouse actions. A run-time error shows as the
    modal dialog, which the recorder notes: after a command that can raise
    one, Escape (a real key, which presses nothing in the window) closes it
    before the next command; one left open at the end is closed by a click
    on its button."""

    def __init__(self, b, program, watch=(), marked=(), reuse=False):
        self.b = b
        self.watch = list(watch)
        self.marked = list(marked)
        self.faults = []
        self.handle = b.driver.current_window_handle
        self.page = page_of(program)
        self.found = None
        self.reuse = reuse  # the program's page is open: started again in it, not loaded again

    def play(self, lines, case_length=None):
        """Plays LINES; the first CASE_LENGTH are the case's own (after the last
        of them no Escape). One sequence, unless a list entry is not there
        when it starts: then the part before it goes first, and the entry is
        looked for again."""
        case_length = len(lines) if case_length is None else case_length
        i = 0
        while i < len(lines):
            if self.found is None and self.reuse:
                found = self.b.js("const args = arguments;" + RESTART + RECORDER, self.watch, *targets(lines))
            elif self.found is None:
                found = self.b.open(self.page, RECORDER, self.watch, *targets(lines))
            else:
                found = self.b.js("const args = arguments;" + RECORDER, self.watch, *targets(lines[i:]))
            self.found = found
            chain = ActionChains(self.b.driver, duration=0)
            controls, entries = iter(found["controls"]), iter(found["entries"])
            n = 0
            for n, line in enumerate(lines[i:], start=0):
                command, name, text = parse(line)
                if command == "set":
                    el = next(controls)
                    if el is None:
                        raise Missing(f"{line}: no element #{name}")
                    chain.move_to_element(el).click()
                    chain.key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL)
                    chain.send_keys(text if text else Keys.DELETE)
                elif command == "pick":
                    button, entry = next(controls), next(entries)
                    if button is None:
                        raise Missing(f"{line}: no element #{name}-button")
                    if entry is None:
                        break
                    chain.move_to_element(button).click().move_to_element(entry).click()
                elif command == "click":
                    el = next(controls)
                    if el is None:
                        raise Missing(f"{line}: no element #{name}")
                    chain.move_to_element(el).click()
                elif command == "key":
                    chain.send_keys(KEYS[name])
                else:
                    self.faults.append("? unknown command " + command)
                if may_raise(line) and i + n < case_length - 1:
                    chain.send_keys(Keys.ESCAPE)
            else:
                n = len(lines) - i
            if n == 0:
                # The entry is not in the list.
                self.faults.append("? no entry")
                i += 1
                continue
            chain.perform()
            i += n

    def result(self):
        """The texts of the watched controls and what the recorder noted;
        faults as "! message", the end as "ended". A fault dialog still open
        is closed by its button."""
        b = self.b
        try:
            state = b.js(RESULT, self.watch, self.marked)
        except WebDriverException:
            state = {"ended": True}
        if state.get("ended"):
            # The page closes its window or goes back to the menu.
            if not wait_ended(b, self.handle):
                self.faults.append("? ended but neither closed nor back at the menu")
            return state
        self.faults = reported(state["reports"]) + self.faults
        if state["open"]:
            try:
                ActionChains(b.driver, duration=0).move_to_element(self.found["close"]).click().perform()
            except WebDriverException as e:
                self.faults.append(f"? the dialog's button: {e.msg}")
        return state

    def get(self, name):
        return self.b.js("const el = document.getElementById(arguments[0]);"
                         "return el.tagName === 'INPUT' ? el.value : el.textContent;", name)


def wait_ended(b, handle):
    """The page closes its window or goes back to the menu: whether it did."""
    for _ in range(100):
        if handle not in b.driver.window_handles or b.driver.current_url.endswith("/index.html"):
            return True
        time.sleep(0.05)
    return False


def reported(reports):
    """The fault reports as "! message"; a dialog that is not modal or not
    with one button noted too."""
    noted = []
    for r in reports:
        noted.append("! " + r["message"])
        if not r["modal"] or r["buttons"] != 1:
            noted.append(f"? dialog modal={r['modal']} buttons={r['buttons']}")
    return noted


BUTTONS = "return JSON.parse(document.getElementById('description').textContent).program.controls" \
          ".filter((c) => c.kind === 'CommandButton').map((c) => c.name);"


# Every SAMPLE-th case of a program (the first among them) goes to the page as
# real input whatever it does.
SAMPLE = 6


def by_hand(sample):
    """Which cases go to the page as real key and mouse input: a sample (the
    first of each program and every SAMPLE-th), and every case that opens
    the dialog (a fault, or the end), marks a box, presses a key or presses
    a button a second time. The others are played by script (SCRIPTED)."""
    def choose(index, case, buttons):
        presses = [line for line in case["commands"] if parse(line)[0] == "click" and parse(line)[1] in buttons]
        return (index % sample == 0 or bool(case["fault"]) or any(note for _, note in case.get("marks", []))
                or any(parse(line)[0] == "key" for line in case["commands"]) or len(presses) > 1)
    return choose


def check_cases(b, f, program_cases, hand=lambda index, case, buttons: True):
    """Every case of the program in one page, started again before each
    (loaded again only after a case that ends it): as real input where
    hand(index, case, buttons) says so, otherwise by script. Returns how many
    went as real input."""
    program = program_cases["program"]
    opened = False
    buttons = []
    real = 0
    for index, c in enumerate(program_cases["cases"]):
        if not opened:
            ensure_page(b, program)
            buttons = b.js(BUTTONS)
            opened = True
        title = f"{program}: {c['title']}"
        commands = c["commands"]
        # The same press again gives the same text: played in the same sequence.
        again = not c["fault"] and c["expect"]
        marks = c.get("marks", [])
        watch, marked = [name for name, _ in c["expect"]], [name for name, _ in marks]
        handle = b.driver.current_window_handle
        error = None
        if hand(index, c, buttons):
            real += 1
            s = Session(b, program, watch, marked, reuse=True)
            try:
                s.play(commands + commands[-1:] if again else commands, len(commands))
            except (WebDriverException, Missing) as e:
                error = getattr(e, "msg", None) or str(e)
            state = s.result()
            faults = s.faults
            if again and not state.get("ended"):
                # The texts before the second press: its first key or button press.
                kind = parse(commands[-1])[0]
                presses = [p for p in state["presses"] if p["type"] == ("keydown" if kind == "key" else "mousedown")]
                back = 2 if kind == "pick" else 1
                state["first"] = presses[-back]["texts"] if len(presses) >= back else None
        else:
            try:
                state = b.js(SCRIPTED, commands, watch, marked, bool(again))
            except WebDriverException as e:
                error, state = e.msg, {"ended": False, "reports": [], "faults": [], "texts": [], "marks": []}
            if state.get("ended"):
                faults = [] if wait_ended(b, handle) else ["? ended but neither closed nor back at the menu"]
            else:
                faults = reported(state["reports"]) + state["faults"]
        ended = bool(state.get("ended"))
        if ended:
            # The window closed, or the page went back to the menu: the next case loads it again.
            opened = False
            if handle not in b.driver.window_handles:
                b.driver.switch_to.window(b.driver.window_handles[0])
        fault = "ended" if ended else (faults[-1] if faults else "")
        if not f.check(fault == c["fault"], f"{title}: fault {fault!r}, not {c['fault']!r} ({faults})"
                       + (f"; {error}" if error else "")):
            continue
        if error and not ended:
            f.check(False, f"{title}: {error}")
            continue
        if ended:
            continue
        if again:
            if state["first"] is None:
                f.check(False, f"{title}: the second press was not seen")
                continue
            for (name, text), got in zip(c["expect"], state["first"]):
                f.check(got == text, f"{title}: {name} shows {got!r}, not {text!r}")
            for (name, text), got in zip(c["expect"], state["texts"]):
                f.check(got == text, f"{title} (again): {name} shows {got!r}, not {text!r}")
        else:
            for (name, text), got in zip(c["expect"], state["texts"]):
                f.check(got == text, f"{title}: {name} shows {got!r}, not {text!r}")
        # A marked box: aria-invalid, described by its note, which is shown,
        # and printed beside its text; an unmarked one has none of these.
        for (name, note), got in zip(marks, state["marks"]):
            want = {"invalid": "true" if note else None, "note": note, "value": got["value"], "shown": True,
                    "sheet": got["value"] + note}
            f.check(got == want, f"{title}: {name} marked {got}, not with {note!r}")
    return real


SIDE_TABLES = """
const d = JSON.parse(document.getElementById('description').textContent).program.tables || [];
const section = document.querySelector('.side-tables');
return {tables: d.map(t => ({title: t.title, columns: t.columns, chart: t.chart !== null})),
        shown: section !== null && !section.hidden,
        figures: [...document.querySelectorAll('.side-tables figure')].map(fig => ({
            title: fig.querySelector('summary').textContent,
            chart: fig.querySelector('svg.chart') !== null,
            heads: [...fig.querySelectorAll('th')].map(th => th.textContent),
            marked: fig.querySelectorAll('tr.marked').length}))};
"""


def check_side_tables(b, f, program_cases):
    """A program with side tables shows them below its window after a case
    that calculates without a fault: each table that has rows (a table may
    have none for a case) with the heads the page was built with, and its
    chart when it asks for one. Such cases are played in order until every
    table has been shown once."""
    program = program_cases["program"]
    ensure_page(b, program)
    if not b.js("return !!JSON.parse(document.getElementById('description').textContent).program.tables"):
        return
    calculating = [c for c in program_cases["cases"] if not c["fault"] and c["commands"][-1].startswith("click")]
    if not f.check(calculating, f"{program}: no case to show the side tables"):
        return
    seen = set()
    for c in calculating:
        b.js(SCRIPTED, c["commands"], [], [], False)
        g = b.js(SIDE_TABLES)
        f.check(g["shown"] and g["figures"], f"{program}: the side tables are not shown after {c['title']!r}")
        described = {t["title"]: t for t in g["tables"]}
        shown = [fig["title"] for fig in g["figures"]]
        f.check(shown == [t["title"] for t in g["tables"] if t["title"] in shown],
                f"{program}: tables {shown} out of their order after {c['title']!r}")
        for fig in g["figures"]:
            t = described.get(fig["title"])
            if not f.check(t is not None, f"{program}: a table {fig['title']!r} the page was not built with"):
                continue
            f.check(fig["heads"] == t["columns"], f"{program}: heads of {fig['title']!r}: {fig['heads']}")
            f.check(fig["chart"] == t["chart"], f"{program}: chart of {fig['title']!r}: {fig['chart']}")
            f.check(fig["marked"] <= 1, f"{program}: {fig['marked']} rows marked in {fig['title']!r}")
        seen.update(shown)
        if seen >= set(described):
            return
    f.check(False, f"{program}: no case shows the tables {sorted(set(described) - seen)}")


def check_keys(b, f):
    """Space presses the focused button, Enter does not; Down and Up on the
    focused list pick the next and the previous entry (its click fills the
    emissivity); typing into the list picks nothing."""
    s = Session(b, "熱伝達率")
    s.play(["set Text1 20", "set Text2 50"])
    b.element("Command1").click()
    b.js("document.getElementById('Text6').value = 'x'")
    ActionChains(b.driver).send_keys(Keys.ENTER).perform()
    f.check(s.get("Text6") == "x", "Enter on a focused button pressed it")
    ActionChains(b.driver).send_keys(Keys.SPACE).perform()
    f.check(s.get("Text6") == "0", f"Space on a focused button did not press it: {s.get('Text6')!r}")
    b.element("Combo1").click()
    ActionChains(b.driver).send_keys(Keys.DOWN).perform()
    ActionChains(b.driver).send_keys(Keys.DOWN).perform()
    f.check(s.get("Combo1") == "塗装溶融メッキ鋼板" and s.get("Text12") == "0.5",
            f"Down twice: {s.get('Combo1')!r} {s.get('Text12')!r}")
    ActionChains(b.driver).send_keys(Keys.DOWN).send_keys(Keys.UP).perform()
    f.check(s.get("Combo1") == "塗装溶融メッキ鋼板" and s.get("Text12") == "0.5",
            f"Down then Up: {s.get('Combo1')!r} {s.get('Text12')!r}")
    b.element("Text12").click()
    ActionChains(b.driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).send_keys("1").perform()
    b.element("Combo1").click()
    ActionChains(b.driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).perform()
    ActionChains(b.driver).send_keys("アルミニウム板").perform()
    f.check(s.get("Text12") == "1", f"typing a finish into the list picked it: {s.get('Text12')!r}")
    f.check(b.js("return document.getElementById('Combo1-list').hidden"), "typing opened the list")


def check_module_failure(b, f):
    """A module that fails in an act (here made to throw) shows the frame's
    message in the dialog; the page and the inputs stay, and the next act
    works again."""
    s = Session(b, "fennick", ["Text1", "Text2"])
    s.play(["pick Combo1 保温筒１種", "set Text1 0", "set Text2 50"])
    b.js("window.realCcall = Module.ccall;"
         "Module.ccall = (fn, ...rest) => { if (fn === 'milfo_press') throw new Error('probe'); "
         "return window.realCcall(fn, ...rest); };")
    s.play(["click Command1"])
    state = s.result()
    f.check(s.faults[-1:] == ["! 予期しないエラーが発生しました。（probe）"], f"a failing module: {s.faults}")
    f.check(state.get("texts") == ["0", "50"], f"a failing module changed the inputs: {state.get('texts')}")
    b.js("Module.ccall = window.realCcall;")
    s.play(["click Command1"])
    f.check(s.get("Text3") == "0.04375", f"after a failing module: {s.get('Text3')!r}")


# axe-core's rules, run in a page; its violations as [rule, impact, count,
# the first few elements].
AXE_RUN = """
const done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations']}).then(
  (r) => done({version: axe.version, violations: r.violations.map(
    (v) => [v.id, v.impact, v.nodes.length, v.nodes.slice(0, 3).map((n) => n.target.join(' '))])}),
  (e) => done({version: axe.version, violations: [['axe failed', String(e)]]}));
"""


def check_axe(b, f, by_name, axe_file):
    """axe-core's rules (WCAG and best practices) find no violation in the
    menu, in fennick with a box marked, in 熱伝達率 as it opens, in
    保温設計 after a design with every fold of its side tables open, and in
    一括計算 as it opens (a program's columns shown) and after a list (the
    worksheet)."""
    with open(axe_file, encoding="utf-8") as fh:
        axe = fh.read()
    marked = next(c for c in by_name["fennick"]["cases"] if any(note for _, note in c.get("marks", [])))
    design = next(c for c in by_name["保温設計"]["cases"] if not c["fault"] and c["commands"][-1].startswith("click"))
    for page, commands in [("menu", None), ("fennick", marked["commands"]), ("熱伝達率", None),
                           ("保温設計", design["commands"]), ("一括計算", None), ("一括計算, a list run", None)]:
        t0 = time.time()
        if page == "menu":
            b.driver.get(b.origin + "/index.html")
        elif page == "一括計算":
            b.open("一括計算.html")
            b.driver.execute_async_script(COLUMNS, "fennick")
        elif page.startswith("一括計算"):
            name, program, names, lenient, data, _ = BATCH_CASES[0]
            with tempfile.TemporaryDirectory(prefix="milfo-axe-") as work:
                with open(os.path.join(work, name), "wb") as fh:
                    fh.write(data)
                run_list(b, os.path.join(work, name), program, names, lenient)
        elif commands:
            Session(b, page).play(commands)
            b.js("document.querySelectorAll('details').forEach((d) => { d.open = true; })")
        else:
            b.open(page_of(page))
        b.js(axe)
        result = b.driver.execute_async_script(AXE_RUN)
        f.check(result["version"].startswith("4."), f"axe-core {result['version']}, not 4")
        f.check(not result["violations"], f"{page}: axe-core {result['version']} finds {result['violations']}")
        print(f"{page}: axe-core {result['version']}, {len(result['violations'])} violations, "
              f"{time.time() - t0:.1f} s", flush=True)


# A chart of a near-flat series (two values a Double's last bit apart), as
# the core plots it (frame/chart.h; its ticks are tested there): drawn, with
# ticks that differ, in a moment.
FLAT_CHART = """
const plot = {xTitle: 'x', xTicks: [[1, '1'], [1.2, '1.2'], [1.4, '1.4'], [1.6, '1.6'], [1.8, '1.8'], [2, '2']],
              axes: [{columns: [1], ticks: [[0.9, '0.9'], [0.95, '0.95'], [1, '1'], [1.05, '1.05'], [1.1, '1.1'],
                                            [1.15, '1.15']], right: false, title: 'y'}],
              lines: [{column: 1, axis: 0, title: 'y', points: [[0, 1, 1, false, 'x 1: y 1'],
                                                                [1, 2, 1, true, 'x 2: y 1.0000000000000002']]}],
              legend: false, level: null, mark: null};
const table = {title: 'flat', columns: ['x', 'y'], rows: [['1', '1'], ['2', '1.0000000000000002']],
               chart: {x: 0, lines: [1], marked: -1, markedTitle: '', levelColumn: -1, level: '', levelTitle: '',
                       plot}};
document.dispatchEvent(new CustomEvent('milfo-tables', {detail: [table]}));
const svg = document.querySelector('.side-tables svg.chart');
const ticks = svg ? [...svg.querySelectorAll('text.tick.line-0')].map(t => t.textContent) : [];
return {ticks, nan: svg ? svg.outerHTML.includes('NaN') : true};
"""


def check_chart(b, f):
    b.open(page_of("保温設計"))
    b.driver.set_script_timeout(5)
    try:
        got = b.js(FLAT_CHART)
        f.check(len(got["ticks"]) >= 2 and len(set(got["ticks"])) == len(got["ticks"]) and not got["nan"],
                f"a near-flat chart: ticks {got['ticks']}, NaN {got['nan']}")
    except WebDriverException as e:
        f.check(False, f"a near-flat chart is never drawn: {e.msg}")
    finally:
        b.driver.set_script_timeout(30)


# 保存 and 開く in the page. Before each 保存 the page's own download is
# caught: the Blob it makes, and the name the link gives it.
CATCH_DOWNLOAD = """
window.milfoTestDownloads = [];
const make = URL.createObjectURL;
URL.createObjectURL = (blob) => {
  const got = {name: null, bytes: null};
  window.milfoTestDownloads.push(got);
  blob.arrayBuffer().then((a) => { got.bytes = [...new Uint8Array(a)]; });
  return make(blob);
};
HTMLAnchorElement.prototype.click = function () { window.milfoTestDownloads.at(-1).name = this.download; };
"""
DROP_CASE = """
const file = new File([new Uint8Array(arguments[0])], arguments[1], {type: 'text/csv'});
const data = new DataTransfer();
data.items.add(file);
document.getElementById('Form1').dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));
"""
TEXTS_OF = """
return arguments[0].map((n) => document.getElementById(n).value);
"""


def saved_case(b, f, what):
    """Clicks 保存 and returns the downloaded bytes, checking the file's name."""
    b.js(CATCH_DOWNLOAD)
    b.element("save").click()
    got = None
    for _ in range(100):
        got = b.js("return window.milfoTestDownloads[0] || null")
        if got and got["bytes"] is not None and got["name"]:
            break
        time.sleep(0.02)
    if not f.check(got and got["bytes"] is not None, f"{what}: 保存 downloads nothing"):
        return b""
    program = b.js("return JSON.parse(document.getElementById('description').textContent).program.name")
    f.check(re.fullmatch(re.escape(program) + r"-\d{8}-\d{4}\.csv", got["name"] or ""),
            f"{what}: downloaded as {got['name']!r}")
    return bytes(got["bytes"])


def check_case_files(b, f, programs_cases):
    """保存 and 開く in the page: 保温設計's worked example (lists picked, a
    list left unpicked, a series with commas) saved as the case file (UTF-8
    with a byte order mark, CRLF, 計算プログラム then the inputs' captions);
    milfo-calc reads it as it is and gives the page's digits; the file
    chosen in input#open on a fresh page (and dropped on another) gives the
    same inputs, the file's name after the caption, nothing pressed (over a
    page just pressed, its results and record gone); and
    files of another program, of two rows and with a column that names no
    input are refused with their messages, what was typed kept."""
    by_name = {pc["program"]: pc for pc in programs_cases}
    example = next(c for c in by_name["保温設計"]["cases"] if c["title"].startswith("worked example"))
    s = Session(b, "保温設計")
    s.play(example["commands"][:-1])
    description = b.js("return JSON.parse(document.getElementById('description').textContent).program")
    inputs, results = description["inputs"], description["results"]
    captions = {c["name"]: c.get("caption") for c in description["controls"]}
    typed = b.js(TEXTS_OF, inputs)
    data = saved_case(b, f, "保温設計")
    head = "計算プログラム," + ",".join(captions[n] for n in inputs)
    row = "保温設計," + ",".join(f'"{t}"' if "," in t else t for t in typed)
    f.check(data == ("\ufeff" + head + "\r\n" + row + "\r\n").encode("utf-8"), f"保温設計: the case saved is {data[:200]!r}")
    # The same digits through milfo-calc.
    s.play(example["commands"][-1:])
    shown = b.js(TEXTS_OF, results)
    calc = os.environ.get("MILFO_CALC")
    if calc:
        with tempfile.NamedTemporaryFile(suffix=".csv") as fh:
            fh.write(data)
            fh.flush()
            out = subprocess.run([calc, "保温設計", fh.name], capture_output=True, timeout=60).stdout.decode("utf-8")
        rows = list(csv.reader(io.StringIO(out)))
        got = [rows[1][rows[0].index(captions[n])] for n in results] if len(rows) == 2 else rows
        f.check(got == shown, f"milfo-calc on the page's case gives {got}, the page {shown}")
    # Opened on a fresh page: chosen, and dropped; and over the page just
    # pressed, whose record goes with its results.
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "L-101.csv")
        with open(path, "wb") as fh:
            fh.write(data)
        b.element("open").send_keys(path)
        for _ in range(100):
            if b.js("return document.title") != description["caption"]:
                break
            time.sleep(0.02)
        f.check(b.js("return document.querySelector('.side-tables').hidden") and
                b.js(TEXTS_OF, ["Text16"]) == [""], "保温設計: a case opened over a press keeps its record")
        for how in ("chosen", "dropped"):
            b.open(page_of("保温設計"))
            if how == "chosen":
                b.element("open").send_keys(path)
            else:
                b.js(DROP_CASE, list(data), "L-101.csv")
            for _ in range(100):
                if b.js("return document.title") != description["caption"]:
                    break
                time.sleep(0.02)
            got = b.js(TEXTS_OF, inputs)
            f.check(got == typed, f"保温設計: the case {how} gives {got}, not {typed}")
            f.check(b.js("return document.title") == description["caption"] + " — L-101.csv",
                    f"保温設計: title {b.js('return document.title')!r} after the case was {how}")
            f.check(b.js(TEXTS_OF, ["Text16"]) == [""], f"保温設計: opening the case {how} pressed 計算")
        check_refused_cases(b, f, folder)


def check_refused_cases(b, f, folder):
    """Files that are no case of 保温設計, refused with their messages, what
    was typed kept."""
    refused = [
        ("fennick.csv", "\ufeff計算プログラム,低温側温度（℃）\r\nfennick,1\r\n",
         "このファイルは fennick の入力です。保温設計 の入力ではありません。"),
        ("two.csv", "計算プログラム,内部温度（℃）\r\n保温設計,1\r\n保温設計,2\r\n",
         "ファイルに 2 行あります。1 行のファイルを開いてください。"),
        ("remark.csv", "計算プログラム,備考\r\n保温設計,L-101\r\n", "列「備考」は 保温設計 の入力ではありません。"),
    ]
    for name, text, message in refused:
        path = os.path.join(folder, name)
        with open(path, "w", encoding="utf-8", newline="") as fh:
            fh.write(text)
        s = Session(b, "保温設計")
        s.play(["set Text1 123"])
        b.element("open").send_keys(path)
        for _ in range(100):
            if b.js("return document.getElementById('error').open"):
                break
            time.sleep(0.02)
        said = b.js("return document.getElementById('error').open && "
                    "document.getElementById('error-message').textContent")
        f.check(said == message, f"保温設計: {name} refused with {said!r}, not {message!r}")
        f.check(b.js(TEXTS_OF, ["Text1"]) == ["123"], f"保温設計: {name} refused, and Text1 lost")


def cp932(text):
    return text.encode("cp932")


# The 一括計算 page (一括計算.html) on a line list of each kind, against
# `milfo-calc --bom [--header names] [--lenient] PROGRAM FILE` on the same
# file: the file's name, the program, --header names, --lenient, its bytes,
# and what the page must say (a note, or the message of a list it refuses).
BATCH_CASES = [
    # Captions without their units, a line number and a tag passed through
    # (one of them markup, shown as text), UTF-8 with a BOM, CRLF; a row
    # whose cell is no number is marked.
    ("lines.csv", "fennick", False, False,
     "\ufeff番号,ポリエチレンフォームの種類,低温側温度,高温側温度,タグ\r\n1,保温筒１種,0,50,<b>L-1</b>\r\n"
     "2,保温筒２種,-40,0,\"A,B\"\r\n3,保温筒１種,abc,50,\r\n".encode(), "UTF-8（BOM 付き）"),
    # Captions in CP932 from Excel, read leniently: the finish fills ε, a
    # speed with its unit is read as the window reads it and named.
    ("excel.csv", "熱伝達率", False, True,
     cp932("番号,環境温度（℃）,表面温度,風速,放射率,配管の直径,断熱材の厚さ\r\n1,20,50,0,アルミニウム板,0.1,0.05\r\n"
           "2,20,50,1.5ｍ/s,ｱﾙﾐﾆｳﾑ板,0.1,0.05\r\n"), "Shift_JIS（CP932）"),
    # Control names for 保温設計, the results by control name.
    ("design.csv", "保温設計", True, False,
     "ライン番号,Combo1,Combo2,Text1,Text2,Text3,Combo3,Combo4,Combo5,Combo6\n"
     "L-101,ロックウール,保温筒,350,20,70,アルミニウム板,水平管,150A,表面温度上限\n"
     "L-201,ポリスチレンフォーム,押出法保温筒３種,7,30,80,ステンレス鋼板,水平管,80A,防露\n".encode(), "UTF-8"),
    # Excel's 「Unicode テキスト」: UTF-16 with tabs, read by the same rule; a
    # result out of the grade's range noted in its row.
    ("unicode.txt", "fennick", False, False,
     "\ufeffポリエチレンフォームの種類\t低温側温度（℃）\t高温側温度（℃）\r\n保温筒１種\t0\t50\r\n"
     "保温筒１種\t-10\t100\r\n".encode("utf-16-le"), "UTF-16LE"),
    # A list without the temperatures: refused, naming them.
    ("missing.csv", "fennick", False, False, "番号,ポリエチレンフォームの種類,低温,高温\n1,保温筒１種,0,50\n".encode(),
     "Text1 低温側温度（℃）、Text2 高温側温度（℃）"),
]

# Until the run has ended and its rows are in the table: what the page shows.
BATCH_STATE = """
const done = arguments[arguments.length - 1];
(function poll() {
  const state = document.body.dataset.batch;
  if (!['done', 'error', 'cancelled'].includes(state)) return setTimeout(poll, 20);
  const shown = (id) => document.getElementById(id).hidden ? null : document.getElementById(id).textContent;
  done({state, message: document.getElementById('message').textContent,
        notes: [...document.querySelectorAll('#notes li')].map(li => li.textContent),
        rows: [...document.querySelectorAll('#rows tr')].map(tr => [...tr.cells].map(c => c.textContent)),
        failed: [...document.querySelectorAll('#rows tbody tr')].map(tr => tr.classList.contains('failed')),
        markup: document.querySelectorAll('#rows td *, #rows th *').length,
        download: document.getElementById('download').hidden ? null : document.getElementById('download').download,
        cancel: !document.getElementById('cancel').hidden, counts: document.getElementById('counts').textContent,
        shown: shown('shown')});
})();
"""

# The table's cells that hold a number laid out on more than one line or
# wider than the cell, and the heights of the rows.
WRAPPED = """
const number = /^[-+]?[0-9][0-9.,]*(E[-+]?[0-9]+)?$/i;
const wrapped = [];
for (const cell of document.querySelectorAll('#rows tbody td, #rows tbody th')) {
  if (!number.test(cell.textContent)) continue;
  const range = document.createRange();
  range.selectNodeContents(cell);
  const lines = new Set([...range.getClientRects()].map(r => Math.round(r.top)));
  if (lines.size > 1 || cell.scrollWidth > cell.clientWidth) wrapped.push(cell.textContent);
}
const heights = [...document.querySelectorAll('#rows tbody tr')].map(tr => tr.getBoundingClientRect().height);
return {wrapped, heights: [...new Set(heights)]};
"""


def run_list(b, path, program, names=False, lenient=False):
    """The list at path run through program as a person runs it: the program
    picked, the options set, the file chosen, 計算 clicked; what the page
    then shows."""
    Select(b.element("program")).select_by_value(program)
    Select(b.element("header")).select_by_value("names" if names else "captions")
    if b.element("lenient").is_selected() != lenient:
        b.element("lenient").click()
    if b.element("errors-only").is_selected():
        b.js("document.getElementById('errors-only').click()")
    b.element("file").send_keys(path)
    b.element("run").click()
    return b.driver.execute_async_script(BATCH_STATE)


def downloaded(downloads, name):
    """The bytes of a download once it is whole."""
    path = os.path.join(downloads, name)
    for _ in range(250):
        if os.path.isfile(path) and not os.path.exists(path + ".crdownload"):
            break
        time.sleep(0.02)
    time.sleep(0.05)
    with open(path, "rb") as fh:
        return fh.read()


def check_batch(b, f, cases, milfo_calc, programs=None):
    """Each line list through the page as a person runs it (the program
    picked, the file chosen, 計算 clicked, the result downloaded): the same
    bytes as milfo-calc's, the same rows on the page with the failed ones
    marked and every cell as text, the encoding said, the same columns
    counted in a list of them ("ほか N 列", "and N more"), no number
    wrapped in its cell, 中止 gone; a list milfo-calc refuses is refused,
    naming the missing inputs in the page's message, with nothing to
    download."""
    if not f.check(milfo_calc and os.path.isfile(milfo_calc), "no milfo-calc to compare the page with"):
        return
    work = tempfile.mkdtemp(prefix="milfo-batch-test-")
    downloads = os.path.join(work, "downloads")
    os.makedirs(downloads)
    b.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    try:
        # In the menu and in every page's links; every program to choose, by
        # its name, with its menu number and title.
        for page in ("index.html", page_of("fennick")):
            b.driver.get(f"{b.origin}/{urllib.parse.quote(page)}")
            f.check(urllib.parse.quote("一括計算.html") in b.js("return [...document.links].map(a => a.getAttribute('href'))"),
                    f"{page} has no link to 一括計算.html")
        b.open("一括計算.html")
        if programs:
            values = b.js("return [...document.querySelectorAll('#program option')].map(o => o.value)")
            f.check(values == programs, f"一括計算's programs: {values}")
        for name, program, names, lenient, data, says in cases:
            path = os.path.join(work, name)
            with open(path, "wb") as fh:
                fh.write(data)
            args = [milfo_calc, "--bom"] + (["--header", "names"] if names else []) + \
                   (["--lenient"] if lenient else []) + (["--encoding", "cp932"] if "CP932" in says else [])
            calc = subprocess.run(args + [program, path], capture_output=True)
            # One page for every list, as a person runs one after another.
            got = run_list(b, path, program, names, lenient)
            what = f"一括計算 {name}"
            stderr = calc.stderr.decode()
            f.check(not got["cancel"], f"{what}: 中止 is offered after the run")
            more = re.findall(r"ほか (\d+) 列", " ".join(got["notes"] + [got["message"]]))
            f.check(more == re.findall(r"and (\d+) more(?! cell)", stderr),
                    f"{what}: the page counts more columns ({more}) than milfo-calc: {got['notes']} {stderr!r}")
            if calc.returncode == 2:
                f.check(got["state"] == "error" and says in got["message"] and says.replace("、", ", ") in stderr,
                        f"{what}: refused as {got['state']}: {got['message']!r}; milfo-calc: {stderr!r}")
                f.check(got["download"] is None, f"{what}: refused, yet {got['download']} offered")
                continue
            f.check(calc.returncode == 0 and got["state"] == "done", f"{what}: {got['state']} {got['message']!r}")
            f.check(any(says in n for n in got["notes"]), f"{what}: notes {got['notes']}")
            expected = list(csv.reader(io.StringIO(calc.stdout.decode("utf-8-sig"), newline="")))
            f.check(got["rows"] == expected, f"{what}: the page shows {got['rows']}, not {expected}")
            f.check(got["failed"] == [row[-2] != "" for row in expected[1:]], f"{what}: failed rows {got['failed']}")
            f.check(got["markup"] == 0, f"{what}: a cell was read as markup")
            wrapped = b.js(WRAPPED)["wrapped"]
            f.check(not wrapped, f"{what}: numbers wrapped in their cells: {wrapped[:5]}")
            stem = os.path.splitext(name)[0]
            f.check(got["download"] == stem + "-結果.csv", f"{what}: the download is named {got['download']!r}")
            b.element("download").click()
            f.check(downloaded(downloads, stem + "-結果.csv") == calc.stdout,
                    f"{what}: the download differs from milfo-calc's output")
    finally:
        shutil.rmtree(work, ignore_errors=True)


# What the page says of a program's columns before a file is chosen: the
# program, a column's caption, what a row must give it, an entry of its list
# ("" for a box).
BATCH_COLUMNS = [
    ("fennick", "低温側温度（℃）", "必要", ""),
    ("fennick", "ポリエチレンフォームの種類", "一覧から選ぶ（必要）", "保温筒２種"),
    ("熱伝達率", "風速 （ｍ／ｓ）", "省略すると 0", ""),
    ("熱伝達率", "配管の直径（ｍ）", "省略すると 0", ""),
    ("熱伝達率", "放射率", "一覧から選ぶ", "アルミニウム板"),
    ("放散熱量", "１．平面 断熱材厚さ(m)", "平面の計算 に必要", ""),
    ("保温設計", "相対湿度（％）", "設計条件が防露 のとき必要", ""),
    ("保温設計", "呼び径", "一覧から選ぶ（省略可）", "150A"),
    ("保温設計", "表面温度上限（℃）", "省略すると 60", ""),
]

COLUMNS = """
const [program, done] = arguments;
const select = document.getElementById('program');
select.value = program;
select.dispatchEvent(new Event('change'));
(function poll() {
  if (document.getElementById('columns').dataset.program !== program) return setTimeout(poll, 20);
  const a = document.getElementById('template');
  done({columns: [...document.querySelectorAll('#columns-table tbody tr')].map(tr => [...tr.cells].map(c => c.textContent)),
        template: a.hidden ? null : a.download});
})();
"""


def check_columns(b, f, milfo_calc, programs, downloads):
    """Each program chosen: its columns in the order of `milfo-calc
    --template`'s header, what a row must give some of them and a list's
    entries; the link downloads `<program>-ひな形.csv`, the bytes of
    `milfo-calc --template PROGRAM`."""
    for program in programs:
        got = b.driver.execute_async_script(COLUMNS, program)
        start = subprocess.run([milfo_calc, "--template", program], capture_output=True, check=True).stdout
        head = next(csv.reader(io.StringIO(start.decode("utf-8-sig"))))
        f.check([c[0] for c in got["columns"]] == head, f"{program}: the page's columns {got['columns']}, not {head}")
        for p, caption, says, entry in BATCH_COLUMNS:
            if p == program:
                row = next((c for c in got["columns"] if c[0] == caption), None)
                f.check(row is not None and says in row[2] and entry in row[3],
                        f"{program}: column {caption} shows {row}, not {says!r} with {entry!r}")
        f.check(got["template"] == program + "-ひな形.csv", f"{program}: the template is named {got['template']!r}")
        b.element("template").click()
        f.check(downloaded(downloads, program + "-ひな形.csv") == start,
                f"{program}: the template differs from milfo-calc --template's")


def flagged_list(path, rows):
    """A fennick list of rows: most out of the grade's range (a note), some
    no number (an error), some right; the line number first."""
    with open(path, "w", encoding="utf-8", newline="") as fh:
        fh.write("番号,ポリエチレンフォームの種類,低温側温度（℃）,高温側温度（℃）\r\n")
        for i in range(rows):
            low, high = ("abc", "50") if i % 97 == 5 else ("0", "50") if i % 10 == 3 else ("-10", "100")
            fh.write(f"{i + 1},保温筒１種,{low},{high}\r\n")


def wide_list(path, rows):
    """A 熱伝達率 list of rows, its columns (two drawing numbers passed
    through) wider than the screen and a landscape page; every 50th row no
    number."""
    with open(path, "w", encoding="utf-8", newline="") as fh:
        fh.write("番号,図面番号,管理番号,環境温度（℃）,表面温度（℃）,風速 （ｍ／ｓ）,放射率,配管の直径（ｍ）,断熱材の厚さ（ｍ）\r\n")
        for i in range(rows):
            hot = "x" if i % 50 == 7 else str(40 + i % 200)
            drawing = f"{i:05d}-{i * 7919 % 100000:05d}-{i * 31 % 10000:04d}"
            fh.write(f"L-{i + 1},{drawing},{drawing[::-1]},{i % 30},{hot},{i % 5},アルミニウム板,0.{1 + i % 8},0.05\r\n")


# The box scrolled to its end both ways: where the header row, the first
# column, the box and the last header cell stand then.
SCROLLED = """
const box = document.getElementById('rows-box');
box.scrollTop = box.scrollHeight;
box.scrollLeft = box.scrollWidth;
const r = (e) => e.getBoundingClientRect();
const rows = document.querySelectorAll('#rows tbody tr');
const last = rows[rows.length - 1];
const heads = document.querySelectorAll('#rows thead th');
return {box: [r(box).top + box.clientTop, r(box).left + box.clientLeft, r(box).right, r(box).bottom],
        head: r(heads[1]).top, first: r(last.cells[0]).left, lastHead: [r(heads[heads.length - 1]).left, r(heads[heads.length - 1]).right],
        lastCell: r(last.cells[last.cells.length - 1]).bottom, scrolled: [box.scrollTop, box.scrollLeft],
        tab: box.tabIndex, role: box.getAttribute('role'), label: box.getAttribute('aria-label')};
"""

# A file dropped on the page as the browser drops one (arguments[0] its path).
DRAG_AT = {"type": "drop", "x": 40, "y": 40, "modifiers": 0}
DROP_REFUSED = "計算の途中です。ほかのファイルは、計算が終わるか中止してから選んでください。"


def check_worksheet(b, f, milfo_calc, downloads):
    """The page as a worksheet: the columns of every program and their
    template; a list wider and longer than the page scrolls in its box with
    the header row and the first column in view, reachable by keyboard, no
    number wrapped, the first 1,000 rows said; the rows with an error or a
    note from the whole list, counted, at most 10,000 with how many more;
    a file dropped during a run refused with the page kept, and 中止 ending
    the run with nothing to download."""
    work = tempfile.mkdtemp(prefix="milfo-sheet-test-")
    try:
        b.open("一括計算.html")
        programs = b.js("return [...document.querySelectorAll('#program option')].map(o => o.value)")
        check_columns(b, f, milfo_calc, programs, downloads)

        wide = os.path.join(work, "wide.csv")
        wide_list(wide, 1200)
        got = run_list(b, wide, "熱伝達率")
        f.check(got["state"] == "done" and len(got["rows"]) == 1001, f"wide: {got['state']}, {len(got['rows'])} rows")
        f.check(got["shown"] and "1,000" in got["shown"], f"wide: the page says {got['shown']!r} of its rows")
        at = b.js(SCROLLED)
        f.check(at["scrolled"][0] > 0 and at["scrolled"][1] > 0, f"wide: the box does not scroll: {at['scrolled']}")
        f.check(abs(at["head"] - at["box"][0]) < 1.5 and abs(at["first"] - at["box"][1]) < 1.5,
                f"wide: scrolled, the header row stands at {at['head']} and the first column at {at['first']}, "
                f"not at the box's {at['box'][:2]}")
        f.check(at["lastHead"][1] <= at["box"][2] + 1 and at["lastCell"] <= at["box"][3] + 1,
                f"wide: the last column or row cannot be brought into the box: {at}")
        f.check(at["tab"] == 0 and at["role"] == "region" and at["label"], f"wide: the box is not reachable by Tab: {at}")
        b.js("document.getElementById('rows-box').scrollTo(0, 0); document.getElementById('rows-box').focus()")
        ActionChains(b.driver).send_keys(Keys.ARROW_RIGHT * 5 + Keys.PAGE_DOWN).perform()
        for _ in range(40):  # the browser scrolls smoothly
            moved = b.js("const box = document.getElementById('rows-box'); return [box.scrollLeft, box.scrollTop]")
            if moved[0] > 0 and moved[1] > 0:
                break
            time.sleep(0.05)
        f.check(moved[0] > 0 and moved[1] > 0, f"wide: the arrow keys and Page Down do not scroll the box: {moved}")
        wrapped = b.js(WRAPPED)
        f.check(not wrapped["wrapped"] and len(wrapped["heights"]) == 1,
                f"wide: numbers wrapped {wrapped['wrapped'][:5]}, rows of heights {wrapped['heights']}")

        flagged = os.path.join(work, "flagged.csv")
        flagged_list(flagged, 11500)
        calc = subprocess.run([milfo_calc, "--bom", "fennick", flagged], capture_output=True, check=True)
        expected = list(csv.reader(io.StringIO(calc.stdout.decode("utf-8-sig"), newline="")))
        failed = sum(row[-2] != "" for row in expected[1:])
        noted = sum(row[-1] != "" for row in expected[1:])
        marked = [row for row in expected[1:] if row[-2] or row[-1]]
        got = run_list(b, flagged, "fennick")
        counts = f"{len(expected) - 1:,} 行（エラーのある行 {failed:,} 行、注意のある行 {noted:,} 行）"
        f.check(got["counts"] == counts, f"flagged: the page counts {got['counts']!r}, not {counts!r}")
        b.element("errors-only").click()
        got = b.driver.execute_async_script(BATCH_STATE)
        f.check(len(marked) > 10000 and got["rows"][1:] == marked[:10000],
                f"flagged: errors only shows {len(got['rows']) - 1} rows, not the first 10,000 of {len(marked)}")
        more = f"{len(marked) - 10000:,} 行"
        f.check(got["shown"] and "10,000" in got["shown"] and more in got["shown"],
                f"flagged: the page says {got['shown']!r}, not 10,000 and {more} more")
        b.element("errors-only").click()

        # A long list, a file dropped meanwhile, then 中止.
        long = os.path.join(work, "long.csv")
        flagged_list(long, 200000)
        b.element("file").send_keys(long)
        b.element("run").click()
        url = b.driver.current_url
        # Whether the page kept the browser from opening the file in its
        # place (headless Chromium would not open it anyway).
        b.js("window.addEventListener('drop', (e) => { window.dropKept = e.defaultPrevented; })")
        for kind in ("dragEnter", "dragOver", "drop"):
            b.driver.execute_cdp_cmd("Input.dispatchDragEvent", dict(DRAG_AT, type=kind, data={
                "items": [], "files": [wide], "dragOperationsMask": 1}))
        state = b.js("return [document.body.dataset.batch, document.getElementById('message').textContent, "
                     "document.getElementById('file').files[0].name, window.dropKept]")
        f.check(b.driver.current_url == url and state == ["running", DROP_REFUSED, "long.csv", True],
                f"a file dropped during a run: the page is {b.driver.current_url}, {state}")
        b.element("cancel").click()
        got = b.driver.execute_async_script(BATCH_STATE)
        f.check(got["state"] == "cancelled" and got["message"] == "計算を中止しました。" and not got["cancel"]
                and got["download"] is None, f"中止: {got['state']} {got['message']!r}, 中止 shown {got['cancel']}, "
                                             f"download {got['download']}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def desktop_names(entries_dir):
    """Exec -> Name of every menu entry the desktop build wrote."""
    names = {}
    for file in os.listdir(entries_dir):
        fields = {}
        with open(os.path.join(entries_dir, file), encoding="utf-8") as fh:
            for line in fh:
                key, _, value = line.rstrip("\n").partition("=")
                fields.setdefault(key, value)
        names[fields["Exec"]] = fields["Name"]
    return names


def check_menu(b, f, descriptions_by_menu):
    b.driver.get(b.origin + "/index.html")
    links = b.js("return [...document.querySelectorAll('#programs a')].map(a => "
                 "[a.getAttribute('href'), a.querySelector('.number').textContent, "
                 "a.querySelector('.title').textContent])")
    f.check(len(links) == len(descriptions_by_menu), f"menu has {len(links)} links")
    # Each entry has the title of the program's desktop menu entry (whose
    # name is the window's caption, then the title).
    entries = desktop_names(os.environ["MILFO_DESKTOP_ENTRIES"]) if os.environ.get("MILFO_DESKTOP_ENTRIES") else {}
    f.check(entries or not os.environ.get("MILFO_DESKTOP_ENTRIES"), "no desktop entries to compare with")
    for (href, number, title), (name, menu) in zip(links, descriptions_by_menu):
        f.check(href == urllib.parse.quote(name + ".html"), f"menu link {href!r} for {name}")
        f.check(number == menu, f"menu entry of {name}: number {number!r}, not {menu}")
        if entries:
            f.check(entries.get(name, "").split(" ", 1)[-1] == title,
                    f"menu entry of {name}: {title!r}, the desktop entry says {entries.get(name)!r}")
    # Every link leads to its page.
    for i, (name, _) in enumerate(descriptions_by_menu):
        b.driver.get(b.origin + "/index.html")
        b.driver.find_elements(By.CSS_SELECTOR, "#programs a")[i].click()
        b.wait_ready()
        f.check(urllib.parse.unquote(b.driver.current_url).endswith("/" + name + ".html"),
                f"menu link {i} leads to {b.driver.current_url}")


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    site, cases_path, layout_dir = sys.argv[1:4]
    only = set(sys.argv[4:])
    if not (CHROMIUM and DRIVER and webdriver):
        print("chromium, chromedriver or python3-selenium is not installed: skipped")
        return 77
    if not os.path.isfile(os.path.join(site, "index.html")):
        print(f"no site in {site}: build it with web/build.sh")
        return 1
    with open(cases_path, encoding="utf-8") as fh:
        all_cases = json.load(fh)

    httpd, origin = serve(site)
    b = Browser(origin)
    f = Failures()
    try:
        programs = []
        b.driver.get(origin + "/index.html")
        for href in b.js("return [...document.querySelectorAll('#programs a')].map(a => a.getAttribute('href'))"):
            programs.append(urllib.parse.unquote(href)[:-len(".html")])
        menu = []
        for p in programs:
            caption = layout_rows(layout_dir, p)[0][1]
            menu.append((p, unicodedata.normalize("NFKC", caption.split("－", 1)[1])))
        f.check(sorted(programs) == sorted(c["program"] for c in all_cases),
                f"menu programs {programs} differ from the case tables'")
        if "axe" in only:
            axe_file = os.environ.get("MILFO_AXE", "")
            if not os.path.isfile(axe_file):
                print(f"axe-core is not installed (MILFO_AXE={axe_file!r}; tools/setup.sh milfo_install_axe)")
                return 77
            check_axe(b, f, {pc["program"]: pc for pc in all_cases}, axe_file)
        if not only or "menu" in only:
            check_menu(b, f, menu)
            check_keys(b, f)
            check_module_failure(b, f)
            check_chart(b, f)
            check_case_files(b, f, all_cases)
        if not only or "batch" in only:
            t0 = time.time()
            check_batch(b, f, BATCH_CASES, os.environ.get("MILFO_CALC"), programs)
            print(f"一括計算: {len(BATCH_CASES)} line lists, {time.time() - t0:.1f} s", flush=True)
            t0 = time.time()
            with tempfile.TemporaryDirectory(prefix="milfo-downloads-") as downloads:
                b.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
                check_worksheet(b, f, os.environ.get("MILFO_CALC"), downloads)
            print(f"一括計算 as a worksheet: {time.time() - t0:.1f} s", flush=True)
        for pc in all_cases:
            if only and pc["program"] not in only:
                continue
            t0 = time.time()
            check_layout(b, f, layout_dir, pc["program"])
            check_tab_path(b, f, pc["program"], pc["tabPath"])
            real = check_cases(b, f, pc, by_hand(SAMPLE))
            check_side_tables(b, f, pc)
            print(f"{pc['program']}: {len(pc['cases'])} cases ({real} as real input), {time.time() - t0:.1f} s",
                  flush=True)
        b.collect_requests()
    finally:
        b.quit()
        httpd.shutdown()
    # The browser's own pages (the first tab's chrome:// resources) are no requests of the site.
    internal = ("chrome:", "chrome-untrusted:", "devtools:", "about:", "data:", "blob:")
    urls, console_errors = b.urls, b.console_errors
    foreign = [u for u in urls if not (u.startswith(origin + "/") or u.startswith(internal))]
    f.check(not foreign, f"requests left the origin: {sorted(set(foreign))[:10]}")
    f.check(not console_errors, f"console errors: {sorted(set(console_errors))[:10]}")
    missing = sorted({p for p in QuietHandler.requested
                      if not os.path.isfile(os.path.join(site, urllib.parse.unquote(p.split('?')[0]).lstrip('/')))})
    f.check(not missing, f"requests for files the site does not have: {missing}")
    print(f"{f.checks} checks, {f.count} failed; {len(urls)} requests, all to {origin}" if not foreign else "")
    return 1 if f.count else 0


if __name__ == "__main__":
    sys.exit(main())
