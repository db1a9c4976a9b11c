// Heart Studio: draws the host's dialog from the state the server publishes,
// sends the user's actions one at a time, and shows the document's preview.
"use strict";

const SPIN = "ADM Spin Edit Type";
const STATIC = "ADM Text Static Type";
const POPUP = "ADM Popup List Type";
const PICTURE_BUTTON = "ADM Picture Push Button Type";
const TEXT_BUTTON = "ADM Text Push Button Type";
const DEFAULT_BUTTON = "ADM Default Push Button Type";
const CHECK = "ADM Text Check Box Type";
const EMPHASISED_FONT = 5;

const studio = {
  view: null,          // the last view the server published
  shownPreview: 0,     // the preview version on screen
  loadingPreview: 0,   // the preview version being fetched
  armedPicker: null,   // the picker button waiting for a click in the document
  cursorAsked: false,  // whether the picker's pointer has been asked for
  pendingChanges: [],  // {since, version}: changes waiting for their preview
  paintedAt: new Map(),  // preview version: when it was painted
  arrivedAt: new Map(),  // preview version: when its pixels arrived, when they were put
  actionsInFlight: 0,    // actions sent and not yet answered
  queue: Promise.resolve(),
  scale: 1,
  image: null,       // the ImageData pictures are unpacked into
  imageWords: null,  // its pixels, one word each
  focusBeforeModal: null,  // where the focus was when a modal box opened
};
// The page's own timing, from a user's change to its preview painted (ms).
window.heartStudioTimings = [];
// The same changes split by where the time went: in the dialog (notifiers
// and generator), drawing the picture, packing it (ms, by the host's clock);
// on the page, from the change to the picture's pixels received ("trip", the
// host's share included), unpacking them onto the canvas, and waiting for
// the frame that shows them.
window.heartStudioStages = [];

const $ = (id) => document.getElementById(id);

// This page's name for the host, fresh with every load: the answer to the
// page's own action brings the view it made, so the host does not also wake
// the page's waiting view request for it. Other tabs are woken as before.
const pageName = Array.from(crypto.getRandomValues(new Uint8Array(8)),
                            (byte) => byte.toString(16).padStart(2, "0")).join("");

function note(text, isError) {
  const status = $("status");
  status.textContent = text;
  status.classList.toggle("error", !!isError);
}

// ---- Talking to the host ---------------------------------------------------

// Sends one action. The answer is the view after it and, when the action
// drew a picture newer than the one shown, that picture's packed pixels.
async function postAction(action) {
  const response = await fetch("/api/action?shown=" + studio.shownPreview + heldDialog() +
                               "&page=" + pageName, {
    method: "POST",
    headers: { "Content-Type": "application/json" },
    body: JSON.stringify(action),
  });
  const length = Number(response.headers.get("X-View-Length"));
  if (!response.ok || !length) {
    const body = await response.json().catch(() => ({ error: "the host gave no answer" }));
    if (!response.ok) throw new Error(body.error || "the host refused the action");
    return { view: body, pixels: null };
  }
  const bytes = await response.arrayBuffer();
  const view = JSON.parse(new TextDecoder().decode(new Uint8Array(bytes, 0, length)));
  return { view, pixels: new Uint32Array(bytes, length, (bytes.byteLength - length) >> 2) };
}

// Actions go one at a time, in the order the user made them.
function send(action) {
  const since = performance.now();
  ++studio.actionsInFlight;
  studio.queue = studio.queue.then(async () => {
    try {
      const { view, pixels } = await postAction(action);
      if (view.preview) {
        const version = view.preview.version;
        const paintedAt = studio.paintedAt.get(version);
        if (paintedAt !== undefined && paintedAt > since) {
          // A view request brought this change's picture before its answer.
          record(since, paintedAt, view.preview.info, studio.arrivedAt.get(version));
        } else if (version > studio.shownPreview) {
          studio.pendingChanges.push({ since, version });
        }
      }
      show(view);
      if (pixels) paintPreview(pixels, view.preview, performance.now());
    } catch (error) {
      note(error.message, true);
      // A refused action changed nothing; an answer lost on the way (the
      // connection failed) may have been applied all the same, and this
      // page's view request is not woken for its own action's view.
      if (error instanceof TypeError) await catchUp();
      else if (studio.view) show(studio.view, true);
    } finally {
      --studio.actionsInFlight;
    }
    // A picture that arrived meanwhile without its pixels.
    if (studio.actionsInFlight === 0 && studio.view && studio.view.preview)
      loadPreview(studio.view.preview);
  });
  return studio.queue;
}

// Asks for the view as it stands, without waiting for a newer one.
async function catchUp() {
  try {
    const response = await fetch("/api/view?since=0" + heldDialog(), { cache: "no-store" });
    if (response.ok) show(await response.json());
  } catch (error) {
    // The view request that is waiting reports a host that is gone.
  }
  if (studio.view) show(studio.view, true);
}

// The dialog state this page holds, so that the host sends only what changed.
function heldDialog() {
  return studio.view && studio.view.dialog ? "&dialog=" + studio.view.dialogVersion : "";
}

