// The symmetry classifier's time in the page beside the native tool's, on
// the same pictures: p4m wallpapers of 800x600 and 4096x4096 pixels, as
// drawn (exact to the pixel) and saved as JPEG (the robust path). Shared by
// the browser test (tests/web/symmetry.mjs) and the benchmark (web/bench.mjs).
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import path from 'node:path';

// In the page: a W x H p4m wallpaper, a random 48-pixel motif folded by the
// mirrors x = 23.5 + 24k, y = 23.5 + 24k and the diagonal; returns the file
// of `type` (image/png or image/jpeg) in base64.
export function p4mPicture(w, h, type = 'image/png') {
  const c = document.createElement('canvas');
  c.width = w;
  c.height = h;
  const g = c.getContext('2d');
  const image = g.createImageData(w, h);
  let seed = 7;
  const table = Array.from({ length: 36 }, () => (seed = (seed * 1103515245 + 12345) >>> 0) >>> 8);
  for (let y = 0; y < h; y++)
    for (let x = 0; x < w; x++) {
      const fx = (x + 5) % 48, fy = (y + 9) % 48;
      let ax = Math.min(fx, 47 - fx), ay = Math.min(fy, 47 - fy);
      if (ax > ay) [ax, ay] = [ay, ax];
      const colour = table[(ax >> 2) * 6 + (ay >> 2)];
      const i = 4 * (y * w + x);
      image.data[i] = colour >> 16;
      image.data[i + 1] = (colour >> 8) & 255;
      image.data[i + 2] = colour & 255;
      image.data[i + 3] = 255;
    }
  g.putImageData(image, 0, 0);
  return c.toDataURL(type, 0.85).split(',')[1];
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// Times each picture RUNS times (the 4096x4096 ones BIG_RUNS times) in PAGE (a loaded symmetry.html) and with
// the native tool NATIVE on the same file written to DIR; returns rows
// {name, group (as the page named it), web (ms, median, classification
// only), native (ms, median, the whole run: reading the file too)}.
export async function symmetryTimes(page, native, dir, runs = 3, bigRuns = runs) {
  const rows = [];
  for (const [w, h, n] of [[800, 600, runs], [4096, 4096, bigRuns]])
    for (const [type, ext] of [['image/png', 'png'], ['image/jpeg', 'jpg']]) {
      const data = await page.evaluate(p4mPicture, w, h, type);
      const file = path.join(dir, `p4m-${w}x${h}.${ext}`);
      writeFileSync(file, Buffer.from(data, 'base64'));
      const web = await page.evaluate(async (b64, type, runs) => {
        const bytes = Uint8Array.from(atob(b64), (ch) => ch.charCodeAt(0));
        const bitmap = await createImageBitmap(new Blob([bytes], { type }), { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
        const c = new OffscreenCanvas(bitmap.width, bitmap.height);
        const g = c.getContext('2d', { willReadFrequently: true });
        g.drawImage(bitmap, 0, 0);
        const image = g.getImageData(0, 0, c.width, c.height);
        const ms = [];
        let group = '';
        for (let k = 0; k < runs; k++) {
          const r = await window.symmetryClassify(image);
          ms.push(r.ms);
          group = r.report.group || r.report.error;
        }
        return { ms, group };
      }, data, type, n);
      const nativeMs = [];
      for (let k = 0; k < n; k++) {
        const start = process.hrtime.bigint();
        execFileSync(native, [file, '--json'], { encoding: 'utf8' });
        nativeMs.push(Number(process.hrtime.bigint() - start) / 1e6);
      }
      rows.push({ name: `p4m ${w}x${h} ${ext.toUpperCase()}`, group: web.group, web: median(web.ms), native: median(nativeMs) });
    }
  return rows;
}

// The rows as a table, one line each.
export function symmetryTable(rows) {
  const lines = [`${'symmetry page'.padEnd(30)} ${'web ms'.padStart(8)} ${'native ms'.padStart(9)} ${'ratio'.padStart(6)}  group`];
  for (const r of rows)
    lines.push(`${r.name.padEnd(30)} ${r.web.toFixed(0).padStart(8)} ${r.native.toFixed(0).padStart(9)} ` +
      `${(r.web / r.native).toFixed(1).padStart(6)}  ${r.group}`);
  lines.push('web: classification in the page (wasm); native: build/bin/symmetry, the whole run with reading the file.');
  return lines.join('\n');
}
