// The lesson's words held against hand-snapshot's frame, with no browser:
// each call exercise takes the calls its words describe and its explanation
// names one; no chapter gives its own exercises' answers; each break
// exercise has one change, among every single switch-off and swap, that
// draws its faint hand, and that hand stands out from the unchanged one.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import vm from 'node:vm';
import { fuzzyDifference, nativeCalls, nativePicture } from './support.mjs';

const source = readFileSync(new URL('../../src/web/page/lesson_words.js', import.meta.url), 'utf8');
const { chapters, exercises, fill } = vm.runInNewContext(`${source}; lessonWords`);
const poseOf = ({ pose: { bend, rotX, rotY, rotZ } }) => ['--bend', bend.join(), '--rot', `${rotX},${rotY},${rotZ}`];
const framesByChapter = chapters.map(chapter => nativeCalls('', ...poseOf(chapter)));
const numbersIn = words => (words.match(/\d+/g) ?? []).map(Number);

// What each call exercise's words describe, read off the replayed frame.
const described = {
  'move-up': c => c.joint === 'd3.s0' && c.name === 'glTranslatef' && c.args[1] > 0,
  'little-bone': c => c.name === 'glScalef' && Math.abs(c.args[1] - 1.6) < 1e-6,
  knuckle: c => c.joint === 'd3.s0' && c.name === 'glRotatef',
  'ring-push': c => c.joint === 'd1.s0' && c.name === 'glPushMatrix' && c.depth === 4,
  widening: c => c.name === 'glScalef' && c.args[0] === 1.5,
};

// The shapes' matrices of `calls` replayed with one call switched off or
// swapped with the next, as GL would draw them: an independent replay.
function shapesUnder(calls, { off = 0, swap = 0 }) {
  const times = (a, b) => a.map((_, e) => [0, 1, 2, 3].reduce((sum, k) => sum + a[4 * k + e % 4] * b[e - e % 4 + k], 0));
  const [one, radians] = [[1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1], Math.PI / 180];
  const by = ({ name, args: [a, x, y, z] }) => {
    if (name === 'glTranslatef')
      return [...one.slice(0, 12), a, x, y, 1];
    if (name === 'glScalef')
      return [a, 0, 0, 0, 0, x, 0, 0, 0, 0, y, 0, 0, 0, 0, 1];
    const l = Math.hypot(x, y, z), [u, v, w] = [x / l, y / l, z / l];
    const [c, s] = [Math.cos(a * radians), Math.sin(a * radians)];
    return [u * u * (1 - c) + c, u * v * (1 - c) + w * s, u * w * (1 - c) - v * s, 0, u * v * (1 - c) - w * s,
            v * v * (1 - c) + c, v * w * (1 - c) + u * s, 0, u * w * (1 - c) + v * s, v * w * (1 - c) - u * s,
            w * w * (1 - c) + c, 0, 0, 0, 0, 1];
  };
  const stack = [one];
  const shapes = [];
  for (const i of calls.keys()) {
    const call = calls[swap && i === swap - 1 ? i + 1 : swap && i === swap ? i - 1 : i];
    if (call.number === off || call.name === 'glLoadIdentity')
      continue;
    if (call.name === 'glPushMatrix' && stack.length < 32)
      stack.push(stack.at(-1));
    else if (call.name === 'glPopMatrix' && stack.length > 1)
      stack.pop();
    else if (call.name.startsWith('glutSolid'))
      shapes.push(stack.at(-1));
    else if (!/Push|Pop/.test(call.name))
      stack[stack.length - 1] = times(stack.at(-1), by(call));
  }
  return shapes;
}

test('every exercise is fair: its answers are the calls its words describe, and no chapter gives them away', () => {
  for (const exercise of exercises.filter(({ kind }) => kind === 'call' || kind === 'break')) {
    const calls = framesByChapter[exercise.chapter - 1];
    const answers = numbersIn(fill(calls, exercise.right));
    if (exercise.kind === 'call')
      assert.deepEqual(answers, calls.filter(described[exercise.id]).map(({ number }) => number), exercise.id);
    assert.ok(numbersIn(fill(calls, exercise.why)).some(k => answers.includes(k)), exercise.id);
    const { idea, toTry, step } = chapters[exercise.chapter - 1];
    const given = numbersIn(fill(calls, `${idea} ${toTry} ${step}`)).filter(k => answers.includes(k));
    assert.deepEqual(given, [], `chapter ${exercise.chapter} gives away ${exercise.id}`);
  }
});

test('a break exercise\'s faint hand comes from one change alone, and stands out from the unchanged hand', () => {
  for (const exercise of exercises.filter(({ kind }) => kind === 'break')) {
    const calls = framesByChapter[exercise.chapter - 1];
    const [how, k] = fill(calls, exercise.right).split('=');
    const target = shapesUnder(calls, { [how === 'skip' ? 'off' : 'swap']: Number(k) });
    const drawsTarget = shapes => shapes.length === target.length &&
      shapes.every((m, i) => m.every((x, e) => Math.abs(x - target[i][e]) <= 1e-4));
    const changeable = n => n > 2 && /Push|Pop|Tra|Rot|Sca/.test(calls[n - 1]?.name);
    const drawingIt = calls.flatMap(({ number }) => [['off', number], ['swap', number]])
      .filter(([kind, n]) => changeable(n) && (kind === 'off' || changeable(n + 1)))
      .filter(([kind, n]) => drawsTarget(shapesUnder(calls, { [kind]: n })));
    assert.deepEqual(drawingIt, [[how === 'skip' ? 'off' : 'swap', Number(k)]], exercise.id);
    const pose = poseOf(chapters[exercise.chapter - 1]);
    const moved = fuzzyDifference(nativePicture([...pose, `--${how}`, k]), nativePicture(pose));
    assert.ok(moved >= 200, `${exercise.id}: ${moved} pixels`);
  }
});
