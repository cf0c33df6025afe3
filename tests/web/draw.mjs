// Browser test of the drawing page (scripts/web test): strokes of every tool
// drawn with a real mouse and a real touch show in all their images while
// drawn; undo and redo by keys give back the canvas exactly, clear is
// undoable; a change of group keeps the strokes and the URL follows;
// ?group= opens that group; the exports are files of the right size; a
// saved drawing and a copied link load back, a damaged or foreign one says so
// in one line and changes nothing; Build it plays the group's stages with
// wallpaper_group's captions; Check names the chosen group of a scribble;
// the page's drawing equals build/bin/pattern_draw's render of the same JSON
// pixel for pixel; the page fits 390 and 1280 pixel wide windows. The same
// for a frieze and a rosette, opened by ?kind= or a program page's link.
// DRAW_SCREENSHOTS=DIR keeps screenshots of each kind at both widths.
//   node tests/web/draw.mjs SITE_DIR
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync, mkdtempSync, mkdirSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { serve, launch, newPage, nativeBuild, webBuild } from './browser.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const native = path.join(nativeBuild, 'bin/pattern_draw');
const shots = process.env.DRAW_SCREENSHOTS;
const dir = mkdtempSync(path.join(tmpdir(), 'draw-page-'));
let passed = 0, failed = 0;

