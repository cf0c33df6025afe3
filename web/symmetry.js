// The symmetry page: decodes the picked, photographed, dropped, pasted or
// example picture with the browser's decoder, scales it down to 4096 pixels
// a side at most, classifies its RGBA pixels with the wasm build of
// tools/symmetry (which answers in JSON), and shows the group, how sure it
// is, each operation's score as a bar, and the elements drawn over the
// picture. Nothing leaves the page.
'use strict';

const largest = 4096;  // the longest side the page classifies; larger pictures are scaled down
// The score an operation must reach to count, where the report does not say.
const defaultThreshold = 0.5;

const orbifoldWords = {
  p1: 'translations only', p2: 'four kinds of half-turn centre', pm: 'parallel mirrors', pg: 'parallel glides',
  cm: 'parallel mirrors with glides between them', pmm: 'mirrors in two directions crossing at right angles',
  pmg: 'mirrors in one direction, glides across them, half-turns off the mirrors',
  pgg: 'glides in two directions and half-turns, no mirror', cmm: 'crossing mirrors with half-turns between them',
  p4: 'quarter-turns without mirrors', p4m: 'quarter-turns with mirrors through every centre',
  p4g: 'quarter-turns with mirrors through the half-turn centres only', p3: 'third-turns without mirrors',
  p3m1: 'third-turns with every centre on a mirror', p31m: 'third-turns with one kind of centre off the mirrors',
  p6: 'sixth-turns without mirrors', p6m: 'sixth-turns with mirrors through every centre',
};

// What each frieze group holds, for the sentence under its name.
const friezeWords = {
  p1: 'translations along the strip only', p11g: 'a glide along the axis',
  p1m1: 'mirrors across the strip', p2: 'half-turns on the axis',
  p2mg: 'mirrors across the strip, half-turns between them and a glide along the axis',
  p11m: 'a mirror along the axis (and its glide)', p2mm: 'mirrors along and across the strip and half-turns where they cross',
};

let module = null;
let ready = null;
// Loads (or, after a failure, reloads) the classifier.
function load() {
  module = null;
  ready = createSymmetry().then((m) => { module = m; });
  return ready;
}
load();

const $ = (id) => document.getElementById(id);

// Classifies the picture's pixels; returns the report object and the time.
// A failure of the classifier (out of memory) comes back as {error}.
function classify(image) {
  const bytes = image.width * image.height * 4;
  let ptr = 0;
  const start = performance.now();
  try {
    ptr = module._malloc(bytes);
    if (!ptr) return { report: { error: 'not enough memory for a picture this large' }, ms: 0 };
    module.HEAPU8.set(image.data, ptr);
    const text = module.UTF8ToString(module._symmetry_classify(ptr, image.width, image.height));
    const ms = performance.now() - start;
    module._free(ptr);
    return { report: JSON.parse(text), ms };
  } catch (e) {
    load();  // an aborted module cannot be called again
    return { report: { error: `the classifier failed (${e.message || e})` }, ms: 0 };
  }
}

// Every translate of the cell's elements over the picture; `shown` is the
// width the picture is shown at, in CSS pixels.
function draw(g, r, w, h, shown) {
  g.clearRect(0, 0, w, h);
  if (r.kind === 'frieze' || r.kind === 'rosette') {
    drawOther(g, r, w, shown);
    return;
  }
  if (r.group === 'none' || !r.lattice) return;
  const [a, b] = r.lattice, o = r.cell;
  const det = a[0] * b[1] - a[1] * b[0];
  if (!det) return;
  let lo = [Infinity, Infinity], hi = [-Infinity, -Infinity];
  for (const [x, y] of [[0, 0], [w, 0], [0, h], [w, h]]) {
    const dx = x - o[0], dy = y - o[1];
    const u = [(dx * b[1] - dy * b[0]) / det, (a[0] * dy - a[1] * dx) / det];
    lo = lo.map((v, k) => Math.min(v, u[k]));
    hi = hi.map((v, k) => Math.max(v, u[k]));
  }
  const each = (f) => {
    for (let i = Math.floor(lo[0]) - 1; i <= Math.ceil(hi[0]); i++)
      for (let j = Math.floor(lo[1]) - 1; j <= Math.ceil(hi[1]); j++) f(i * a[0] + j * b[0], i * a[1] + j * b[1]);
  };
  // Lines and marks shrink less than the picture when it is shrunk to fit.
  const unit = Math.max(1, Math.sqrt(w / (shown || w)));
  g.lineWidth = unit;
  g.strokeStyle = '#202020';
  g.beginPath();
  g.moveTo(o[0], o[1]);
  g.lineTo(o[0] + a[0], o[1] + a[1]);
  g.lineTo(o[0] + a[0] + b[0], o[1] + a[1] + b[1]);
  g.lineTo(o[0] + b[0], o[1] + b[1]);
  g.closePath();
  g.stroke();
  const fills = { 2: '#ffd000', 3: '#20d020', 4: '#00c0ff', 6: '#ff3030' };
  drawLinesAndCentres(g, r, unit, each, 6, (order) => fills[order]);
}

