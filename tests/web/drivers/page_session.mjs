// Opens the built page the way a user would, for the page's tests, its
// screenshot and its benchmark: the site served on localhost and loaded in
// Debian's Chromium, headless, driven by Playwright.

import { chromium } from 'playwright-core';
import { chromiumEnvironment, chromiumFlags, chromiumPath } from './chromium.mjs';

export { serveSite } from '../../../src/web/tools/serve_site.mjs';

// Headless Chromium, as every browser the project drives.
export function launchChromium(extraArgs = []) {
  return chromium.launch({
    executablePath: chromiumPath,
    args: [...chromiumFlags, ...extraArgs],
    env: chromiumEnvironment(),
  });
}

// The errors a page throws or logs, as they come (Playwright's and
// puppeteer's pages tell them alike).
export function keepErrors(page) {
  const errors = [];
  page.on('pageerror', error => errors.push(String(error)));
  page.on('console', message => {
    if (message.type() === 'error')
      errors.push(`console error: ${message.text()}`);
  });
  return errors;
}

// A fresh page on `url`, with the errors it throws or logs and the requests
// it makes kept.
// `beforeLoad` may set the page up (e.g. hold a request back) before it loads;
// `device` overrides the desktop window (e.g. a phone's size, touch, ratio).
export async function openPage(browser, url, beforeLoad = async () => {}, device = {}) {
  const page = await browser.newPage({ viewport: { width: 800, height: 900 }, ...device });
  await beforeLoad(page);
  const seen = { errors: keepErrors(page), requests: [] };
  page.on('request', request => seen.requests.push(request.url()));
  await page.goto(url);
  return { page, seen };
}

// A slow network, as the DevTools protocol emulates it: 150 ms round trips
// and 1.6 Mbps (or as given), with no cache.
export const slowNetwork = { latency: 150, throughput: 1.6e6 };

export async function emulateSlowNetwork(page, { latency, throughput } = slowNetwork) {
  const devtools = await page.context().newCDPSession(page);
  await devtools.send('Network.enable');
  await devtools.send('Network.setCacheDisabled', { cacheDisabled: true });
  await devtools.send('Network.emulateNetworkConditions', {
    offline: false, latency, downloadThroughput: throughput / 8, uploadThroughput: throughput / 8,
  });
}

export function waitUntilReady(page) {
  return page.waitForFunction(() => window.handViewer && window.handViewer.ready);
}

export function waitUntilIdle(page, timeout = 60000) {
  return page.waitForFunction(() => !window.handViewer.busy(), null, { timeout });
}

// KeyboardEvent.key's names for the keys tests write as characters.
export const keyNames = { '\b': 'Backspace', '\x1b': 'Escape' };

// Types keys as a user would. Playwright names keys as KeyboardEvent.key
// does, so '*' and '+' type themselves; '\b' is Backspace, '\x1b' Escape.
export async function typeKeys(page, keys) {
  for (const key of keys)
    await page.keyboard.press(keyNames[key] || key);
}

export function canvasPicture(page) {
  return page.locator('#canvas').screenshot();
}
