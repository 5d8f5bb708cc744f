// Makes a script smaller for the one-file page without changing what it
// does: comments and whitespace go, names local to a function are
// shortened and the code is written more tersely. Names at a script's top
// level stay, for the page's scripts share them. Debian's terser does it
// (node-terser, beside the node-acorn that emscripten already needs). Its own
// modules are found through NODE_PATH=/usr/share/nodejs, as the build runs it.

import { createRequire } from 'node:module';

const { minify } = createRequire(import.meta.url)('/usr/share/nodejs/terser');

export async function compactScript(source) {
  const { code } = await minify(source, { compress: { passes: 2 }, mangle: true, format: { comments: false } });
  return `${code}\n`;
}
