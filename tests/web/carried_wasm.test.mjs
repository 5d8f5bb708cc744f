// The WebAssembly the one file carries as hex: every byte value survives
// the build and the page's own reading of it, the loop that browsers
// without Uint8Array.fromHex run (as Node does).

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import vm from 'node:vm';

test('every byte value reads back from the one file as it was built into it', t => {
  const parts = mkdtempSync(path.join(tmpdir(), 'parts-'));
  t.after(() => rmSync(parts, { recursive: true }));
  cpSync(path.join(import.meta.dirname, '../../build-web/parts'), parts, { recursive: true });
  const bytes = Buffer.from([...Array(256).keys(), ...readFileSync(path.join(parts, 'hand-viewer.wasm'))]);
  writeFileSync(path.join(parts, 'hand-viewer.wasm'), bytes);
  execFileSync('node', [path.join(import.meta.dirname, '../../src/web/tools/one_file.mjs'), parts, `${parts}/page.html`],
               { env: { ...process.env, NODE_PATH: '/usr/share/nodejs' } });  // as the build runs it
  const [, head] = readFileSync(`${parts}/page.html`, 'utf8').match(/<script>\n([\s\S]*?carriedWasm\('[^']*'\);)<\/script>/);
  const page = { window: {}, WebAssembly: { Module: class { constructor(read) { this.read = read; } } } };
  vm.runInNewContext(head, page);
  assert.deepEqual(Buffer.from(page.window.handViewerWasm.read), bytes);
});
