// Serves the built page on 127.0.0.1, as a static web host would, with
// nothing but Node's standard library: serving needs no browser driver.

import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';
import { pipeline } from 'node:stream';
import { createGzip } from 'node:zlib';

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
