// The browser benchmark (scripts/web bench): each program runs in its page in
// headless Chromium, unpaced, every wait answered at once, and its time from
// start to end is printed beside its native time (program_bench, median CPU
// seconds under capture --timing). Also the time from starting to load the
// page to its first picture on the canvas, paced as a person sees it. Then
// the symmetry page's classifier on 800x600 and 4096x4096 pictures beside the
// native tool (tests/web/symmetry_timing.mjs).
//   node web/bench.mjs SITE_DIR [RUNS]
import { execFileSync } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { sitePrograms, serve, launch, newPage, instrument, nativeBuild, webBuild } from '../tests/web/browser.mjs';
import { symmetryTimes, symmetryTable } from '../tests/web/symmetry_timing.mjs';

const site = path.resolve(process.argv[2] || path.join(webBuild, 'site'));
const runs = Number(process.argv[3] || 3);
const programs = sitePrograms(site).map((p) => p.name);

const native = {};
const table = execFileSync(path.join(nativeBuild, 'bin/program_bench'), ['--runs', String(runs)], { encoding: 'utf8' });
for (const line of table.split('\n')) {
  const [name, median] = line.trim().split(/\s+/);
  if (programs.includes(name)) native[name] = Number(median);
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// Seconds from the program's start to its end, unpaced; and milliseconds from
// navigation to the first frame shown, paced.
async function time(browser, url, name) {
  const seconds = [];
  for (let r = 0; r < runs; r++) {
    const page = await newPage(browser);
    await instrument(page, { frameMs: 0, answer: true });
    await page.goto(url + name + '/');
    await page.waitForFunction(() => window.seen.end, { timeout: 300000, polling: 50 });
    const seen = await page.evaluate(() => window.seen);
    seconds.push((seen.end.at - seen.started) / 1000);
    await page.close();
  }
  const page = await newPage(browser);
  await instrument(page, {});
  await page.goto(url + name + '/');
  await page.waitForFunction(() => window.seen.waits.length > 0 || window.seen.end, { timeout: 300000, polling: 10 });
  const first = await page.evaluate(() => window.seen.firstWait);
  await page.close();
  return [median(seconds), first];
}

const { server, url } = await serve(site);
const browser = await launch();
console.log(`${'program'.padEnd(30)} ${'web s'.padStart(8)} ${'native s'.padStart(9)} ${'ratio'.padStart(6)} ${'stage 1 ms'.padStart(11)}`);
let web = 0, nat = 0;
for (const name of programs) {
  const [s, first] = await time(browser, url, name);
  web += s;
  nat += native[name] || 0;
  console.log(`${name.padEnd(30)} ${s.toFixed(3).padStart(8)} ${(native[name] ?? NaN).toFixed(3).padStart(9)} ` +
    `${(s / native[name]).toFixed(1).padStart(6)} ${first.toFixed(0).padStart(11)}`);
}
console.log(`${'total'.padEnd(30)} ${web.toFixed(3).padStart(8)} ${nat.toFixed(3).padStart(9)} ${(web / nat).toFixed(1).padStart(6)}`);
console.log(`web: median of ${runs} runs, wall-clock from start to end in the page; native: median CPU seconds under capture --timing.`);
console.log('stage 1 ms: from starting to load the page to the first stage on the canvas, paced as shown to a person.');
const page = await newPage(browser, 1280, 900);
await page.goto(url + 'symmetry.html', { waitUntil: 'load' });
const dir = mkdtempSync(path.join(tmpdir(), 'symmetry-bench-'));
console.log('\n' + symmetryTable(await symmetryTimes(page, path.join(nativeBuild, 'bin/symmetry'), dir, runs)));
await browser.close();
server.close();