async function pollViews() {
  for (;;) {
    const since = studio.view ? studio.view.version : 0;
    try {
      const response = await fetch("/api/view?since=" + since + heldDialog() + "&page=" + pageName,
                                   { cache: "no-store" });
      if (!response.ok) {
        const body = await response.json().catch(() => ({}));
        $("session-note").textContent = body.error || "The studio refused the page.";
        $("session-note").classList.add("error");
        return;
      }
      const view = await response.json();
      if (view.version > since) show(view);
      if (view.ended) return;
    } catch (error) {
      $("session-note").textContent = "The studio is not answering.";
      $("session-note").classList.add("error");
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }
}

// ---- Drawing the dialog ----------------------------------------------------

function kindOf(item) {
  if (item.type === SPIN) return "spin";
  if (item.type === CHECK) return "check";
  if (item.type === POPUP) return "popup";
  if (item.type === STATIC) return "static";
  if (item.type === PICTURE_BUTTON || item.type === TEXT_BUTTON || item.type === DEFAULT_BUTTON)
    return "button";
  return "static";
}

function buttonText(text) {
  return (text || "").replace(/&(.)/g, "$1");
}

function place(element, item) {
  const [left, top, right, bottom] = item.bounds;
  element.style.left = left + "px";
  element.style.top = top + "px";
  element.style.width = right - left + "px";
  element.style.height = bottom - top + "px";
}

function stepOf(item) {
  if (item.integer) return 1;
  const digits = item.precision >= 0 ? item.precision : 2;
  return Math.pow(10, -digits);
}

function formatValue(item) {
  if (item.integer) return String(item.value);
  const digits = item.precision >= 0 ? item.precision : 2;
  return Number(item.value).toFixed(digits);
}

function commitSpin(input, item, value) {
  if (!Number.isFinite(value)) {
    note("Item " + item.id + " takes a number.", true);
    input.value = formatValue(item);
    return;
  }
  if (item.integer) value = Math.round(value);
  send({ action: "set", item: item.id, value });
}

function stepSpin(input, item, direction) {
  const current = parseFloat(input.value);
  const base = Number.isFinite(current) ? current : Number(item.value);
  const step = stepOf(item);
  let value = Math.round((base + direction * step) / step) * step;
  if (item.minimum !== null && value < item.minimum) value = item.minimum;
  if (item.maximum !== null && value > item.maximum) value = item.maximum;
  value = item.integer ? Math.round(value) : Number(value.toFixed(6));
  input.value = item.integer ? String(value) : value.toFixed(item.precision >= 0 ? item.precision : 2);
  commitSpin(input, item, value);
}

// ---- What the items mean ----------------------------------------------------

// From the host's field table: the field each item edits, and the pages'
// names, shown as the items' tooltips. The dialog's own texts stay.
const itemHelp = new Map();  // item id: tooltip text

function numberText(value) {
  return Number.isInteger(value) ? String(value) : String(Number(value.toPrecision(6)));
}

function helpOf(field) {
  const parts = [];
  if (field.unit) parts.push(field.unit);
  if (field.type === "switch") {
    parts.push("on or off");
  } else if (field.range) {
    parts.push(numberText(field.range[0]) + " to " + numberText(field.range[1]));
  }
  if (field.default !== undefined) {
    const value = typeof field.default === "string" ? field.default
                : field.type === "switch" ? (field.default ? "on" : "off")
                : numberText(field.default);
    parts.push("default " + value);
  }
  return field.field + (parts.length ? " \u2014 " + parts.join(", ") : "");
}

const RANDOM_MARK = "[R]: on, this property is varied at random";

async function loadItemHelp() {
  try {
    const response = await fetch("/api/fields");
    if (!response.ok) return;
    const { fields, pages } = await response.json();
    for (const field of fields) itemHelp.set(field.item, helpOf(field));
    for (const page of pages) itemHelp.set(page.button, "Page \u201c" + page.name + "\u201d");
    for (const control of document.querySelectorAll("#dialog [data-item]")) helpFor(control);
  } catch (error) {
    // The items go without their tooltips.
  }
}

function helpFor(control) {
  const item = control.heartItem;
  if (!item) return;
  let text = itemHelp.get(item.id);
  // The page buttons' id 95 is the "Heart" caption's too: only the button says it.
  if (text && item.type === STATIC && text.startsWith("Page ")) text = undefined;
  if (text && /\[R\]\s*$/.test(item.text || "")) text += "\n" + RANDOM_MARK;
  if (control.classList.contains("picker")) text = "Pick a point in the document";
  const target = control.closest("label") || control;
  if (text) target.title = text;
  else target.removeAttribute("title");
}

function makeElement(item, modal) {
  const kind = kindOf(item);
  let element;
  let control;
  if (kind === "spin") {
    element = control = document.createElement("input");
    control.type = "number";
    control.addEventListener("change", () => {
      // An emptied field is still being edited; the next value typed counts.
      if (control.value.trim() === "") return;
      // Leaving a field sends what Enter has not sent already: each value
      // sent runs the plug-in's notifier, and so draws the preview, again.
      const value = parseFloat(control.value);
      if (control.value === control.heartEntered || value === Number(control.heartItem.value))
        return;
      commitSpin(control, control.heartItem, value);
    });
    control.addEventListener("keydown", (event) => {
      if (event.key === "ArrowUp" || event.key === "ArrowDown") {
        event.preventDefault();
        stepSpin(control, control.heartItem, event.key === "ArrowUp" ? 1 : -1);
      } else if (event.key === "Enter") {
        event.preventDefault();
        event.stopPropagation();
        control.heartEntered = control.value;
        commitSpin(control, control.heartItem, parseFloat(control.value));
      }
    });
    control.addEventListener("wheel", (event) => {
      if (document.activeElement !== control) return;
      event.preventDefault();
      stepSpin(control, control.heartItem, event.deltaY < 0 ? 1 : -1);
    }, { passive: false });
  } else if (kind === "check") {
    element = document.createElement("label");
    element.className = "check";
    control = document.createElement("input");
    control.type = "checkbox";
    element.append(control, document.createElement("span"));
    control.addEventListener("change", () => {
      send({ action: "check", item: control.heartItem.id, on: control.checked });
    });
  } else if (kind === "popup") {
    element = control = document.createElement("select");
    control.addEventListener("change", () => {
      send({ action: "choose", item: control.heartItem.id, position: control.selectedIndex });
    });
  } else if (kind === "button") {
    element = control = document.createElement("button");
    control.type = "button";
    // A picture button carries no picture of its own, so the page draws
    // one: a point picker is a picture button that the plug-in tracks, the
    // others choose the dialog's pages.
    if (item.type === PICTURE_BUTTON && !modal && item.tracks) {
      control.classList.add("picker");
      control.textContent = "\u2295";
      control.title = "Pick a point in the document";
      usePickerCursor();
    } else if (item.type === PICTURE_BUTTON && !modal) {
      control.classList.add("page");
      control.textContent = "\u2665";
    }
    control.addEventListener("click", () => {
      const current = control.heartItem;
      if (control.classList.contains("picker")) armPicker(current.id);
      else send({ action: "press", item: current.id });
    });
  } else {
    element = control = document.createElement("div");
    element.className = "static";
  }
  control.dataset.item = item.id;
  element.heartControl = control;
  return element;
}

function update(element, item) {
  const control = element.heartControl;
  const before = control.heartItem;
  control.heartItem = item;
  if (!before || before.text !== item.text) helpFor(control);
  place(element, item);
  element.hidden = !item.visible;
  control.hidden = !item.visible;
  const kind = kindOf(item);
  if (kind === "static") {
    control.textContent = item.text;
    if (item.enabled) control.removeAttribute("aria-disabled");
    else control.setAttribute("aria-disabled", "true");
    control.classList.toggle("current", item.font === EMPHASISED_FONT);
    return;
  }
  control.disabled = !item.enabled;
  if (kind === "spin") {
    control.step = String(stepOf(item));
    if (item.minimum !== null) control.min = item.minimum; else control.removeAttribute("min");
    if (item.maximum !== null) control.max = item.maximum; else control.removeAttribute("max");
    control.dataset.integer = item.integer ? "true" : "false";
    const shown = formatValue(item);
    if (document.activeElement !== control || control.dataset.shown !== shown) {
      control.value = shown;
      control.dataset.shown = shown;
    }
    const outside = (item.minimum !== null && item.value < item.minimum) ||
                    (item.maximum !== null && item.value > item.maximum);
    control.classList.toggle("out-of-range", outside);
  } else if (kind === "check") {
    control.checked = item.checked;
    element.lastChild.textContent = item.text;
    element.classList.toggle("disabled", !item.enabled);
  } else if (kind === "popup") {
    const texts = item.entries.map((entry) => entry.text);
    if (control.heartEntries !== texts.join("\n")) {
      control.replaceChildren(...texts.map((text) => {
        const option = document.createElement("option");
        option.textContent = text.trim();
        return option;
      }));
      control.heartEntries = texts.join("\n");
    }
    control.selectedIndex = item.selected;
  } else if (kind === "button") {
    if (!control.classList.contains("page") && !control.classList.contains("picker"))
      control.textContent = buttonText(item.text);
    control.classList.toggle("armed", studio.armedPicker === item.id);
  }
}

// Builds the dialog's elements once, then only updates them, so focus and
// typing survive a new state. `changed`, when given, lists the only items
// (by index) that differ from the state drawn last.
function drawDialog(container, dialog, modal, changed) {
  const items = dialog.items || [];
  if (changed && container.heartSignature !== undefined) {
    changed.forEach((index) => update(container.children[index], items[index]));
  } else {
    const signature = items.map((item) => item.id + ":" + item.type + ":" + !!item.tracks).join(",");
    if (container.heartSignature !== signature) {
      container.replaceChildren(...items.map((item) => makeElement(item, modal)));
      container.heartSignature = signature;
    }
    const [width, height] = dialog.size;
    container.style.width = width + "px";
    container.style.height = height + "px";
    items.forEach((item, index) => update(container.children[index], item));
  }
  if (!modal) markPages(container, items);
}

// The page buttons' captions and the current page, as the plug-in's own
// notifications show them: a caption is a text whose font the plug-in set
// while it handled a picture button's notification, and the button whose
// caption it emphasised is the current page's.
function markPages(container, items) {
  let current = -1;
  items.forEach((item, index) => {
    const setter = item.fontSetBy === undefined ? null : items[item.fontSetBy];
    const caption = item.type === STATIC && !!setter && setter.type === PICTURE_BUTTON;
    container.children[index].heartControl.classList.toggle("caption", caption);
    if (caption && item.font === EMPHASISED_FONT) current = item.fontSetBy;
  });
  items.forEach((item, index) => {
    if (item.type === PICTURE_BUTTON)
      container.children[index].heartControl.classList.toggle("current", index === current);
  });
}

// The whole dialog fits its column: beside the document view it is scaled
// down to the window's height when need be; a narrow window stacks the two
// and gives the dialog the whole width. Its items keep their places relative
// to each other: the box is scaled as a whole.
const SIDE_BY_SIDE = 1000;
function fitDialog() {
  const dialog = $("dialog");
  const width = parseFloat(dialog.style.width) || 530;
  const height = parseFloat(dialog.style.height) || 320;
  const sideBySide = window.innerWidth >= SIDE_BY_SIDE;
  const room = sideBySide ? Math.min(window.innerWidth * 0.5, 900)
                          : Math.min(window.innerWidth - 40, 900);
  let scale = Math.min(1.6, room / width);
  if (sideBySide) {
    // Everything around the dialog's items: the bar, the workspace's margins,
    // the title, the frame and the host's buttons.
    const window_ = document.querySelector(".dialog-window");
    const chrome = $("dialog-frame").offsetTop + window_.querySelector(".host-buttons").offsetHeight +
                   12 + document.querySelector(".bar").offsetHeight + 2 * 12 + 2;
    scale = Math.min(scale, (window.innerHeight - chrome) / height);
  }
  studio.scale = Math.max(0.3, scale);
  dialog.style.transform = "scale(" + studio.scale + ")";
  const frame = $("dialog-frame");
  frame.style.width = width * studio.scale + 12 + "px";
  frame.style.height = height * studio.scale + 12 + "px";
}

// ---- The document view's magnifier -----------------------------------------

// Magnifies and moves the picture on the page only: the document, its view
// and the dialog's zoom item are not touched.
const magnifier = { scale: 1, x: 0, y: 0, fitted: true, drag: null };

function placeStage() {
  $("stage").style.transform =
      "translate(" + magnifier.x + "px, " + magnifier.y + "px) scale(" + magnifier.scale + ")";
  $("magnifier").textContent = "view \u00d7" + magnifier.scale.toFixed(2);
}

function fitView() {
  const view = $("view");
  const canvas = $("preview");
  const scale = Math.min(view.clientWidth / canvas.width, view.clientHeight / canvas.height);
  magnifier.scale = scale > 0 ? scale : 1;
  magnifier.x = (view.clientWidth - canvas.width * magnifier.scale) / 2;
  magnifier.y = (view.clientHeight - canvas.height * magnifier.scale) / 2;
  magnifier.fitted = true;
  placeStage();
}

function magnify(event) {
  if (!event.ctrlKey) return;
  event.preventDefault();
  const box = $("view").getBoundingClientRect();
  const px = event.clientX - box.left;
  const py = event.clientY - box.top;
  const next = Math.min(32, Math.max(0.05, magnifier.scale * Math.pow(1.2, -event.deltaY / 100)));
  // The picture's point under the pointer stays under it.
  magnifier.x = px - (px - magnifier.x) * next / magnifier.scale;
  magnifier.y = py - (py - magnifier.y) * next / magnifier.scale;
  magnifier.scale = next;
  magnifier.fitted = false;
  placeStage();
}

function startDrag(event) {
  if (studio.armedPicker !== null || event.button !== 0 || event.target.closest("#variations"))
    return;
  magnifier.drag = { x: event.clientX, y: event.clientY, fromX: magnifier.x, fromY: magnifier.y };
  $("view").setPointerCapture(event.pointerId);
  $("view").classList.add("dragging");
}

function drag(event) {
  if (!magnifier.drag) return;
  magnifier.x = magnifier.drag.fromX + event.clientX - magnifier.drag.x;
  magnifier.y = magnifier.drag.fromY + event.clientY - magnifier.drag.y;
  magnifier.fitted = false;
  placeStage();
}

function endDrag() {
  magnifier.drag = null;
  $("view").classList.remove("dragging");
}

// ---- Showing a view -----------------------------------------------------

// The items of a view that came without the whole dialog state: none when
// it is the state this page holds, the changed ones otherwise (by index),
// applied to a copy of the held state. Null for a view with the whole state.
function completeDialog(view) {
  if (view.dialog !== undefined) return null;
  const held = studio.view ? studio.view.dialog : null;
  if (!view.dialogChanges || !held) {
    view.dialog = held;
    return [];
  }
  const items = held.items.slice();
  const changed = view.dialogChanges.map(([index, item]) => {
    items[index] = item;
    return index;
  });
  view.dialog = Object.assign({}, held, { items });
  delete view.dialogChanges;
  return changed;
}

function show(view, force) {
  if (!force && studio.view && view.version <= studio.view.version) return;
  const changed = force ? null : completeDialog(view);
  studio.view = view;
  if (view.dialog && !(changed && changed.length === 0)) {
    $("dialog-title").textContent = view.dialog.title || view.dialog.name;
    drawDialog($("dialog"), view.dialog, false, changed);
    if (!changed) fitDialog();
  }
  const layer = $("modal-layer");
  if (view.modal) {
    $("modal-title").textContent = view.modal.title || view.modal.name;
    const box = $("modal");
    drawDialog(box, view.modal, true);
    box.style.transform = "scale(" + Math.max(1.5, studio.scale) + ")";
    box.parentElement.style.width = view.modal.size[0] * Math.max(1.5, studio.scale) + "px";
    box.style.marginBottom = view.modal.size[1] * (Math.max(1.5, studio.scale) - 1) + "px";
    if (layer.hidden) openModal(box);
  } else if (!layer.hidden) {
    closeModal();
  }
  if (view.ended) {
    $("ended-text").textContent = view.ended.message;
    $("ended-layer").hidden = false;
    $("session-note").textContent = view.ended.message;
  } else {
    $("session-note").textContent = "Session open";
  }
  if (view.history) showHistory(view.history);
  if (view.ownSettings !== undefined) showOwnSettings(view.ownSettings);
  if (view.variations) showVariations(view.variations);
  // While this page's own actions are on their way, their answers bring the
  // picture; otherwise (the first view, another tab's change) fetch it.
  if (view.preview && studio.actionsInFlight === 0) loadPreview(view.preview);
}

async function loadPreview(preview) {
  if (preview.version <= Math.max(studio.loadingPreview, studio.shownPreview)) return;
  studio.loadingPreview = preview.version;
  try {
    const response = await fetch("/api/preview.pixels?v=" + preview.version, { cache: "no-store" });
    if (!response.ok) throw new Error("the preview could not be fetched");
    const version = Number(response.headers.get("X-Preview-Version"));
    const pixels = new Uint32Array(await response.arrayBuffer());
    // A newer picture than the view asked for waits for its own view.
    if (version === preview.version) paintPreview(pixels, preview, performance.now());
  } catch (error) {
    note(error.message, true);
  }
}

// Unpacks the host's packed pixels (runs of repeated pixels and of pixels
// as they are, each pixel red, green, blue, alpha) into an image. The image
// of the last picture is reused when the size is the same: every pixel is
// written again, and the canvas keeps its own copy.
function unpackPixels(words, width, height) {
  if (!studio.image || studio.image.width !== width || studio.image.height !== height) {
    studio.image = new ImageData(width, height);
    studio.imageWords = new Uint32Array(studio.image.data.buffer);
  }
  const image = studio.image;
  const out = studio.imageWords;
  let at = 0;
  let i = 0;
  while (i < words.length && at < out.length) {
    const word = words[i++];
    if (word >= 0x80000000) {
      const count = word - 0x80000000;
      out.fill(words[i++], at, at + count);
      at += count;
    } else {
      out.set(words.subarray(i, i + word), at);
      i += word;
      at += word;
    }
  }
  if (at !== out.length || i !== words.length) throw new Error("the preview picture is damaged");
  return image;
}

// Shows a picture unless a newer one is already on screen; `arrived` is
// when its pixels came.
function paintPreview(pixels, preview, arrived) {
  const version = preview.version;
  const info = preview.info || {};
  if (version <= studio.shownPreview) return;
  if (info.error) {
    note("No preview: " + info.error, true);
    return;
  }
  const image = unpackPixels(pixels, info.width, info.height);
  const canvas = $("preview");
  if (canvas.width !== info.width || canvas.height !== info.height) {
    canvas.width = info.width;
    canvas.height = info.height;
    if (magnifier.fitted) fitView();
  }
  canvas.getContext("2d").putImageData(image, 0, 0);
  studio.arrivedAt.set(version, { arrived, put: performance.now() });
  forgetOldTimes(studio.arrivedAt, version);
  studio.shownPreview = version;
  studio.loadingPreview = Math.max(studio.loadingPreview, version);
  // The frame that shows the picture is painted after the animation frame
  // callbacks; a task queued from one of them runs once it is.
  requestAnimationFrame(() => setTimeout(() => painted(version, info), 0));
}

// An answer can only bring a picture a few versions older than the newest
// one painted, so the times of older pictures are dropped: a long session
// keeps a bounded number of them.
const keptPreviewTimes = 64;
function forgetOldTimes(times, newest) {
  for (const version of times.keys()) {
    if (version <= newest - keptPreviewTimes) times.delete(version);
  }
}

// Times a change from its event to the frame that shows its picture.
function record(since, paintedAt, info, page) {
  const took = paintedAt - since;
  window.heartStudioTimings.push(took);
  const stages = {
    took,
    apply: info.applyMilliseconds,
    draw: info.drawMilliseconds,
    pack: info.packMilliseconds,
  };
  if (page && page.arrived >= since) {
    stages.trip = page.arrived - since;
    stages.unpack = page.put - page.arrived;
    stages.frame = paintedAt - page.put;
  }
  window.heartStudioStages.push(stages);
  return took;
}

function painted(version, info) {
  const now = performance.now();
  studio.paintedAt.set(version, now);
  forgetOldTimes(studio.paintedAt, version);
  const done = studio.pendingChanges.filter((change) => change.version <= version);
  studio.pendingChanges = studio.pendingChanges.filter((change) => change.version > version);
  let took = null;
  for (const change of done) {
    took = record(change.since, now, info, studio.arrivedAt.get(version));
  }
  const view = $("view");
  view.dataset.paths = String(info.paths);
  view.dataset.previewVersion = String(version);
  $("view-zoom").textContent = Math.round(info.zoom * 100) + "%";
  const paths = Number(info.paths).toLocaleString("en-US");
  let text = paths + (info.paths === 1 ? " path" : " paths") + " \u00b7 drawn in " +
             (Number(info.drawMilliseconds) + Number(info.packMilliseconds)).toFixed(1) + " ms";
  if (took !== null) text += " \u00b7 change to picture " + took.toFixed(0) + " ms";
  note(text, false);
}

// ---- The variations shown -----------------------------------------------

// The host keeps every variation shown; the strip lists them oldest first,
// each with its small picture, fetched once (by the entry's serial, which
// stays with it while the numbers shift as the oldest ones are dropped).
const thumbnails = new Map();  // serial: object URL, or null while it is fetched
let history = { entries: [], current: null };

function showHistory(next) {
  history = next;
  const strip = $("history");
  const listed = new Set(next.entries.map(([serial]) => serial));
  for (const [serial, url] of thumbnails) {
    if (listed.has(serial)) continue;
    if (url) URL.revokeObjectURL(url);
    thumbnails.delete(serial);
  }
  while (strip.children.length > next.entries.length) strip.lastChild.remove();
  next.entries.forEach(([serial, cause], index) => {
    let entry = strip.children[index];
    if (!entry) {
      entry = document.createElement("li");
      entry.append(document.createElement("img"));
      entry.addEventListener("click", () => goToVariation(Number(entry.dataset.history)));
      strip.append(entry);
    }
    entry.dataset.history = String(index);
    entry.title = index + ": " + cause;
    entry.setAttribute("aria-current", index === next.current ? "true" : "false");
    const image = entry.firstChild;
    image.alt = cause;
    if (entry.dataset.serial !== String(serial)) {
      entry.dataset.serial = String(serial);
      image.removeAttribute("src");
      if (thumbnails.get(serial)) image.src = thumbnails.get(serial);
      else if (!thumbnails.has(serial)) loadThumbnail(serial, index);
    }
  });
  const current = strip.querySelector('[aria-current="true"]');
  // The current entry in sight, scrolling the strip only.
  if (current && (current.offsetLeft < strip.scrollLeft ||
                  current.offsetLeft + current.offsetWidth > strip.scrollLeft + strip.clientWidth))
    strip.scrollLeft = current.offsetLeft - strip.clientWidth / 2;
  document.querySelector('[data-action="undo"]').disabled = !(next.current > 0);
  document.querySelector('[data-action="redo"]').disabled =
      next.current === null || next.current >= next.entries.length - 1;
}

async function loadThumbnail(serial, index) {
  thumbnails.set(serial, null);
  try {
    const response = await fetch("/api/history.png?entry=" + index, { cache: "no-store" });
    if (!response.ok || response.headers.get("X-History-Serial") !== String(serial)) {
      thumbnails.delete(serial);  // the list moved on meanwhile; the next view asks again
      return;
    }
    const url = URL.createObjectURL(await response.blob());
    if (!thumbnails.has(serial)) return URL.revokeObjectURL(url);
    thumbnails.set(serial, url);
    const entry = $("history").querySelector('[data-serial="' + serial + '"] img');
    if (entry) entry.src = url;
  } catch (error) {
    thumbnails.delete(serial);
  }
}

function goToVariation(index) {
  if (index < 0 || index >= history.entries.length || index === history.current) return;
  send({ action: "history", entry: index });
}

function stepVariation(step) {
  if (history.current === null) return;
  goToVariation(history.current + step);
}

// ---- A grid of variations ------------------------------------------------

// Cell K of the grid is drawn by the host from the random seed K, as
// `heart run --seed K` draws the current settings; choosing it makes it the
// preview. The host answers the request at once and draws the cells one at
// a time, publishing each, so they appear as they are drawn; a change made
// meanwhile stops it, and the cells not drawn stay empty. The grid opens on
// this page when this page asked for it.
const grid = { version: 0, asked: false, askedAt: 0, shown: 0, drawn: 0, timing: null };
// The page's own timing of each grid it asked for (ms from the click): when
// each cell's picture was shown, and when the last one was.
window.heartStudioGrids = [];

function askForVariations() {
  grid.asked = true;
  grid.askedAt = performance.now();
  send({ action: "variations", count: Number($("variation-count").value) });
}

function closeVariations() {
  $("variations").hidden = true;
}

function showVariations(variations) {
  if (variations.version > grid.version) {
    grid.version = variations.version;
    if (grid.asked) {
      grid.asked = false;
      openGrid(variations);
    }
  }
  if (variations.version === grid.shown) fillGrid(variations);
}

function openGrid(variations) {
  grid.shown = variations.version;
  grid.drawn = 0;
  grid.timing = { count: variations.count, cells: [], complete: null };
  window.heartStudioGrids.push(grid.timing);
  const box = $("variation-cells");
  const columns = Math.ceil(Math.sqrt(variations.count));
  box.style.gridTemplateColumns = "repeat(" + columns + ", minmax(0, 1fr))";
  box.style.gridTemplateRows = "repeat(" + Math.ceil(variations.count / columns) + ", minmax(0, 1fr))";
  const cells = [];
  for (let cell = 1; cell <= variations.count; ++cell) {
    const button = document.createElement("button");
    button.type = "button";
    button.dataset.variation = String(cell);
    button.disabled = true;  // until the host has drawn it
    button.title = "Variation " + cell + ": heart run --seed " + cell;
    const image = document.createElement("img");
    image.alt = "Variation " + cell;
    const number = document.createElement("span");
    number.textContent = String(cell);
    button.append(image, number);
    button.addEventListener("click", () => {
      closeVariations();
      send({ action: "variation", cell });
    });
    cells.push(button);
  }
  box.replaceChildren(...cells);
  $("variations").hidden = false;
}

// The cells drawn since the last view, and where the filling stands.
function fillGrid(variations) {
  const box = $("variations");
  const cells = $("variation-cells").children;
  for (let cell = grid.drawn + 1; cell <= variations.drawn; ++cell) {
    cells[cell - 1].disabled = false;
    loadVariation(cell, cells[cell - 1].querySelector("img"), variations.version);
  }
  grid.drawn = Math.max(grid.drawn, variations.drawn);
  box.dataset.state = variations.state;
  box.dataset.drawn = String(variations.drawn);
  const progress = variations.drawn + " of " + variations.count;
  let text = "Drawing variations: " + progress;
  if (variations.state === "done") {
    text = variations.count + " variations: click one to make it the preview (Esc closes)";
  } else if (variations.state === "stopped") {
    text = "Stopped at " + progress + ": a change came first; the cells drawn can be chosen";
    for (const cell of Array.from(cells).slice(variations.drawn)) {
      cell.classList.add("not-drawn");
      cell.title = "Not drawn: the grid was stopped";
    }
  }
  $("variations-note").textContent = text;
}

// The browser fetches and decodes the picture itself; the host refuses a
// picture of another grid than `version`, and the cell then stays empty.
async function loadVariation(cell, image, version) {
  image.src = "/api/variation.png?cell=" + cell + "&version=" + version;
  try {
    await image.decode();
  } catch (error) {
    return;  // the cell stays without its picture; it can still be chosen
  }
  const timing = grid.shown === version ? grid.timing : null;
  if (!timing) return;
  timing.cells[cell - 1] = performance.now() - grid.askedAt;
  if (timing.cells.filter((time) => time !== undefined).length === timing.count)
    timing.complete = Math.max(...timing.cells);
}

// ---- Saving ----------------------------------------------------------------

// "Save as...": the host answers the drawing OK would write now, under a
// name of its own; the session goes on. Saves wait for the actions before
// them, so what is saved is what the user last saw.
function saveAs(format) {
  studio.queue = studio.queue.then(async () => {
    try {
      const response = await fetch("/api/save?format=" + format, { method: "POST" });
      if (!response.ok) {
        const body = await response.json().catch(() => ({}));
        throw new Error(body.error || "the host saved nothing");
      }
      const name = (/filename="([^"]+)"/.exec(response.headers.get("Content-Disposition")) ||
                    [])[1] || "hearts." + format;
      const url = URL.createObjectURL(await response.blob());
      const link = document.createElement("a");
      link.href = url;
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
      note("Saved " + name);
    } catch (error) {
      note(error.message, true);
    }
  });
}

