// The side tables of a program, below its window: after each press the page's
// form model (milfo.js, through frame.js) hands over the tables the program
// works out from the form's texts, and this script shows them: each table as
// an HTML table, and a table that asks for a chart as an inline SVG chart
// above it. Every figure is a text of the table; this script only places
// them. The tables' shape (program.h, SideTable; as JSON, web/tables_json.h):
//   { title, columns: [head, ...], rows: [[cell, ...], ...],
//     chart: null | { x, lines: [left, right], sharedAxis, marked,
//                     markedTitle, levelColumn, level, levelTitle } }
// With sharedAxis, every column of lines is drawn against the left axis.
"use strict";

(function () {
  const SVG = "http://www.w3.org/2000/svg";
  const page = JSON.parse(document.getElementById("description").textContent);
  if (!page.program.tables) return;

  const section = document.createElement("section");
  section.className = "side-tables";
  section.hidden = true;
  document.querySelector(".window").after(section);
  document.addEventListener("milfo-tables", (e) => show(e.detail));

  function show(tables) {
    section.replaceChildren();
    for (const table of tables) {
      if (!table.rows.length) continue;
      // A chart under the table's title; the table itself in a fold.
      const figure = document.createElement("figure");
      if (table.chart) {
        figure.appendChild(document.createElement("figcaption")).textContent = table.title;
        figure.appendChild(chart(table));
      }
      const details = document.createElement("details");
      details.appendChild(document.createElement("summary")).textContent = table.title;
      details.appendChild(htmlTable(table));
      figure.appendChild(details);
      section.appendChild(figure);
    }
    section.hidden = !section.childElementCount;
  }

  function htmlTable(table) {
    const el = document.createElement("table");
    const head = el.createTHead().insertRow();
    for (const column of table.columns) head.appendChild(document.createElement("th")).textContent = column;
    const body = el.createTBody();
    table.rows.forEach((row, i) => {
      const tr = body.insertRow();
      if (table.chart && i === table.chart.marked) tr.className = "marked";
      for (const cell of row) tr.insertCell().textContent = cell;
    });
    return el;
  }

  // --- The chart ---------------------------------------------------------------

  const size = { width: 640, height: 300, left: 64, right: 72, top: 36, bottom: 40 };

  function element(name, attributes, parent) {
    const el = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes)) el.setAttribute(key, String(value));
    if (parent) parent.appendChild(el);
    return el;
  }

  function text(parent, x, y, content, className, anchor) {
    const el = element("text", { x, y, class: className, "text-anchor": anchor || "start" }, parent);
    el.textContent = content;
    return el;
  }

  // A cell as a number, or NaN for an empty one.
  const value = (cell) => (cell === "" ? NaN : Number(cell));

  // From lo to hi in 4 to 8 steps of 1, 2 or 5 times a power of ten. The
  // steps are counted, not summed: a step below the precision of the values
  // would never move a running sum. A range that is flat, or too narrow for
  // ticks that differ in 12 digits, is widened by a tenth of its value.
  function ticks(lo, hi) {
    if (!Number.isFinite(lo) || !Number.isFinite(hi)) return [0, 1];
    if (!(hi - lo > Math.max(Math.abs(lo), Math.abs(hi)) * 1e-9)) {
      const pad = Math.abs(lo) > 0 ? Math.abs(lo) * 0.1 : 1;
      lo -= pad;
      hi += pad;
    }
    const rough = (hi - lo) / 5;
    const power = Math.pow(10, Math.floor(Math.log10(rough)));
    const step = [1, 2, 5, 10].map((m) => m * power).find((s) => (hi - lo) / s <= 8);
    const first = Math.floor(lo / step);
    const count = Math.ceil(hi / step) - first;
    const values = [];
    for (let i = 0; i <= count; ++i) values.push(Number(((first + i) * step).toPrecision(12)));
    return values;
  }

  function scale(values, from, to) {
    const lo = values[0];
    const hi = values[values.length - 1];
    return (v) => from + ((v - lo) / (hi - lo)) * (to - from);
  }

  function chart(table) {
    const c = table.chart;
    const xs = table.rows.map((row) => value(row[c.x]));
    const columnsOf = (k) => table.rows.map((row) => value(row[k]));
    const plotted = c.lines.map(columnsOf);
    const level = c.levelColumn >= 0 ? value(c.level) : NaN;

    const { width, height, left, right, top, bottom } = size;
    const svg = element("svg", {
      viewBox: `0 0 ${width} ${height}`,
      width,
      height,
      role: "img",
      "aria-label": table.title,
      class: "chart",
    });
    const finite = (list) => list.filter((v) => Number.isFinite(v));
    const xTicks = ticks(Math.min(...finite(xs)), Math.max(...finite(xs)));
    const x = scale(xTicks, left, width - right);

    // One axis per drawn column: the first on the left, the second on the
    // right; or one on the left for them all.
    const axisOf = (columns, i) => {
      const values = finite(columns.flatMap((k) => plotted[c.lines.indexOf(k)]));
      if (columns.includes(c.levelColumn) && Number.isFinite(level)) values.push(level);
      const t = values.length ? ticks(Math.min(...values), Math.max(...values)) : [0, 1];
      return { column: columns[0], columns, ticks: t, y: scale(t, height - bottom, top), side: i === 0 ? "left" : "right" };
    };
    const axes = c.sharedAxis ? [axisOf(c.lines, 0)] : c.lines.map((column, i) => axisOf([column], i));
    const axisFor = (i) => (c.sharedAxis ? axes[0] : axes[i]);

    // Grid and axes.
    const grid = element("g", { class: "grid" }, svg);
    for (const v of xTicks) {
      element("line", { x1: x(v), x2: x(v), y1: top, y2: height - bottom }, grid);
      text(svg, x(v), height - bottom + 14, String(v), "tick", "middle");
    }
    text(svg, (left + width - right) / 2, height - 6, table.columns[c.x], "axis-title", "middle");
    axes.forEach((axis, i) => {
      const at = axis.side === "left" ? left : width - right;
      // A shared axis is no one column's: no colour of its own.
      const own = axis.columns.length === 1 ? ` line-${i}` : "";
      element("line", { x1: at, x2: at, y1: top, y2: height - bottom, class: `axis${own}` }, svg);
      for (const v of axis.ticks) {
        if (i === 0) element("line", { x1: left, x2: width - right, y1: axis.y(v), y2: axis.y(v) }, grid);
        text(svg, axis.side === "left" ? at - 4 : at + 4, axis.y(v) + 4, String(v), `tick${own}`,
          axis.side === "left" ? "end" : "start");
      }
      if (axis.columns.length === 1)
        text(svg, at, top - 14, table.columns[axis.column], `axis-title line-${i}`,
          axis.side === "left" ? "start" : "end");
    });
    // A shared axis: each column's title in its colour, side by side.
    if (c.sharedAxis) {
      const legend = text(svg, left, top - 14, "", "axis-title", "start");
      c.lines.forEach((column, i) => {
        const span = element("tspan", { class: `line-${i}`, dx: i ? 12 : 0 }, legend);
        span.textContent = table.columns[column];
      });
    }

    // The level line, on its column's axis.
    const levelAxis = axes.find((a) => a.columns.includes(c.levelColumn));
    if (levelAxis && Number.isFinite(level)) {
      const y = levelAxis.y(level);
      element("line", { x1: left, x2: width - right, y1: y, y2: y, class: "level" }, svg);
      text(svg, width - right - 4, y - 4, `${c.levelTitle} ${c.level}`, "level-title", "end");
    }

    // The marked row: a line across at its x.
    if (c.marked >= 0 && Number.isFinite(xs[c.marked])) {
      const at = x(xs[c.marked]);
      element("line", { x1: at, x2: at, y1: top, y2: height - bottom, class: "mark" }, svg);
      text(svg, at + 4, top + 12, `${c.markedTitle} ${table.rows[c.marked][c.x]}`, "mark-title");
    }

    // The drawn columns: a line through the rows that have a value, a dot at
    // each with its texts as a tooltip.
    c.lines.forEach((column, i) => {
      const axis = axisFor(i);
      const shown = (k) => Number.isFinite(plotted[i][k]) && Number.isFinite(xs[k]);
      let path = "";
      table.rows.forEach((row, k) => {
        if (shown(k)) path += `${k > 0 && shown(k - 1) ? "L" : "M"}${x(xs[k])},${axis.y(plotted[i][k])}`;
      });
      if (path) element("path", { d: path, class: `series line-${i}` }, svg);
      table.rows.forEach((row, k) => {
        if (!shown(k)) return;
        const r = k === c.marked ? 4.5 : 3;
        const dot = element("circle", { cx: x(xs[k]), cy: axis.y(plotted[i][k]), r, class: `dot line-${i}` }, svg);
        element("title", {}, dot).textContent =
          `${table.columns[c.x]} ${row[c.x]}: ${table.columns[column]} ${row[column]}`;
      });
    });
    return svg;
  }
})();
