// The project's own server for the page: hostile requests get their status
// and the server goes on serving.

import assert from 'node:assert/strict';
import http from 'node:http';
import { test } from 'node:test';
import { serveSite } from '../../src/web/tools/serve_site.mjs';
import { site } from './support.mjs';

function send(url, method, target, headers = {}) {
  return new Promise((resolve, reject) => {
    const { hostname, port } = new URL(url);
    const request = http.request({ hostname, port, method, path: target, headers }, response => {
      const chunks = [];
      response.on('data', chunk => chunks.push(chunk));
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers,
                                         body: Buffer.concat(chunks) }));
    });
    request.on('error', reject);
    request.end();
  });
}

test('bad requests get 400, 404 or 405, and the page is still served after them', async () => {
  const { server, url } = await serveSite(site);
  try {
    const hostile = [
      ['GET', '/%E0%A4%A', 400],                   // cannot be decoded
      ['GET', '/%2e%2e/%2e%2e/etc/passwd', 404],   // outside the site
      ['GET', '/..%2f..%2fetc%2fpasswd', 404],
      ['GET', '/index.html%00.png', 404],
      ['GET', '/CMakeCache.txt', 404],
      ['POST', '/', 405],
      ['DELETE', '/page.js', 405],
      ['PUT', '/index.html', 405],
    ];
    for (const [method, target, status] of hostile) {
      const reply = await send(url, method, target);
      assert.equal(reply.status, status, `${method} ${target}`);
    }
    assert.equal((await send(url, 'GET', '/' + 'a'.repeat(70000))).status, 431);

    const head = await send(url, 'HEAD', '/');
    assert.equal(head.status, 200);
    assert.equal(head.body.length, 0);
    const page = await send(url, 'GET', '/', { 'Accept-Encoding': 'gzip' });
    assert.equal(page.status, 200);
    assert.equal(page.headers['content-encoding'], 'gzip');
    const plain = await send(url, 'GET', '/');
    assert.match(plain.body.toString(), /FullScreen\?\(y\/n\)/);
  } finally {
    server.close();
  }
});
