// Puts the whole page in one file, which opens from disk with no server:
// node one_file.mjs PARTS OUT...
// PARTS is the folder the build writes the page's files to (index.html,
// page.css, the page's scripts, hand-viewer.js and .wasm, hand-viewer.png); every OUT
// gets the same page, with each file index.html names in its place:
// - the style sheet, compacted, and the icon inline;
// - the WebAssembly as hex, made into a module by the head
//   (carried_wasm.js): a browser will not fetch a file:// wasm;
// - each script in its element, in index.html's order.
// Comments and whitespace go, and the scripts' local names are shortened.

import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { compactScript } from './compact_js.mjs';

const [parts, ...outs] = process.argv.slice(2);
const read = (name, encoding) => readFileSync(path.join(parts, name), encoding);

// viewer_door.js hands the module to the runtime (Module.instantiateWasm).
const wasmLoader = async wasm => `<script>\n${await script('carried_wasm.js')}` +
  `window.handViewerWasm=carriedWasm('${wasm.toString('hex')}');</script>`;

// Each of the page's own files is put in its place, or the build stops:
// a page that still names a file would not open from disk.
async function inline(html, pattern, replacement) {
  const found = [...html.matchAll(new RegExp(pattern, 'g'))];
  if (found.length === 0)
    throw new Error(`one_file: index.html has nothing like ${pattern}`);
  const replaced = await Promise.all(found.map(match => replacement(...match)));
  let i = 0;
  return html.replace(new RegExp(pattern, 'g'), () => replaced[i++]);
}

async function script(name) {
  const text = await compactScript(read(name, 'utf8'));
  if (/<\/script/i.test(text))
    throw new Error(`one_file: ${name} holds "</script", which would end its element`);
  return text;
}

let page = read('index.html', 'utf8').replace(/<!--[\s\S]*?-->\n?/g, '');
page = await inline(page, /<link rel="icon" href="([^"]+)">/,
              (_, png) => `<link rel="icon" href="data:image/png;base64,${read(png).toString('base64')}">`);
// The style sheet without its comments and the blanks around its braces,
// semicolons, commas and colons (a blank before a colon may be a selector's).
const compactStyle = css => css.replace(/\/\*[\s\S]*?\*\//g, '').replace(/([{};,:])\s+/g, '$1').replace(/\s+([{};])/g, '$1');
page = await inline(page, /<link rel="stylesheet" href="([^"]+)">/,
              (_, css) => `<style>\n${compactStyle(read(css, 'utf8'))}</style>`);
page = await inline(page, /<link rel="preload" href="([^"]+\.wasm)"[^>]*>/,
              (_, wasm) => wasmLoader(read(wasm)));
page = await inline(page, /<script src="([^"]+)"><\/script>/g, async (_, js) => `<script>\n${await script(js)}</script>`);

for (const out of outs)
  writeFileSync(out, page);
