// The drawing page (draw.html): a person draws on an 800x600 canvas and the
// core, tools/pattern_draw built as wasm (createPatternDraw()), copies every
// stroke by all the moves of the chosen group: one of the seventeen wallpaper
// groups (over the whole plane), the seven frieze groups (along a strip as
// tall as the canvas, repeating along x) or the rosette groups C1-C12 and
// D1-D12 (turns and mirrors about the canvas's centre, no repeat); after each
// pointer move the page puts the core's pixels on the canvas. The page keeps no
// drawing of its own: strokes, undo, the groups, the overlays, the "Build it"
// stages, exports and the saved JSON are the core's. The symmetry page's
// classifier (symmetry_web.js) is loaded only when "Check" is pressed.
//
// The address names the group: draw.html?group=p6 (a wallpaper group),
// draw.html?kind=frieze&group=p2mg, draw.html?kind=rosette&group=D6. Frieze
// names p1 and p2 are wallpaper names too, so the kind always goes with a name.
//
// Links: "Copy link" gives this page's URL with the fragment
//   #d=BASE64URL
// where BASE64URL is the saved JSON (draw_save()) compressed with
// CompressionStream('deflate-raw') and written in base64url (RFC 4648 section
// 5: - and _ for + and /, no padding). Opening such a link loads the drawing;
// a damaged one leaves the page as it was and says why in one line.
'use strict';

const W = 800, H = 600;
const largestExport = 4096;
const largestFile = 8 << 20;  // a saved drawing larger than this is not one of ours
const stageMs = 1100;         // "Build it": how long each stage stays on show while playing
const swatches = { '#202020': 'black', '#c0282d': 'red', '#e8a317': 'yellow', '#2a8a3e': 'green', '#1a4fa0': 'blue',
  '#7b3fa0': 'purple', '#ffffff': 'white' };

const $ = (id) => document.getElementById(id);
const canvas = $('canvas');
const context = canvas.getContext('2d');

let core = null;      // the wasm module
let groups = [];      // [{kind, name, full, orbifold, stages}], from draw_groups()
let captions = null;  // {wallpaper_group_p4m: [description, stage 1, ...], ...}, from draw_captions.json
let savedCount = 0;   // the change count at the last save or copied link
let changes = 0;      // counts the changes to the drawing, for "unsaved"

// Strings in and out of the module. Strings it returns are its own, valid
// until the next call of the same function: read at once.
function withString(text, f) {
  const size = core.lengthBytesUTF8(text) + 1;
  const ptr = core._malloc(size);
  if (!ptr) throw new Error('not enough memory');
  try {
    core.stringToUTF8(text, ptr, size);
    return f(ptr);
  } finally {
    core._free(ptr);
  }
}
const text = (ptr) => core.UTF8ToString(ptr);

// The W*H*4 (or w*h*4) RGBA bytes the module holds at ptr, as a copy; or
// (`view`) in the module's memory, for putting on a canvas at once. (The
// copy of 800x600 pixels takes about as long as the core's whole pointer move.)
function image(ptr, w = W, h = H, view = false) {
  const bytes = new Uint8ClampedArray(core.HEAPU8.buffer, ptr, w * h * 4);
  return new ImageData(view ? bytes : bytes.slice(), w, h);
}

function message(line, kind = 'error') {
  const m = $('message');
  m.textContent = line;
  m.className = line ? kind : '';
}

// Undo, a change of group, loading, Build it and the exports draw every
// stroke again, which takes a while for a large drawing: when the last such
// step, per stroke, says this one will take more than a moment, the page says
// so first. It takes no other command meanwhile.
let busy = false;
let msPerStroke = 2;
async function heavy(label, f) {
  if (busy || !core) return undefined;
  busy = true;
  const strokes = core._draw_stroke_count();
  try {
    if (strokes * msPerStroke > 150) {
      $('busy').textContent = label;
      $('busy').hidden = false;
      document.body.classList.add('busy');
      await new Promise((shown) => requestAnimationFrame(() => setTimeout(shown, 0)));
    }
    const start = performance.now();
    const result = f();
    if (strokes > 0) msPerStroke = (performance.now() - start) / Math.max(strokes, core._draw_stroke_count(), 1);
    return result;
  } finally {
    busy = false;
    $('busy').hidden = true;
    document.body.classList.remove('busy');
  }
}

