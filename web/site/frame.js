// One calculator window in the page, built from the program description that
// the page carries (exported from the C++ tables at build time), with the
// classic control behaviours. The handlers run in the WebAssembly module
// (milfo.js): the page hands over the texts of its controls, raises an event
// and applies what the handler changed.
"use strict";

(function () {
  const page = JSON.parse(document.getElementById("description").textContent);
  const program = page.program;
  const form = document.getElementById("Form1");
  const errorDialog = document.getElementById("error");
  const px = (twips) => twips / 15 + "px";

  const elements = new Map(); // control name -> element
  const handlers = new Set(program.handlers.map((h) => h.event));
  let list = null; // the drop-down list, where the program has one
  let ended = false;
  let loaded = false; // the module is there: events may run

  // --- Building the window ---------------------------------------------------

  function place(el, c) {
    el.style.left = px(c.left);
    el.style.top = px(c.top);
    el.style.width = px(c.width);
    el.style.height = px(c.height);
  }

  function captionOf(name) {
    return program.captions.find((c) => c.control === name);
  }

  function build() {
    form.style.width = px(program.clientWidth);
    form.style.height = px(program.clientHeight);
    const labelled = new Map(); // label name -> the box it captions
    for (const c of program.captions) labelled.set(c.label, c.control);

    for (const c of program.controls) {
      let el;
      switch (c.kind) {
        case "Label":
          if (labelled.has(c.name)) {
            el = document.createElement("label");
            el.htmlFor = labelled.get(c.name);
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
          list = new DropDown(el, c);
          break;
        case "CommandButton":
          el = document.createElement("button");
          el.type = "button";
          el.textContent = c.text;
          el.addEventListener("click", () => raise(c.name + "_Click"));
          break;
      }
      el.id = c.name;
      if (c.font === "MsPGothic") el.classList.add("ms-pgothic");
      place(el, c);
      form.appendChild(el);
      elements.set(c.name, el);
      if (list && list.input === el) list.attach();
    }

    // Boxes named for assistive technology where no label alone says it.
    for (const c of program.captions) {
      const el = elements.get(c.control);
      if (el && c.name) el.setAttribute("aria-label", c.name);
    }

    // Tab order by tab index, over what can take the focus.
    const focusable = program.controls
      .filter((c) => c.kind !== "Label")
      .sort((a, b) => a.tabIndex - b.tabIndex);
    focusable.forEach((c, i) => (elements.get(c.name).tabIndex = i + 1));
    // Tab from the last control comes round to the first, as in a window,
    // and Shift+Tab from the first to the last.
    if (focusable.length) {
      const firstEl = elements.get(focusable[0].name);
      const lastEl = elements.get(focusable[focusable.length - 1].name);
      form.addEventListener("keydown", (e) => {
        if (e.key !== "Tab" || e.altKey || e.ctrlKey || e.metaKey) return;
        const to = e.shiftKey ? (e.target === firstEl ? lastEl : null) : e.target === lastEl ? firstEl : null;
        if (!to) return;
        e.preventDefault();
        to.focus();
        if (to.select) to.select();
      });
    }
    return focusable.length ? elements.get(focusable[0].name) : null;
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

  // A box whose text is wider than the box shows it whole as its tooltip.
  function showWhole(el) {
    el.title = el.scrollWidth > el.clientWidth ? el.value : "";
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

      this.button = document.createElement("button");
      this.button.type = "button";
      this.button.id = control.name + "-button";
      this.button.className = "combo-button";
      this.button.tabIndex = -1;
      this.button.setAttribute("aria-label", "一覧を開く");
      const side = Math.min(control.height - 30, 255); // inside the edit field's border
      this.button.style.left = px(control.left + control.width - 15 - side);
      this.button.style.top = px(control.top + 15);
      this.button.style.width = px(side);
      this.button.style.height = px(control.height - 30);

      this.listbox = document.createElement("ul");
      this.listbox.id = control.name + "-list";
      this.listbox.setAttribute("role", "listbox");
      this.listbox.hidden = true;
      this.listbox.style.left = px(control.left);
      this.listbox.style.top = px(control.top + control.height);
      this.listbox.style.minWidth = px(control.width);
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
      raise(this.control.name + "_Click");
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

  function textOf(el) {
    return el.tagName === "INPUT" ? el.value : el.textContent;
  }

  function setTextOf(name, text) {
    const el = elements.get(name);
    if (!el) return;
    if (el.tagName === "INPUT") {
      el.value = text;
      el.scrollLeft = 0;
      showWhole(el);
    } else if (el.tagName !== "BUTTON") {
      el.firstChild.textContent = text;
    }
  }

  function raise(event) {
    // A press before the module has loaded does nothing (the page is not ready).
    if (!loaded || ended || !handlers.has(event) || errorDialog.open) return;
    const core = window.Module;
    core.ccall("milfo_begin", "number", ["string"], [program.name]);
    for (const [name, el] of elements) core.ccall("milfo_text", null, ["string", "string"], [name, textOf(el)]);
    const answer = JSON.parse(core.ccall("milfo_raise", "string", ["string"], [event]));
    for (const [what, name, text] of answer.changes) {
      if (what === "text") setTextOf(name, text);
      else if (what === "item" && list && name === list.control.name) list.add(text);
    }
    if (answer.error !== null) report(answer.error);
    if (answer.ended) end();
  }

  // A run-time error: a modal report; the inputs stay as typed.
  let focusBefore = null;
  function report(message) {
    focusBefore = document.activeElement;
    document.getElementById("error-message").textContent = message;
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

  function start() {
    if (list) for (const entry of program.listEntries) list.add(entry);
    const focused = document.activeElement === first;
    loaded = true;
    raise("form_load");
    if (focused) focusFirst();
    window.milfoReady = true;
    document.documentElement.dataset.ready = "true";
  }

  window.Module = window.Module || {};
  if (window.Module.calledRun) start();
  else window.Module.onRuntimeInitialized = start;
})();