// The designer's own settings, beside the plug-in's list: choosing one hands
// its record to the dialog.
function showOwnSettings(names) {
  const list = $("own-settings");
  list.disabled = names === null;
  const shown = Array.from(list.options).slice(1).map((option) => option.value);
  if (names === null || JSON.stringify(shown) === JSON.stringify(names)) return;
  list.replaceChildren(list.options[0], ...names.map((name) => new Option(name, name)));
}

function openSettingsForm() {
  const form = $("settings-form");
  form.hidden = false;
  $("settings-note").textContent = "";
  $("settings-name").focus();
}

function closeSettingsForm() {
  $("settings-form").hidden = true;
}

function saveSettings(name) {
  studio.queue = studio.queue.then(async () => {
    try {
      const { view } = await postAction({ action: "save-settings", name });
      show(view);
      closeSettingsForm();
      note("Settings saved as \u201c" + name + "\u201d");
    } catch (error) {
      $("settings-note").textContent = error.message;
    }
  });
}

// ---- Modal boxes -----------------------------------------------------------

// The controls of a box that the keyboard can reach, in Tab order.
function focusablesIn(container) {
  return [...container.querySelectorAll("button, input, select")].filter(
      (control) => !control.disabled && !control.hidden && control.getClientRects().length > 0);
}

