// The 一括計算 page: a line list (CSV) run through a program in a Web Worker
// (batch-worker.js) by milfo-calc's own runner in the site's module. This
// script only moves things: the chosen program's columns and its line list
// to start from (`milfo-calc --template`'s bytes), the chosen file and
// options in; the notes, the progress, the rows to show and the result out,
// rendered as text (a cell is never read as markup: the list is someone
// else's file). The result is the bytes `milfo-calc --bom [--header names]
// [--lenient] PROGRAM FILE` writes, offered as a download named after the
// file. The rows shown are a worksheet: they scroll in their own box with
// the header row and the first column kept in view, can be narrowed to the
// rows with an error or a note, and print on landscape pages, the columns
// split over pages when they do not fit, each part led by the first column.
"use strict";

(function () {
  const page = JSON.parse(document.getElementById("description").textContent);
  const texts = page.texts;
  const $ = (id) => document.getElementById(id);
  const fill = (text, values) => text.replace(/\{(\w+)\}/g, (_, key) => values[key]);
  // 400000 as "400,000" (without Intl, whose first use takes a while).
  const grouped = (n) => String(n).replace(/\B(?=(\d{3})+(?!\d))/g, ",");
  const program = $("program");
  const file = $("file");
  const header = $("header");
  const lenient = $("lenient");
  const runButton = $("run");
  const cancelButton = $("cancel");
  const progress = $("progress");
  const count = $("count");
  const message = $("message");
  const notes = $("notes");
  const download = $("download");
  const template = $("template");
  const errorsOnly = $("errors-only");
  const sheet = $("rows");
  const SHOWN = 1000; // the first rows kept for the page; the download has them all
  const KEPT = 10000; // rows with an error or a note kept for the page
  const BUDGET = 10; // ms of a frame spent adding rows to the worksheet
  // Across an A4 landscape page (277 mm between the margins) in the printed
  // table's type (7 pt): em.
  const PRINT_WIDTH = Math.floor(((277 / 25.4) * 72) / 7);
  const PRINT_TEXT = 10; // em

  let compiled = null; // the module, compiled once

  // --- The module and the worker ----------------------------------------------------

  // Served, the module is fetched and compiled as it arrives. From a folder
  // (file://), where a page may not fetch files, its code comes from the
  // script that carries it in base64 (as on every page).
  function script(src, name) {
    return new Promise((resolve, reject) => {
      if (window[name] !== undefined) return resolve(window[name]);
      const el = document.createElement("script");
      el.src = src;
      el.onload = () => (window[name] !== undefined ? resolve(window[name]) : reject(new Error(missing(src))));
      el.onerror = () => reject(new Error(missing(src)));
      document.head.appendChild(el);
    });
  }
  const missing = (src) => fill(texts.moduleMissing, { file: src });
  function fromScript() {
    return script(page.wasmScript, "milfoWasm").then((base64) => {
      const text = atob(base64);
      const bytes = new Uint8Array(text.length);
      for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      return WebAssembly.compile(bytes);
    });
  }
  function module() {
    if (compiled === null) {
      const served = location.protocol !== "file:" && typeof WebAssembly.compileStreaming === "function";
      compiled = (served ? WebAssembly.compileStreaming(fetch(page.wasm)) : Promise.reject())
        .catch(() => fromScript())
        .catch((e) => {
          compiled = null;
          throw e;
        });
    }
    return compiled;
  }

  // One worker at a time, started with the module: it answers the programs'
  // columns, then runs one list; a run's end or 中止 ends it. Its code comes
  // as a Blob made once the module and the code are both at hand, and let go
  // at once (a page opened from a folder may start no worker from a file).
  const STOPPED = new Error("stopped"); // a worker stopped before it started
  let worker = null; // the current worker: a promise of it
  let workerNow = null; // the same, once started
  function startWorker() {
    if (worker !== null) return worker;
    const started = Promise.all([module(), script(page.worker, "milfoBatchWorker")]).then(([code, source]) => {
      if (worker !== started) throw STOPPED;
      const url = URL.createObjectURL(new Blob(["(" + source.toString() + ")();\n"], { type: "text/javascript" }));
      try {
        workerNow = new Worker(url);
      } finally {
        URL.revokeObjectURL(url);
      }
      workerNow.onmessage = (event) => heard(event.data);
      workerNow.onerror = (e) => {
        e.preventDefault();
        const why = e.message || String(e);
        stopWorker();
        if (state === "running") finish({ status: 1, error: why });
        else columnsFailed(why);
      };
      workerNow.postMessage({ type: "start", module: code });
      return workerNow;
    });
    worker = started;
    started.catch(() => {
      if (worker === started) worker = null;
    });
    return started;
  }
  function stopWorker() {
    if (workerNow !== null) workerNow.terminate();
    worker = workerNow = null;
  }
  function heard(m) {
    if (m.type === "columns") columnsArrived(m);
    else if (state !== "running") return;
    else if (m.type === "note") note(m.text);
    else if (m.type === "progress") progressed(m);
    else if (m.type === "end") finish(m);
  }

  // --- Blob URLs: each let go when what it offered goes -------------------------------

  const urls = new Map(); // link → its blob: URL
  function offer(link, blob, name) {
    withdraw(link);
    const url = URL.createObjectURL(blob);
    urls.set(link, url);
    link.href = url;
    link.download = name;
  }
  function withdraw(link) {
    if (urls.has(link)) URL.revokeObjectURL(urls.get(link));
    urls.delete(link);
    link.removeAttribute("href");
  }
  window.addEventListener("pagehide", () => [...urls.keys()].forEach(withdraw));

  // --- The program's columns and its line list to start from -------------------------

  const columnsOf = new Map(); // program → its columns, as the runner gives them
  function chooseProgram() {
    const name = program.value;
    if (columnsOf.has(name)) return showColumns(name);
    $("columns").dataset.program = "";
    $("columns-note").textContent = texts.columnsLoading;
    startWorker().then(
      (w) => w.postMessage({ type: "columns", program: name }),
      (e) => (e === STOPPED ? chooseProgram() : columnsFailed(e && e.message ? e.message : String(e))),
    );
  }
  function columnsArrived(m) {
    if (m.columns === null) return columnsFailed(m.error || "");
    columnsOf.set(m.program, m.columns);
    if (m.program === program.value) showColumns(m.program);
  }
  function columnsFailed(why) {
    $("columns-note").textContent = why;
    withdraw(template);
    template.hidden = true;
  }
  function showColumns(name) {
    const { columns, template: start } = columnsOf.get(name);
    const body = $("columns-table").tBodies[0];
    body.replaceChildren(
      ...columns.map((c) => {
        const tr = document.createElement("tr");
        tr.className = c.kind;
        const th = document.createElement("th");
        th.scope = "row";
        th.textContent = c.caption;
        tr.appendChild(th);
        for (const text of [c.name, c.says, c.entries.filter((e) => e !== "").join("、")]) tr.insertCell().textContent = text;
        return tr;
      }),
    );
    const needed = columns.filter((c) => c.kind === "needed").length;
    $("columns-note").textContent = fill(texts.columnsSay, { columns: columns.length, needed });
    offer(template, new Blob([start.text], { type: "text/csv" }), start.name);
    template.textContent = fill(texts.template, { file: start.name });
    template.hidden = false;
    $("columns").dataset.program = name;
  }

  // --- The run's state, held here and shown from here ----------------------------------

  // idle → running (the worker runs the list) → drawing (the rows kept are
  // going into the table) → done | error; running → cancelled (中止).
  let state = "idle";
  let finalState = "done"; // what drawing ends in
  let runs = 0; // which run is the current one
  const counts = { rows: 0, failed: 0, noted: 0, flagged: 0 };
  const kept = { head: null, first: [], flagged: [] };
  function enter(next) {
    const hadFocus = document.activeElement;
    state = next;
    document.body.dataset.batch = next;
    const busy = next === "running" || next === "drawing";
    runButton.disabled = busy;
    cancelButton.hidden = next !== "running";
    for (const el of [program, file, header, lenient]) el.disabled = busy;
    download.hidden = next === "running" || !urls.has(download) || counts.rows === 0;
    if (next === "running" && hadFocus === runButton) cancelButton.focus();
    else if (hadFocus === cancelButton && cancelButton.hidden) runButton.focus();
  }

  function say(text) {
    message.textContent = text;
    message.hidden = text === "";
  }

  function note(text) {
    notes.appendChild(document.createElement("li")).textContent = text;
    $("sheet-notes").appendChild(document.createElement("li")).textContent = text;
  }

  function clear() {
    say("");
    notes.replaceChildren();
    $("sheet-notes").replaceChildren();
    Object.assign(counts, { rows: 0, failed: 0, noted: 0, flagged: 0 });
    Object.assign(kept, { head: null, first: [], flagged: [] });
    resetTable();
    withdraw(download);
    progress.value = 0;
    count.textContent = "";
    $("sheet-encoding").textContent = "";
  }

  // --- The rows, as a worksheet ----------------------------------------------------------

  // Records as the runner hands them over: [row, failed, noted, cells], the
  // header as row 0; the first SHOWN rows and the first KEPT rows with an
  // error or a note.
  function keep(records) {
    for (const [row, failed, noted, cells] of records) {
      const record = { failed, noted, cells };
      if (row === 0) kept.head = cells;
      else {
        if (row <= SHOWN) kept.first.push(record);
        if (failed || noted) kept.flagged.push(record);
      }
    }
    draw();
  }
  const shownRows = () => (errorsOnly.checked ? kept.flagged : kept.first);

  // The worksheet (#rows, one table to assistive technology) is drawn as
  // tables of its own that share the columns' widths: the header row, kept
  // at the top of the box, then the rows in parts of CHUNK, each of which
  // the browser lays out only while it is in view (content-visibility), so
  // that 10,000 rows cost no more than the few in the box. Rows go in as
  // many at a frame as BUDGET allows, and the page stays responsive. The
  // columns' widths grow to the widest cell drawn, as measured: a number
  // never wraps; a longer text wraps at 20 em.
  const CHUNK = 100;
  let drawn = 0; // rows of shownRows() in the worksheet
  let part = null; // the tbody rows go into
  let estimated = false; // whether a part's height is known
  let queued = false;
  const widths = []; // em
  const least = []; // em: about the longest part of a column's cells that cannot wrap
  function draw() {
    if (!queued) {
      queued = true;
      requestAnimationFrame(drawSome);
    }
  }
  function drawSome() {
    queued = false;
    const rows = shownRows();
    if (kept.head !== null && sheet.childElementCount === 0) drawHead();
    const start = performance.now();
    while (drawn < rows.length && performance.now() - start < BUDGET) {
      if (part === null || part.rows.length === CHUNK) part = newPart();
      const some = rows.slice(drawn, drawn + Math.min(25, CHUNK - part.rows.length));
      measure(some.map((r) => r.cells), false);
      for (const r of some) part.appendChild(rowOf(r));
      drawn += some.length;
    }
    sheet.setAttribute("aria-rowcount", String(drawn + 1));
    // Parts out of view stand in at the height of the first one drawn.
    if (!estimated && part !== null && part.rows.length === CHUNK) {
      sheet.style.setProperty("--part", part.parentNode.offsetHeight + "px");
      estimated = true;
    }
    $("worksheet").hidden = kept.head === null;
    if (drawn < rows.length) draw();
    else if (state === "drawing") enter(finalState);
  }
  // A table of the worksheet's: its columns, and a row group.
  function table(kind) {
    const t = document.createElement("table");
    t.setAttribute("role", "presentation");
    const group = t.appendChild(document.createElement("colgroup"));
    kept.head.forEach((_, i) => (group.appendChild(document.createElement("col")).style.width = `var(--w${i})`));
    const rows = t.appendChild(document.createElement(kind));
    rows.setAttribute("role", "rowgroup");
    return rows;
  }
  function drawHead() {
    measure([kept.head], true);
    const head = sheet.appendChild(document.createElement("div"));
    head.className = "head";
    const tr = head.appendChild(table("thead").parentNode).tHead.insertRow();
    tr.setAttribute("role", "row");
    for (const cell of kept.head) {
      const th = tr.appendChild(document.createElement("th"));
      th.setAttribute("role", "columnheader");
      th.textContent = cell;
    }
    sheet.setAttribute("aria-colcount", String(kept.head.length));
  }
  function newPart() {
    const chunk = sheet.appendChild(document.createElement("div"));
    chunk.className = "part";
    return chunk.appendChild(table("tbody").parentNode).tBodies[0];
  }
  function rowOf(record) {
    const tr = document.createElement("tr");
    tr.setAttribute("role", "row");
    if (record.failed) tr.className = "failed";
    else if (record.noted) tr.className = "noted";
    record.cells.forEach((cell, i) => {
      const td = tr.appendChild(document.createElement(i === 0 ? "th" : "td"));
      td.setAttribute("role", i === 0 ? "rowheader" : "cell");
      td.textContent = cell;
    });
    return tr;
  }
  function clearRows() {
    drawn = 0;
    part = null;
    estimated = false;
    for (const chunk of sheet.querySelectorAll(".part")) chunk.remove();
  }
  function resetTable() {
    clearRows();
    sheet.replaceChildren();
    widths.length = least.length = 0;
    sheet.removeAttribute("style");
    $("worksheet").hidden = true;
    $("shown").hidden = true;
  }
  // The other rows shown (errors only, or the first): drawn again.
  function redraw() {
    clearRows();
    sayShown();
    if (state !== "running" && state !== "drawing" && kept.head !== null) {
      finalState = state;
      enter("drawing");
    }
    draw();
  }

  // The width each cell needs, as the browser lays it out (its own font and
  // fallbacks): in a box of 20 em (6 em for a header, which wraps), a block
  // as wide as its text, no narrower than its longest unbreakable part. A
  // cell that cannot be wider than its column (each character no wider than
  // the widest of its kind) is not measured.
  const measurer = $("measure");
  const CAP = 20;
  let widest = null; // em: of a digit or sign, of any other ASCII character; and the padding
  function bound(cell) {
    let em = 0;
    let run = 0; // of the longest line
    let ascii = 0; // the longest run of ASCII characters without a blank
    let longest = 0;
    for (const c of cell) {
      const code = c.codePointAt(0);
      const w = /[0-9.,+\-Ee]/.test(c) ? widest.number : code < 0x80 ? widest.ascii : 1.5;
      if (c === "\n") {
        em = Math.max(em, run);
        run = 0;
      } else run += w;
      ascii = code < 0x80 && c !== " " && c !== "\n" ? ascii + w : 0;
      longest = Math.max(longest, ascii);
    }
    em = Math.max(em, run);
    return [(em > CAP ? Math.max(CAP, longest + 2) : em) + widest.padding, longest + widest.padding];
  }
  function measure(records, heads) {
    const box = measurer.querySelector(heads ? ".heads" : ".cells");
    const em = parseFloat(getComputedStyle(box).fontSize);
    if (widest === null) {
      const probe = (text) => {
        const span = box.appendChild(document.createElement("span"));
        span.textContent = text;
        return span;
      };
      const number = [..."0123456789.,+-Ee"].map(probe);
      const ascii = Array.from({ length: 95 }, (_, i) => probe(String.fromCharCode(32 + i)));
      const empty = probe("");
      const w = (span) => span.getBoundingClientRect().width / em;
      const padding = w(empty);
      widest = {
        number: Math.max(...number.map(w)) - padding,
        ascii: Math.max(...ascii.map(w)) - padding,
        padding: padding + 2 / em,
      };
      box.replaceChildren();
    }
    const spans = [];
    for (const cells of records)
      cells.forEach((cell, i) => {
        if (heads) least[i] = 0;
        const [most, unbroken] = bound(cell);
        if (!heads) least[i] = Math.max(least[i], unbroken);
        if (heads || !(widths[i] >= most)) {
          const span = box.appendChild(document.createElement("span"));
          span.textContent = cell;
          spans.push([i, span]);
        }
      });
    let grown = false;
    for (const [i, span] of spans) {
      const w = Math.ceil(span.getBoundingClientRect().width + 1) / em;
      if (!(widths[i] >= w)) {
        widths[i] = w;
        grown = true;
      }
    }
    box.replaceChildren();
    if (grown) {
      widths.forEach((w, i) => sheet.style.setProperty(`--w${i}`, w + "em"));
      sheet.style.setProperty("--width", widths.reduce((a, b) => a + b, 0) + "em");
    }
  }

  function sayShown() {
    const shown = $("shown");
    const rows = shownRows().length;
    if (errorsOnly.checked)
      shown.textContent =
        fill(texts.flaggedShown, { shown: grouped(rows) }) +
        (counts.flagged > rows ? fill(texts.flaggedMore, { more: grouped(counts.flagged - rows) }) : "");
    else shown.textContent = counts.rows > rows ? fill(texts.shown, { shown: grouped(rows) }) : "";
    shown.hidden = shown.textContent === "";
    $("counts").textContent = fill(texts.counts, {
      rows: grouped(counts.rows),
      failed: grouped(counts.failed),
      noted: grouped(counts.noted),
    });
  }

  // --- Printed: the heading, then the rows, the columns in parts that fit -------------

  // What the print holds of the list: "先頭 1,000 行（全 1,200 行）" and the like.
  function printedRows() {
    const rows = shownRows().length;
    if (errorsOnly.checked)
      return rows < counts.flagged
        ? fill(texts.printFlaggedFirst, { shown: grouped(rows), rows: grouped(counts.flagged) })
        : fill(texts.printFlagged, { shown: grouped(rows), rows: grouped(counts.rows) });
    return rows < counts.rows
      ? fill(texts.printFirst, { shown: grouped(rows), rows: grouped(counts.rows) })
      : fill(texts.printAll, { rows: grouped(counts.rows) });
  }
  // On paper a column of text wraps at PRINT_TEXT (a number never wraps).
  const printWidth = (i) => Math.min(widths[i], Math.max(PRINT_TEXT, least[i]));
  // The columns, from the second on, in parts whose widths fit the page
  // beside the first column.
  function parts() {
    const out = [];
    let part = [];
    let width = printWidth(0);
    for (let i = 1; i < widths.length; ++i) {
      if (part.length && width + printWidth(i) > PRINT_WIDTH) {
        out.push(part);
        part = [];
        width = printWidth(0);
      }
      part.push(i);
      width += printWidth(i);
    }
    if (part.length || out.length === 0) out.push(part);
    return out;
  }
  function printTables() {
    const into = $("printed");
    into.replaceChildren();
    if (kept.head === null) return;
    const all = parts();
    const rows = shownRows();
    all.forEach((part, n) => {
      const columns = [0, ...part];
      const t = into.appendChild(document.createElement("table"));
      if (all.length > 1)
        t.createCaption().textContent = fill(texts.part, {
          part: n + 1,
          parts: all.length,
          from: part[0] + 1,
          to: part[part.length - 1] + 1,
          columns: widths.length,
        });
      const group = t.appendChild(document.createElement("colgroup"));
      for (const i of columns) group.appendChild(document.createElement("col")).style.width = printWidth(i) + "em";
      t.style.width = columns.reduce((w, i) => w + printWidth(i), 0) + "em";
      const head = t.createTHead().insertRow();
      for (const i of columns) {
        const th = head.appendChild(document.createElement("th"));
        th.scope = "col";
        th.textContent = kept.head[i];
      }
      const body = t.createTBody();
      for (const r of rows) {
        const tr = body.insertRow();
        if (r.failed) tr.className = "failed";
        for (const i of columns) tr.insertCell().textContent = r.cells[i];
      }
    });
  }
  window.addEventListener("beforeprint", () => {
    $("sheet-options").textContent = fill(texts.options, {
      header: header.selectedOptions[0].textContent,
      lenient: lenient.checked ? texts.yes : texts.no,
      rows: errorsOnly.checked ? texts.flaggedRows : texts.allRows,
    });
    $("sheet-counts").textContent = $("counts").textContent;
    $("sheet-printed").textContent = printedRows();
    printTables();
  });
  window.addEventListener("afterprint", () => $("printed").replaceChildren());

  // --- A run ----------------------------------------------------------------------

  function run() {
    if (state === "running" || state === "drawing") return;
    clear();
    const chosen = file.files && file.files[0];
    if (!chosen) {
      say(texts.noFile);
      enter("error");
      return;
    }
    const current = ++runs;
    enter("running");
    $("columns").open = false; // the rows come where the columns were
    const entry = page.programs.find((p) => p.name === program.value);
    $("sheet-program").textContent = entry ? `${entry.menu} ${entry.title}` : program.value;
    $("sheet-file").textContent = chosen.name;
    const now = new Date();
    const two = (n) => String(n).padStart(2, "0");
    const when = $("sheet-when");
    when.dateTime = now.toISOString();
    when.textContent =
      `${now.getFullYear()}/${two(now.getMonth() + 1)}/${two(now.getDate())} ` +
      `${two(now.getHours())}:${two(now.getMinutes())}`;
    startWorker().then(
      (w) => {
        if (current !== runs || state !== "running") return;
        w.postMessage({
          type: "run",
          file: chosen,
          program: program.value,
          names: header.value === "names",
          lenient: lenient.checked,
          shown: SHOWN,
          kept: KEPT,
        });
      },
      (e) => {
        if (current === runs && state === "running") finish({ status: 1, error: e && e.message ? e.message : String(e) });
      },
    );
  }

  function progressed(m) {
    Object.assign(counts, { rows: m.rows, failed: m.failed, noted: m.noted, flagged: m.flagged });
    if (m.done >= 0) progress.value = m.done;
    else progress.removeAttribute("value");
    count.textContent = fill(texts.rows, { rows: grouped(counts.rows) });
    sayShown();
    if (m.records.length) keep(m.records);
  }

  function finish(end) {
    stopWorker();
    if (end.result && counts.rows > 0) {
      const name = stem($("sheet-file").textContent) + "-結果.csv";
      offer(download, end.result, name);
      download.textContent = fill(texts.download, { file: name });
    }
    $("sheet-encoding").textContent = end.encoding || "";
    if (end.status === 0) {
      progress.value = 1;
      say("");
      note(fill(texts.done, { rows: grouped(counts.rows), failed: grouped(counts.failed), noted: grouped(counts.noted) }));
    } else {
      say(end.status === 2 ? end.error : fill(texts.failed, { reason: end.error }));
    }
    sayShown();
    finalState = end.status === 0 ? "done" : "error";
    enter("drawing");
    draw();
  }

  function cancel() {
    if (state !== "running") return;
    stopWorker();
    ++runs;
    say(texts.cancelled);
    enter("cancelled");
  }

  function stem(name) {
    const dot = name.lastIndexOf(".");
    return dot > 0 ? name.slice(0, dot) : name;
  }

  runButton.addEventListener("click", run);
  cancelButton.addEventListener("click", cancel);
  program.addEventListener("change", chooseProgram);
  errorsOnly.addEventListener("change", redraw);
  // The module compiled and the worker's code loaded while the person still
  // chooses (a failure here is said when the run starts).
  file.addEventListener("change", () => startWorker().catch(() => {}));

  // A file dropped anywhere on the page is the chosen file; during a run it
  // is refused, and the browser never opens it in the page's place.
  const drop = $("drop");
  const carriesFiles = (e) => e.dataTransfer && [...e.dataTransfer.types].includes("Files");
  document.addEventListener("dragover", (e) => {
    if (!carriesFiles(e)) return;
    e.preventDefault();
    drop.classList.toggle("over", state !== "running" && state !== "drawing");
  });
  document.addEventListener("dragleave", (e) => {
    if (e.relatedTarget === null) drop.classList.remove("over");
  });
  document.addEventListener("drop", (e) => {
    if (!carriesFiles(e)) return;
    e.preventDefault();
    drop.classList.remove("over");
    if (state === "running" || state === "drawing") return say(texts.dropRefused);
    if (e.dataTransfer.files.length === 0) return;
    file.files = e.dataTransfer.files;
    file.dispatchEvent(new Event("change"));
  });

  enter("idle");
  chooseProgram();
  window.milfoReady = true;
  document.documentElement.dataset.ready = "true";
})();
