// Saves a PNG of the page's canvas (or of the browser window, or of a
// phone's screen) as headless Chromium shows it, after answering n and
// typing KEYS ('\b' for Backspace), once the page is idle.
// Usage: node screenshot.mjs SITE_FOLDER FILE canvas|page|phone [KEYS]
import { writeFile } from 'node:fs/promises';
import {
  canvasPicture, launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from './page_session.mjs';

const [site, file, framing, keys = ''] = process.argv.slice(2);
const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  // A phone held upright, at one pixel per CSS pixel to keep the file small.
  const phone = { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true };
  const { page, seen } = await openPage(browser, url, undefined, framing === 'phone' ? phone : {});
  await waitUntilReady(page);
  await typeKeys(page, 'n' + keys.replaceAll('\\b', '\b'));
  await waitUntilIdle(page);
  await writeFile(file, framing === 'canvas' ? await canvasPicture(page) : await page.screenshot());
  if (seen.errors.length > 0)
    console.error(seen.errors.join('\n'));
  console.log(`Saved ${file}`);
} finally {
  await browser.close();
  server.close();
}
