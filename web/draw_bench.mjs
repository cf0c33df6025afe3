// The drawing page's benchmark (scripts/web draw-bench): in headless
// Chromium, a p6m drawing of 800x600 with 200 freehand strokes; then the time
// of a pointer move while the 201st stroke is drawn (the core's draw_move and
// the page putting its pixels on the canvas; aim 8 ms, a frame at 120 Hz),
// of "Build it" (making every stage, and showing each; aim 100 ms a stage),
// and of a few other steps a person waits for. Prints a table; not a test.
// GROUP is a wallpaper group (p6m) or KIND/NAME (frieze/p2mg, rosette/D12).
//   node web/draw_bench.mjs SITE_DIR [GROUP] [STROKES]
import path from 'node:path';
import { serve, launch, newPage, webBuild } from '../tests/web/browser.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const [kind, group] = (process.argv[3] || 'p6m').includes('/') ? process.argv[3].split('/', 2) : ['wallpaper', process.argv[3] || 'p6m'];
const strokes = Number(process.argv[4] || 200);

const { server, url } = await serve(site);
const browser = await launch();
try {
  const page = await newPage(browser, 1280, 900);
  await page.goto(`${url}draw.html?kind=${encodeURIComponent(kind)}&group=${encodeURIComponent(group)}`, { waitUntil: 'load' });
  await page.waitForFunction(() => window.drawReady, { timeout: 30000 });
  const refused = await page.$eval('#message', (m) => m.textContent);  // an unknown group or kind
  if (refused) {
    console.error(`draw_bench: ${refused}`);
    await browser.close();
    server.close();
    process.exit(2);
  }
  const rows = await page.evaluate((strokes) => {
    const core = window.drawPage.core(), paint = window.drawPage.paint;
    let x = 2024;
    const random = () => ((x = (Math.imul(x, 1103515245) + 12345) >>> 0) >>> 8) / (1 << 24);
    const time = (f) => { const t = performance.now(); f(); return performance.now() - t; };
    const summary = (what, ms, aim = '') => {
      const sorted = [...ms].sort((a, b) => a - b);
      return { what, n: ms.length, median: sorted[sorted.length >> 1], p95: sorted[Math.floor(sorted.length * 0.95)],
        max: sorted.at(-1), aim };
    };
    // A stroke wandering from a random point, 30 moves of up to 12 pixels.
    const scribble = (moves, each = () => {}) => {
      let [px, py] = [800 * random(), 600 * random()];
      core._draw_begin(0, Math.floor(random() * 0xffffff), 1 + 2 * Math.floor(random() * 6), px, py);
      for (let k = 0; k < moves; k++) {
        px = Math.min(800, Math.max(0, px + 24 * (random() - 0.5)));
        py = Math.min(600, Math.max(0, py + 24 * (random() - 0.5)));
        each(px, py);
      }
    };
    const setUp = [];
    for (let s = 0; s < strokes; s++) {
      scribble(30, (px, py) => core._draw_move(px, py));
      setUp.push(time(() => core._draw_end()));
    }
    paint();
    const moves = [];
    scribble(200, (px, py) => moves.push(time(() => { core._draw_move(px, py); paint(); })));
    core._draw_end();
    const move = [], put = [];
    scribble(200, (px, py) => { move.push(time(() => core._draw_move(px, py))); put.push(time(paint)); });
    const end = [time(() => core._draw_end())];
    const undo = [time(() => { core._draw_undo(); paint(); })];
    const redo = [time(() => { core._draw_redo(); paint(); })];
    // Another group of the same kind, and back.
    const kind = core.UTF8ToString(core._draw_kind());
    const others = { wallpaper: ['p4m', 'p6m'], frieze: ['p2mm', 'p2mg'], rosette: ['D6', 'D12'] }[kind];
    const other = core.UTF8ToString(core._draw_group()) === others[0] ? others[1] : others[0];
    const setGroup = (name) => {
      const k = core._malloc(16), n = core._malloc(8);
      core.stringToUTF8(kind, k, 16);
      core.stringToUTF8(name, n, 8);
      core._draw_set_kind_group(k, n);
      core._free(k);
      core._free(n);
      paint();
    };
    const here = core.UTF8ToString(core._draw_group());
    const switched = [time(() => setGroup(other)), time(() => setGroup(here))];
    const overlays = [time(() => { core._draw_set_overlays(1, 1, 1); paint(); }), time(() => { core._draw_set_overlays(0, 0, 0); paint(); })];
    let count = 0;
    const build = [time(() => { count = core._draw_build(); })];
    const canvas = document.getElementById('canvas').getContext('2d');
    const show = [];
    for (let k = 1; k <= count; k++)
      show.push(time(() => canvas.putImageData(new ImageData(new Uint8ClampedArray(core.HEAPU8.buffer,
        core._draw_build_stage(k), 800 * 600 * 4), 800, 600), 0, 0)));
    const exported = [time(() => window.drawPage.exported())];
    return [
      summary(`commit a stroke (${strokes} strokes)`, setUp),
      summary('pointer move: draw_move + canvas', moves, 8),
      summary('  of which draw_move', move),
      summary('  of which the canvas (putImageData)', put),
      summary('end the stroke (draw_end)', end),
      summary('undo + canvas', undo),
      summary('redo + canvas', redo),
      summary(`change of group (to ${other} and back) + canvas`, switched),
      summary('overlays on, off + canvas', overlays),
      summary(`Build it: make all ${count} stages`, build),
      summary('Build it: per stage (made + shown)', show.map((s) => s + build[0] / count), 100),
      summary('Build it: show one stage', show),
      summary('export 800x600 without overlays', exported),
    ];
  }, strokes);
  const f = (v) => (typeof v === 'number' ? v.toFixed(2) : String(v)).padStart(8);
  console.log(`drawing page, ${kind} ${group}, 800x600, ${strokes} strokes, headless Chromium; times in ms`);
  console.log(`${'step'.padEnd(46)} ${'n'.padStart(5)} ${'median'.padStart(8)} ${'p95'.padStart(8)} ${'max'.padStart(8)} ${'aim'.padStart(8)}`);
  for (const r of rows)
    console.log(`${r.what.padEnd(46)} ${String(r.n).padStart(5)} ${f(r.median)} ${f(r.p95)} ${f(r.max)} ${f(r.aim)}`);
  if (page.problems.length) console.log('problems: ' + page.problems.join('; '));
} finally {
  await browser.close();
  server.close();
}