// ---- Kinds and groups -------------------------------------------------------

// What the page says of each kind, and the group it opens in.
const kinds = {
  wallpaper: { first: 'p4m', title: 'wallpaper pattern', intro: 'wallpaper group you pick, over the whole plane',
    cell: 'Lattice cell', cellFile: 'PNG of one cell' },
  frieze: { first: 'p2mg', title: 'frieze', intro: 'frieze group you pick, along the whole strip',
    cell: 'One period', cellFile: 'PNG of one period' },
  rosette: { first: 'D6', title: 'rosette', intro: 'rosette group you pick, about the centre of the canvas',
    cell: 'Cell', cellFile: 'PNG of one cell' },
};
const isKind = (kind) => Object.hasOwn(kinds, kind);
const lastGroup = Object.fromEntries(Object.entries(kinds).map(([k, v]) => [k, v.first]));

// The friezes' everyday names, after the footprints they look like.
const nicknames = { p1: 'hop', p11g: 'step', p1m1: 'sidle', p2: 'spinning hop', p2mg: 'spinning sidle', p11m: 'jump',
  p2mm: 'spinning jump' };
function rosetteWords(name) {
  const n = Number(name.slice(1));
  if (name[0] === 'C') return n === 1 ? 'no symmetry' : `${n} turns`;
  return n === 1 ? 'one mirror' : `${n} turns, ${n} mirrors`;
}

const findGroup = (kind, name) => groups.find((g) => g.kind === kind && g.name === name);

// A group's names as one line: for the picker (short) or below it.
function describe(g, short = false) {
  if (g.kind === 'wallpaper')
    return short ? `${g.name}  ·  ${g.full}  ·  ${g.orbifold}` : `Short name ${g.name}, full name ${g.full}, orbifold ${g.orbifold}`;
  const words = g.kind === 'frieze' ? nicknames[g.name] : rosetteWords(g.name);
  const orbifold = g.orbifold ? (short ? `  ·  ${g.orbifold}` : `, orbifold ${g.orbifold}`) : '';
  if (short) return [g.name, g.full !== g.name && g.full, words].filter(Boolean).join('  ·  ') + orbifold;
  const full = g.full !== g.name ? ` (${g.full})` : '';
  return g.kind === 'frieze' ? `Frieze group ${g.name}${full}, the ${words}${orbifold}`
    : `Rosette group ${g.name}${full}: ${words} about the centre${orbifold}`;
}

// Sets the group; false if the core has no such group of that kind.
const setGroup = (kind, name) => !!withString(kind, (k) => withString(name, (n) => core._draw_set_kind_group(k, n)));

// The switch, the picker and the words of the page follow the kind drawn.
let shownKind = '';
function showKind(kind) {
  if (kind === shownKind) return;
  shownKind = kind;
  const k = kinds[kind] || kinds.wallpaper;
  const word = kind[0].toUpperCase() + kind.slice(1);
  for (const r of document.querySelectorAll('input[name=kind]')) r.checked = r.value === kind;
  $('group').replaceChildren(...groups.filter((g) => g.kind === kind).map((g) => {
    const o = document.createElement('option');
    o.value = g.name;
    o.textContent = describe(g, true);
    return o;
  }));
  $('group').setAttribute('aria-label', `${word} group`);
  $('title').textContent = `Draw your own ${k.title}`;
  document.title = `Draw your own ${k.title} - Tilings and wallpapers`;
  $('intro-group').textContent = k.intro;
  $('show-cell-label').textContent = k.cell;
  $('export-cell').textContent = k.cellFile;
}

// ---- The canvas ----------------------------------------------------------

let building = null;  // {count, k, timer} while "Build it" is on show

