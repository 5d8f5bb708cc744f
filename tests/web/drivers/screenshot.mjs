// Saves a PNG of the page's canvas (or of a laptop's browser window, or of
// a phone's screen, both stepped to the index finger's middle segment, or
// the lesson: the canvas with its joint frames and that joint selected,
// beside it the drawing stepped to that joint's box, and the step's
// numbers) as headless Chromium shows it, after answering n and typing KEYS
// ('\b' for Backspace), once the page is idle.
// Usage: node screenshot.mjs SITE_FOLDER FILE canvas|page|phone|lesson [KEYS]
import { writeFile } from 'node:fs/promises';
import { PNG } from 'pngjs';
import {
  canvasPicture, launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from './page_session.mjs';

// Pictures side by side on white, tops aligned, `gap` pixels apart.
function besideEachOther(pictures, gap = 16) {
  const images = pictures.map(picture => PNG.sync.read(picture));
  const width = images.reduce((sum, image) => sum + image.width, gap * (images.length - 1));
  const joined = new PNG({ width, height: Math.max(...images.map(image => image.height)) });
  joined.data.fill(255);
  let left = 0;
  for (const image of images) {
    PNG.bitblt(image, joined, 0, 0, image.width, image.height, left, 0);
    left += image.width + gap;
  }
  return PNG.sync.write(joined);
}

// Selects a joint and steps the drawing to its segment's box: the first cube drawn after it.
async function stepToBoxOf(page, name) {
  await page.evaluate(name => {
    window.handViewer.select(name);
    const joint = window.handViewer.joints().find(frame => frame.name === name);
    const calls = window.handViewer.calls();
    const reached = calls.findIndex(({ matrix }) => matrix.every((v, e) => Math.abs(v - joint.matrix[e]) < 1e-6));
    window.handViewer.step(calls.findIndex((call, i) => i > reached && call.name === 'glutSolidCube') + 1);
  }, name);
  await waitUntilIdle(page);
}

async function picture(page, framing) {
  if (framing === 'canvas')
    return canvasPicture(page);
  if (framing === 'lesson') {
    await page.evaluate(() => window.handViewer.select('d3.s1'));
    await waitUntilIdle(page);
    const selected = await canvasPicture(page);
    await stepToBoxOf(page, 'd3.s1');
    // The step's text alone, not the width of its rows; the stack's box, which scrolls.
    const text = await page.evaluate(() => {
      const boxes = ['step-where', 'step-matrices', 'stack'].map(id => {
        const range = document.createRange();
        range.selectNodeContents(document.getElementById(id));
        return id === 'stack' ? document.getElementById(id).getBoundingClientRect() : range.getBoundingClientRect();
      });
      const [left, top] = [Math.min(...boxes.map(box => box.left)), Math.min(...boxes.map(box => box.top))];
      const [right, bottom] = [Math.max(...boxes.map(box => box.right)), Math.max(...boxes.map(box => box.bottom))];
      return { x: left + scrollX, y: top + scrollY, width: Math.ceil(right - left), height: Math.ceil(bottom - top) };
    });
    return besideEachOther([selected, await canvasPicture(page), await page.screenshot({ clip: text, fullPage: true })]);
  }
  // The whole page, in the middle of the lesson.
  await stepToBoxOf(page, 'd3.s1');
  return page.screenshot();
}

const [site, file, framing, keys = ''] = process.argv.slice(2);
const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  // A laptop's browser, and a phone held upright, at one pixel per CSS pixel
  // to keep the files small; the canvas alone is the desktop program's 300 x 300 window.
  const devices = {
    page: { viewport: { width: 1280, height: 800 } },
    phone: { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true },
  };
  const pinned = framing === 'canvas' || framing === 'lesson' ? '#size=300x300' : '';
  const { page, seen } = await openPage(browser, url + pinned, undefined, devices[framing] ?? {});
  await waitUntilReady(page);
  await typeKeys(page, 'n');
  if (framing === 'lesson') {
    await page.click('#tab-joints');
    await page.check('#axes-switch');
    await page.evaluate(() => document.activeElement.blur());
  }
  await typeKeys(page, keys.replaceAll('\\b', '\b'));
  await waitUntilIdle(page);
  await writeFile(file, await picture(page, framing));
  if (seen.errors.length > 0)
    console.error(seen.errors.join('\n'));
  console.log(`Saved ${file}`);
} finally {
  await browser.close();
  server.close();
}
