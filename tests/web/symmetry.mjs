// Browser test of the symmetry page (scripts/web test): a picture picked,
// photographed, dropped or pasted is classified in the page as the native
// tool classifies it, its elements are drawn and explained, its scores shown
// as bars; every example names its group with one click; a picture with no
// lattice says so; nothing is sent anywhere; the page fits a phone and a
// desktop; an 800x600 picture takes at most 300 ms. Prints the page's times
// beside the native tool's. SYMMETRY_SCREENSHOTS=DIR keeps screenshots of
// the page at 390 and 1280 pixels wide.
//   node tests/web/symmetry.mjs SITE_DIR
import { execFileSync } from 'node:child_process';
import { writeFileSync, mkdtempSync, mkdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { serve, launch, newPage, nativeBuild, webBuild } from './browser.mjs';
import { p4mPicture, symmetryTimes, symmetryTable } from './symmetry_timing.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const native = path.join(nativeBuild, 'bin/symmetry');
const shots = process.env.SYMMETRY_SCREENSHOTS;
let passed = 0, failed = 0;

function check(ok, what, detail = '') {
  if (ok) passed++;
  else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} symmetry page: ${what}${ok || !detail ? '' : ': ' + detail}`);
}

// The differences between the page's report and the native one, numbers to
// within 0.01 (the page runs the same code as wasm): [] when they agree.
function differences(web, nat, at = '') {
  if (typeof nat === 'number') return typeof web === 'number' && Math.abs(web - nat) <= 0.01 ? [] : [`${at}: ${web} vs ${nat}`];
  if (nat === null || typeof nat !== 'object') return web === nat ? [] : [`${at}: ${web} vs ${nat}`];
  if (web === null || typeof web !== 'object') return [`${at}: ${JSON.stringify(web)} vs an object`];
  const keys = new Set([...Object.keys(nat), ...Object.keys(web)]);
  return [...keys].flatMap((k) => differences(web[k], nat[k], `${at}.${k}`));
}

// The page's visible state: what a person reads off it.
const seen = (page) => page.evaluate(() => ({
  group: document.getElementById('group').textContent,
  names: document.getElementById('names').textContent,
  confidence: document.getElementById('confidence').textContent,
  note: document.getElementById('note').textContent,
  items: [...document.querySelectorAll('#list li')].map((e) => e.textContent),
  bars: [...document.querySelectorAll('#bars li')].map((li) => ({
    accepted: li.classList.contains('accepted'), label: li.querySelector('.label').textContent,
    threshold: !!li.querySelector('.threshold'), width: li.querySelector('.fill').style.width })),
  scoresShown: getComputedStyle(document.getElementById('scores')).display !== 'none',
  drawn: (() => {
    const c = document.getElementById('elements');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let n = 0;
    for (let i = 3; i < d.length; i += 4) n += d[i] > 0;
    return n;
  })(),
}));

// Drops (or pastes) the file of base64 `b64` on the page.
async function hand(page, how, b64, name, type) {
  await page.evaluate((how, b64, name, type) => {
    const bytes = Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0));
    const transfer = new DataTransfer();
    transfer.items.add(new File([bytes], name, { type }));
    if (how === 'drop')
      document.getElementById('drop').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    else document.dispatchEvent(new ClipboardEvent('paste', { clipboardData: transfer, bubbles: true, cancelable: true }));
  }, how, b64, name, type);
}

const { server, url } = await serve(site);
const browser = await launch();
try {
  const page = await newPage(browser, 1280, 900);
  await page.goto(url + 'symmetry.html', { waitUntil: 'load' });
  await page.waitForFunction(() => window.symmetryExamples !== undefined, { timeout: 30000 });
  await page.evaluate(() => Promise.all([...document.images].map((i) => i.decode().catch(() => {}))));
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  const result = () => page.waitForFunction(() => window.symmetryResult, { timeout: 120000 }).then(() =>
    page.evaluate(() => { const r = window.symmetryResult; window.symmetryResult = null; return r; }));

  const dir = mkdtempSync(path.join(tmpdir(), 'symmetry-page-'));
  const png = await page.evaluate(p4mPicture, 800, 600, 'image/png');
  const file = path.join(dir, 'p4m.png');
  writeFileSync(file, Buffer.from(png, 'base64'));
  const expected = JSON.parse(execFileSync(native, [file, '--json'], { encoding: 'utf8' }));
  check(expected.group === 'p4m', 'the native tool names the test picture p4m', expected.group);

  // Picked with the plain picker: the native report, drawn, explained, scored.
  await (await page.$('#file')).uploadFile(file);
  const picked = await result();
  const diff = picked.report ? differences(picked.report, expected) : [picked.error];
  check(diff.length === 0, 'a picked picture gets the native report', diff.slice(0, 5).join('; '));
  const r = picked.report || { centres: [], lines: [], scores: [] };
  let s = await seen(page);
  check(s.drawn > 10000, 'the elements are drawn over the picture', `${s.drawn} pixels drawn`);
  check(s.items.length === 1 + r.centres.length + r.lines.length && s.items.some((t) => t.startsWith('Mirror line')) &&
    s.items.some((t) => t.startsWith('Rotation centre of order 4')), 'one sentence per element', s.items.join(' | '));
  check(s.group.includes('p4m') && s.names.includes('*442') &&
    new RegExp(`Confidence: ${r.confidence_words} \\(${r.confidence.toFixed(2)}`).test(s.confidence),
  'the group, its orbifold name and the confidence in words and as a number are shown', `${s.group} / ${s.names} / ${s.confidence}`);
  check(s.scoresShown && s.bars.length === r.scores.length && s.bars.length > 0 && s.bars.every((b) => b.threshold) &&
    s.bars.filter((b) => b.accepted).length === r.scores.filter((o) => o.accepted).length &&
    s.bars.some((b) => b.accepted && b.label.startsWith('✓')),
  'one bar per scored operation, the threshold on each, the generators marked', JSON.stringify(s.bars));
  check(/Classified in \d+ ms/.test(s.note), 'the time taken is shown', s.note);

  // A JPEG through the camera's input, a dropped and a pasted picture.
  const jpeg = path.join(dir, 'p4m.jpg');
  writeFileSync(jpeg, Buffer.from(await page.evaluate(p4mPicture, 800, 600, 'image/jpeg'), 'base64'));
  await (await page.$('#camera')).uploadFile(jpeg);
  const photo = await result();
  check(photo.report && photo.report.group === 'p4m', 'a JPEG picked through the camera input is classified p4m',
    JSON.stringify(photo.report || photo.error).slice(0, 300));
  for (const how of ['drop', 'paste']) {
    await hand(page, how, png, `${how}.png`, 'image/png');
    const got = await result();
    check(got.report && differences(got.report, expected).length === 0, `a ${how === 'drop' ? 'dropped' : 'pasted'} picture gets the same report`);
  }
  await hand(page, 'drop', btoa('not a picture'), 'text.png', 'image/png');
  const bad = await result();
  check(bad.error === 'text.png: not a picture this browser can read', 'a file that is no picture is named with the reason',
    JSON.stringify(bad));

  // No lattice: noise says what was missing and what kind of picture works.
  const noise = await page.evaluate(() => {
    const c = document.createElement('canvas');
    c.width = 400;
    c.height = 300;
    const g = c.getContext('2d');
    const image = g.createImageData(400, 300);
    let x = 12345;
    for (let i = 0; i < image.data.length; i++) image.data[i] = i % 4 === 3 ? 255 : (x = (Math.imul(x, 1103515245) + 12345) >>> 0) >>> 24;
    g.putImageData(image, 0, 0);
    return c.toDataURL('image/png').split(',')[1];
  });
  await hand(page, 'drop', noise, 'noise.png', 'image/png');
  const none = await result();
  s = await seen(page);
  check(none.report && none.report.group === 'none' && s.group === 'No wallpaper, frieze or rosette group' && !s.scoresShown &&
    s.items.some((t) => t.includes('No two clear periods')) && s.items.some((t) => t.includes('repeats in two directions')),
  'a picture without a lattice says no two clear periods were found and what works', `${s.group} | ${s.items.join(' | ')}`);
  check(requests.length === 0, 'nothing is requested or sent once the page has loaded', requests.join(' '));

  // Larger than 4096 a side: scaled down first, and the page says so.
  const wide = path.join(dir, 'wide.png');
  writeFileSync(wide, Buffer.from(await page.evaluate(p4mPicture, 4800, 300, 'image/png'), 'base64'));
  await (await page.$('#file')).uploadFile(wide);
  const scaled = await result();
  s = await seen(page);
  check(scaled.width === 4096 && scaled.height === 256 && s.note.includes('4800x300 pixels, was scaled down to 4096x256'),
    'a picture wider than 4096 pixels is scaled down, and the page says so', `${scaled.width}x${scaled.height} ${s.note}`);

  // Every example names its group with one click, fetching only its own file.
  const examples = await page.$$eval('.example', (l) => l.map((b) => b.dataset.group));
  check(examples.length >= 4, 'the row of examples is there', `${examples.length} examples`);
  requests.length = 0;
  for (let k = 0; k < examples.length; k++) {
    await page.click(`.example:nth-child(${k + 1})`);
    const got = await result();
    const shown = await page.$eval('#group', (e) => e.textContent);
    check(got.report && got.report.group === examples[k] && shown === `Wallpaper group ${examples[k]}`,
      `example ${k + 1} is named ${examples[k]} with one click`, `${shown} (${got.error || ''})`);
  }
  check(requests.every((u) => u.includes('/examples/')), 'an example fetches only its own file', requests.join(' '));

  // The page fits a phone's width and a desktop's, with a result shown.
  // A phone (touch, 390 pixels) and a desktop; a change of touch reloads the page.
  for (const width of [390, 1280]) {
    await page.setViewport({ width, height: 900, isMobile: width < 500, hasTouch: width < 500 });
    await page.waitForFunction(() => window.symmetryExamples !== undefined, { timeout: 30000 });
    // A realistic example (a JPEG file of a p4g pattern): its scores as bars.
    await page.click('.example:nth-child(5)');
    await result();
    const over = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(over <= 0, `the page fits ${width} pixels wide`, `${over} pixels too wide`);
    if (width < 500)
      check(await page.$eval('#camera', (e) => e.parentElement.getBoundingClientRect().width > 0 && e.hasAttribute('capture')),
        'a phone is offered its camera');
    if (shots) {
      mkdirSync(shots, { recursive: true });
      await page.screenshot({ path: path.join(shots, `symmetry-${width}.png`), fullPage: true });
    }
  }

  // Time per picture in the page beside the native tool's.
  await page.setViewport({ width: 1280, height: 900 });
  const rows = await symmetryTimes(page, native, dir, 3, 1);
  console.log(symmetryTable(rows));
  check(rows.every((row) => row.group === 'p4m'), 'the timed pictures are named p4m in the page', rows.map((row) => row.group).join(' '));
  check(rows[0].web <= 300, 'an 800x600 picture takes at most 300 ms in the browser', `${rows[0].web.toFixed(1)} ms`);
  check(page.problems.length === 0, 'no console error or failed request', page.problems.join('; '));
} finally {
  await browser.close();
  server.close();
}
console.log(`symmetry page:`);
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
