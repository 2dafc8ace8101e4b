// The 一括計算 page: a line list (CSV) run through a program in a Web Worker
// (batch-worker.js) by milfo-calc's own runner in the site's module. This
// script only moves things: the chosen file and options in, the notes, the
// progress, the first rows and the result out, rendered as text (a cell is
// never read as markup: the list is someone else's file). The result is
// the bytes `milfo-calc --bom [--header names] [--lenient] PROGRAM FILE`
// writes, offered as a download named after the file.
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
  const table = $("rows");
  const SHOWN = 1000; // rows shown on the page; the download has them all
  const PER_FRAME = 50; // rows added to the table in one frame

  let worker = null;
  let runs = 0; // which run is the current one
  let url = null; // the last result's blob: URL
  let compiled = null; // the module, compiled once

  // --- The module and the worker's code -----------------------------------------

  // Served, the module is fetched and compiled as it arrives. From a folder
  // (file://), where a page may not fetch files, its code comes from the
  // script that carries it in base64 (as on every page).
  function script(src, name) {
    return new Promise((resolve, reject) => {
      if (window[name] !== undefined) return resolve(window[name]);
      const el = document.createElement("script");
      el.src = src;
      el.onload = () => resolve(window[name]);
      el.onerror = () => reject(new Error(fill(texts.moduleMissing, { file: src })));
      document.head.appendChild(el);
    });
  }
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
  // A worker from a Blob of its code: the same from a folder and served.
  function workerUrl() {
    return script(page.worker, "milfoBatchWorker").then((code) =>
      URL.createObjectURL(new Blob(["(" + code.toString() + ")();\n"], { type: "text/javascript" })),
    );
  }

  // --- The page's state -----------------------------------------------------------

  function state(value) {
    document.body.dataset.batch = value;
    const running = value === "running";
    runButton.disabled = running;
    cancelButton.disabled = !running;
    for (const el of [program, file, header, lenient]) el.disabled = running;
  }

  function say(text) {
    message.textContent = text;
    message.hidden = text === "";
  }

  function clear() {
    say("");
    notes.replaceChildren();
    queue = [];
    whenShown = null;
    table.querySelector("colgroup")?.remove();
    table.tHead.replaceChildren();
    table.tBodies[0].replaceChildren();
    table.hidden = true;
    $("shown").hidden = true;
    download.hidden = true;
    if (url !== null) URL.revokeObjectURL(url);
    url = null;
    progress.value = 0;
    count.textContent = "";
  }

  function note(text) {
    notes.appendChild(document.createElement("li")).textContent = text;
  }

  // Records as the runner wrote them: the header, then rows; [failed, cells].
  // A few at a frame, so that the page stays responsive; the table's column
  // widths are set once, from the header and the first rows (a table laid
  // out by its contents would be laid out whole again for every row added).
  let queue = [];
  let queued = false;
  function show(records) {
    queue.push(...records);
    if (!queued && queue.length) {
      queued = true;
      requestAnimationFrame(showSome);
    }
  }
  let whenShown = null; // what waits for the rows to be in the table
  function showSome() {
    queued = false;
    const records = queue.splice(0, PER_FRAME);
    if (queue.length) show([]);
    else if (whenShown) requestAnimationFrame(() => (whenShown ? whenShown() : null));
    if (table.tHead.rows.length === 0 && records.length) columns(records);
    const rows = document.createDocumentFragment();
    for (const [failed, cells] of records) {
      if (table.tHead.rows.length === 0) {
        const head = table.tHead.insertRow();
        for (const cell of cells) {
          const th = document.createElement("th");
          th.scope = "col";
          th.textContent = cell;
          head.appendChild(th);
        }
        continue;
      }
      const tr = document.createElement("tr");
      if (failed) tr.className = "failed";
      for (const cell of cells) tr.insertCell().textContent = cell;
      rows.appendChild(tr);
    }
    table.tBodies[0].appendChild(rows);
    table.hidden = table.tHead.rows.length === 0;
  }

  // A text's width in em, about: a full-width character 1, others 0.55.
  const width = (text) => [...text].reduce((w, c) => w + (c.charCodeAt(0) > 0x2000 ? 1 : 0.55), 0);
  function columns(records) {
    const widths = [];
    for (const [, cells] of records)
      cells.forEach((cell, i) => {
        const lines = cell.split("\n").map(width);
        widths[i] = Math.max(widths[i] || 3, Math.min(20, Math.max(...lines) + 1.6));
      });
    const group = document.createElement("colgroup");
    for (const w of widths) group.appendChild(document.createElement("col")).style.width = w + "em";
    table.querySelector("colgroup")?.remove();
    table.prepend(group);
    table.style.width = widths.reduce((a, b) => a + b, 0) + "em";
  }

  function stem(name) {
    const dot = name.lastIndexOf(".");
    return dot > 0 ? name.slice(0, dot) : name;
  }

  // --- A run ----------------------------------------------------------------------

  function run() {
    if (worker !== null) return;
    clear();
    const chosen = file.files && file.files[0];
    if (!chosen) {
      say(texts.noFile);
      state("error");
      return;
    }
    state("running");
    const current = ++runs;
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
    let rows = 0;
    let failedRows = 0;
    Promise.all([module(), workerUrl()]).then(
      ([compiledModule, code]) => {
        const cancelled = current !== runs || document.body.dataset.batch !== "running";
        if (!cancelled) worker = new Worker(code);
        URL.revokeObjectURL(code);
        if (cancelled) return;
        worker.onmessage = (event) => {
          const m = event.data;
          if (m.type === "note") {
            note(m.text);
          } else if (m.type === "progress") {
            rows = m.rows;
            failedRows = m.failed;
            if (m.done >= 0) progress.value = m.done;
            else progress.removeAttribute("value");
            count.textContent = fill(texts.rows, { rows: grouped(rows) });
            if (m.records.length) show(m.records);
          } else if (m.type === "end") {
            finish(m, chosen, rows, failedRows);
          }
        };
        worker.onerror = (e) => {
          e.preventDefault();
          finish({ status: 1, error: e.message || String(e) }, chosen, rows, failedRows);
        };
        worker.postMessage({
          module: compiledModule,
          file: chosen,
          program: program.value,
          names: header.value === "names",
          lenient: lenient.checked,
          shown: SHOWN + 1,
        });
      },
      (e) => {
        if (current === runs) finish({ status: 1, error: e && e.message ? e.message : String(e) }, chosen, 0, 0);
      },
    );
  }

  function finish(end, chosen, rows, failedRows) {
    if (worker !== null) worker.terminate();
    worker = null;
    if (end.result) {
      url = URL.createObjectURL(end.result);
      download.href = url;
      download.download = stem(chosen.name) + "-結果.csv";
      download.textContent = fill(texts.download, { file: download.download });
      download.hidden = false;
    }
    if (end.status === 0) {
      progress.value = 1;
      say("");
      note(fill(texts.done, { rows: grouped(rows), failed: grouped(failedRows) }));
      $("shown").textContent = fill(texts.shown, { shown: grouped(SHOWN) });
      $("shown").hidden = rows <= SHOWN;
      // Done once the rows shown are in the table.
      whenShown = () => {
        whenShown = null;
        state("done");
      };
      if (!queued) whenShown();
    } else {
      say(end.status === 2 ? end.error : fill(texts.failed, { reason: end.error }));
      state("error");
    }
  }

  function cancel() {
    if (document.body.dataset.batch !== "running") return;
    if (worker !== null) worker.terminate();
    worker = null;
    whenShown = null;
    ++runs;
    say(texts.cancelled);
    state("error");
  }

  runButton.addEventListener("click", run);
  // The module compiled and the worker's code loaded while the person still
  // chooses (a failure here is said when the run starts).
  file.addEventListener("change", () => {
    module().catch(() => {});
    script(page.worker, "milfoBatchWorker").catch(() => {});
  });
  cancelButton.addEventListener("click", cancel);

  // A file dropped on the file's box (or anywhere on its line) is the chosen file.
  const drop = $("drop");
  drop.addEventListener("dragover", (e) => {
    if (!e.dataTransfer || ![...e.dataTransfer.types].includes("Files")) return;
    e.preventDefault();
    drop.classList.add("over");
  });
  drop.addEventListener("dragleave", () => drop.classList.remove("over"));
  drop.addEventListener("drop", (e) => {
    drop.classList.remove("over");
    if (!e.dataTransfer || e.dataTransfer.files.length === 0 || file.disabled) return;
    e.preventDefault();
    file.files = e.dataTransfer.files;
  });

  window.milfoReady = true;
  document.documentElement.dataset.ready = "true";
})();