function paint() {
  if (building) return;
  context.putImageData(image(core._draw_pixels(), W, H, true), 0, 0);
}

let paintQueued = false;
function paintSoon() {
  if (paintQueued) return;
  paintQueued = true;
  requestAnimationFrame(() => { paintQueued = false; paint(); });
}

// The undo and redo buttons follow the core; the picker and the URL follow
// the group.
function refresh() {
  $('undo').disabled = !core._draw_can_undo();
  $('redo').disabled = !core._draw_can_redo();
  $('clear').disabled = core._draw_stroke_count() === 0;
  const kind = text(core._draw_kind()), name = text(core._draw_group());
  const before = shownKind;
  showKind(kind);
  $('group').value = name;
  lastGroup[kind] = name;
  const g = findGroup(kind, name);
  $('group-names').textContent = g ? describe(g) : '';
  // A rosette does not repeat: no cell to show or export.
  const cell = core._draw_cell_width() > 0 && core._draw_cell_height() > 0;
  $('export-cell').disabled = !cell;
  $('show-cell').disabled = !cell;
  $('show-cell').closest('label').hidden = !cell;
  $('cell-note').hidden = cell;
  $('cell-note').textContent = cell ? '' : 'A rosette does not repeat, so it has no cell: export the canvas or a chosen size.';
  if (kind !== before) setOverlays();
  const search = `?${kind === 'wallpaper' ? '' : `kind=${kind}&`}group=${encodeURIComponent(name)}`;
  if (location.search !== search) {
    const url = new URL(location.href);
    url.search = search;
    history.replaceState(null, '', url);
  }
  paint();
}

function changed() {
  changes++;
  $('check-result').hidden = true;
  stopBuilding();
  refresh();
}

// ---- Drawing with pointers -------------------------------------------------

let stroke = null;  // the pointer id of the stroke being drawn

function point(e) {
  const r = canvas.getBoundingClientRect();
  const x = ((e.clientX - r.left) * W) / r.width, y = ((e.clientY - r.top) * H) / r.height;
  return [Math.min(W, Math.max(0, x)), Math.min(H, Math.max(0, y))];
}

function colour() {
  return parseInt($('colour').value.slice(1), 16);
}

canvas.addEventListener('pointerdown', (e) => {
  // While the stages are on show a click or a tap goes on to the next.
  if (building && e.isPrimary) return showStage(building.k + 1, false);
  if (!core || busy || building || stroke !== null || !e.isPrimary || (e.pointerType === 'mouse' && e.button !== 0)) return;
  e.preventDefault();
  canvas.setPointerCapture(e.pointerId);
  stroke = e.pointerId;
  const tool = Number(document.querySelector('input[name=tool]:checked').value);
  core._draw_begin(tool, colour(), Number($('width').value), ...point(e));
  paintSoon();
});
canvas.addEventListener('pointermove', (e) => {
  if (e.pointerId !== stroke) return;
  // Every position the browser saw since the last event, for smooth curves;
  // the canvas is painted once per frame.
  const events = e.getCoalescedEvents ? e.getCoalescedEvents() : [];
  for (const c of events.length ? events : [e]) core._draw_move(...point(c));
  paintSoon();
});
function endStroke(e, commit) {
  if (e.pointerId !== stroke) return;
  stroke = null;
  if (commit) {
    core._draw_move(...point(e));
    core._draw_end();
    message('');  // what the last message was about is done with
    changed();
  } else {
    core._draw_cancel();
    paint();
  }
}
canvas.addEventListener('pointerup', (e) => endStroke(e, true));
canvas.addEventListener('pointercancel', (e) => endStroke(e, false));
canvas.addEventListener('lostpointercapture', (e) => endStroke(e, true));
// A second finger (a pinch) does not draw, and the page does not scroll under one.
canvas.addEventListener('touchstart', (e) => e.preventDefault(), { passive: false });
canvas.addEventListener('contextmenu', (e) => e.preventDefault());

// ---- Editing -------------------------------------------------------------

