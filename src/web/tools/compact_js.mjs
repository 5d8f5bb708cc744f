// Makes a script smaller for the one-file page without changing what it
// does: comments and indentation go, and nothing else. Tokens are read with
// acorn (Debian's node-acorn, which emscripten already needs), so strings,
// templates and regular expressions are kept whole. A line break between two
// tokens stays a line break, so automatic semicolons fall where they did.

import { createRequire } from 'node:module';

const acorn = createRequire(import.meta.url)('/usr/share/nodejs/acorn');

const joins = (left, right) => /[\w$\\]$/.test(left) && /^[\w$\\]/.test(right) ||
                               /[+-]$/.test(left) && /^[+-]/.test(right);

export function compactScript(source) {
  let out = '';
  let end = 0;
  for (const token of acorn.tokenizer(source, { ecmaVersion: 'latest', allowHashBang: true })) {
    // A comment over several lines counts as a line break, as it does for ASI.
    const gap = source.slice(end, token.start)
      .replace(/\/\*[\s\S]*?\*\/|\/\/[^\n]*/g, comment => (/\n/.test(comment) ? '\n' : ' '));
    const text = source.slice(token.start, token.end);
    if (/\n/.test(gap) && out)
      out += '\n';
    else if (/\s/.test(gap) && joins(out, text))
      out += ' ';
    out += text;
    end = token.end;
  }
  return out + '\n';
}
