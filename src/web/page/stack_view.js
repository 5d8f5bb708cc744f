// The model-view stack as cards, while stepping: the top card in full (the
// current matrix), the levels under it as one line each, where their frame's
// origin lies. A push shows its copy on top; a pop shows what it threw away.
// Numbers that differ from the stack shown before are marked.
'use strict';

const stackView = (() => {
  const view = document.getElementById('stack');
  // Six digits at most; what rounding leaves of a zero (1e-16) reads 0.
  const shortNumber = x => String(Math.abs(x) < 5e-7 ? 0 : Number(x.toPrecision(6)));
  // A matrix entry in a column of its own: a blank always sets it apart.
  const entry = x => ` ${shortNumber(x).padStart(9)}`;
  // Four rows of a column-major matrix.
  const matrixRows = m => [0, 1, 2, 3].map(r => [0, 1, 2, 3].map(c => entry(m[4 * c + r])).join('')).join('\n');
  const originOf = m => `(${[12, 13, 14].map(e => shortNumber(m[e])).join(', ')})`;
  let shownBefore = { calls: null, at: -1, levels: [] };  // the stack last shown

  // The stack after call `at`: each level's matrix, bottom first. Each push
  // still in effect copied the level under it, which has not changed since.
  function levelsAfter(calls, at) {
    const pushes = viewer.callsInEffect(at + 1).filter(i => calls[i].name === 'glPushMatrix');
    return [...pushes.map(i => calls[i].matrix), calls[at].matrix];
  }

  const differs = (a, b) => Math.abs(a - b) > 1e-6;
  // Frames are read anew after each redisplay: the same calls with the same numbers are the same frame.
  const sameCalls = (a, b) => a.length === b.length &&
    a.every((call, i) => call.name === b[i].name && call.args.every((arg, k) => arg === b[i].args[k]));

  function line(className, text) {
    const element = document.createElement('p');
    element.className = className;
    element.textContent = text;
    return element;
  }

  // The top card: its heading, then four rows of the column-major matrix,
  // each number marked if it changed.
  function topCard(matrix, depth, heading, call, before) {
    const card = document.createElement('div');
    card.className = 'card';
    const title = document.createElement('strong');
    title.className = call.name;  // coloured by the kind of call that left it, as in the listing
    title.textContent = `level ${depth}, the top: ${heading}`;
    card.append(title);
    for (let row = 0; row < 4; row++) {
      card.append('\n');
      for (let column = 0; column < 4; column++) {
        const e = 4 * column + row;
        const number = document.createElement('span');
        number.textContent = entry(matrix[e]);
        if (differs(matrix[e], before?.[e]))
          number.className = 'changed';
        card.append(number);
      }
    }
    return card;
  }

  function lowerLevel(matrix, depth, before) {
    const row = line('level', `level ${depth}: origin at `);
    const origin = document.createElement('span');
    origin.textContent = originOf(matrix);
    if ([12, 13, 14].some(e => differs(matrix[e], before[e])))
      origin.className = 'changed';
    row.append(origin);
    return row;
  }

  // The stack as it stands after call `at` of `calls` (0-based).
  function show(calls, at) {
    const call = calls[at];
    if (!call) {
      view.replaceChildren();
      return;
    }
    const levels = levelsAfter(calls, at);
    const top = levels.length - 1;
    const heading = { glPushMatrix: 'pushed, a copy of the level below', glPopMatrix: 'restored by the pop' }[call.name] ??
                    'the current matrix';
    const cards = [];
    if (call.name === 'glPopMatrix' && at > 0)
      cards.push(line('thrown', `thrown away: level ${top + 2}, origin at ${originOf(calls[at - 1].matrix)}`));
    // Marked: what one step or a key changed. A level new to the stack is
    // held against the top it was copied from.
    const sameFrame = shownBefore.calls !== null && sameCalls(shownBefore.calls, calls);
    const fromStep = sameFrame && Math.abs(shownBefore.at - at) === 1;
    const fromKey = !sameFrame && shownBefore.at === at;
    const previous = fromStep || fromKey ? shownBefore.levels : [];
    // Nothing to hold a level against: nothing marked.
    const before = level => previous[Math.min(level, previous.length - 1)] ?? levels[level];
    cards.push(topCard(levels[top], top + 1, heading, call, before(top)));
    for (let depth = top; depth >= 1; depth--)
      cards.push(lowerLevel(levels[depth - 1], depth, before(depth - 1)));
    view.replaceChildren(...cards);
    shownBefore = { calls, at, levels };
  }

  return { show, shortNumber, matrixRows };
})();