// The mirror and glide lines, then the rotation centres (polygons of `size`
// units, filled by order), at every offset that `each` gives.
function drawLinesAndCentres(g, r, unit, each, size, fill) {
  g.lineWidth = 2 * unit;
  for (const line of r.lines || []) {
    g.strokeStyle = line.glide ? '#e000c0' : '#1040ff';
    g.setLineDash(line.glide ? [6 * unit, 4 * unit] : []);
    g.beginPath();
    each((dx, dy) => {
      g.moveTo(line.from[0] + dx, line.from[1] + dy);
      g.lineTo(line.to[0] + dx, line.to[1] + dy);
    });
    g.stroke();
  }
  g.setLineDash([]);
  g.lineWidth = unit;
  g.strokeStyle = '#000';
  for (const c of r.centres || [])
    each((dx, dy) => {
      g.fillStyle = fill(c.order);
      g.beginPath();
      if (c.order === 2) g.ellipse(c.x + dx, c.y + dy, 7 * unit, 3.5 * unit, 0, 0, 2 * Math.PI);
      else
        for (let k = 0; k < c.order; k++) {
          const t = (2 * Math.PI * k) / c.order - Math.PI / 2;
          g.lineTo(c.x + dx + size * unit * Math.cos(t), c.y + dy + size * unit * Math.sin(t));
        }
      g.closePath();
      g.fill();
      g.stroke();
    });
}

// A frieze's or rosette's elements, each where it is (no translates): the
// period outlined over the strip, mirrors, glides, centres of any order.
function drawOther(g, r, w, shown) {
  const unit = Math.max(1, Math.sqrt(w / (shown || w)));
  if (r.kind === 'frieze' && r.period) {
    const [px, py] = r.period, length = Math.hypot(px, py), half = (r.width || 0) / 2;
    const o = r.axis.from;
    const nx = (-py / length) * half, ny = (px / length) * half;
    g.lineWidth = unit;
    g.strokeStyle = '#202020';
    g.beginPath();
    g.moveTo(o[0] - nx, o[1] - ny);
    g.lineTo(o[0] - nx + px, o[1] - ny + py);
    g.lineTo(o[0] + nx + px, o[1] + ny + py);
    g.lineTo(o[0] + nx, o[1] + ny);
    g.closePath();
    g.stroke();
  }
  drawLinesAndCentres(g, r, unit, (f) => f(0, 0), 8, () => '#ffd000');
}

const round = (v) => String(Math.round(v * 100) / 100);
const point = (x, y) => `(${round(x)}, ${round(y)})`;
const turn = { 2: 'a half-turn (180°)', 3: 'a third of a turn (120°)', 4: 'a quarter-turn (90°)', 6: 'a sixth of a turn (60°)' };

// One sentence per element of the cell; for "none", what was missing and
// what kind of picture works.
function sentences(r) {
  if (r.group === 'none')
    return ['No two clear periods were found: the picture does not repeat in two directions, so it has no ' +
      'lattice of translations and no wallpaper group; nor does it repeat along one strip (a frieze) or turn ' +
      'onto itself about a centre (a rosette).',
    'What works: a pattern that repeats in two directions, with at least two or three whole repeats each way, ' +
      'seen straight on and evenly lit, such as a wallpaper, a tiled floor, a fabric or a drawn tiling; ' +
      'crop away what is not the pattern.'];
  if (r.kind === 'frieze') {
    const out = [`Period ${point(...r.period)} along the axis from ${point(...r.axis.from)} to ${point(...r.axis.to)}: ` +
      'moving the picture by it maps the strip onto itself; nothing repeats across the strip.'];
    for (const c of r.centres || [])
      out.push(`Half-turn centre at ${point(c.x, c.y)}: turning the picture by a half-turn (180°) about this point maps the strip onto itself.`);
    for (const l of r.lines || [])
      out.push(l.glide
        ? `Glide line from ${point(...l.from)} to ${point(...l.to)}: reflecting the strip in its axis and moving it half a period along maps it onto itself.`
        : `Mirror line from ${point(...l.from)} to ${point(...l.to)}: reflecting the strip in this line maps it onto itself.`);
    return out;
  }
  if (r.kind === 'rosette') {
    const out = [`Centre ${point(...r.centre)}: turning the picture by ${Math.round(36000 / r.order) / 100}° about it ` +
      `maps it onto itself (within the disc of radius ${round(r.radius)} compared); nothing repeats by translation.`];
    if ((r.mirrors || []).length)
      out.push(`Mirrors through the centre at ${r.mirrors.map((m) => `${round(m)}°`).join(', ')} from the horizontal.`);
    return out;
  }
  const [a, b] = r.lattice;
  const out = [`Lattice ${point(...a)} and ${point(...b)}: moving the picture by either vector, ` +
    `in pixels, maps it onto itself; the outlined cell, starting at ${point(...r.cell)}, is one tile of the repeat.`];
  for (const c of r.centres || [])
    out.push(`Rotation centre of order ${c.order} at ${point(c.x, c.y)}: turning the picture by ${turn[c.order]} about this point maps it onto itself.`);
  for (const l of r.lines || [])
    out.push(l.glide
      ? `Glide line from ${point(...l.from)} to ${point(...l.to)}: reflecting the picture in this line and then moving it half a period along the line maps it onto itself (the reflection alone does not).`
      : `Mirror line from ${point(...l.from)} to ${point(...l.to)}: reflecting the picture in this line maps it onto itself.`);
  return out;
}

