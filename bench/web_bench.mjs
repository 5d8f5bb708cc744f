// The web page's figures: its payload, how soon it shows the hand, and the
// pace of a motion in headless Chromium.
// Usage: node bench/web_bench.mjs SITE_FOLDER   (bash scripts/bench.sh --web)

import { readdirSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import {
  launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from '../src/web/page_session.mjs';

const loads = 5;
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

// From the start of navigation to the first frame, read in the page's clock.
async function firstFrame(browser, url) {
  const times = [];
  for (let i = 0; i < loads; i++) {
    const { page } = await openPage(browser, url);
    await waitUntilReady(page);
    times.push(await page.evaluate(() => performance.now()));
    await page.close();
  }
  console.log(`first frame: median ${median(times).toFixed(0)} ms of ${loads} loads ` +
              `(${times.map(t => t.toFixed(0)).join(', ')})`);
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
