// The 一括計算 page's Web Worker: milfo-calc's runner, compiled into the
// site's module (web/batch.cpp), over the file the person picked. The page
// builds the worker from a Blob (a page opened from a folder may not start
// one from a file): make_site.py puts this script and the module's runtime
// (milfo.js) together in one function, which the page turns into the
// worker's code, with startModule(Module) running the runtime over Module.
//
// The page posts the compiled module first ({type: "start", module}), then
// asks: a program's columns and line list to start from ({type: "columns",
// program}: answered {type: "columns", program, columns}), or one run
// ({type: "run", file, program, names, lenient, shown, kept}: answered by
// notes, progress with the records to show, and at the end the result).
// Questions asked before the module runs wait for it. For a run, the worker
// reads the file in slices of 4 MB (synchronously: FileReaderSync) and hands
// them to the runner as it asks, gathers the result's bytes into Blobs of
// about a megabyte, and posts the progress at most every 100 ms. Cancelling
// is the page's: it ends the worker.
(function () {
  "use strict";

  const SLICE = 1 << 22; // bytes read from the file at once (each read costs milliseconds)
  const PART = 1 << 20; // result bytes kept before they go into a Blob
  const EVERY = 100; // ms between two progress messages

  const post = (message) => self.postMessage(message);
  const reason = (what) => String(what && what.message ? what.message : what);

  // The file, read as the runner asks: rewind() and read(size), which gives
  // the next bytes (none at the end; null when the file cannot be read).
  function fileBytes(file) {
    const reader = new FileReaderSync();
    let offset = 0; // where the runner reads next
    let slice = new Uint8Array(0); // the file's bytes from sliceAt on
    let sliceAt = 0;
    return {
      rewind() {
        offset = 0;
        if (sliceAt !== 0) {
          slice = new Uint8Array(0);
          sliceAt = 0;
        }
      },
      read(size) {
        if (offset >= sliceAt + slice.length) {
          if (offset >= file.size) return new Uint8Array(0);
          try {
            slice = new Uint8Array(reader.readAsArrayBuffer(file.slice(offset, offset + SLICE)));
            sliceAt = offset;
          } catch (e) {
            return null;
          }
        }
        const bytes = slice.subarray(offset - sliceAt, Math.min(slice.length, offset - sliceAt + size));
        offset += bytes.length;
        return bytes;
      },
    };
  }

  // The result's bytes, in Blobs of about a megabyte: write(bytes), then
  // whole() once.
  function resultBytes() {
    let pending = []; // bytes not in a Blob yet
    let pendingBytes = 0;
    const parts = [];
    const keep = () => {
      parts.push(new Blob(pending));
      pending = [];
      pendingBytes = 0;
    };
    return {
      write(bytes) {
        pending.push(bytes);
        pendingBytes += bytes.length;
        if (pendingBytes >= PART) keep();
        return 1;
      },
      whole() {
        keep();
        return new Blob(parts, { type: "text/csv" });
      },
    };
  }

  // What the page hears during a run: the notes at once; the records to
  // show, with the counts, at most every EVERY ms, and once more at the end.
  function reports() {
    let records = [];
    let counts = { rows: 0, failed: 0, noted: 0, flagged: 0 };
    let last = 0;
    const report = (done) => {
      post(Object.assign({ type: "progress", done, records }, counts));
      records = [];
      last = performance.now();
    };
    return {
      note(text) {
        post({ type: "note", text });
      },
      record(json) {
        records.push(JSON.parse(json));
      },
      progress(rows, done, failed, noted, flagged) {
        counts = { rows, failed, noted, flagged };
        if (performance.now() - last >= EVERY) report(done);
      },
      end: () => report(1),
    };
  }

  // The module's runtime over the compiled module; then(Module) when it runs,
  // fail(reason) when it cannot.
  function startRuntime(compiled, then, fail) {
    const config = {
      print() {},
      printErr() {},
      onAbort: fail,
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), fail);
        return {};
      },
      onRuntimeInitialized: () => then(config),
    };
    startModule(config);
  }

  function columns(Module, job) {
    const answer = Module.ccall("milfo_batch_columns", "string", ["string"], [job.program]);
    post({ type: "columns", program: job.program, columns: answer === null ? null : JSON.parse(answer) });
  }

  function run(Module, job) {
    const result = resultBytes();
    const said = reports();
    const file = fileBytes(job.file);
    Module.batchIO = Object.assign({ write: result.write }, file, said);
    const answer = JSON.parse(
      Module.ccall(
        "milfo_batch",
        "string",
        ["string", "string", "number", "number", "number", "number", "number"],
        [job.program, job.file.name, job.file.size, job.names ? 1 : 0, job.lenient ? 1 : 0, job.shown, job.kept],
      ),
    );
    said.end();
    post(Object.assign({ type: "end", result: result.whole() }, answer));
  }

  // The questions, answered in order once the module runs; when it cannot
  // run (or aborts), each is answered with why.
  let Module = null;
  let failed = null; // why the module cannot run
  const waiting = [];
  const refuse = (job, why) =>
    post(job.type === "run" ? { type: "end", status: 1, error: why } : { type: job.type, program: job.program, columns: null, error: why });
  const answer = (job) => {
    if (failed !== null) return refuse(job, failed);
    try {
      (job.type === "columns" ? columns : run)(Module, job);
    } catch (e) {
      refuse(job, failed !== null ? failed : reason(e));
    }
  };
  const fail = (what) => {
    if (failed === null) failed = reason(what);
    waiting.splice(0).forEach(answer);
  };
  self.onmessage = (event) => {
    const job = event.data;
    if (job.type === "start") {
      startRuntime(
        job.module,
        (runtime) => {
          Module = runtime;
          waiting.splice(0).forEach(answer);
        },
        fail,
      );
    } else if (Module === null && failed === null) {
      waiting.push(job);
    } else {
      answer(job);
    }
  };
})();
