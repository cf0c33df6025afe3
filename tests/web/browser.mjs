// Shared by the browser tests and the benchmark: the site's program list, a
// static server for the site on the loopback address, Debian's headless
// Chromium through puppeteer-core, and a page loader that records console
// errors and failed requests.
import { createRequire } from 'node:module';
import { createServer } from 'node:http';
import { readFileSync } from 'node:fs';
import { readFile, mkdtemp } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
  '.png': 'image/png', '.gif': 'image/gif', '.jpg': 'image/jpeg', '.jpeg': 'image/jpeg', '.json': 'application/json' };

// The folders of the native build and of the browser build: build/ and
// build-web/ of the source tree unless DRAWKIT_BUILD_DIR and DRAWKIT_WEB_DIR
// (set by scripts/web) name others.
const root = path.resolve(new URL('../..', import.meta.url).pathname);
export const nativeBuild = path.resolve(root, process.env.DRAWKIT_BUILD_DIR || 'build');
export const webBuild = path.resolve(root, process.env.DRAWKIT_WEB_DIR || 'build-web');

// The entries of the site at SITE, in the order of docs/programs.tsv, as the
// gallery lists them in programs.json: {name (the entry's id), program (its
// binary), argument, frame_ms, first_random_frame, stills: the file names of
// its stage pictures}.
export function sitePrograms(site) {
  return JSON.parse(readFileSync(path.join(site, 'programs.json'), 'utf8')).programs;
}

// Serves ROOT on 127.0.0.1 at a free port; resolves to {server, url}.
export async function serve(root) {
  const server = createServer(async (req, res) => {
    let file = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (file.endsWith('/')) file += 'index.html';
    try {
      const body = await readFile(file);
      res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      res.end(body);
    } catch {
      res.writeHead(404);
      res.end();
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

export async function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: await mkdtemp(path.join(tmpdir(), 'web-chromium-')),
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
}

// A new page whose problems (console errors, uncaught exceptions, failed or
// refused requests) are collected in page.problems.
export async function newPage(browser, width = 1000, height = 800) {
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  page.problems = [];
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push('console: ' + m.text()); });
  page.on('pageerror', (e) => page.problems.push('exception: ' + e.message));
  page.on('requestfailed', (r) => page.problems.push('request failed: ' + r.url()));
  page.on('response', (r) => { if (r.status() >= 400) page.problems.push(`HTTP ${r.status()}: ${r.url()}`); });
  return page;
}

// Installs the test hooks of program.js before the page's scripts run:
// everything the program reports is kept in window.seen; the hashes in
// window.seen.log, in the lines of the capture tool's log.
export async function instrument(page, options) {
  await page.evaluateOnNewDocument((o) => {
    window.seen = { log: [], waits: [], resumed: 0, end: null, started: 0, firstWait: 0 };
    window.drawkitTest = {
      ...o,
      started() { window.seen.started = performance.now(); },
      frame(n, h) { if (h) window.seen.log.push(`frame ${n} ${h}`); },
      waiting(k, h) {
        if (h) window.seen.log.push(`wait ${k} ${h}`);
        if (!window.seen.firstWait) window.seen.firstWait = performance.now();
        window.seen.waits.push(k);
        return !!o.answer;
      },
      end(code) { window.seen.end = { code, at: performance.now() }; },
    };
  }, options);
}
