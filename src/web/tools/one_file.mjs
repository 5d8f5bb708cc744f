// Puts the whole page in one file, which opens from disk with no server:
// node one_file.mjs PARTS OUT...
// PARTS is the folder the build writes the page's files to (index.html,
// page.css, page.js, hand-viewer.js and .wasm, hand-viewer.png); every OUT
// gets the same page, with each file index.html names in its place:
// - the style sheet and the icon inline;
// - the WebAssembly gzipped, as base64, decoded and compiled from the head
//   while the rest of the page is still read (a browser will not fetch a
//   file:// wasm, and this is smaller than base64 alone);
// - the scripts at the end of the body, where their `defer` had them run.
// Comments and indentation go; the gzip level is fixed so that the same
// build makes the same file.

import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { compactScript } from './compact_js.mjs';

const [parts, ...outs] = process.argv.slice(2);
const read = (name, encoding) => readFileSync(path.join(parts, name), encoding);

// page.js hands the compiled module to the runtime (Module.instantiateWasm).
const wasmLoader = gzipped => '<script>window.handViewerWasm=new Response(new Blob([Uint8Array.from(' +
  `atob('${gzipped.toString('base64')}'),c=>c.charCodeAt(0))]).stream()` +
  ".pipeThrough(new DecompressionStream('gzip'))).arrayBuffer().then(WebAssembly.compile);</script>";

// Each of the page's own files is put in its place, or the build stops:
// a page that still names a file would not open from disk.
function inline(html, pattern, replacement) {
  if (!pattern.test(html))
    throw new Error(`one_file: index.html has nothing like ${pattern}`);
  return html.replace(pattern, replacement);
}

function script(name) {
  const text = compactScript(read(name, 'utf8'));
  if (/<\/script/i.test(text))
    throw new Error(`one_file: ${name} holds "</script", which would end its element`);
  return text;
}

const deferred = [];
let page = read('index.html', 'utf8').replace(/<!--[\s\S]*?-->\n?/g, '');
page = inline(page, /<link rel="icon" href="([^"]+)">/,
              (_, png) => `<link rel="icon" href="data:image/png;base64,${read(png).toString('base64')}">`);
page = inline(page, /<link rel="stylesheet" href="([^"]+)">/,
              (_, css) => `<style>\n${read(css, 'utf8').replace(/\/\*[\s\S]*?\*\/\n?/g, '')}</style>`);
page = inline(page, /<link rel="preload" href="([^"]+\.wasm)"[^>]*>/,
              (_, wasm) => wasmLoader(gzipSync(read(wasm), { level: 9 })));
page = inline(page, /<script src="([^"]+)" defer><\/script>\n/g, (_, js) => { deferred.push(script(js)); return ''; });
page = page.replace('</body>', () => deferred.map(js => `<script>\n${js}</script>\n`).join('') + '</body>');

for (const out of outs)
  writeFileSync(out, page);