const operationNames = { 'rotation 2': 'Half-turn', 'rotation 3': 'Third-turn', 'rotation 4': 'Quarter-turn',
  'rotation 6': 'Sixth-turn', mirror: 'Mirror', glide: 'Glide' };

// The name of a scored operation, with its axis for mirrors and glides.
function operationLabel(s) {
  const name = operationNames[s.operation] || s.operation;
  return s.operation === 'mirror' || s.operation === 'glide' ? `${name} at ${Math.round(s.axis_degrees)}°` : name;
}

// One horizontal bar per scored operation, 0 to 1, the threshold drawn
// across them; accepted generators marked.
function bars(r) {
  const threshold = typeof r.threshold === 'number' ? r.threshold : defaultThreshold;
  $('threshold').textContent = threshold.toFixed(2);
  return (r.scores || []).map((s) => {
    const li = document.createElement('li');
    li.className = s.accepted ? 'accepted' : 'rejected';
    const label = document.createElement('span');
    label.className = 'label';
    label.textContent = (s.accepted ? '✓ ' : '') + operationLabel(s);
    const bar = document.createElement('span');
    bar.className = 'bar';
    bar.setAttribute('role', 'meter');
    bar.setAttribute('aria-valuemin', '0');
    bar.setAttribute('aria-valuemax', '1');
    bar.setAttribute('aria-valuenow', String(s.score));
    bar.setAttribute('aria-label', operationLabel(s));
    const fill = document.createElement('span');
    fill.className = 'fill';
    fill.style.width = `${100 * Math.min(1, Math.max(0, s.score))}%`;
    const line = document.createElement('span');
    line.className = 'threshold';
    line.style.left = `${100 * threshold}%`;
    bar.append(fill, line);
    const value = document.createElement('span');
    value.className = 'value';
    value.textContent = s.score.toFixed(2);
    li.append(label, bar, value);
    return li;
  });
}

function show(r, ms, image, scaledFrom) {
  document.body.classList.add('classified');
  document.body.classList.toggle('lattice', r.group !== 'none');
  document.body.classList.toggle('scored', (r.scores || []).length > 0);
  const none = r.group === 'none';
  const rosetteWords = (o, d) => (d ? `${o} mirrors through the centre and turns by 360/${o}°` : `turns by 360/${o}° about the centre, no mirror`);
  $('group').textContent = none ? 'No wallpaper, frieze or rosette group'
    : r.kind === 'frieze' ? `Frieze group ${r.group}` : r.kind === 'rosette' ? `Rosette ${r.group}` : `Wallpaper group ${r.group}`;
  $('names').textContent = none ? ''
    : r.kind === 'frieze' ? `A strip repeating along one direction: ${friezeWords[r.group] || ''}.`
    : r.kind === 'rosette' ? `${r.dihedral ? 'Dihedral' : 'Cyclic'} of order ${r.order}: ${r.order === 1 ? 'one mirror and nothing else' : rosetteWords(r.order, r.dihedral)}.`
    : `Short name ${r.group}, orbifold ${r.orbifold}: ${orbifoldWords[r.group] || ''}.`;
  const words = r.confidence_words || '';
  $('confidence').textContent = !none && words && typeof r.confidence === 'number'
    ? `Confidence: ${words} (${r.confidence.toFixed(2)} of 1)` +
      (r.method ? `, ${r.method === 'exact' ? 'checked pixel for pixel' : 'scored on the average cell'}.` : '.')
    : '';
  $('runner').textContent = r.runner_up && r.runner_up.group
    ? `The next most likely answer was ${r.runner_up.group}; the score that decided between the two was ` +
      `${Number(r.runner_up.score).toFixed(2)}.`
    : '';
  $('note').textContent = (scaledFrom ? `The picture, ${scaledFrom[0]}x${scaledFrom[1]} pixels, was scaled down to ` +
    `${image.width}x${image.height} first. ` : '') + `Classified in ${ms.toFixed(0)} ms.`;
  const picture = $('picture'), elements = $('elements');
  for (const c of [picture, elements]) { c.width = image.width; c.height = image.height; }
  picture.getContext('2d').putImageData(image, 0, 0);
  draw(elements.getContext('2d'), r, image.width, image.height, picture.getBoundingClientRect().width);
  $('bars').replaceChildren(...bars(r));
  $('list').replaceChildren(...sentences(r).map((s) => { const li = document.createElement('li'); li.textContent = s; return li; }));
  window.symmetryResult = { report: r, ms, width: image.width, height: image.height, scaledFrom };
}

