// Every page, served over http(s), names the site's web app manifest (so
// that the browser offers to install the site) and registers its service
// worker (sw.js), which keeps the whole site for use without the network.
// Opened from a folder (file://) neither applies, and the browser would
// refuse to read the manifest there: the files are at hand anyway.
"use strict";

(function () {
  const web = location.protocol === "https:" || location.protocol === "http:";
  if (!web) return;
  const manifest = document.createElement("link");
  manifest.rel = "manifest";
  manifest.href = document.currentScript.dataset.manifest;
  document.head.appendChild(manifest);
  if (!("serviceWorker" in navigator)) return;
  // Once the page has loaded, so that keeping the site does not slow its start.
  const register = () =>
    navigator.serviceWorker
      .register("sw.js")
      .catch((e) => console.warn("The site is not kept for offline use:", e && e.message ? e.message : e));
  if (document.readyState === "complete") register();
  else window.addEventListener("load", register);
})();
