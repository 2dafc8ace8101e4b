// The 一括計算 page's Web Worker: milfo-calc's runner, compiled into the
// site's module (web/batch.cpp), over the file the person picked. The page
// builds the worker from a Blob (a page opened from a folder may not start
// one from a file): make_site.py puts this script and the module's runtime
// (milfo.js) together in one function, which the page turns into the
// worker's code, with startModule(Module) running the runtime over Module.
// The page posts one job: the compiled module, the file and the choices.
// The worker reads the file in slices of 4 MB (synchronously: FileReaderSync)
// and hands them to the runner as it asks, gathers the result's bytes into
// Blobs of about a megabyte, and posts the notes, the first records, the
// progress (at most every 100 ms) and at the end the result. Cancelling is
// the page's: it ends the worker.
(function () {
  "use strict";

  const SLICE = 1 << 22; // bytes read from the file at once (each read costs milliseconds)
  const PART = 1 << 20; // result bytes kept before they go into a Blob
  const EVERY = 100; // ms between two progress messages

  self.onmessage = (event) => {
    const job = event.data; // {module, file, program, names, lenient, shown}
    const reader = new FileReaderSync();
    let offset = 0; // where the runner reads next
    let slice = new Uint8Array(0); // the file's bytes from sliceAt on
    let sliceAt = 0;
    let pending = []; // result bytes not in a Blob yet
    let pendingBytes = 0;
    const parts = [];
    let records = [];
    let last = 0;
    let rows = 0;
    let failed = 0;
    const post = (message) => self.postMessage(message);
    const report = (done) => {
      post({ type: "progress", rows, done, failed, records });
      records = [];
      last = performance.now();
    };

    const io = {
      rewind() {
        offset = 0;
        if (sliceAt !== 0) {
          slice = new Uint8Array(0);
          sliceAt = 0;
        }
      },
      read(size) {
        if (offset >= sliceAt + slice.length) {
          if (offset >= job.file.size) return new Uint8Array(0);
          try {
            slice = new Uint8Array(reader.readAsArrayBuffer(job.file.slice(offset, offset + SLICE)));
            sliceAt = offset;
          } catch (e) {
            return null;
          }
        }
        const bytes = slice.subarray(offset - sliceAt, Math.min(slice.length, offset - sliceAt + size));
        offset += bytes.length;
        return bytes;
      },
      write(bytes) {
        pending.push(bytes);
        pendingBytes += bytes.length;
        if (pendingBytes >= PART) {
          parts.push(new Blob(pending));
          pending = [];
          pendingBytes = 0;
        }
        return 1;
      },
      note(text) {
        post({ type: "note", text });
      },
      record(json) {
        records.push(JSON.parse(json));
      },
      progress(rowsDone, done, rowsFailed) {
        rows = rowsDone;
        failed = rowsFailed;
        if (performance.now() - last >= EVERY) report(done);
      },
    };

    const fail = (what) => post({ type: "end", status: 1, error: String(what && what.message ? what.message : what) });
    const config = {
      batchIO: io,
      print() {},
      printErr() {},
      onAbort: fail,
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(job.module, imports).then((instance) => receive(instance, job.module), fail);
        return {};
      },
      onRuntimeInitialized() {
        let answer;
        try {
          answer = JSON.parse(
            config.ccall(
              "milfo_batch",
              "string",
              ["string", "string", "number", "number", "number", "number"],
              [job.program, job.file.name, job.file.size, job.names ? 1 : 0, job.lenient ? 1 : 0, job.shown],
            ),
          );
        } catch (e) {
          fail(e);
          return;
        }
        parts.push(new Blob(pending));
        pending = [];
        report(1);
        post({ type: "end", status: answer.status, error: answer.error, result: new Blob(parts, { type: "text/csv" }) });
      },
    };
    startModule(config);
  };
})();