function undo() {
  if (!building && stroke === null && core._draw_can_undo()) heavy('Undoing…', () => core._draw_undo() && changed());
}
function redo() {
  if (!building && stroke === null && core._draw_can_redo()) heavy('Redoing…', () => core._draw_redo() && changed());
}
$('undo').addEventListener('click', undo);
$('redo').addEventListener('click', redo);
$('clear').addEventListener('click', () => {
  if (stroke !== null || core._draw_stroke_count() === 0) return;
  heavy('Clearing…', () => {
    core._draw_clear();
    changed();
    message('Cleared: Undo brings the drawing back.', 'note');
  });
});

document.addEventListener('keydown', (e) => {
  if (!core) return;
  // Text fields keep their own undo.
  const t = e.target;
  const typing = t instanceof HTMLInputElement && (t.type === 'text' || t.type === 'number') || t instanceof HTMLTextAreaElement;
  const key = e.key.toLowerCase();
  if ((e.ctrlKey || e.metaKey) && !e.altKey && !typing && (key === 'z' || key === 'y')) {
    e.preventDefault();
    if (key === 'y' || e.shiftKey) redo();
    else undo();
  } else if (e.key === 'Escape' && stroke !== null) {
    canvas.releasePointerCapture(stroke);
    endStroke({ pointerId: stroke }, false);
  } else if (building && !typing) {
    if (e.key === 'ArrowRight') showStage(building.k + 1, false);
    else if (e.key === 'ArrowLeft') showStage(building.k - 1, false);
    else if (e.key === 'Escape') stopBuilding();
    else return;
    e.preventDefault();
  }
});

// ---- Colour, width, tool -------------------------------------------------

for (const [c, name] of Object.entries(swatches)) {
  const b = document.createElement('button');
  b.type = 'button';
  b.className = 'swatch';
  b.style.background = c;
  b.dataset.colour = c;
  b.setAttribute('aria-label', name);
  b.title = name;
  b.addEventListener('click', () => { $('colour').value = c; markSwatch(); });
  $('swatches').append(b);
}
function markSwatch() {
  for (const b of document.querySelectorAll('.swatch')) b.setAttribute('aria-pressed', String(b.dataset.colour === $('colour').value));
}
$('colour').addEventListener('input', markSwatch);
$('width').addEventListener('input', () => { $('width-value').textContent = `${$('width').value} px`; });

// ---- Groups and overlays -------------------------------------------------

// Another group, or another kind in its last group: the strokes stay.
function pick(kind, name) {
  heavy(`Drawing in ${name}…`, () => {
    setGroup(kind, name);
    message('');
    changed();
  }).then(refresh);  // the picker shows the group drawn, also when busy
}
$('group').addEventListener('change', () => pick(shownKind, $('group').value));
for (const r of document.querySelectorAll('input[name=kind]'))
  r.addEventListener('change', () => { if (r.checked && isKind(r.value)) pick(r.value, lastGroup[r.value]); });

function setOverlays() {
  const cell = $('show-cell').checked && !$('show-cell').disabled;
  core._draw_set_overlays(+cell, +$('show-region').checked, +$('show-elements').checked);
}
function overlays() {
  setOverlays();
  paint();
}
for (const id of ['show-cell', 'show-region', 'show-elements']) $(id).addEventListener('change', overlays);

// ---- Build it --------------------------------------------------------------

// Stage 1 of the group programs' captions describes their own motif of three
// discs; here the motif is the person's drawing.
const discs = /^The motif, three discs of three colours and sizes, in /;
function caption(k) {
  const lines = captions && captions[`${text(core._draw_kind())}_group_${text(core._draw_group())}`];
  const line = lines && lines[k];
  if (!line) return '';
  return k === 1 ? line.replace(discs, 'Your motif, cut to ') : line;
}

