// The web page's figures: its payload, how soon it shows the hand, and the
// pace of a motion in headless Chromium.
// Usage: node bench/web_bench.mjs SITE_FOLDER   (bash scripts/bench.sh --web)

import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import {
  launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from '../src/web/page_session.mjs';

const loads = 15;
const site = process.argv[2];

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function payload() {
  let bytes = 0;
  let gzipped = 0;
  for (const file of readdirSync(site)) {
    const content = readFileSync(path.join(site, file));
    bytes += content.length;
    gzipped += gzipSync(content, { level: 9 }).length;
  }
  console.log(`payload: ${(bytes / 1024).toFixed(1)} KB, ${(gzipped / 1024).toFixed(1)} KB gzipped`);
}

// From the start of navigation to the first frame, as the page marks it, for
// the viewer's page and for a bare page that only clears a WebGL canvas: the
// floor any WebGL page stands on. Loads alternate between the two, so that
// both meet the same machine.
async function firstFrame(browser, url) {
  const folder = bareSite();
  const bare = await serveSite(folder);
  const times = { viewer: [], bare: [] };
  for (let i = 0; i < loads; i++) {
    for (const [name, address] of [['viewer', url], ['bare', bare.url]]) {
      const { page } = await openPage(browser, address);
      await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
      times[name].push(await page.evaluate(() => performance.getEntriesByName('first-frame')[0].startTime));
      await page.close();
    }
  }
  bare.server.close();
  rmSync(folder, { recursive: true });
  for (const [name, list] of Object.entries(times))
    console.log(`first frame, ${name} page: median ${median(list).toFixed(0)} ms of ${loads} loads ` +
                `(${list.map(t => t.toFixed(0)).join(', ')})`);
  const ratio = median(times.viewer) / median(times.bare);
  console.log(`first frame, viewer against bare: ${ratio.toFixed(2)} times (goal: 2.00 or less)`);
}

function bareSite() {
  const folder = mkdtempSync(path.join(tmpdir(), 'bare-webgl-'));
  writeFileSync(path.join(folder, 'index.html'), `<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>bare WebGL</title></head>
<body><canvas width="300" height="300"></canvas><script>
const gl = document.querySelector('canvas').getContext('webgl');
requestAnimationFrame(() => {
  gl.clearColor(0, 0, 0, 1);
  gl.clear(gl.COLOR_BUFFER_BIT);
  performance.mark('first-frame');
});
</script></body></html>
`);
  return folder;
}

// Closing the fingers one by one: 105 frames. Each frame's time is taken as
// it is drawn; frames that fall in the same animation frame were not shown.
async function motionPace(browser, url) {
  const { page } = await openPage(browser, url);
  await waitUntilReady(page);
  await typeKeys(page, 'n');
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
  console.log(`motion pace: ${times.length} frames, ${shown} in separate animation frames, ` +
              `median interval ${median(intervals).toFixed(1)} ms, longest ${longest.toFixed(1)} ms`);
  await page.close();
}

const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  payload();
  await firstFrame(browser, url);
  await motionPace(browser, url);
} finally {
  await browser.close();
  server.close();
}
