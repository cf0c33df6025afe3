// The symmetry page: decodes the picked or dropped picture with a canvas,
// classifies its RGBA pixels with the wasm build of tools/symmetry, draws
// the elements over it and says what each one means. Nothing leaves the page.
'use strict';

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

let module = null;
const ready = createSymmetry().then((m) => { module = m; });

// The report of the classifier, as an object.
function parse(text) {
  const r = { group: 'none', centres: [], lines: [], text };
  const pair = (s) => [...s.matchAll(/\((-?[\d.]+), (-?[\d.]+)\)/g)].map((m) => [Number(m[1]), Number(m[2])]);
  for (const line of text.trim().split('\n')) {
    const at = line.indexOf(': ');
    const key = line.slice(0, at), value = line.slice(at + 2);
    if (key === 'group') r.group = value;
    else if (key === 'lattice') r.lattice = pair(value);
    else if (key === 'orbifold') r.orbifold = value;
    else if (key === 'check') r.check = value;
    else if (key === 'cell') r.cell = pair(value)[0];
    else if (key.startsWith('rotation ')) r.centres.push({ order: Number(key.slice(9)), at: pair(value)[0] });
    else if (key === 'mirror' || key === 'glide') r.lines.push({ glide: key === 'glide', ends: pair(value) });
  }
  return r;
}

// Classifies the picture's pixels; returns the parsed report and the time.
function classify(image) {
  const bytes = image.width * image.height * 4;
  const ptr = module._malloc(bytes);
  module.HEAPU8.set(image.data, ptr);
  const start = performance.now();
  const text = module.UTF8ToString(module._symmetry_classify(ptr, image.width, image.height));
  const ms = performance.now() - start;
  module._free(ptr);
  return { report: parse(text), ms };
}

// Every translate of the cell's elements over the picture.
function draw(g, r, w, h) {
  g.clearRect(0, 0, w, h);
  if (r.group === 'none') return;
  const [a, b] = r.lattice, o = r.cell;
  const det = a[0] * b[1] - a[1] * b[0];
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
  g.lineWidth = 1;
  g.strokeStyle = '#202020';
  g.beginPath();
  g.moveTo(o[0], o[1]);
  g.lineTo(o[0] + a[0], o[1] + a[1]);
  g.lineTo(o[0] + a[0] + b[0], o[1] + a[1] + b[1]);
  g.lineTo(o[0] + b[0], o[1] + b[1]);
  g.closePath();
  g.stroke();
  g.lineWidth = 2;
  for (const line of r.lines) {
    g.strokeStyle = line.glide ? '#e000c0' : '#1040ff';
    g.setLineDash(line.glide ? [6, 4] : []);
    g.beginPath();
    each((dx, dy) => {
      g.moveTo(line.ends[0][0] + dx, line.ends[0][1] + dy);
      g.lineTo(line.ends[1][0] + dx, line.ends[1][1] + dy);
    });
    g.stroke();
  }
  g.setLineDash([]);
  const fills = { 2: '#ffd000', 3: '#20d020', 4: '#00c0ff', 6: '#ff3030' };
  g.lineWidth = 1;
  g.strokeStyle = '#000';
  for (const c of r.centres)
    each((dx, dy) => {
      g.fillStyle = fills[c.order];
      g.beginPath();
      if (c.order === 2) g.ellipse(c.at[0] + dx, c.at[1] + dy, 7, 3.5, 0, 0, 2 * Math.PI);
      else
        for (let k = 0; k < c.order; k++) {
          const t = (2 * Math.PI * k) / c.order - Math.PI / 2;
          g.lineTo(c.at[0] + dx + 6 * Math.cos(t), c.at[1] + dy + 6 * Math.sin(t));
        }
      g.closePath();
      g.fill();
      g.stroke();
    });
}

const point = (p) => `(${p[0]}, ${p[1]})`;
const turn = { 2: 'a half-turn (180°)', 3: 'a third of a turn (120°)', 4: 'a quarter-turn (90°)', 6: 'a sixth of a turn (60°)' };

// One sentence per element of the cell.
function sentences(r) {
  if (r.group === 'none')
    return ['No two independent translations map the picture exactly onto itself, so it has no wallpaper group.'];
  const out = [`Lattice ${point(r.lattice[0])} and ${point(r.lattice[1])}: moving the picture by either vector, ` +
    'in pixels, maps it onto itself; the outlined cell, starting at ' + point(r.cell) + ', is one tile of the repeat.'];
  for (const c of r.centres)
    out.push(`Rotation centre of order ${c.order} at ${point(c.at)}: turning the picture by ${turn[c.order]} about this point maps it onto itself.`);
  for (const l of r.lines)
    out.push(l.glide
      ? `Glide line from ${point(l.ends[0])} to ${point(l.ends[1])}: reflecting the picture in this line and then moving it half a period along the line maps it onto itself (the reflection alone does not).`
      : `Mirror line from ${point(l.ends[0])} to ${point(l.ends[1])}: reflecting the picture in this line maps it onto itself.`);
  return out;
}

function show(r, ms, image) {
  document.body.classList.add('classified');
  document.getElementById('group').textContent = r.group === 'none' ? 'No wallpaper group'
    : `Wallpaper group ${r.group} (orbifold ${r.orbifold}): ${orbifoldWords[r.group]}`;
  document.getElementById('note').textContent = (r.check ? `Checked: ${r.check}. ` : '') +
    `Classified in ${ms.toFixed(1)} ms.`;
  const picture = document.getElementById('picture'), elements = document.getElementById('elements');
  for (const c of [picture, elements]) { c.width = image.width; c.height = image.height; }
  picture.getContext('2d').putImageData(image, 0, 0);
  draw(elements.getContext('2d'), r, image.width, image.height);
  const list = document.getElementById('list');
  list.replaceChildren(...sentences(r).map((s) => { const li = document.createElement('li'); li.textContent = s; return li; }));
  window.symmetryResult = { report: r, ms };
}

function fail(message) {
  document.body.classList.remove('classified');
  document.getElementById('group').textContent = message;
  document.getElementById('note').textContent = '';
  document.getElementById('list').replaceChildren();
  window.symmetryResult = { error: message };
}

// Decodes the file with the browser's own image decoder and classifies it.
async function open(file) {
  let bitmap;
  try {
    bitmap = await createImageBitmap(file, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  } catch {
    return fail(`${file.name}: not a picture this browser can read`);
  }
  if (bitmap.width > 4096 || bitmap.height > 4096)
    return fail(`${file.name}: too large: ${bitmap.width}x${bitmap.height}, at most 4096x4096`);
  const c = document.createElement('canvas');
  c.width = bitmap.width;
  c.height = bitmap.height;
  const g = c.getContext('2d', { willReadFrequently: true });
  g.drawImage(bitmap, 0, 0);
  const image = g.getImageData(0, 0, c.width, c.height);
  await ready;
  const { report, ms } = classify(image);
  show(report, ms, image);
}

document.getElementById('file').addEventListener('change', (e) => { if (e.target.files[0]) open(e.target.files[0]); });
const drop = document.getElementById('drop');
drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
drop.addEventListener('dragleave', () => drop.classList.remove('over'));
drop.addEventListener('drop', (e) => {
  e.preventDefault();
  drop.classList.remove('over');
  if (e.dataTransfer.files[0]) open(e.dataTransfer.files[0]);
});
// For the browser test: classify pixels already decoded.
window.symmetryClassify = async (image) => { await ready; return classify(image); };