// A modal box takes the keyboard: the page under it cannot be reached, and
// its default button has the focus, as in a dialog of the desktop.
function openModal(box) {
  studio.focusBeforeModal = document.activeElement;
  for (const element of document.querySelectorAll("header, main")) element.inert = true;
  $("modal-layer").hidden = false;
  const controls = focusablesIn(box);
  const preferred = controls.find((control) => control.heartItem &&
                                               control.heartItem.type === DEFAULT_BUTTON);
  (preferred || controls[0] || box).focus();
}

function closeModal() {
  $("modal-layer").hidden = true;
  for (const element of document.querySelectorAll("header, main")) element.inert = false;
  const before = studio.focusBeforeModal;
  studio.focusBeforeModal = null;
  if (before && before.isConnected) before.focus();
}

// Tab and Shift-Tab go round the box's own controls.
function keepFocusInModal(event) {
  const controls = focusablesIn($("modal"));
  event.preventDefault();
  if (controls.length === 0) return;
  const at = controls.indexOf(document.activeElement);
  const step = event.shiftKey ? -1 : 1;
  const next = at < 0 ? (step > 0 ? 0 : controls.length - 1)
                      : (at + step + controls.length) % controls.length;
  controls[next].focus();
}

// ---- The point picker ------------------------------------------------------