function fail(message) {
  document.body.classList.remove('classified', 'lattice', 'scored');
  $('group').textContent = message;
  for (const id of ['names', 'confidence', 'runner', 'note']) $(id).textContent = '';
  $('list').replaceChildren();
  $('bars').replaceChildren();
  window.symmetryResult = { error: message };
}

// The RGBA pixels of a decoded picture, scaled down to `largest` a side
// when larger; returns {image, scaledFrom} (scaledFrom: the original size or null).
function pixels(bitmap) {
  const scale = Math.min(1, largest / Math.max(bitmap.width, bitmap.height));
  const w = Math.max(1, Math.round(bitmap.width * scale)), h = Math.max(1, Math.round(bitmap.height * scale));
  const c = document.createElement('canvas');
  c.width = w;
  c.height = h;
  const g = c.getContext('2d', { willReadFrequently: true });
  g.imageSmoothingQuality = 'high';
  g.drawImage(bitmap, 0, 0, w, h);
  return { image: g.getImageData(0, 0, w, h), scaledFrom: scale < 1 ? [bitmap.width, bitmap.height] : null };
}

let busy = false;
// Decodes the file with the browser's own image decoder and classifies it.
async function open(file, name = file.name || 'the picture') {
  if (busy) return;
  busy = true;
  try {
    $('group').textContent = `Reading ${name}…`;
    let bitmap;
    try {
      bitmap = await createImageBitmap(file, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    } catch {
      return fail(`${name}: not a picture this browser can read`);
    }
    let decoded;
    try {
      decoded = pixels(bitmap);
    } catch {
      return fail(`${name}: too large for this browser to hold (${bitmap.width}x${bitmap.height})`);
    } finally {
      bitmap.close();
    }
    $('group').textContent = `Classifying ${name}…`;
    // Let the message show before the classifier holds the page.
    await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
    await ready;
    const { report, ms } = classify(decoded.image);
    if (report.error) return fail(`${name}: ${report.error}`);
    show(report, ms, decoded.image, decoded.scaledFrom);
  } finally {
    busy = false;
  }
}

for (const id of ['file', 'camera'])
  $(id).addEventListener('change', (e) => {
    if (e.target.files[0]) open(e.target.files[0]);
    e.target.value = '';  // picking the same file again classifies it again
  });
const drop = $('drop');
drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
drop.addEventListener('dragleave', () => drop.classList.remove('over'));
drop.addEventListener('drop', (e) => {
  e.preventDefault();
  drop.classList.remove('over');
  if (e.dataTransfer.files[0]) open(e.dataTransfer.files[0]);
});
document.addEventListener('paste', (e) => {
  const item = [...(e.clipboardData ? e.clipboardData.items : [])].find((i) => i.kind === 'file' && i.type.startsWith('image/'));
  if (!item) return;
  e.preventDefault();
  open(item.getAsFile(), 'the pasted picture');
});

// The row of examples, from examples/examples.json: {examples: [{file,
// group, description}]}. Without the list the row stays hidden.
async function examples() {
  let list;
  try {
    const response = await fetch('examples/examples.json');
    list = response.ok ? (await response.json()).examples || [] : [];
  } catch {
    list = [];
  }
  const row = $('example-row');
  for (const e of list) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'example';
    button.dataset.group = e.group;
    button.title = `${e.description} (${e.group})`;
    const img = document.createElement('img');
    img.src = 'examples/' + encodeURIComponent(e.file);
    img.alt = '';
    const caption = document.createElement('span');
    caption.innerHTML = '<b></b> <span></span>';
    caption.firstChild.textContent = e.group;
    caption.lastChild.textContent = e.description;
    button.append(img, caption);
    button.addEventListener('click', async () => {
      try {
        const response = await fetch(img.src);
        if (!response.ok) throw new Error(response.status);
        await open(await response.blob(), e.file);
      } catch {
        fail(`${e.file}: could not be loaded`);
      }
    });
    row.append(button);
  }
  $('examples').hidden = list.length === 0;
  window.symmetryExamples = list.length;
}
examples();

// For the browser test: classify pixels already decoded.
window.symmetryClassify = async (image) => { await ready; return classify(image); };
