// The web page's figures: its payload, how soon it shows the hand, and the
// pace of a motion in headless Chromium.
// Usage: node bench/web_bench.mjs SITE_FOLDER   (bash scripts/bench.sh --web)

import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import {
  launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from '../src/web/tools/page_session.mjs';

const loads = 15;
const site = process.argv[2];

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// A figure against its goal, said plainly: a benchmark reports, it does not fail.
const againstGoal = (met, goal) => `(goal: ${goal}; ${met ? 'met' : 'not met'})`;

const gzippedSize = file => gzipSync(readFileSync(path.join(site, file)), { level: 9 }).length;

function payload() {
  const files = readdirSync(site);
  const bytes = files.reduce((sum, file) => sum + readFileSync(path.join(site, file)).length, 0);
  const gzipped = files.reduce((sum, file) => sum + gzippedSize(file), 0) / 1024;
  const viewer = (gzippedSize('hand-viewer.js') + gzippedSize('hand-viewer.wasm')) / 1024;
  console.log(`payload: ${(bytes / 1024).toFixed(1)} KB, ${gzipped.toFixed(1)} KB gzipped ` +
              againstGoal(gzipped <= 40, '40 KB or less'));
  console.log(`hand-viewer.js and .wasm: ${viewer.toFixed(1)} KB gzipped ` +
              againstGoal(viewer <= 30, '30 KB or less'));
}

// From the start of navigation to the first frame, as each page marks it:
// the viewer's page; the same page with a cleared WebGL canvas in place of
// the viewer, which tells the page's own share from the viewer's; and a bare
// page that only clears a WebGL canvas, the floor any WebGL page stands on.
// Loads take turns, so that all three meet the same machine.
async function firstFrame(browser, url) {
  const others = { 'page without viewer': pageWithoutViewer(), bare: bareSite() };
  const addresses = { viewer: url };
  const servers = [];
  for (const [name, folder] of Object.entries(others)) {
    const served = await serveSite(folder);
    servers.push(served.server);
    addresses[name] = served.url;
  }
  const times = Object.fromEntries(Object.keys(addresses).map(name => [name, []]));
  for (let i = 0; i < loads; i++) {
    for (const [name, address] of Object.entries(addresses)) {
      const { page } = await openPage(browser, address);
      await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
      times[name].push(await page.evaluate(() => performance.getEntriesByName('first-frame')[0].startTime));
      await page.close();
    }
  }
  servers.forEach(server => server.close());
  Object.values(others).forEach(folder => rmSync(folder, { recursive: true }));
  for (const [name, list] of Object.entries(times))
    console.log(`first frame, ${name}: median ${median(list).toFixed(0)} ms of ${loads} loads ` +
                `(${list.map(t => t.toFixed(0)).join(', ')})`);
  const against = name => median(times[name]) / median(times.bare);
  console.log(`first frame, page without viewer against bare: ${against('page without viewer').toFixed(2)} times`);
  console.log(`first frame, viewer against bare: ${against('viewer').toFixed(2)} times ` +
              againstGoal(against('viewer') <= 1.5, '1.50 or less'));
}

const clearedCanvas = canvas => `const gl = ${canvas}.getContext('webgl');
requestAnimationFrame(() => {
  gl.clearColor(0, 0, 0, 1);
  gl.clear(gl.COLOR_BUFFER_BIT);
  performance.mark('first-frame');
});`;

function pageWithoutViewer() {
  const folder = mkdtempSync(path.join(tmpdir(), 'page-without-viewer-'));
  cpSync(site, folder, { recursive: true });
  rmSync(path.join(folder, 'hand-viewer.wasm'));
  writeFileSync(path.join(folder, 'hand-viewer.js'), clearedCanvas('Module.canvas'));
  const html = path.join(folder, 'index.html');
  writeFileSync(html, readFileSync(html, 'utf8').replace(/<link rel="preload"[^>]*>\n/, ''));
  return folder;
}

function bareSite() {
  const folder = mkdtempSync(path.join(tmpdir(), 'bare-webgl-'));
  writeFileSync(path.join(folder, 'index.html'), `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>bare WebGL</title></head>
<body><canvas width="300" height="300"></canvas><script>
${clearedCanvas("document.querySelector('canvas')")}
</script></body></html>
`);
  return folder;
}

// Closing the fingers one by one: 105 frames, with the lesson on (every
// joint frame's axes and a selected joint) or off. Each frame's time is
// taken as it is drawn; frames that fall in the same animation frame were
// not shown.
async function motionPace(browser, url, lesson) {
  const { page } = await openPage(browser, url);
  await waitUntilReady(page);
  await typeKeys(page, 'n');
  if (lesson) {
    await page.check('#axes-switch');
    await page.evaluate(() => window.handViewer.select('d3.s1'));
  }
  await page.evaluate(() => {
    window.frameTimes = [];
    const counted = Module.motionFrameDrawn;
    Module.motionFrameDrawn = () => {
      window.frameTimes.push(document.timeline.currentTime);
      counted();
    };
  });
  await typeKeys(page, '-');
  await waitUntilIdle(page);
  const times = await page.evaluate(() => window.frameTimes);
  const intervals = times.slice(1).map((t, i) => t - times[i]);
  const shown = new Set(times).size;
  const longest = Math.max(...intervals);
  console.log(`motion pace${lesson ? ' with the lesson on' : ''}: ${times.length} frames, ${shown} in separate ` +
              `animation frames, median interval ${median(intervals).toFixed(1)} ms, ` +
              `longest ${longest.toFixed(1)} ms ` + againstGoal(shown === times.length, 'one per animation frame'));
  await page.close();
}

const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  payload();
  await firstFrame(browser, url);
  await motionPace(browser, url, false);
  await motionPace(browser, url, true);
} finally {
  await browser.close();
  server.close();
}