function armPicker(id) {
  studio.armedPicker = id;
  $("view").classList.add("picking");
  $("pick-hint").hidden = false;
  if (studio.view) show(studio.view, true);
}

function disarmPicker() {
  studio.armedPicker = null;
  $("view").classList.remove("picking");
  $("pick-hint").hidden = true;
  if (studio.view) show(studio.view, true);
}

function pickAt(event) {
  if (studio.armedPicker === null) return;
  const canvas = $("preview");
  const box = canvas.getBoundingClientRect();
  if (!studio.shownPreview || box.width === 0) return;
  const x = Math.floor((event.clientX - box.left) * canvas.width / box.width);
  const y = Math.floor((event.clientY - box.top) * canvas.height / box.height);
  const item = studio.armedPicker;
  disarmPicker();
  send({ action: "pick", item, x, y });
}

// Asked for once, when the first picker button is drawn: the host takes the
// pointer from the button the plug-in armed before it shows the dialog.
async function usePickerCursor() {
  if (studio.cursorAsked) return;
  studio.cursorAsked = true;
  try {
    const response = await fetch("/picker-cursor.png");
    if (!response.ok) return;
    const [x, y] = (response.headers.get("X-Hotspot") || "0 0").split(" ").map(Number);
    const url = URL.createObjectURL(await response.blob());
    const sheet = document.styleSheets[0];
    sheet.insertRule(".view.picking canvas { cursor: url(" + url + ") " + x + " " + y + ", crosshair; }",
                     sheet.cssRules.length);
  } catch (error) {
    // The crosshair stays.
  }
}