function check(ok, what, detail = '') {
  if (ok) passed++;
  else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} draw page: ${what}${ok || !detail ? '' : ': ' + detail}`);
}

// What the page shows: a hash of the canvas's pixels, the stroke count, the
// group, the message line.
const state = (page) => page.evaluate(() => {
  const d = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600).data;
  let h = 2166136261;
  for (let i = 0; i < d.length; i++) h = Math.imul(h ^ d[i], 16777619);
  const core = window.drawPage.core();
  return { hash: h >>> 0, strokes: core._draw_stroke_count(), group: core.UTF8ToString(core._draw_group()),
    kind: core.UTF8ToString(core._draw_kind()),
    message: document.getElementById('message').textContent, search: location.search };
});

async function open(page, query = '') {
  await page.goto(page.site + 'draw.html' + query, { waitUntil: 'load' });
  await page.waitForFunction(() => window.drawReady, { timeout: 30000 });
}

// Canvas pixels to page pixels.
async function mapper(page) {
  const [x0, y0, w, h] = await page.$eval('#canvas', (c) => { const r = c.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; });
  return ([x, y]) => [x0 + (x * w) / 800, y0 + (y * h) / 600];
}

// A stroke through the canvas points `points` with the mouse (or a finger);
// `during` runs before the button is let go.
async function stroke(page, tool, points, { touch = false, during } = {}) {
  await page.click(`input[name=tool][value="${tool}"]`);
  const at = await mapper(page);
  if (touch) {
    await page.touchscreen.touchStart(...at(points[0]));
    for (const p of points.slice(1)) await page.touchscreen.touchMove(...at(p));
    if (during) await during();
    await page.touchscreen.touchEnd();
  } else {
    await page.mouse.move(...at(points[0]));
    await page.mouse.down();
    for (const p of points.slice(1)) await page.mouse.move(...at(p), { steps: 2 });
    if (during) await during();
    await page.mouse.up();
  }
}

async function key(page, combo) {
  const keys = combo.split('+');
  for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
  await page.keyboard.press(keys.at(-1));
  for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
}

// The files the page hands the browser, by CDP's download events: resolves
// to {name, bytes} of the download that `act` starts.
async function downloaded(page, act) {
  const session = page.downloads;
  const done = new Promise((resolve, reject) => {
    let name;
    const timer = setTimeout(() => reject(new Error('no download')), 15000);
    const begin = (e) => { name = e.suggestedFilename; };
    const progress = (e) => {
      if (e.state !== 'completed') return;
      clearTimeout(timer);
      session.off('Browser.downloadWillBegin', begin);
      session.off('Browser.downloadProgress', progress);
      resolve({ name, bytes: readFileSync(path.join(dir, e.guid)) });
    };
    session.on('Browser.downloadWillBegin', begin);
    session.on('Browser.downloadProgress', progress);
  });
  await act();
  return done.catch((e) => ({ name: '', bytes: Buffer.alloc(0), error: e.message }));
}
const pngSize = (b) => b.length > 24 && b.readUInt32BE(0) === 0x89504e47 ? [b.readUInt32BE(16), b.readUInt32BE(20)] : null;

// Compares a PNG file with the page's export at its size (or with the
// canvas as shown): the number of bytes that differ (-1 for another size).
const differsFromExport = (page, png, canvas = false) => page.evaluate(async (b64, canvas) => {
  const bytes = Uint8Array.from(atob(b64), (c) => c.charCodeAt(0));
  const bitmap = await createImageBitmap(new Blob([bytes]), { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  const c = new OffscreenCanvas(bitmap.width, bitmap.height);
  const g = c.getContext('2d');
  g.drawImage(bitmap, 0, 0);
  const file = g.getImageData(0, 0, bitmap.width, bitmap.height).data;
  const mine = canvas ? document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600)
    : window.drawPage.exported(bitmap.width, bitmap.height);
  if (!mine || mine.width !== bitmap.width || mine.height !== bitmap.height) return -1;
  let n = 0;
  for (let i = 0; i < file.length; i++) n += file[i] !== mine.data[i];
  return n;
}, png.toString('base64'), canvas);

// A random scribble: freehand strokes of a few colours across the canvas.
async function scribble(page, seed, count = 4) {
  let x = seed;
  const random = () => ((x = (Math.imul(x, 1103515245) + 12345) >>> 0) >>> 8) / (1 << 24);
  for (let s = 0; s < count; s++) {
    await page.$eval('#colour', (e, c) => { e.value = c; }, '#' + Math.floor(random() * 0xffffff).toString(16).padStart(6, '0'));
    const points = [[100 + 600 * random(), 100 + 400 * random()]];
    for (let k = 0; k < 8; k++) points.push(points.at(-1).map((v, i) => Math.min(i ? 590 : 790, Math.max(10, v + 120 * (random() - 0.5)))));
    await stroke(page, 0, points);
  }
}

const { server, url } = await serve(site);
const browser = await launch();
try {
  const page = await newPage(browser, 1280, 900);
  page.site = url;
  page.on('dialog', (d) => d.accept());  // leaving a drawing not saved asks first
  page.downloads = await page.createCDPSession();
  await page.downloads.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: dir, eventsEnabled: true });
  await open(page);
  const blank = await state(page);
  check(blank.group === 'p4m' && blank.strokes === 0 && blank.search === '?group=p4m' &&
    (await page.$$eval('#group option', (o) => o.length)) === 17 &&
    (await page.$eval('#group option:checked', (o) => o.textContent)).includes('*442'),
  'opens in p4m with the seventeen groups and their names to pick from', JSON.stringify(blank));

  // A freehand stroke shows in all its images while it is drawn, far from the pointer too.
  let mid = null;
  await stroke(page, 0, [[100, 100], [130, 120], [160, 110], [180, 140]], {
    during: async () => {
      mid = await page.evaluate(async () => {
        await new Promise((painted) => requestAnimationFrame(painted));
        const d = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600).data;
        let far = 0;
        for (let y = 0; y < 600; y++)
          for (let x = 300; x < 800; x++) far += d[(y * 800 + x) * 4] < 200;
        return far;
      });
    },
  });
  const one = await state(page);
  check(mid > 100 && one.strokes === 1 && one.hash !== blank.hash, 'a freehand stroke shows in all its images while drawn',
    `${mid} dark pixels away from the pointer, ${one.strokes} strokes`);
  await page.click('.swatch:nth-child(2)');
  await stroke(page, 1, [[400, 300], [520, 360], [600, 420]]);
  const two = await state(page);
  await page.$eval('#width', (e) => { e.value = '31'; e.dispatchEvent(new Event('input')); });
  await stroke(page, 2, [[250, 400], [280, 420]]);
  const three = await state(page);
  check(two.strokes === 2 && three.strokes === 3 && new Set([one.hash, two.hash, three.hash]).size === 3,
    'a line and a disc are drawn with the mouse');

  // Undo and redo by keys and buttons give back the canvas exactly; clear is undoable.
  await key(page, 'Control+z');
  const undone = await state(page);
  await key(page, 'Control+y');
  const redone = await state(page);
  await key(page, 'Control+z');
  await key(page, 'Control+Shift+Z');
  const redoneShift = await state(page);
  check(undone.hash === two.hash && undone.strokes === 2 && redone.hash === three.hash && redoneShift.hash === three.hash,
    'Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z undo and redo exactly');
  await page.click('#clear');
  const cleared = await state(page);
  await page.click('#undo');
  const back = await state(page);
  check(cleared.hash === blank.hash && cleared.strokes === 0 && back.hash === three.hash && back.strokes === 3,
    'clear empties the canvas and Undo brings the drawing back');

  // A change of group keeps the strokes; the URL follows; the way back is exact.
  await page.select('#group', 'p6');
  const p6 = await state(page);
  await page.select('#group', 'p4m');
  const p4mAgain = await state(page);
  check(p6.strokes === 3 && p6.group === 'p6' && p6.search === '?group=p6' && p6.hash !== three.hash &&
    p4mAgain.hash === three.hash, 'a change of group keeps the strokes, redraws them and sets ?group=', JSON.stringify(p6));

  // The exports: the canvas, one cell, a chosen size, SVG; each a file, without the overlays.
  await page.click('#show-cell');
  await page.click('#show-elements');
  const overlaid = await state(page);
  const canvasPng = await downloaded(page, () => page.click('#files summary').then(() => page.click('#export-canvas')));
  const cell = await page.evaluate(() => [window.drawPage.core()._draw_cell_width(), window.drawPage.core()._draw_cell_height()]);
  const cellPng = await downloaded(page, () => page.click('#export-cell'));
  await page.$eval('#export-width', (e) => { e.value = '1000'; });
  await page.$eval('#export-height', (e) => { e.value = '700'; });
  const sizedPng = await downloaded(page, () => page.click('#export-sized'));
  const svg = await downloaded(page, () => page.click('#export-svg'));
  check(String(pngSize(canvasPng.bytes)) === '800,600' && canvasPng.name === 'pattern-p4m.png' &&
    String(pngSize(cellPng.bytes)) === String(cell) && String(pngSize(sizedPng.bytes)) === '1000,700' &&
    /^(<\?xml[^>]*>\s*)?<svg[\s>]/.test(svg.bytes.toString('utf8')),
  'PNG of the canvas, of one cell and of a chosen size, and SVG are downloaded',
  JSON.stringify([canvasPng.name, pngSize(canvasPng.bytes), cell, pngSize(cellPng.bytes), pngSize(sizedPng.bytes), svg.bytes.length]));
  const withOverlays = await differsFromExport(page, canvasPng.bytes, true);
  await page.click('#show-cell');
  await page.click('#show-elements');
  check(overlaid.hash !== three.hash && withOverlays > 0 && await differsFromExport(page, canvasPng.bytes, true) === 0 &&
    (await state(page)).hash === three.hash, 'the overlays show on the canvas, and the canvas PNG is the drawing without them');
  await page.$eval('#export-width', (e) => { e.value = '5000'; });
  await page.click('#export-sized');
  check((await state(page)).message.includes('4096'), 'a size over 4096 is refused with a message');

  // The same drawing rendered natively, pixel for pixel, and its cell.
  const saved = await downloaded(page, () => page.click('#save'));
  const json = path.join(dir, 'drawing.json');
  writeFileSync(json, saved.bytes);
  let nativeDiff = 'no native render', cellDiff = 'no native render';
  if (existsSync(native)) {
    execFileSync(native, [json, '-o', path.join(dir, 'native.png')]);
    execFileSync(native, [json, '-o', path.join(dir, 'native-cell.png'), '--cell']);
    nativeDiff = await differsFromExport(page, readFileSync(path.join(dir, 'native.png')));
    cellDiff = await differsFromExport(page, readFileSync(path.join(dir, 'native-cell.png')));
  }
  check(nativeDiff === 0 && cellDiff === 0, `the drawing equals ${path.relative(process.cwd(), native)}'s render of its JSON, canvas and cell`,
    `${nativeDiff} and ${cellDiff} bytes differ`);

  // Save and load round-trip; damaged and foreign files change nothing and say why in one line.
  await page.click('#clear');
  const upload = async (name, bytes) => {
    const file = path.join(dir, name);
    writeFileSync(file, bytes);
    await page.evaluate(() => { window.drawLoaded = null; });
    await (await page.$('#load')).uploadFile(file);
    await page.waitForFunction(() => window.drawLoaded, { timeout: 10000 });
    return state(page);
  };
  const loaded = await upload('saved.json', saved.bytes);
  check(saved.name === 'pattern-p4m.json' && loaded.hash === three.hash && loaded.strokes === 3, 'a saved drawing loads back');
  for (const [name, bytes] of [['cut.json', saved.bytes.subarray(0, saved.bytes.length >> 1)],
    ['foreign.json', '{"format": "something else", "version": 1}'], ['picture.json', readFileSync(path.join(dir, 'native.png'))]]) {
    const after = await upload(name, bytes);
    check(after.hash === loaded.hash && after.strokes === 3 && after.message.startsWith(name + ': ') &&
      !after.message.includes('\n') && after.message.length > name.length + 8,
    `${name} gives one message line and leaves the drawing as it was`, after.message);
  }

  // A copied link opens the drawing; a damaged one says so and changes nothing.
  await page.click('#copy-link');
  const link = await page.waitForFunction(() => window.drawLink).then((h) => h.jsonValue());
  await open(page, '?group=p2' + link.slice(link.indexOf('#')));
  const linked = await state(page);
  check(link.includes('#d=') && linked.hash === three.hash && linked.group === 'p4m' && linked.search === '?group=p4m',
    'a copied link opens the drawing in its group', JSON.stringify(linked));
  await page.evaluate(() => { location.hash = '#d=' + location.hash.slice(3, 40).replace(/./g, 'A') + 'xyz'; });
  await page.waitForFunction(() => document.getElementById('message').textContent.includes('damaged'), { timeout: 5000 }).catch(() => {});
  const damaged = await state(page);
  check(damaged.hash === three.hash && damaged.strokes === 3 && damaged.message.includes('damaged'),
    'a damaged link gives one message and leaves the drawing as it was', damaged.message);

  // The index links to the page; a group's page opens it in that group (?group=); an unknown group is named.
  await page.goto(url, { waitUntil: 'load' });
  const fromIndex = await page.$eval('a[href="draw.html"]', (a) => a.textContent).catch(() => '');
  await page.goto(url + 'wallpaper_group_p6/', { waitUntil: 'domcontentloaded' });
  await Promise.all([page.waitForNavigation(), page.click('a[href="../draw.html?group=p6"]')]);
  await page.waitForFunction(() => window.drawReady, { timeout: 30000 });
  const opened = await state(page);
  check(fromIndex.length > 0, 'the index links to the page');
  await open(page, '?group=p7');
  const unknown = await state(page);
  check(opened.group === 'p6' && (await page.$eval('#group', (s) => s.value)) === 'p4m' && unknown.group === 'p4m' &&
    unknown.message.includes('p7'), 'p6\'s page opens the page in p6 (?group=p6); an unknown group is named and p4m drawn',
  unknown.message);

  // Friezes and rosettes. A frieze program's page opens the page in its group; the words follow the kind.
  await page.goto(url + 'frieze_group_p2mg/', { waitUntil: 'domcontentloaded' });
  await Promise.all([page.waitForNavigation(), page.click('a[href="../draw.html?kind=frieze&group=p2mg"]')]);
  await page.waitForFunction(() => window.drawReady, { timeout: 30000 });
  const words = () => page.evaluate(() => [[...document.querySelectorAll('#group option')].map((o) => o.value).join(),
    document.querySelector('input[name=kind]:checked').value, document.getElementById('export-cell').disabled,
    ['title', 'intro-group', 'group-names', 'show-cell-label', 'cell-note'].map((id) => document.getElementById(id).textContent).join(' | ')]);
  const [friezeOptions, friezeSwitch, , friezeText] = await words();
  await scribble(page, 13, 3);
  const frieze = await state(page);
  check(frieze.kind === 'frieze' && frieze.group === 'p2mg' && frieze.search === '?kind=frieze&group=p2mg' &&
    friezeOptions === 'p1,p11g,p1m1,p2,p2mg,p11m,p2mm' && friezeSwitch === 'frieze' && /frieze/.test(friezeText) && !/wallpaper/i.test(friezeText),
  'p2mg\'s program page opens the page in frieze p2mg, with the seven friezes to pick from and words of friezes', JSON.stringify([frieze, friezeText]));

  // A frieze drawn with the mouse is the native render of its saved file, canvas and one period; switched
  // to rosettes, the strokes stay and equal --group D6 --kind rosette; a rosette has no cell to export.
  const friezeSaved = await downloaded(page, () => page.click('#files summary').then(() => page.click('#save')));
  const friezeJson = path.join(dir, 'frieze.json');
  writeFileSync(friezeJson, friezeSaved.bytes);
  const period = await page.evaluate(() => [window.drawPage.core()._draw_cell_width(), window.drawPage.core()._draw_cell_height()]);
  const nativeOf = async (name, ...args) => {
    if (!existsSync(native)) return 'no native render';
    execFileSync(native, [friezeJson, '-o', path.join(dir, name), ...args]);
    return differsFromExport(page, readFileSync(path.join(dir, name)));
  };
  const friezeDiff = [await nativeOf('frieze.png'), await nativeOf('frieze-cell.png', '--cell')];
  await page.click('#kinds input[value=rosette]');
  await page.waitForFunction(() => location.search.includes('rosette'), { timeout: 10000 }).catch(() => {});
  const rosette = await state(page), [rosetteOptions, , cellOff, rosetteText] = await words();
  const rosetteDiff = await nativeOf('rosette.png', '--group', 'D6', '--kind', 'rosette');
  check(JSON.parse(friezeSaved.bytes).kind === 'frieze' && friezeSaved.name === 'pattern-frieze-p2mg.json' && period[1] === 600 &&
    period[0] > 0 && period[0] <= 800 && String(friezeDiff) === '0,0', 'a frieze drawn with the mouse equals the native render of its file, canvas and one period',
  JSON.stringify({ period, friezeDiff, name: friezeSaved.name }));
  check(rosette.kind === 'rosette' && rosette.group === 'D6' && rosette.strokes === 3 && rosette.search === '?kind=rosette&group=D6' &&
    rosetteDiff === 0 && rosetteOptions.split(',').length === 24 && cellOff && /rosette.*does not repeat/.test(rosetteText),
  'the switch to Rosette keeps the strokes, drawn in D6 as natively; no cell to export, and why', JSON.stringify([rosette, rosetteText, rosetteDiff]));

  // The saved frieze loads back as one.
  await page.evaluate(() => { window.drawLoaded = null; });
  await (await page.$('#load')).uploadFile(friezeJson);
  await page.waitForFunction(() => window.drawLoaded, { timeout: 10000 });
  const reloaded = await state(page), reloadedSwitch = (await words())[1];
  check(reloaded.hash === frieze.hash && `${reloaded.group} ${reloaded.search} ${reloadedSwitch}` === 'p2mg ?kind=frieze&group=p2mg frieze',
    'a saved frieze loads back as one, from a rosette', JSON.stringify([reloaded, reloadedSwitch]));

  // ?kind=: frieze p1 is not wallpaper p1; no group gives the kind's first; an unknown group or kind is named.
  const asked = [];
  for (const [query, opened, named] of [['?kind=frieze&group=p1', 'frieze p1'], ['?group=p1', 'wallpaper p1'], ['?kind=rosette', 'rosette D6'],
    ['?kind=frieze&group=p4m', 'frieze p2mg', 'frieze group "p4m"'], ['?kind=spiral&group=p1', 'wallpaper p4m', 'spiral']]) {
    await open(page, query);
    const at = await state(page);
    asked.push(`${at.kind} ${at.group}` === opened && (named ? at.message.includes(named) : at.message === '') || `${query}: ${JSON.stringify(at)}`);
  }
  check(asked.every((a) => a === true), '?kind= opens a frieze or a rosette group, and names an unknown group or kind in one line',
    asked.filter((a) => a !== true).join('; '));

  // Build it: the group program's stages (its generating operations + 3, for a wallpaper group) with
  // their captions, played and stepped.
  const captions = JSON.parse(readFileSync(path.join(site, 'draw_captions.json'), 'utf8'));
  const listed = await page.evaluate(() => JSON.parse(window.drawPage.core().UTF8ToString(window.drawPage.core()._draw_groups())));
  for (const [kind, group] of [['wallpaper', 'p4m'], ['wallpaper', 'p1'], ['wallpaper', 'p31m'], ['frieze', 'p1'], ['rosette', 'D6']]) {
    await open(page, kind === 'wallpaper' ? `?group=${group}` : `?kind=${kind}&group=${group}`);
    await scribble(page, 7, 2);
    const drawing = await state(page);
    const expected = captions[`${kind}_group_${group}`].slice(1);  // stage k's caption is line k + 1
    const stages = listed.find((g) => g.kind === kind && g.name === group).stages;
    await page.click('#build-it');
    const first = await page.evaluate(() => window.drawStage);
    await page.waitForFunction(() => window.drawStage && window.drawStage.k === 2, { timeout: 4000 }).catch(() => {});
    const playing = await page.evaluate(() => window.drawStage);
    await page.click('#build-play');  // pause
    const stage = () => page.evaluate(() => window.drawStage || { k: 0, caption: '' });
    for (let n = 0; n < first.count && (await stage()).k > 1; n++) await page.click('#build-previous');
    const seen = [await stage()];
    for (let n = 1; n < first.count; n++) {
      await page.click('#build-next');
      seen.push(await stage());
    }
    check(first.count === expected.length && first.count === stages && drawing.kind === kind && playing.k === 2 && seen.map((s) => s.k).join() === [...expected.keys()].map((k) => k + 1).join() &&
      seen[0].caption.startsWith('Your motif') && !seen[0].caption.includes('three discs') &&
      seen.slice(1).every((s, i) => s.caption === expected[i + 1]),
    `Build it in ${kind} ${group} plays ${kind}_group's ${expected.length} stages with their captions`,
    JSON.stringify({ first, playing: playing.k, seen: seen.map((s) => [s.k, s.caption.slice(0, 30)]) }));
    await page.click('#build-close');
    check((await state(page)).hash === drawing.hash, `Back to drawing shows the drawing again (${group})`);
  }

  // Check names the chosen group of a random scribble.
  for (const [group, seed] of [['p4m', 3], ['p6', 11], ['pgg', 5], ['p31m', 9]]) {
    await open(page, `?group=${group}`);
    await scribble(page, seed);
    await page.evaluate(() => { window.drawCheck = null; });
    await page.click('#check');
    const got = await page.waitForFunction(() => window.drawCheck, { timeout: 60000 }).then((h) => h.jsonValue());
    const shown = await page.$eval('#check-result', (e) => e.textContent);
    check(got.found === group && shown.includes(`names ${group}`), `Check names ${group} for a scribble in ${group}`,
      `${JSON.stringify(got)} ${shown}`);
  }
  check(page.problems.length === 0, 'no console error or failed request', page.problems.join('; '));

  // A phone (touch, 390 pixels) and a desktop: the page fits, the canvas is the largest thing, a finger draws.
  for (const width of [390, 1280]) {
    const small = width < 500;
    const p = await newPage(browser, width, small ? 844 : 800);
    p.site = url;
    p.on('dialog', (d) => d.accept());
    if (small) await p.setViewport({ width, height: 844, isMobile: true, hasTouch: true });
    await open(p);
    await scribble(p, 21, 3);
    if (small) {
      const before = await state(p);
      await stroke(p, 0, [[500, 300], [540, 340], [580, 320], [620, 360]], { touch: true });
      const after = await state(p);
      check(after.strokes === before.strokes + 1 && after.hash !== before.hash &&
        (await p.evaluate(() => window.scrollY)) === 0, 'a finger draws a stroke and does not scroll the page');
    }
    // The wallpaper drawing, then a frieze and a rosette one: each fits, each kept as a screenshot.
    for (const [kind, query] of [['wallpaper', ''], ['frieze', '?kind=frieze&group=p2mg'], ['rosette', '?kind=rosette&group=D6']]) {
      if (query) {
        await open(p, query);
        await scribble(p, 21, 3);
      }
      const layout = await p.evaluate(() => {
        const area = (e) => { const r = e.getBoundingClientRect(); return r.width * r.height; };
        const canvas = area(document.getElementById('canvas'));
        const others = [...document.querySelectorAll('#panel > *, header, #message')].map(area);
        return { over: document.documentElement.scrollWidth - window.innerWidth, largest: others.every((a) => a < canvas) };
      });
      check(layout.over <= 0 && layout.largest, `the page fits ${width} pixels wide with the canvas the largest thing on it (${kind})`,
        JSON.stringify(layout));
      if (shots) {
        mkdirSync(shots, { recursive: true });
        await p.screenshot({ path: path.join(shots, `draw-${query ? kind + '-' : ''}${width}.png`), fullPage: true });
      }
    }
    check(p.problems.length === 0, `no console error at ${width} pixels wide`, p.problems.join('; '));
    await p.close();
  }
} finally {
  await browser.close();
  server.close();
}
console.log(`draw page:`);
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
