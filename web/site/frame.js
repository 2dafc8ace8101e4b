// One calculator window in the page, rendered from the window the page
// carries (exported at build time with the frame's own rules resolved: pixel
// rectangles, tab order, captions, fonts), with the classic control
// behaviours. The form model runs in the WebAssembly module (milfo.js): the
// page hands over what the person typed, forwards each act (a press, a pick)
// and shows what the handlers changed. A box the model reports as read
// otherwise than as typed is marked: aria-invalid, and its note shown under
// the window as the box's description. A module that cannot run is reported
// in the page, and the buttons say so. The page also keeps its calculation
// sheet (#sheet) up to date: what the browser prints instead of the window.
"use strict";

(function () {
  const page = JSON.parse(document.getElementById("description").textContent);
  const program = page.program;
  const form = document.getElementById("Form1");
  const errorDialog = document.getElementById("error");
  const failureBox = document.getElementById("failure");
  const notesBox = document.getElementById("notes");
  const texts = page.texts;
  const px = (pixels) => pixels + "px";
  const fill = (text, values) => text.replace(/\{(\w+)\}/g, (_, key) => values[key]);

  const described = new Map(program.controls.map((c) => [c.name, c])); // control name -> its description
  const elements = new Map(); // control name -> element
  const lists = new Map(); // list name -> its drop-down
  const marks = new Map(); // box name -> its reading note, while marked
  let ended = false;
  let loaded = false; // the module is there: acts may run
  let failure = null; // why the module cannot run, once it is known

  // frame.js runs: the note for a page whose script never ran goes.
  failureBox.hidden = true;
  failureBox.classList.remove("unstarted");
  failureBox.textContent = "";

  // --- Building the window ---------------------------------------------------

  function place(el, [left, top, width, height]) {
    el.style.left = px(left);
    el.style.top = px(top);
    el.style.width = px(width);
    el.style.height = px(height);
  }

  // The window's fonts, as the desktop sets them: the UI font at its pixel
  // size, condensed, and the boxes' font at its point size.
  function setFonts() {
    const { ui, box } = page.fonts;
    form.style.fontFamily = `"${ui.family}", sans-serif`;
    form.style.setProperty("--ui-size", px(ui.pixels));
    form.style.setProperty("--ui-stretch", String(ui.stretch / 100));
    form.style.setProperty("--box-family", `"${box.drawnAs}", sans-serif`);
    form.style.setProperty("--box-size", box.points + "pt");
  }

  function build() {
    form.style.width = px(program.client[0]);
    form.style.height = px(program.client[1]);
    setFonts();
    for (const c of program.controls) {
      let el;
      switch (c.kind) {
        case "Label":
          if (c.for) {
            el = document.createElement("label");
            el.htmlFor = c.for;
          } else {
            el = document.createElement("div");
          }
          el.className = "label";
          el.appendChild(document.createElement("span")).textContent = c.text;
          break;
        case "TextBox":
          el = textInput(c.text);
          break;
        case "ComboBox":
          el = textInput(c.text);
          lists.set(c.name, new DropDown(el, c));
          break;
        case "CommandButton":
          el = document.createElement("button");
          el.type = "button";
          el.textContent = c.text;
          el.addEventListener("click", () => act("milfo_press", ["string"], [c.name]));
          break;
      }
      el.id = c.name;
      if (c.font === "box") el.classList.add("box-font");
      if (c.caption !== undefined && c.caption !== c.name) el.setAttribute("aria-label", c.caption);
      place(el, c.rect);
      form.appendChild(el);
      elements.set(c.name, el);
      if (lists.has(c.name)) lists.get(c.name).attach();
    }

    // The controls come in the window's tab order (each after the label
    // that captions it), so Tab visits them in that order, then the page's
    // own links and buttons, then the browser's; Shift+Tab walks back.
    // Unlike the desktop window, Tab from the last control does not come
    // round to the first: in a page the keyboard must be able to leave the
    // window.
    return program.first ? elements.get(program.first) : null;
  }

  function textInput(text) {
    const el = document.createElement("input");
    el.type = "text";
    el.value = text;
    el.autocomplete = "off";
    el.spellcheck = false;
    el.setAttribute("autocapitalize", "off");
    el.addEventListener("input", () => showWhole(el));
    return el;
  }

  // A box whose text is wider than the box shows it whole as its tooltip;
  // a marked box shows its note there too.
  function showWhole(el) {
    const cut = el.scrollWidth > el.clientWidth ? el.value : "";
    el.title = [cut, marks.get(el.id) || ""].filter((line) => line).join("\n");
  }

  // --- The editable drop-down list -------------------------------------------

  class DropDown {
    constructor(input, control) {
      this.input = input;
      this.control = control;
      this.entries = [];
      this.index = -1; // the entry last picked
      this.active = -1; // the entry highlighted while open
      input.setAttribute("role", "combobox");
      input.setAttribute("aria-autocomplete", "none");
      input.setAttribute("aria-expanded", "false");
      input.setAttribute("aria-controls", control.name + "-list");

      // The drop-down button sits inside the edit field's border, at its
      // right end; the entries open beneath the field.
      const [left, top, width, height] = control.rect;
      this.button = document.createElement("button");
      this.button.type = "button";
      this.button.id = control.name + "-button";
      this.button.className = "combo-button";
      this.button.tabIndex = -1;
      this.button.setAttribute("aria-label", "一覧を開く");
      const side = Math.min(height - 2, 17);
      place(this.button, [left + width - 1 - side, top + 1, side, height - 2]);

      this.listbox = document.createElement("ul");
      this.listbox.id = control.name + "-list";
      this.listbox.setAttribute("role", "listbox");
      this.listbox.hidden = true;
      this.listbox.style.left = px(left);
      this.listbox.style.top = px(top + height);
      this.listbox.style.minWidth = px(width);
    }

    attach() {
      form.appendChild(this.button);
      form.appendChild(this.listbox);
      // A press on the button keeps the focus in the edit field.
      this.button.addEventListener("mousedown", (e) => {
        e.preventDefault();
        this.input.focus();
      });
      this.button.addEventListener("click", () => (this.listbox.hidden ? this.open() : this.close()));
      this.listbox.addEventListener("mousedown", (e) => e.preventDefault());
      this.listbox.addEventListener("click", (e) => {
        const option = e.target.closest('[role="option"]');
        if (option) this.pick(Number(option.dataset.index));
      });
      this.listbox.addEventListener("mousemove", (e) => {
        const option = e.target.closest('[role="option"]');
        if (option) this.highlight(Number(option.dataset.index));
      });
      this.input.addEventListener("keydown", (e) => this.key(e));
      this.input.addEventListener("blur", () => this.close());
      document.addEventListener("mousedown", (e) => {
        if (e.target !== this.input && !this.listbox.contains(e.target) && e.target !== this.button) this.close();
      });
    }

    add(text) {
      const option = document.createElement("li");
      option.setAttribute("role", "option");
      option.id = this.control.name + "-option-" + this.entries.length;
      option.dataset.index = String(this.entries.length);
      option.setAttribute("aria-selected", "false");
      option.textContent = text;
      this.listbox.appendChild(option);
      this.entries.push(text);
    }

    // The entry whose text the field shows counts as the one picked (after a
    // file was opened), so that the arrow keys go on from it.
    showPicked() {
      this.index = this.entries.indexOf(this.input.value);
    }

    // Emptied by a handler: its entries and its text, as in the form model.
    clear() {
      this.close();
      this.input.value = "";
      this.listbox.replaceChildren();
      this.entries = [];
      this.index = -1;
      this.active = -1;
    }

    open() {
      if (!this.listbox.hidden) return;
      this.listbox.hidden = false;
      this.input.setAttribute("aria-expanded", "true");
      this.highlight(this.index);
    }

    close() {
      if (this.listbox.hidden) return;
      this.listbox.hidden = true;
      this.input.setAttribute("aria-expanded", "false");
      this.input.removeAttribute("aria-activedescendant");
    }

    highlight(i) {
      this.active = i;
      this.listbox.querySelectorAll('[role="option"]').forEach((o, k) => {
        o.classList.toggle("active", k === i);
        o.setAttribute("aria-selected", k === i ? "true" : "false");
        if (k === i) {
          this.input.setAttribute("aria-activedescendant", o.id);
          o.scrollIntoView({ block: "nearest" });
        }
      });
    }

    // A pick: the entry's text into the edit field, then the list's click.
    pick(i) {
      if (i < 0 || i >= this.entries.length) return;
      this.close();
      this.index = i;
      this.input.value = this.entries[i];
      this.input.focus();
      this.input.select();
      act("milfo_pick", ["string", "number"], [this.control.name, i]);
    }

    key(e) {
      const open = !this.listbox.hidden;
      const last = this.entries.length - 1;
      if ((e.key === "ArrowDown" && e.altKey) || e.key === "F4") {
        open ? this.close() : this.open();
      } else if (e.key === "ArrowDown" || e.key === "ArrowUp") {
        const from = open ? this.active : this.index;
        const to = e.key === "ArrowDown" ? Math.min(from + 1, last) : Math.max(from - 1, 0);
        if (open) this.highlight(to);
        else if (to !== from && last >= 0) this.pick(to);
      } else if (e.key === "Enter" && open) {
        this.pick(this.active);
      } else if (e.key === "Escape" && open) {
        this.close();
      } else {
        return;
      }
      e.preventDefault();
    }
  }

  // --- Running the handlers --------------------------------------------------

  function setTextOf(name, text) {
    const el = elements.get(name);
    if (!el) return;
    if (el.tagName === "INPUT") {
      el.value = text;
      el.scrollLeft = 0;
      showWhole(el);
    } else if (el.tagName === "BUTTON") {
      el.textContent = text;
    } else {
      el.firstChild.textContent = text;
    }
  }

  // A box read otherwise than as typed, or a result box its handler gave a
  // note (a temperature outside the material's range): marked as invalid and
  // described by its note, which shows under the window with the box's
  // caption; unmarked when the note goes.
  function mark(name, note) {
    const el = elements.get(name);
    if (!el) return;
    if (note) {
      marks.set(name, note);
      el.setAttribute("aria-invalid", "true");
      el.setAttribute("aria-describedby", name + "-note");
    } else {
      marks.delete(name);
      el.removeAttribute("aria-invalid");
      el.removeAttribute("aria-describedby");
    }
    showWhole(el);
  }
  function showNotes() {
    const notes = program.inputs
      .concat(program.results)
      .filter((name) => marks.has(name))
      .map((name) => {
        const line = document.createElement("p");
        line.appendChild(document.createElement("span")).textContent = described.get(name).caption;
        const note = line.appendChild(document.createElement("span"));
        note.id = name + "-note";
        note.className = "note";
        note.textContent = marks.get(name);
        return line;
      });
    notesBox.replaceChildren(...notes);
  }

  // What the handlers changed, shown; their failure reported.
  function apply(answer) {
    for (const [what, name, text] of answer.changes) {
      if (what === "text") setTextOf(name, text);
      else if (what === "item") lists.get(name).add(text);
      else if (what === "clear") lists.get(name).clear();
      else if (what === "mark") mark(name, text);
    }
    showNotes();
    // A program's side tables, after a press: for the script that shows them.
    if (answer.tables) document.dispatchEvent(new CustomEvent("milfo-tables", { detail: answer.tables }));
    updateSheet();
    if (answer.error !== null) report(answer.error);
    if (answer.ended) end();
  }

  // Calls the form model in the module; a module that fails (its memory
  // gone, a fault of its own) is reported like any other failure, and the
  // page stays.
  // The answer, or null when there was none.
  function call(fn, types, args) {
    try {
      const answer = JSON.parse(window.Module.ccall(fn, "string", types, args));
      apply(answer);
      return answer;
    } catch (e) {
      report(page.unexpected + "（" + (e && e.message ? e.message : String(e)) + "）");
      return null;
    }
  }

  // What the person typed, handed over to the form model; false when the
  // module failed (reported).
  function handOver() {
    try {
      for (const [name, el] of elements)
        if (el.tagName === "INPUT") window.Module.ccall("milfo_type", null, ["string", "string"], [name, el.value]);
      return true;
    } catch (e) {
      report(page.unexpected + "（" + (e && e.message ? e.message : String(e)) + "）");
      return false;
    }
  }

  // One act of the person (a press, a pick, a file opened): what they typed,
  // then the act. Its answer, or null when nothing was done.
  function act(fn, types, args) {
    if (failure !== null && !errorDialog.open) {
      report(texts.unavailable + failure);
      return null;
    }
    // An act before the module has loaded does nothing (the page is not ready).
    if (!loaded || ended || errorDialog.open) return null;
    return handOver() ? call(fn, types, args) : null;
  }

  // A run-time error: a modal report; the inputs stay as typed.
  let focusBefore = null;
  function report(message) {
    focusBefore = document.activeElement;
    document.getElementById("error-message").textContent = message;
    // A browser without modal dialogs still says what happened.
    if (typeof errorDialog.showModal !== "function") {
      window.alert(message);
      return;
    }
    errorDialog.showModal();
    errorDialog.querySelector("button").focus();
  }
  errorDialog.addEventListener("close", () => {
    if (focusBefore && focusBefore.isConnected) focusBefore.focus();
  });
  errorDialog.querySelector("button").addEventListener("click", () => errorDialog.close());

  // The program ends: the window closes where the browser lets a page close
  // itself, and otherwise the page returns to the menu.
  function end() {
    ended = true;
    document.documentElement.dataset.ended = "true";
    window.close();
    setTimeout(() => {
      if (!window.closed) window.location.assign("index.html");
    }, 50);
  }

  // Enter and Escape press nothing by themselves (a focused button would
  // take Enter as a click); Space still presses the focused button.
  form.addEventListener("keydown", (e) => {
    if (e.key === "Enter" && e.target.tagName === "BUTTON") e.preventDefault();
  });

  // --- The calculation sheet ------------------------------------------------------

  // What the window shows, as the sheet prints it: the calculation sheet
  // the form model makes of the form as it stands (its parts, order and
  // texts are the core's; sheet.h), with the date and time. Kept up to date
  // as the window changes, and once more just before the browser prints.
  const two = (n) => String(n).padStart(2, "0");
  function sheetSection(section) {
    const table = document.createElement("table");
    table.createCaption().textContent = section.title;
    const body = table.createTBody();
    for (const [caption, text, note] of section.rows) {
      const row = body.insertRow();
      row.appendChild(document.createElement("th")).textContent = caption;
      const value = row.appendChild(document.createElement("td"));
      value.textContent = text;
      if (note) value.appendChild(document.createElement("span")).textContent = note;
    }
    return table;
  }
  function updateSheet() {
    if (!loaded || failure !== null || !handOver()) return;
    const now = new Date();
    const when =
      `${now.getFullYear()}/${two(now.getMonth() + 1)}/${two(now.getDate())} ` +
      `${two(now.getHours())}:${two(now.getMinutes())}`;
    const sheet = JSON.parse(window.Module.ccall("milfo_sheet", "string", ["string"], [when]));
    if (!sheet) return;
    document.getElementById("sheet-suite").textContent = sheet.suite;
    document.getElementById("sheet-when-title").textContent = sheet.whenTitle;
    const time = document.getElementById("sheet-when");
    time.dateTime = now.toISOString();
    time.textContent = sheet.when;
    document.getElementById("sheet-heading").textContent = sheet.heading;
    document.getElementById("sheet-caption").textContent = sheet.caption;
    document.getElementById("sheet-sections").replaceChildren(...sheet.sections.map(sheetSection));
  }
  form.addEventListener("input", updateSheet);
  // Whatever else the page shows below the window prints whole: a fold
  // (<details>) closed on the screen is open on paper.
  let folded = [];
  window.addEventListener("beforeprint", () => {
    updateSheet();
    folded = [...document.querySelectorAll("details:not([open])")];
    for (const fold of folded) fold.open = true;
  });
  window.addEventListener("afterprint", () => {
    for (const fold of folded) fold.open = false;
    folded = [];
  });
  const printButton = document.getElementById("print");
  printButton.hidden = false;
  // The browser's beforeprint brings the sheet up to date.
  printButton.addEventListener("click", () => window.print());

  // --- 保存 and 開く ------------------------------------------------------------------

  // 保存: the form's case (the form model writes it: UTF-8 with a byte order
  // mark, CRLF) downloaded as <program>-<yyyymmdd-hhmm>.csv.
  const saveButton = document.getElementById("save");
  saveButton.addEventListener("click", () => {
    if (!loaded || failure !== null || ended || !handOver()) return;
    const now = new Date();
    const args = [now.getFullYear(), now.getMonth() + 1, now.getDate(), now.getHours(), now.getMinutes()];
    const saved = JSON.parse(window.Module.ccall("milfo_save", "string", args.map(() => "number"), args));
    if (!saved) return;
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([saved.text], { type: "text/csv" }));
    link.download = saved.name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  });

  // 開く: a file chosen (or dropped on the page) read by the form model,
  // which enters it from the window's start texts as a person would, or
  // refuses it with its message; the page then shows the file's name after
  // the window's caption.
  function openFile(file) {
    if (!file) return;
    file.arrayBuffer().then((buffer) => {
      const bytes = new Uint8Array(buffer);
      const answer = act("milfo_open", ["array", "number", "string"], [bytes, bytes.length, file.name]);
      if (!answer || !answer.opened) return;
      for (const list of lists.values()) list.showPicked();
      document.title = answer.title;
      document.querySelector(".window h1").textContent = answer.title;
    });
  }
  const openInput = document.getElementById("open");
  openInput.addEventListener("change", () => {
    openFile(openInput.files[0]);
    openInput.value = "";
  });
  document.addEventListener("dragover", (e) => e.preventDefault());
  document.addEventListener("drop", (e) => {
    e.preventDefault();
    if (e.dataTransfer && e.dataTransfer.files.length) openFile(e.dataTransfer.files[0]);
  });

  // --- A module that cannot run ------------------------------------------------------

  // What failed and what to do, in the page; the buttons say so (their
  // tooltip, and a press shows the message).
  function fail(message, help) {
    if (loaded || failure !== null) return;
    failure = message + help;
    failureBox.textContent = failure;
    failureBox.hidden = false;
    for (const el of elements.values()) {
      if (el.tagName !== "BUTTON") continue;
      el.title = texts.unavailable + message;
      el.setAttribute("aria-disabled", "true");
      el.setAttribute("aria-describedby", "failure");
    }
    document.documentElement.dataset.failed = "true";
  }
  const failMissing = (file) => fail(fill(texts.moduleMissing, { file }), texts.moduleMissingHelp);
  const failBroken = (reason) => fail(fill(texts.moduleFailed, { reason }), texts.moduleFailedHelp);
  let moduleScriptFailed = false;
  // The module's file not there (or refused): its script element's error.
  document.getElementById("module").addEventListener("error", () => {
    moduleScriptFailed = true;
    failMissing(page.module);
  });
  // The module's script threw before it could start (an old browser).
  window.addEventListener("error", (e) => {
    if (e.filename && e.filename.endsWith(page.module)) failBroken(e.message);
  });
  // Every script has run by the load event: a module that never set
  // itself up is reported, whatever the browser said of it.
  window.addEventListener("load", () => {
    if (loaded || typeof window.Module.ccall === "function") return;
    if (moduleScriptFailed) failMissing(page.module);
    else failBroken(texts.moduleNotRun);
  });

  // --- Start ---------------------------------------------------------------------

  // The box with the lowest tab index has the focus, its text selected, from
  // the start and again once the load handler has run.
  const first = build();
  const focusFirst = () => {
    if (!first) return;
    first.focus();
    if (first.select) first.select();
  };
  focusFirst();

  // The form loaded in the module: its lists filled, form_load run.
  function start() {
    const focused = document.activeElement === first;
    loaded = true;
    call("milfo_begin", ["string"], [program.name]);
    if (focused) focusFirst();
    window.milfoReady = true;
    document.documentElement.dataset.ready = "true";
  }

  // The program started again in the same page, as a reload would start it:
  // the dialog closed, the lists emptied, every control back to its text,
  // the marks and the side tables gone, then the form loaded again. (The
  // page's tests run case after case in one page.)
  window.milfoRestart = () => {
    if (!loaded) return;
    if (errorDialog.open) errorDialog.close();
    for (const list of lists.values()) list.clear();
    for (const c of program.controls) setTextOf(c.name, c.text);
    for (const name of [...marks.keys()]) mark(name, "");
    document.dispatchEvent(new CustomEvent("milfo-tables", { detail: [] }));
    ended = false;
    delete document.documentElement.dataset.ended;
    focusFirst();
    start();
  };

  // --- The module's code ---------------------------------------------------------

  // Served, the browser fetches milfo.HASH.wasm and compiles it as it
  // arrives. Opened from a folder (file://), where a page may not fetch
  // files, the same code comes from a script that carries it (base64), as it
  // does when the fetch fails (a server that does not know .wasm files).
  function fromScript() {
    return new Promise((resolve, reject) => {
      const script = document.createElement("script");
      script.src = page.wasmScript;
      script.onload = () => {
        const text = atob(window.milfoWasm);
        const bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
        delete window.milfoWasm;
        resolve(bytes);
      };
      script.onerror = () => reject({ missing: page.wasmScript });
      document.head.appendChild(script);
    });
  }
  function instantiate(imports, receive) {
    const served = location.protocol !== "file:" && typeof WebAssembly.instantiateStreaming === "function";
    (served ? WebAssembly.instantiateStreaming(fetch(page.wasm), imports) : Promise.reject())
      .catch(() => fromScript().then((bytes) => WebAssembly.instantiate(bytes, imports)))
      .then(
        (result) => receive(result.instance, result.module),
        (e) => (e && e.missing ? failMissing(e.missing) : failBroken(String(e))),
      );
    return {}; // the exports come later, through receive
  }

  window.Module = window.Module || {};
  window.Module.locateFile = (path) => (path.endsWith(".wasm") ? page.wasm : path);
  window.Module.instantiateWasm = instantiate;
  // The runtime gives up (no WebAssembly, a module that does not compile).
  window.Module.onAbort = (what) => failBroken(String(what));
  if (window.Module.calledRun) start();
  else window.Module.onRuntimeInitialized = start;
})();