function showStage(k, playing) {
  if (!building) return;
  k = Math.min(building.count, Math.max(1, k));
  building.k = k;
  clearTimeout(building.timer);
  building.timer = 0;
  context.putImageData(image(core._draw_build_stage(k), W, H, true), 0, 0);
  $('build-status').textContent = `Stage ${k} of ${building.count}`;
  $('build-caption').textContent = caption(k);
  $('build-previous').disabled = k === 1;
  $('build-next').disabled = k === building.count;
  if (playing && k < building.count) building.timer = setTimeout(() => showStage(k + 1, true), stageMs);
  $('build-play').textContent = building.timer ? 'Pause' : k < building.count ? 'Play' : 'Play again';
  window.drawStage = { k, count: building.count, caption: $('build-caption').textContent };
}

async function startBuilding() {
  if (stroke !== null) return;
  stopBuilding();
  const count = await heavy('Making the stages…', () => core._draw_build());
  if (count === undefined) return;
  if (count < 1) return message('The stages could not be made for this drawing.');
  building = { count, k: 1, timer: 0 };
  document.body.classList.add('building');
  $('build').hidden = false;
  $('check-result').hidden = true;
  showStage(1, true);
  $('build-play').focus();
}

function stopBuilding() {
  if (!building) return;
  clearTimeout(building.timer);
  building = null;
  document.body.classList.remove('building');
  $('build').hidden = true;
  window.drawStage = null;
  paint();
}

$('build-it').addEventListener('click', startBuilding);
$('build-next').addEventListener('click', () => showStage(building.k + 1, false));
$('build-previous').addEventListener('click', () => showStage(building.k - 1, false));
$('build-play').addEventListener('click', () => {
  if (building.timer) showStage(building.k, false);
  else showStage(building.k < building.count ? building.k + 1 : 1, true);
});
$('build-close').addEventListener('click', () => { stopBuilding(); $('build-it').focus(); });

// ---- Check -----------------------------------------------------------------

let classifier = null;  // a promise of the symmetry module
function loadClassifier() {
  if (!classifier)
    classifier = new Promise((resolve, reject) => {
      const s = document.createElement('script');
      s.src = 'symmetry_web.js';
      s.onload = () => createSymmetry().then(resolve, reject);
      s.onerror = () => reject(new Error('the classifier could not be loaded'));
      document.head.append(s);
    }).catch((e) => { classifier = null; throw e; });
  return classifier;
}

// The pixels of the drawing without the overlays, W x H.
function exported(w = W, h = H) {
  if (!core._draw_export(w, h)) return null;
  return image(core._draw_export_pixels(), w, h);
}

async function check() {
  const out = $('check-result');
  if (core._draw_stroke_count() === 0) return message('Draw something first: an empty canvas has no pattern to check.', 'note');
  stopBuilding();
  out.hidden = false;
  out.textContent = 'Checking…';
  const chosen = text(core._draw_group()), chosenKind = text(core._draw_kind());
  const drawing = await heavy('Checking…', () => exported());
  if (!drawing) return;
  let report;
  try {
    const m = await loadClassifier();
    await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
    const ptr = m._malloc(drawing.data.length);
    if (!ptr) throw new Error('not enough memory');
    m.HEAPU8.set(drawing.data, ptr);
    try {
      report = JSON.parse(m.UTF8ToString(m._symmetry_classify(ptr, W, H)));
    } finally {
      m._free(ptr);
    }
    if (report.error) throw new Error(report.error);
  } catch (e) {
    classifier = null;  // an aborted module cannot be called again
    out.textContent = `Check failed: ${e.message || e}.`;
    window.drawCheck = { error: String(e.message || e) };
    return;
  }
  // The core's sentence names the group found and says how it relates to the one chosen.
  // A report without a kind names a wallpaper group, or none.
  const found = String(report.group || 'none');
  const foundKind = isKind(report.kind) || report.kind === 'none' ? report.kind : found === 'none' ? 'none' : 'wallpaper';
  const relation = JSON.parse(withString(foundKind, (k) => withString(found, (p) => text(core._draw_relation(k, p)))));
  const g = findGroup(foundKind, found);
  const sentence = document.createElement('span');
  sentence.textContent = relation.sentence;
  const names = document.createElement('span');
  names.className = 'names';
  names.textContent = g ? `${describe(g)}.` : '';
  out.replaceChildren(sentence, ' ', names);
  window.drawCheck = { found, foundKind, chosen, chosenKind, relation: relation.relation, sentence: relation.sentence };
}
$('check').addEventListener('click', check);