// ---- Keys -----------------------------------------------------------------

document.addEventListener("keydown", (event) => {
  const view = studio.view;
  if (!view || view.ended) return;
  // The name being typed is the form's: Enter saves it, Esc closes it.
  if (event.target.closest && event.target.closest("#settings-form")) {
    if (event.key === "Escape") closeSettingsForm();
    return;
  }
  if ((event.ctrlKey || event.metaKey) && !event.altKey && event.key.toLowerCase() === "z" &&
      $("modal-layer").hidden) {
    // A number being typed keeps the field's own undo.
    const target = event.target;
    if (target.tagName === "INPUT" && target.type === "number" &&
        target.value !== target.dataset.shown)
      return;
    event.preventDefault();
    stepVariation(event.shiftKey ? 1 : -1);
  } else if (event.key === "Tab" && !$("modal-layer").hidden) {
    keepFocusInModal(event);
  } else if (event.key === "Escape") {
    event.preventDefault();
    if (!$("variations").hidden) closeVariations();
    else if (studio.armedPicker !== null) disarmPicker();
    else send({ action: "cancel" });
  } else if (event.key === "Enter") {
    const target = event.target;
    if (target.tagName === "BUTTON" || target.tagName === "SELECT") return;
    event.preventDefault();
    send({ action: "ok" });
  }
});

