// Browser tests of the site (scripts/web test): every program runs in its
// page in headless Chromium and must show what the native build shows. The
// hashes the page reports are compared with tests/golden by the native
// capture tool (capture --compare LOG), as every platform's are.
//   node tests/web/pages.mjs SITE_DIR
import { spawnSync } from 'node:child_process';
import { readdirSync, mkdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { sitePrograms, serve, launch, newPage, instrument, nativeBuild, webBuild } from './browser.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const root = path.resolve(new URL('../..', import.meta.url).pathname);
const shots = path.join(webBuild, 'screenshots');
const logs = path.join(webBuild, 'test-output');
const listed = sitePrograms(site);
const programs = listed.map((p) => p.name);
let passed = 0, failed = 0;

function check(ok, what, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${ok || !detail ? '' : ': ' + detail}`);
}

const until = (page, test, arg, timeout = 120000) => page.waitForFunction(test, { timeout, polling: 20 }, arg);

// Pixels that differ between two pictures, each 'canvas' (the live one) or an
// image address; with `partition`, pixels whose colour classes differ (two
// pixels share a colour in one picture exactly when they do in the other).
function differences(page, a, b, partition = false) {
  return page.evaluate(async (a, b, partition) => {
    async function pixels(src) {
      let from = document.getElementById('canvas');
      if (src !== 'canvas') {
        from = new Image();
        from.src = src;
        await from.decode();
      }
      const c = document.createElement('canvas');
      c.width = 800;
      c.height = 600;
      const g = c.getContext('2d');
      g.drawImage(from, 0, 0);
      return new Uint32Array(g.getImageData(0, 0, 800, 600).data.buffer);
    }
    const [p, q] = [await pixels(a), await pixels(b)];
    const there = new Map(), back = new Map();
    let bad = 0;
    for (let i = 0; i < p.length; i++) {
      if (!partition) { bad += p[i] !== q[i]; continue; }
      if (!there.has(p[i])) there.set(p[i], q[i]);
      if (!back.has(q[i])) back.set(q[i], p[i]);
      bad += there.get(p[i]) !== q[i] || back.get(q[i]) !== p[i];
    }
    return bad;
  }, a, b, partition);
}

// Every stage and frame hashes as the golden ones (hashed in the page, waits
// answered at once); then, run as shipped but unpaced, the canvas at every
// wait is the stage's picture from the native build. The browser's rand()
// is not glibc's: the pictures a program colours at random compare by
// count, and its canvas by colour regions.
async function program(browser, url, entry) {
  const name = entry.name, random = entry.first_random_frame > 0;
  let page = await newPage(browser);
  await instrument(page, { hash: true, frameMs: 0, answer: true });
  await page.goto(url + name + '/');
  await until(page, () => window.seen.end);
  const seen = await page.evaluate(() => window.seen);
  check(seen.end.code === 0 && page.problems.length === 0, `${name}: runs to the end with no console error or failed request`,
    `status ${seen.end.code}; ${page.problems.join('; ')}`);
  mkdirSync(logs, { recursive: true });
  const log = path.join(logs, name + '.log');
  writeFileSync(log, seen.log.join('\n') + '\n');
  const compared = spawnSync(path.join(nativeBuild, 'bin/capture'),
    ['--compare', path.join(root, 'tests/golden', name + '.txt'), '--log', log, '--foreign-rand'], { encoding: 'utf8' });
  check(compared.status === 0, `${name}: every stage and frame hashes as the golden ones${random ? ' (random colours by count)' : ''}`,
    (compared.stdout + compared.stderr).trim());
  await page.close();

  page = await newPage(browser);
  await instrument(page, { frameMs: 0 });
  await page.goto(url + name + '/');
  const canvasBad = [];
  for (let k = 1; k <= entry.stills.length; k++) {
    await until(page, (k) => window.seen.waits.length >= k, k);
    const bad = await differences(page, 'canvas', entry.stills[k - 1], random);
    if (bad) canvasBad.push(`stage ${k}: ${bad} pixels`);
    await page.evaluate(() => window.Module.drawkit.pending++);
  }
  await until(page, () => window.seen.end);
  check(canvasBad.length === 0 && page.problems.length === 0,
    `${name}: the canvas at every wait is the native stage ${random ? '(colour regions)' : 'pixel for pixel'}`,
    [...canvasBad, ...page.problems].join('; '));
  await page.close();
}

// A key, a click and a tap each advance one stage; restart starts over;
// a screenshot of the canvas is the stage.
async function controls(browser, url) {
  const name = 'p6m_hexagon_wallpaper';
  const page = await newPage(browser);
  await page.setViewport({ width: 1000, height: 800, hasTouch: true });
  await instrument(page, {});
  await page.goto(url + name + '/');
  await until(page, () => window.seen.waits.length === 1);
  const actions = [['a key', () => page.keyboard.press('Space')], ['a click', () => page.click('#canvas')],
    ['a tap', () => page.tap('#canvas')]];
  for (const [i, [what, act]] of actions.entries()) {
    await act();
    await until(page, (n) => window.seen.waits.length >= n, i + 2).catch(() => {});
    await new Promise((ok) => setTimeout(ok, 300));
    const shown = await page.evaluate(() => [window.seen.waits.length, document.getElementById('status').textContent]);
    check(shown[0] === i + 2 && shown[1] === `Stage ${i + 2} of 5`, `${what} advances exactly one stage`, shown.join(', '));
  }
  await Promise.all([page.waitForNavigation(), page.click('#restart')]);
  await until(page, () => window.seen.waits.length === 1);
  await new Promise((ok) => setTimeout(ok, 300));
  check((await page.evaluate(() => window.seen.waits.join())) === '1', 'Start again starts over at stage 1');
  mkdirSync(shots, { recursive: true });
  await page.screenshot({ path: path.join(shots, name + '.png') });
  await page.evaluate(() => { document.getElementById('canvas').style.width = '800px'; });
  const shot = await (await page.$('#canvas')).screenshot({ encoding: 'base64' });
  const still = listed.find((p) => p.name === name).stills[0];
  check(await differences(page, 'data:image/png;base64,' + shot, still) === 0,
    'a screenshot of the canvas at 800 px is stage 1 pixel for pixel');
  check(page.problems.length === 0, 'the controls cause no console error or failed request', page.problems.join('; '));
  await page.close();
}

// The index and two program pages (one runs its program with an argument)
// fit 390 and 1280 pixels without horizontal scrolling; every link and
// picture of the index is there.
async function layout(browser, url) {
  for (const width of [390, 1280]) {
    for (const where of ['', 'snub_square_tiling/', 'wallpaper_group_p4m/']) {
      const page = await newPage(browser, width, 900);
      await page.goto(url + where, { waitUntil: 'load' });
      const wide = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
      check(wide <= 0, `${where || 'index'} at ${width} px has no horizontal scrolling`, `${wide} px too wide`);
      if (where === '') {
        // Lazy pictures load as they come into view.
        await page.evaluate(async () => {
          for (const img of document.querySelectorAll('img')) {
            img.scrollIntoView();
            await img.decode().catch(() => {});
          }
          window.scrollTo(0, 0);
        });
        await page.screenshot({ path: path.join(shots, `index-${width}.png`), fullPage: width === 390 ? false : true });
        const missing = await page.evaluate(async () => {
          const urls = [...document.querySelectorAll('a.card')].flatMap((a) => [a.href, a.querySelector('img').src]);
          const bad = [];
          for (const u of urls) if (!(await fetch(u)).ok) bad.push(u);
          return [urls.length, bad];
        });
        check(missing[0] === 2 * programs.length && missing[1].length === 0, `index at ${width} px: a card for every program`,
          `${missing[0]} links, missing ${missing[1].join(' ')}`);
      }
      check(page.problems.length === 0, `${where || 'index'} at ${width} px loads with no console error or failed request`,
        page.problems.join('; '));
      await page.close();
    }
  }
}

const { server, url } = await serve(site);
const browser = await launch();
try {
  mkdirSync(shots, { recursive: true });
  await layout(browser, url);
  await controls(browser, url);
  const only = process.env.WEB_PROGRAMS ? process.env.WEB_PROGRAMS.split(',') : programs;
  for (const entry of listed.filter((p) => only.includes(p.name))) {
    const name = entry.name;
    const files = path.join(site, entry.argument ? entry.program : name);  // shared by a program's entries
    if (!readdirSync(files).includes(entry.program + '.wasm')) { check(false, `${name}: no browser build`); continue; }
    if (entry.stills.length === 0) { check(false, `${name}: no stills from the native build`); continue; }
    await program(browser, url, entry).catch((e) => check(false, `${name}: runs in the page`, e.message));
  }
} finally {
  await browser.close();
  server.close();
}
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