// ---- Files -----------------------------------------------------------------

// The last file handed to the browser, for the browser test.
function download(blob, name) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
  window.drawDownload = { name, blob };
}

const baseName = () => {
  const kind = text(core._draw_kind());
  return `pattern-${kind === 'wallpaper' ? '' : kind + '-'}${text(core._draw_group())}`;
};

function png(pixels, name) {
  const c = document.createElement('canvas');
  c.width = pixels.width;
  c.height = pixels.height;
  c.getContext('2d').putImageData(pixels, 0, 0);
  c.toBlob((blob) => (blob ? download(blob, name) : message('The browser could not make the PNG file.')), 'image/png');
}

async function exportPng(w, h, name) {
  const pixels = await heavy('Drawing the picture…', () => exported(w, h) || 0);
  if (pixels === 0) return message(`Cannot export at ${w}x${h}: each side must be 1 to ${largestExport} pixels.`);
  if (pixels) png(pixels, name);
}

$('export-canvas').addEventListener('click', () => exportPng(W, H, `${baseName()}.png`));
$('export-cell').addEventListener('click', () => {
  const w = core._draw_cell_width(), h = core._draw_cell_height();
  if (w < 1 || h < 1) return message('A rosette does not repeat, so it has no cell to export.', 'note');
  exportPng(w, h, `${baseName()}-cell.png`);
});
$('export-sized').addEventListener('click', () => {
  const w = Number($('export-width').value), h = Number($('export-height').value);
  if (!Number.isInteger(w) || !Number.isInteger(h) || w < 1 || h < 1 || w > largestExport || h > largestExport)
    return message(`The size must be whole pixels, 1 to ${largestExport} each way.`);
  message('');
  exportPng(w, h, `${baseName()}-${w}x${h}.png`);
});
$('export-svg').addEventListener('click', async () => {
  const svg = await heavy('Writing the SVG…', () => text(core._draw_svg(W, H)));
  if (svg === '') return message('The SVG file could not be made.');
  if (svg) download(new Blob([svg], { type: 'image/svg+xml' }), `${baseName()}.svg`);
});

$('save').addEventListener('click', () => {
  download(new Blob([text(core._draw_save())], { type: 'application/json' }), `${baseName()}.json`);
  savedCount = changes;
});

// Loads the JSON of a saved drawing; `from` names where it came from. On
// failure the drawing stays as it was and the message line says why.
async function loadJson(json, from) {
  stopBuilding();
  const error = await heavy('Loading…', () => withString(json, (p) => text(core._draw_load(p))));
  if (error === undefined) return false;
  if (error) {
    message(`${from}: ${error}`);
    window.drawLoaded = { error };
    return false;
  }
  message(`Loaded ${from}.`, 'note');
  changed();
  savedCount = changes;
  window.drawLoaded = { error: '' };
  return true;
}

async function loadFile(file) {
  if (!file) return;
  if (file.size > largestFile) {
    message(`${file.name}: too large to be a saved drawing (${(file.size / 1048576).toFixed(1)} MB).`);
    window.drawLoaded = { error: 'too large' };
    return;
  }
  let json;
  try {
    json = await file.text();
  } catch {
    message(`${file.name}: could not be read.`);
    window.drawLoaded = { error: 'unreadable' };
    return;
  }
  await loadJson(json, file.name);
}

$('load').addEventListener('change', (e) => {
  loadFile(e.target.files[0]);
  e.target.value = '';  // the same file can be loaded again
});
const board = $('board');
for (const target of [board, document.body]) {
  target.addEventListener('dragover', (e) => {
    if (![...(e.dataTransfer ? e.dataTransfer.types : [])].includes('Files')) return;
    e.preventDefault();
    board.classList.add('over');
  });
}
document.addEventListener('dragleave', (e) => { if (!e.relatedTarget) board.classList.remove('over'); });
document.addEventListener('drop', (e) => {
  e.preventDefault();
  board.classList.remove('over');
  if (e.dataTransfer && e.dataTransfer.files[0]) loadFile(e.dataTransfer.files[0]);
});

