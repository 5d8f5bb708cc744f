// Opens the built page the way a user would, for the page's tests, its
// screenshot and its benchmark: the site served on localhost and loaded in
// Debian's Chromium, headless, driven by Playwright.

import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';
import { pipeline } from 'node:stream';
import { createGzip } from 'node:zlib';
import { chromium } from 'playwright-core';

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
};
// Sent gzipped to a browser that takes it, as a static web host would.
const compressed = new Set(['.html', '.js', '.css', '.wasm']);

// The file a request asks for inside `root`, or null. Throws URIError when
// the path cannot be decoded.
async function requestedFile(root, request) {
  const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = path.join(root, name === '/' ? 'index.html' : name);
  const inside = contentTypes[path.extname(file)] && file.startsWith(root + path.sep);
  return inside && (await stat(file).then(s => s.isFile(), () => false)) ? file : null;
}

async function answer(root, request, response) {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  let file;
  try {
    file = await requestedFile(root, request);
  } catch (error) {
    if (!(error instanceof URIError))
      throw error;
    response.writeHead(400).end();
    return;
  }
  if (!file) {
    response.writeHead(404).end();
    return;
  }
  const extension = path.extname(file);
  const gzip = compressed.has(extension) && /\bgzip\b/.test(request.headers['accept-encoding'] || '');
  response.writeHead(200, {
    'Content-Type': contentTypes[extension],
    Vary: 'Accept-Encoding',
    ...(gzip ? { 'Content-Encoding': 'gzip' } : {}),
  });
  if (request.method === 'HEAD') {
    response.end();
    return;
  }
  const streams = [createReadStream(file), ...(gzip ? [createGzip()] : []), response];
  pipeline(...streams, () => {});  // a reader that goes away only ends its own response
}

// Serves the files of `folder`, and nothing outside it, on 127.0.0.1. A
// request it cannot answer gets its status; the server goes on serving.
export async function serveSite(folder, port = 0) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    answer(root, request, response).catch(() => {
      if (!response.headersSent)
        response.writeHead(500);
      response.end();
    });
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
// `beforeLoad` may set the page up (e.g. hold a request back) before it loads;
// `device` overrides the desktop window (e.g. a phone's size, touch, ratio).
export async function openPage(browser, url, beforeLoad = async () => {}, device = {}) {
  const page = await browser.newPage({ viewport: { width: 800, height: 900 }, ...device });
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
