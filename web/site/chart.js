// The side tables of a program, below its window: after each press the page's
// form model (milfo.js, through frame.js) hands over the tables the program
// works out from the form's texts, and this script shows them: each table as
// an HTML table, and a table that asks for a chart as an inline SVG chart
// above it. Every figure is a text of the table, and what a chart shows (its
// ticks and their texts, its axes, the points of each line, the level and
// the mark, the words beside them) the core worked out (frame/chart.h): this
// script only places them. The tables' shape (program.h, SideTable; as JSON,
// web/tables_json.h):
//   { title, columns: [head, ...], rows: [[cell, ...], ...],
//     chart: null | { x, lines, sharedAxis, marked, markedTitle, levelColumn,
//                     level, levelTitle,
//                     plot: { xTitle, xTicks: [[value, text], ...],
//                             axes: [{ columns, ticks, right, title }],
//                             lines: [{ column, axis, title,
//                                       points: [[row, x, y, joined, tip]] }],
//                             legend, level: null | { axis, value, label },
//                             mark: null | { row, x, label } } } }
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
    // The tables that have rows, in their order (the core leaves the others out).
    for (const table of tables) {
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

  // From the first tick's value to the last's, onto from..to.
  function scale(ticks, from, to) {
    const lo = ticks[0][0];
    const hi = ticks[ticks.length - 1][0];
    return (v) => from + ((v - lo) / (hi - lo)) * (to - from);
  }

  // The grid, the x axis's ticks and title, each vertical axis with its
  // ticks and title (a shared axis names its lines in their colours instead).
  function drawAxes(svg, plot, x, ys) {
    const { width, height, left, right, top, bottom } = size;
    const grid = element("g", { class: "grid" }, svg);
    for (const [v, label] of plot.xTicks) {
      element("line", { x1: x(v), x2: x(v), y1: top, y2: height - bottom }, grid);
      text(svg, x(v), height - bottom + 14, label, "tick", "middle");
    }
    text(svg, (left + width - right) / 2, height - 6, plot.xTitle, "axis-title", "middle");
    plot.axes.forEach((axis, i) => {
      const at = axis.right ? width - right : left;
      // A shared axis is no one column's: no colour of its own.
      const own = axis.columns.length === 1 ? ` line-${i}` : "";
      element("line", { x1: at, x2: at, y1: top, y2: height - bottom, class: `axis${own}` }, svg);
      for (const [v, label] of axis.ticks) {
        if (i === 0) element("line", { x1: left, x2: width - right, y1: ys[i](v), y2: ys[i](v) }, grid);
        text(svg, axis.right ? at + 4 : at - 4, ys[i](v) + 4, label, `tick${own}`, axis.right ? "start" : "end");
      }
      if (own) text(svg, at, top - 14, axis.title, `axis-title${own}`, axis.right ? "end" : "start");
    });
    if (plot.legend) {
      const legend = text(svg, left, top - 14, "", "axis-title", "start");
      plot.lines.forEach((line, i) => {
        element("tspan", { class: `line-${i}`, dx: i ? 12 : 0 }, legend).textContent = line.title;
      });
    }
  }

  // The level line on its axis, and the marked row's line across.
  function drawLevelAndMark(svg, plot, x, ys) {
    const { width, height, left, right, top, bottom } = size;
    if (plot.level) {
      const y = ys[plot.level.axis](plot.level.value);
      element("line", { x1: left, x2: width - right, y1: y, y2: y, class: "level" }, svg);
      text(svg, width - right - 4, y - 4, plot.level.label, "level-title", "end");
    }
    if (plot.mark) {
      const at = x(plot.mark.x);
      element("line", { x1: at, x2: at, y1: top, y2: height - bottom, class: "mark" }, svg);
      text(svg, at + 4, top + 12, plot.mark.label, "mark-title");
    }
  }

  // Each line through its points (broken where a row has no value), a dot
  // at each with its texts as a tooltip, the marked row's larger.
  function drawLines(svg, plot, x, ys) {
    plot.lines.forEach((line, i) => {
      const y = ys[line.axis];
      const path = line.points.map(([, px, py, joined]) => `${joined ? "L" : "M"}${x(px)},${y(py)}`).join("");
      if (path) element("path", { d: path, class: `series line-${i}` }, svg);
      for (const [row, px, py, , tip] of line.points) {
        const r = plot.mark && row === plot.mark.row ? 4.5 : 3;
        const dot = element("circle", { cx: x(px), cy: y(py), r, class: `dot line-${i}` }, svg);
        element("title", {}, dot).textContent = tip;
      }
    });
  }

  function chart(table) {
    const plot = table.chart.plot;
    const { width, height, left, right, top, bottom } = size;
    const svg = element("svg", {
      viewBox: `0 0 ${width} ${height}`,
      width,
      height,
      role: "img",
      "aria-label": table.title,
      class: "chart",
    });
    const x = scale(plot.xTicks, left, width - right);
    const ys = plot.axes.map((axis) => scale(axis.ticks, height - bottom, top));
    drawAxes(svg, plot, x, ys);
    drawLevelAndMark(svg, plot, x, ys);
    drawLines(svg, plot, x, ys);
    return svg;
  }
})();
