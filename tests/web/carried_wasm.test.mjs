// The page's own inflater, against Node's zlib: stored, fixed and dynamic
// blocks, long back references, and the viewer's own WebAssembly.

import assert from 'node:assert/strict';
import { randomBytes } from 'node:crypto';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import vm from 'node:vm';
import { deflateRawSync } from 'node:zlib';

const root = path.join(import.meta.dirname, '../..');
const page = { atob };
vm.runInNewContext(readFileSync(path.join(root, 'src/web/page/carried_wasm.js'), 'utf8'), page);

test('inflating gives back what zlib deflated, at every level', () => {
  const inputs = [Buffer.alloc(0), Buffer.from('✋ hand, hand ✋'), randomBytes(70000), Buffer.from('knuckle '.repeat(9000)),
                  readFileSync(path.join(root, 'build-web/parts/hand-viewer.wasm'))];
  for (const input of inputs)
    for (const level of [0, 1, 9])
      assert.deepEqual(Buffer.from(page.inflate(deflateRawSync(input, { level }), input.length)), input,
                       `${input.length} bytes at level ${level}`);
});
