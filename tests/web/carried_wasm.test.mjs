// The WebAssembly the one file carries as text: every byte value survives
// the build and the page's reading of it, and the text needs no escape.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import vm from 'node:vm';

const root = path.join(import.meta.dirname, '../..');

test('every byte value reads back from the one file as it was built into it', () => {
  const parts = mkdtempSync(path.join(tmpdir(), 'parts-'));
  try {
    cpSync(path.join(root, 'build-web/parts'), parts, { recursive: true });
    const bytes = Buffer.from([...Array(256).keys(), ...readFileSync(path.join(parts, 'hand-viewer.wasm'))]);
    writeFileSync(path.join(parts, 'hand-viewer.wasm'), bytes);
    execFileSync('node', [path.join(root, 'src/web/tools/one_file.mjs'), parts, path.join(parts, 'page.html')]);
    const head = readFileSync(path.join(parts, 'page.html'), 'utf8').match(/<script>\n([\s\S]*?carriedWasm\('[^']*'\);)<\/script>/);
    assert.ok(head, 'the head script that carries the WebAssembly');
    const carried = {};
    vm.runInNewContext(head[1], { window: carried, WebAssembly: { Module: class { constructor(b) { this.bytes = b; } } } });
    assert.deepEqual(Buffer.from(carried.handViewerWasm.bytes), bytes);
  } finally {
    rmSync(parts, { recursive: true });
  }
});
