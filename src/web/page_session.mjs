// Opens the built page the way a user would, for the page's tests, its
// screenshot and its benchmark: the site served on localhost and loaded in
// Debian's Chromium, headless, driven by Playwright.

import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
};

// Serves the files of `folder`, and nothing outside it, on 127.0.0.1.
export async function serveSite(folder, port = 0) {
  const root = path.resolve(folder);
  const server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    const type = contentTypes[path.extname(file)];
    const found = type && file.startsWith(root + path.sep) &&
                  (await stat(file).then(s => s.isFile(), () => false));
    if (!found) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': type });
    createReadStream(file).pipe(response);
  });
  await new Promise(resolve => server.listen(port, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

// Headless Chromium as this machine allows it: no sandbox as root, WebGL
// drawn in software, and none of the background traffic it would make.
export function launchChromium(extraArgs = []) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: [
      '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-quic', '--no-first-run', ...extraArgs,
    ],
  });
}

// A fresh page on `url`, with the errors it throws or logs and the requests
// it makes kept. (Emscripten's GL emulation logs three warnings at start.)
// `beforeLoad` may set the page up (e.g. hold a request back) before it loads.
export async function openPage(browser, url, beforeLoad = async () => {}) {
  const page = await browser.newPage({ viewport: { width: 800, height: 900 } });
  await beforeLoad(page);
  const seen = { errors: [], requests: [] };
  page.on('pageerror', error => seen.errors.push(String(error)));
  page.on('console', message => {
    if (message.type() === 'error')
      seen.errors.push(`console error: ${message.text()}`);
  });
  page.on('request', request => seen.requests.push(request.url()));
  await page.goto(url);
  return { page, seen };
}

export function waitUntilReady(page) {
  return page.waitForFunction(() => window.handViewer && window.handViewer.ready);
}

export function waitUntilIdle(page, timeout = 60000) {
  return page.waitForFunction(() => !window.handViewer.busy(), null, { timeout });
}

const keyNames = { '\b': 'Backspace', '\x1b': 'Escape' };

// Types keys as a user would. Playwright names keys as KeyboardEvent.key
// does, so '*' and '+' type themselves; '\b' is Backspace, '\x1b' Escape.
export async function typeKeys(page, keys) {
  for (const key of keys)
    await page.keyboard.press(keyNames[key] || key);
}

export function canvasPicture(page) {
  return page.locator('#canvas').screenshot();
}