window.addEventListener("resize", () => {
  fitDialog();
  if (magnifier.fitted) fitView();
});
window.addEventListener("DOMContentLoaded", () => {
  const view = $("view");
  view.addEventListener("wheel", magnify, { passive: false });
  view.addEventListener("pointerdown", startDrag);
  view.addEventListener("pointermove", drag);
  view.addEventListener("pointerup", endDrag);
  view.addEventListener("pointercancel", endDrag);
  document.querySelector('[data-action="fit"]').addEventListener("click", fitView);
  document.querySelector('[data-action="undo"]').addEventListener("click", () => stepVariation(-1));
  document.querySelector('[data-action="redo"]').addEventListener("click", () => stepVariation(1));
  document.querySelector('[data-action="variations"]').addEventListener("click", askForVariations);
  for (const format of ["svg", "png", "pdf"])
    document.querySelector('[data-action="save-' + format + '"]')
        .addEventListener("click", () => saveAs(format));
  document.querySelector('[data-action="save-settings"]').addEventListener("click", openSettingsForm);
  document.querySelector('[data-action="cancel-settings"]').addEventListener("click",
                                                                            closeSettingsForm);
  $("settings-form").addEventListener("submit", (event) => {
    event.preventDefault();
    saveSettings($("settings-name").value);
  });
  $("own-settings").addEventListener("change", (event) => {
    const name = event.target.value;
    event.target.selectedIndex = 0;
    if (name) send({ action: "own-settings", name });
  });
  // The view's room changes with the window and with the dialog's column.
  new ResizeObserver(() => {
    if (magnifier.fitted) fitView();
  }).observe(view);
  fitView();
  document.querySelector('[data-action="ok"]').addEventListener("click", () => send({ action: "ok" }));
  $("preview").addEventListener("click", pickAt);
  loadItemHelp();
  pollViews();
});
