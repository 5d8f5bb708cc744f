// Saves a PNG of the page's canvas (or of the browser window) as headless
// Chromium shows it, after answering n and typing KEYS ('\b' for
// Backspace), once the page is idle.
// Usage: node screenshot.mjs SITE_FOLDER FILE canvas|page [KEYS]
import { writeFile } from 'node:fs/promises';
import {
  canvasPicture, launchChromium, openPage, serveSite, typeKeys, waitUntilIdle, waitUntilReady,
} from './page_session.mjs';

const [site, file, framing, keys = ''] = process.argv.slice(2);
const { server, url } = await serveSite(site);
const browser = await launchChromium();
try {
  const { page, seen } = await openPage(browser, url);
  await waitUntilReady(page);
  await typeKeys(page, 'n' + keys.replaceAll('\\b', '\b'));
  await waitUntilIdle(page);
  await writeFile(file, framing === 'page' ? await page.screenshot()
                                           : await canvasPicture(page));
  if (seen.errors.length > 0)
    console.error(seen.errors.join('\n'));
  console.log(`Saved ${file}`);
} finally {
  await browser.close();
  server.close();
}
