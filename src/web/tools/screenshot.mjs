// Saves a PNG of the page's canvas (or of the browser window, or of a
// phone's screen, or of the canvas with its joint frames and the index
// finger's chain beside it) as headless Chromium shows it, after answering n
// and typing KEYS ('\b' for Backspace), once the page is idle.
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

async function picture(page, framing) {
  if (framing === 'canvas')
    return canvasPicture(page);
  if (framing === 'lesson') {
    // The chain's text alone, not the width of its row.
    const text = await page.evaluate(() => {
      const range = document.createRange();
      range.selectNodeContents(document.getElementById('chain'));
      const { x, y, width, height } = range.getBoundingClientRect();
      return { x: x + scrollX, y: y + scrollY, width: Math.ceil(width), height: Math.ceil(height) };
    });
    return besideEachOther([await canvasPicture(page), await page.screenshot({ clip: text, fullPage: true })]);
  }
  return page.screenshot();
}

const [site, file, framing, keys = ''] = process.argv.slice(2);
const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  // A phone held upright, at one pixel per CSS pixel to keep the file small.
  const phone = { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true };
  const { page, seen } = await openPage(browser, url, undefined, framing === 'phone' ? phone : {});
  await waitUntilReady(page);
  await typeKeys(page, 'n');
  if (framing === 'lesson') {
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
