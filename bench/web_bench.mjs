// The web page's figures: its payload, how soon it shows the hand (served,
// over a slow network and from disk), and the pace of a motion in headless Chromium.
// Usage: node bench/web_bench.mjs SITE_FOLDER [OTHER_SITE_FOLDER]   (bash scripts/bench.sh --web)
// With another build's site (an earlier commit's, say), its first frame is
// taken in the same run, loads taking turns and each going first in every
// other round, so the two meet the same machine; three times the loads, as
// the difference looked for is small beside a load's spread.

import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import {
  emulateSlowNetwork, launchChromium, openPage, serveSite, slowNetwork, typeKeys, waitUntilIdle, waitUntilReady,
} from '../tests/web/drivers/page_session.mjs';

const [site, otherSite] = process.argv.slice(2);
const loads = otherSite ? 31 : 11;

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// A figure against its goal, said plainly: a benchmark reports, it does not fail.
const againstGoal = (met, goal) => `(goal: ${goal}; ${met ? 'met' : 'not met'})`;

// The page as a web host sends it (gzip's default level, as the server's).
const pageFile = path.join(site, 'index.html');
const gzippedPage = gzipSync(readFileSync(pageFile)).length;

function payload() {
  const bytes = readFileSync(pageFile).length;
  const best = gzipSync(readFileSync(pageFile), { level: 9 }).length / 1024;
  console.log(`hand-viewer.html: ${(bytes / 1024).toFixed(1)} KB, ${best.toFixed(1)} KB gzipped ` +
              `(${(gzippedPage / 1024).toFixed(1)} KB as served) ` + againstGoal(best <= 40, '40 KB or less'));
}

// The floor any WebGL page stands on: a bare page that only clears a canvas.
const bareFolder = mkdtempSync(path.join(tmpdir(), 'bare-webgl-'));
writeFileSync(path.join(bareFolder, 'index.html'), `<!DOCTYPE html>
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

// From the start of navigation to the first frame, as each page marks it,
// in a fresh context (an empty cache) each time; for the viewer, also to
// the moment the page, read and set up, starts the viewer.
async function firstFrameOnce(browser, url, slow) {
  const context = await browser.newContext();
  const page = await context.newPage();
  if (slow)
    await emulateSlowNetwork(page);
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('first-frame').length > 0);
  const [frame, viewerStart] = await page.evaluate(() => ['first-frame', 'viewer-start']
    .map(name => performance.getEntriesByName(name)[0]?.startTime));
  await context.close();
  return { frame, viewerStart };
}

// The viewer's page against the bare one, loads taking turns so that both
// meet the same machine: served on localhost, served over the slow network,
// and opened from disk; the viewer in the desktop program's 300 x 300
// window, as the bare page's canvas is.
async function firstFrame(browser, url) {
  const bare = await serveSite(bareFolder);
  const other = otherSite && await serveSite(otherSite);
  const pinned = '#size=300x300';
  const otherFile = otherSite && pathToFileURL(path.join(otherSite, 'index.html')).href + pinned;
  const ways = {
    localhost: { viewer: url + pinned, bare: bare.url, other: other?.url + pinned },
    'slow network': { viewer: url + pinned, bare: bare.url, other: other?.url + pinned, slow: true },
    'file://': { viewer: pathToFileURL(pageFile).href + pinned, bare: pathToFileURL(path.join(bareFolder, 'index.html')).href,
                 other: otherFile },
  };
  for (const [way, { slow, ...addresses }] of Object.entries(ways)) {
    const runs = { viewer: [], bare: [], other: [] };
    for (let i = 0; i < loads; i++)
      for (const name of otherSite ? (i % 2 ? ['other', 'viewer', 'bare'] : ['viewer', 'other', 'bare']) : ['viewer', 'bare'])
        runs[name].push(await firstFrameOnce(browser, addresses[name], slow));
    // Each round's two loads held against each other: the machine's drift
    // falls out of the ratio.
    if (otherSite) {
      const [mine, theirs] = [runs.viewer, runs.other].map(list => median(list.map(run => run.frame)));
      const ratios = runs.viewer.map((run, i) => run.frame / runs.other[i].frame);
      console.log(`first frame, ${way}: this build ${mine.toFixed(0)} ms, the other ${theirs.toFixed(0)} ms; ` +
                  `round by round ${median(ratios).toFixed(2)} times the other's, faster in ` +
                  `${ratios.filter(ratio => ratio < 1).length} of ${loads}`);
    }
    const times = { viewer: runs.viewer.map(run => run.frame), bare: runs.bare.map(run => run.frame) };
    const [viewer, floor] = [median(times.viewer), median(times.bare)];
    console.log(`first frame, ${way}: viewer ${viewer.toFixed(0)} ms (${times.viewer.map(t => t.toFixed(0)).join(', ')}), ` +
                `bare ${floor.toFixed(0)} ms (${times.bare.map(t => t.toFixed(0)).join(', ')})`);
    // Where the viewer's time goes: the page's own reading and scripts, then
    // the viewer's start (its module, runtime, shaders) and first draw.
    const started = median(runs.viewer.map(run => run.viewerStart));
    const own = median(runs.viewer.map(run => run.frame - run.viewerStart));
    console.log(`first frame, ${way}: the viewer is started at ${started.toFixed(0)} ms ` +
                `(${(started / floor).toFixed(2)} times bare), and draws ${own.toFixed(0)} ms after`);
    if (slow) {
      const allowed = floor + gzippedPage * 8 / slowNetwork.throughput * 1000 + 100;
      console.log(`first frame, ${way}: ${(viewer - floor).toFixed(0)} ms over bare ` +
                  againstGoal(viewer <= allowed, `at most ${allowed.toFixed(0)} ms, bare + the page's bytes + 100 ms`));
    } else {
      console.log(`first frame, ${way}: ${(viewer / floor).toFixed(2)} times bare ` + againstGoal(viewer <= 1.5 * floor, '1.50 or less'));
    }
  }
  bare.server.close();
  other?.server.close();
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
    await page.click('#tab-joints');
    await page.check('#axes-switch');
    await page.evaluate(() => window.handViewer.select('d3.s1'));
  }
  await page.evaluate(() => {
    window.frameTimes = [];
    const show = viewer.showMotionFrame;  // the page's door to the viewer (viewer_door.js)
    viewer.showMotionFrame = frame => {
      window.frameTimes.push(document.timeline.currentTime);
      show(frame);
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
  rmSync(bareFolder, { recursive: true });
}