// ---- Links -----------------------------------------------------------------

function toBase64url(bytes) {
  let s = '';
  for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(s).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function fromBase64url(s) {
  if (!/^[A-Za-z0-9_-]*$/.test(s) || s.length % 4 === 1) throw new Error('not base64url');
  const b = atob(s.replace(/-/g, '+').replace(/_/g, '/') + '='.repeat((4 - (s.length % 4)) % 4));
  return Uint8Array.from(b, (c) => c.charCodeAt(0));
}

async function pipe(bytes, stream) {
  return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(stream)).arrayBuffer());
}

async function linkOf(json) {
  const packed = await pipe(new TextEncoder().encode(json), new CompressionStream('deflate-raw'));
  const url = new URL(location.href);
  url.hash = 'd=' + toBase64url(packed);
  return url.href;
}

$('copy-link').addEventListener('click', async () => {
  const link = await linkOf(text(core._draw_save()));
  const field = $('link');
  field.value = link;
  field.hidden = false;
  savedCount = changes;
  try {
    await navigator.clipboard.writeText(link);
    message('Link copied: opening it shows this drawing.', 'note');
  } catch {
    field.select();
    message('Copy this link (the browser would not let the page copy it): opening it shows this drawing.', 'note');
  }
  window.drawLink = link;
});

// Loads the drawing of a #d= fragment, if there is one, then drops the
// fragment from the address (the drawing will change).
async function loadFragment() {
  const m = /^#d=(.*)$/.exec(location.hash);
  if (!m) return;
  let json;
  try {
    json = new TextDecoder('utf-8', { fatal: true }).decode(await pipe(fromBase64url(m[1]), new DecompressionStream('deflate-raw')));
  } catch {
    message('The link is damaged (cut short or changed): its drawing could not be read.');
    window.drawLoaded = { error: 'damaged link' };
  }
  if (json !== undefined) await loadJson(json, 'the linked drawing');
  history.replaceState(null, '', location.pathname + location.search);
}
window.addEventListener('hashchange', loadFragment);

window.addEventListener('beforeunload', (e) => {
  if (core && changes !== savedCount && core._draw_stroke_count() > 0) e.preventDefault();
});

// ---- Start -------------------------------------------------------------------

async function start() {
  try {
    core = await createPatternDraw();
    if (!core._draw_init()) throw new Error('the drawing could not be set up');
  } catch (e) {
    core = null;
    message(`The drawing core could not start: ${e.message || e}.`);
    window.drawReady = { error: String(e.message || e) };
    return;
  }
  groups = JSON.parse(text(core._draw_groups()));
  // ?kind=frieze&group=p2mg; no kind: a wallpaper group; no group: the kind's first.
  const params = new URLSearchParams(location.search);
  let kind = params.get('kind') || 'wallpaper';
  const asked = params.get('group');
  if (!isKind(kind)) {
    message(`There is no kind of pattern "${kind}" (wallpaper, frieze or rosette): drawing in p4m.`);
    kind = 'wallpaper';
  } else if (asked && !setGroup(kind, asked)) {
    setGroup(kind, kinds[kind].first);
    message(`There is no ${kind} group "${asked}": drawing in ${kinds[kind].first}.`);
  } else if (!asked) {
    setGroup(kind, kinds[kind].first);
  }
  markSwatch();
  overlays();
  refresh();
  document.body.classList.add('ready');
  try {
    const response = await fetch('draw_captions.json');
    if (response.ok) captions = await response.json();
  } catch {
    captions = null;  // the stages show without their captions
  }
  await loadFragment();
  window.drawReady = { error: '' };
}
start();

// For the benchmark and the browser test: the core, and the page's own painting.
window.drawPage = { core: () => core, paint, exported };
