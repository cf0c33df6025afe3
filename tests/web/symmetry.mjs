// Browser test of the symmetry page (scripts/web test): a picture picked or
// dropped is classified in the page exactly as the native tool classifies
// it, its elements are drawn and explained, nothing is sent anywhere, and an
// 800x600 picture takes at most 300 ms.
//   node tests/web/symmetry.mjs SITE_DIR
import { execFileSync } from 'node:child_process';
import { writeFileSync, mkdtempSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { serve, launch, newPage, nativeBuild, webBuild } from './browser.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const native = path.join(nativeBuild, 'bin/symmetry');
let passed = 0, failed = 0;

function check(ok, what, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} symmetry page: ${what}${ok || !detail ? '' : ': ' + detail}`);
}

// An 800x600 p4m wallpaper drawn in the page: a random 48-pixel motif
// folded by the mirrors x = 23.5 + 24k, y = 23.5 + 24k and the diagonal.
function p4mPicture() {
  const c = document.createElement('canvas');
  c.width = 800;
  c.height = 600;
  const g = c.getContext('2d');
  const image = g.createImageData(800, 600);
  let seed = 7;
  const table = Array.from({ length: 36 }, () => (seed = (seed * 1103515245 + 12345) >>> 0) >>> 8);
  for (let y = 0; y < 600; y++)
    for (let x = 0; x < 800; x++) {
      const fx = (x + 5) % 48, fy = (y + 9) % 48;
      let ax = Math.min(fx, 47 - fx), ay = Math.min(fy, 47 - fy);
      if (ax > ay) [ax, ay] = [ay, ax];
      const colour = table[(ax >> 2) * 6 + (ay >> 2)];
      const i = 4 * (y * 800 + x);
      image.data.set([colour >> 16, (colour >> 8) & 255, colour & 255, 255], i);
    }
  g.putImageData(image, 0, 0);
  return c.toDataURL('image/png').split(',')[1];
}

const { server, url } = await serve(site);
const browser = await launch();
try {
  const page = await newPage(browser);
  await page.goto(url + 'symmetry.html', { waitUntil: 'load' });
  const png = Buffer.from(await page.evaluate(p4mPicture), 'base64');
  const dir = mkdtempSync(path.join(tmpdir(), 'symmetry-page-'));
  const file = path.join(dir, 'p4m.png');
  writeFileSync(file, png);
  const expected = execFileSync(native, [file], { encoding: 'utf8' });
  check(expected.startsWith('group: p4m\n'), 'the native tool names the test picture p4m', expected.split('\n')[0]);

  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  const result = () => page.waitForFunction(() => window.symmetryResult, { timeout: 60000 }).then(() =>
    page.evaluate(() => { const r = window.symmetryResult; window.symmetryResult = null; return r; }));

  await (await page.$('#file')).uploadFile(file);
  const picked = await result();
  check(picked.report && picked.report.text === expected, 'a picked picture gets the native report, line for line',
    picked.report ? picked.report.text : picked.error);
  const drawn = await page.evaluate(() => {
    const c = document.getElementById('elements');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let n = 0;
    for (let i = 3; i < d.length; i += 4) n += d[i] > 0;
    return n;
  });
  check(drawn > 10000, 'the elements are drawn over the picture', `${drawn} pixels drawn`);
  const items = await page.$$eval('#list li', (l) => l.map((e) => e.textContent));
  const r = picked.report || { centres: [], lines: [] };
  check(items.length === 1 + r.centres.length + r.lines.length && items.some((s) => s.startsWith('Mirror line')) &&
    items.some((s) => s.startsWith('Rotation centre of order 4')), 'one sentence per element', items.join(' | '));
  check((await page.$eval('#group', (e) => e.textContent)).includes('p4m'), 'the group is shown');

  await page.evaluate(async (b64) => {
    const bytes = Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0));
    const transfer = new DataTransfer();
    transfer.items.add(new File([bytes], 'dropped.png', { type: 'image/png' }));
    document.getElementById('drop').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, png.toString('base64'));
  const dropped = await result();
  check(dropped.report && dropped.report.text === expected, 'a dropped picture gets the same report');

  await page.evaluate(() => {
    const transfer = new DataTransfer();
    transfer.items.add(new File(['not a picture'], 'text.png', { type: 'image/png' }));
    document.getElementById('drop').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  });
  const bad = await result();
  check(bad.error === 'text.png: not a picture this browser can read', 'a file that is no picture is named with the reason',
    JSON.stringify(bad));
  check(requests.length === 0, 'nothing is requested or sent once the page has loaded', requests.join(' '));

  // Time per picture: the median of five runs in the page, beside the native benchmark.
  const times = await page.evaluate(async () => {
    const c = document.getElementById('picture');
    const image = c.getContext('2d').getImageData(0, 0, c.width, c.height);
    const t = [];
    for (let k = 0; k < 5; k++) t.push((await window.symmetryClassify(image)).ms);
    return t.sort((p, q) => p - q);
  });
  const median = times[2];
  let nativeMs = '';
  const bench = path.join(nativeBuild, 'bin/symmetry_bench');
  if (existsSync(bench)) {
    const json = JSON.parse(execFileSync(bench, ['--benchmark_filter=classify_800x600/4$', '--benchmark_format=json'], { encoding: 'utf8' }));
    nativeMs = `, native ${json.benchmarks[0].cpu_time.toFixed(1)} ms CPU (symmetry_bench, p4m 800x600)`;
  }
  console.log(`symmetry page: 800x600 p4m classified in ${median.toFixed(1)} ms in the browser${nativeMs}`);
  check(median <= 300, 'an 800x600 picture takes at most 300 ms in the browser', `${median.toFixed(1)} ms`);
  check(page.problems.length === 0, 'no console error or failed request', page.problems.join('; '));
} finally {
  await browser.close();
  server.close();
}
console.log(`symmetry page:`);
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
