// The model-view stack as cards, while stepping: a card for each level, the
// top (the current matrix) in full, the levels under it one line each, where
// their frame's origin lies; after a pop, the level it threw away, in full.
// The levels are the frame's replay's (frame_replay.h), so a pop switched off
// or ignored throws nothing away, as in GL. Numbers that differ from the
// stack shown before are marked.
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

  // A call GL made as it was asked: not switched off, not ignored.
  const made = call => !call.off && !call.error;

  // The stack after call `at` (0-based), bottom first: each level is the
  // matrix some call of the frame left.
  function levelsAfter(calls, at) {
    const levels = [];
    for (let i = at; i >= 0; i = calls[i].under)
      levels.unshift(calls[i].matrix);
    return levels;
  }

  const differs = (a, b) => Math.abs(a - b) > 1e-6;
  // Frames are read anew after each redisplay: the same calls with the same numbers are the same frame.
  const sameCalls = (a, b) => a.length === b.length &&
    a.every((call, i) => call.name === b[i].name && call.args.every((arg, k) => arg === b[i].args[k]));

  function card(className, heading) {
    const element = document.createElement('div');
    element.className = `card ${className}`;
    element.append(heading);
    return element;
  }

  // A level in full: its heading, then four rows of the column-major
  // matrix, each number marked where it differs from `before`.
  function fullCard(className, heading, matrix, before) {
    const element = card(className, heading);
    for (let row = 0; row < 4; row++) {
      element.append('\n');
      for (let column = 0; column < 4; column++) {
        const e = 4 * column + row;
        const number = document.createElement('span');
        number.textContent = entry(matrix[e]);
        if (before && differs(matrix[e], before[e]))
          number.className = 'changed';
        element.append(number);
      }
    }
    return element;
  }

  function lowerLevel(matrix, depth, before) {
    const row = card('level', `level ${depth}: origin at `);
    const origin = document.createElement('span');
    origin.textContent = originOf(matrix);
    if ([12, 13, 14].some(e => differs(matrix[e], before[e])))
      origin.className = 'changed';
    row.append(origin);
    return row;
  }

  // What the top card is, after the call on show.
  function headingOf(call, depth) {
    const title = document.createElement('strong');
    title.className = call.name;  // coloured by the kind of call that left it, as in the listing
    const what = !made(call) ? `unchanged: GL ${call.off ? 'never got' : 'ignored'} call ${call.number}`
      : { glPushMatrix: 'pushed, a copy of the level below', glPopMatrix: 'restored by the pop' }[call.name] ??
        'the current matrix';
    title.textContent = `level ${depth}, the top: ${what}`;
    return title;
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
    const cards = [];
    if (call.name === 'glPopMatrix' && made(call))
      cards.push(fullCard('thrown', `thrown away: level ${top + 2}`, calls[at - 1].matrix, null));
    // Marked: what one step or a key changed. A level new to the stack is
    // held against the top it was copied from.
    const sameFrame = shownBefore.calls !== null && sameCalls(shownBefore.calls, calls);
    const fromStep = sameFrame && Math.abs(shownBefore.at - at) === 1;
    const fromKey = !sameFrame && shownBefore.at === at;
    const previous = fromStep || fromKey ? shownBefore.levels : [];
    // Nothing to hold a level against: nothing marked.
    const before = level => previous[Math.min(level, previous.length - 1)] ?? levels[level];
    const topCard = fullCard('top', headingOf(call, top + 1), levels[top], before(top));
    cards.push(topCard);
    for (let depth = top; depth >= 1; depth--)
      cards.push(lowerLevel(levels[depth - 1], depth, before(depth - 1)));
    view.replaceChildren(...cards);
    // The top card in full view, and what a pop threw away above it where there is room.
    view.scrollTop = Math.max(0, topCard.offsetTop + topCard.offsetHeight - view.clientHeight);
    shownBefore = { calls, at, levels };
  }

  return { show, levelsAfter, shortNumber, matrixRows };
})();
