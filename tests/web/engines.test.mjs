// The page's behaviour in every engine, opened from disk as a teacher hands
// it out (hand-viewer.html, file://): the question, keys and motions, the
// queue, the pad, the joint frames, and the picture against hand-snapshot's.
// HAND_ENGINES=firefox,webkit picks engines; all three run by default.

import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { engineNames, launchEngine, viewport } from './drivers/engines.mjs';
import { keyNames } from './drivers/page_session.mjs';
import {
  axisPixels, fuzzyDifference, nativeCalls, nativeJoints, nativePictures, oneFile, outlineDifference,
} from './support.mjs';

// Pinned to the desktop program's 300 x 300 window, where the pictures are hand-snapshot's.
const url = `${pathToFileURL(oneFile).href}#size=300x300`;
const engines = process.env.HAND_ENGINES?.split(',') ?? engineNames;

// The poses the page is held against hand-snapshot in, and the pixels at
// 10 % it may differ by in each. Measured the same in all three engines: at
// most 1 (4 exactly); normalised normals, a lighting fault, give 126 at rest.
const poses = ['', '/', '2', '4', '3', ',,,,,,]]]]qqqqrrrrrrtttt'];
const pictureTolerance = 10;

// A bent digit, against the hand at rest: 87 outline pixels or more.
const outlineTolerance = 50;

let native;  // hand-snapshot's pictures of the poses, drawn once for every engine

const numbersNear = (a, b, label) => a.forEach((value, e) => assert.ok(Math.abs(value - b[e]) <= 1e-4, `${label}[${e}]`));

for (const name of engines) {
  describe(name, () => {
    let engine;
    before(async () => { engine = await launchEngine(name); });
    after(() => engine?.close());

    // A page with the hand at rest and the question answered with n.
    async function freshTab() {
      const tab = await engine.open(url);
      await tab.waitFor(() => window.handViewer?.ready);
      await tab.press('n');
      return tab;
    }
    async function play(tab, keys) {
      for (const key of keys)
        await tab.press(keyNames[key] ?? key);
      await tab.waitFor(() => !window.handViewer.busy());
    }
    // Back to the hand at rest through the page's own link, which sets the
    // pose outright: many poses and motions in one tab, not a load each.
    async function backToRest(tab) {
      await tab.evaluate(() => { location.hash = '#bend=0,0,0,0,0&rot=0,0,0&axes=0&digit=3&step=all&joint=none&size=300x300'; });
      await tab.waitFor(() => !window.handViewer.busy() && window.handViewer.state().bend.every(b => b === 0) &&
                              ['rotX', 'rotY', 'rotZ'].every(axis => window.handViewer.state()[axis] === 0));
    }
    const stateOf = tab => tab.evaluate(() => window.handViewer.state());
    const motionFrames = tab => tab.evaluate(() => window.handViewer.motionFrames);
    async function closeClean(tab) {
      assert.deepEqual(tab.errors ?? [], []);
      await tab.close();
    }

    test('the page draws what hand-snapshot draws, pose by pose', async () => {
      native ??= nativePictures(poses);
      const tab = await freshTab();
      for (const [i, keys] of poses.entries()) {
        await backToRest(tab);
        await play(tab, keys);
        const difference = fuzzyDifference(await tab.picture(), native[i]);
        assert.ok(difference <= pictureTolerance, `${JSON.stringify(keys)}: ${difference} pixels`);
      }
      await closeClean(tab);
    });

    test('joint frames: their axes at the switch, in motions too; the chain, joints() and calls() follow the keys', async () => {
      const tab = await freshTab();
      await play(tab, 'rrrr');
      const joints = await tab.evaluate(() => window.handViewer.joints());
      const native = nativeJoints('rrrr');
      assert.deepEqual(joints.map(joint => joint.name), native.map(joint => joint.name));
      joints.forEach((joint, k) => numbersNear(joint.matrix, native[k].matrix, joint.name));
      const calls = await tab.evaluate(() => window.handViewer.calls());
      const nativeListing = nativeCalls('rrrr');
      assert.deepEqual(calls.map(call => [call.name, call.depth]), nativeListing.map(call => [call.name, call.depth]));
      calls.forEach((call, k) => numbersNear([...call.args, ...call.matrix], [...nativeListing[k].args, ...nativeListing[k].matrix], k));
      assert.match(await tab.text('#chain'), /^ {6}glRotatef\(18, 1, 0, 0\)$/m);
      assert.equal(axisPixels(await tab.picture()), 0);

      // From the keyboard: Tab reaches the switch and the chooser, which take
      // Space and the arrows; the hand gets none of them.
      const state = await stateOf(tab);
      await tab.click('#tab-joints');
      for (let tabs = 0; tabs < 40 && await tab.evaluate(() => document.activeElement.id) !== 'axes-switch'; tabs++)
        await tab.press('Tab');
      await tab.press(' ');
      await tab.waitFor(() => !window.handViewer.busy());
      assert.ok(axisPixels(await tab.picture()) > 100);
      await tab.press('Tab');
      await tab.press('ArrowDown');
      assert.match(await tab.text('#chain'), /glScalef\(1\.5, 1, 1\)/);
      assert.deepEqual(await stateOf(tab), state);

      await tab.evaluate(() => document.activeElement.blur());
      await tab.press('-');
      await tab.waitFor(() => window.handViewer.motionFrames >= 50);
      assert.ok(axisPixels(await tab.picture()) > 100, 'in a motion');
      await tab.waitFor(() => !window.handViewer.busy());
      assert.match(await tab.text('#chain'), /^glTranslatef\(0, 0, -10\)\nglPushMatrix\(\)\n/,
                   'from the base transform, after frames with axes');
      await closeClean(tab);
    });

    test('motions draw as many frames as they do natively, and are seen frame by frame', async () => {
      const cases = [
        { before: '', keys: '/', frames: 21 },
        { before: '/', keys: '/', frames: 1 },
        { before: '', keys: '1', frames: 43 },
        { before: '22', keys: '\b', frames: 58 },
        { before: '4', keys: '\b', frames: 47 },
      ];
      const tab = await freshTab();
      for (const { before: earlier, keys, frames } of cases) {
        await backToRest(tab);
        await play(tab, earlier);
        const start = await motionFrames(tab);
        await play(tab, keys);
        assert.equal(await motionFrames(tab) - start, frames, JSON.stringify(earlier + keys));
      }

      await backToRest(tab);
      const framesBefore = await motionFrames(tab);
      const first = await tab.picture();  // closing one by one starts from the open hand
      await tab.press('-');
      await tab.waitFor(start => window.handViewer.motionFrames >= start + 50, framesBefore);
      // Held there while the picture is taken: a slow screenshot would otherwise see a later frame.
      await tab.evaluate(() => window.handViewer.pause());
      const middle = await tab.picture();
      await tab.evaluate(() => window.handViewer.resume());
      await tab.waitFor(() => !window.handViewer.busy());
      assert.equal(await motionFrames(tab) - framesBefore, 105);
      const last = await tab.picture();
      assert.ok(outlineDifference(middle, first) > outlineTolerance, 'middle against first');
      assert.ok(outlineDifference(middle, last) > outlineTolerance, 'middle against last');
      await closeClean(tab);
    });

    test('keys typed during a motion wait and are served in order, up to the cap; Backspace, * and + as natively', async () => {
      const tab = await freshTab();
      for (const key of '2.3q')
        await tab.press(key);
      assert.equal(await tab.evaluate(() => window.handViewer.busy()), true);
      await tab.waitFor(() => !window.handViewer.busy());
      // Natively: 2 turns half way and raises the middle finger (36 frames), the
      // period turns 5 more, 3 makes a fist and shows thumb and little finger
      // (55 frames), q bends the little finger one step.
      assert.deepEqual(await stateOf(tab), { rotX: 0, rotY: 185, rotZ: 0, bend: [5, 100, 100, 100, 0] });
      assert.equal(await motionFrames(tab), 91);

      await play(tab, '\b.\b');
      assert.deepEqual(await stateOf(tab), { rotX: 0, rotY: 0, rotZ: 0, bend: [0, 0, 0, 0, 0] });
      await play(tab, '/*');
      assert.deepEqual((await stateOf(tab)).bend, [0, 0, 0, 0, 0]);
      await play(tab, '/');
      const closed = await motionFrames(tab);
      await play(tab, '+');
      assert.equal(await motionFrames(tab) - closed, 105);

      // Unbound keys do nothing.
      const state = await stateOf(tab);
      const frames = await motionFrames(tab);
      await play(tab, ['Q', 'x', 'Delete', 'ArrowUp', 'ArrowLeft', 'F1']);
      assert.deepEqual(await stateOf(tab), state);
      assert.equal(await motionFrames(tab), frames);

      // During a motion, 1,000 keys wait; the ones past them are dropped.
      await tab.press('-');
      await tab.evaluate(() => {
        for (let i = 0; i < 1005; i++)
          document.body.dispatchEvent(new KeyboardEvent('keydown', { key: '.', bubbles: true }));
      });
      assert.equal(await tab.evaluate(() => window.handViewer.droppedKeys), 5);
      await closeClean(tab);
    });

    test('the question as the console asks it, answered by the first key alone; the pad by pointer, and by touch ' +
         'where the driver can: a click or tap is one key; Escape ends the viewer and the page says how to start again', async () => {
      const tab = await engine.open(url);
      await tab.waitFor(() => window.handViewer?.ready);
      assert.equal(await tab.text('#console'), 'FullScreen?(y/n) ');
      await play(tab, 'q');
      assert.equal(await tab.text('#console'), 'FullScreen?(y/n) q');
      assert.deepEqual((await stateOf(tab)).bend, [0, 0, 0, 0, 0]);
      await tab.click('#pad button[data-key="e"]');
      await tab.click('#pad button[data-key="."]');
      await tab.waitFor(() => !window.handViewer.busy());
      assert.deepEqual(await stateOf(tab), { rotX: 0, rotY: 5, rotZ: 0, bend: [0, 0, 5, 0, 0] });
      if (tab.tap) {
        await tab.tap('#pad button[data-key="w"]');
        await tab.waitFor(() => !window.handViewer.busy());
        assert.deepEqual((await stateOf(tab)).bend, [0, 5, 5, 0, 0], 'a tap');
      }
      await tab.click('#pad button[data-key="Escape"]');
      await tab.waitFor(() => window.handViewer.ended);
      assert.match(await tab.text('#status'), /ended.*Start again/);
      await play(tab, '.');
      assert.equal((await stateOf(tab)).rotY, 5, 'keys after Escape are ignored');
      await tab.click('#start-again');
      await tab.waitFor(() => window.handViewer?.ready && !window.handViewer.ended);
      assert.equal(await tab.text('#console'), 'FullScreen?(y/n) ');
      assert.deepEqual(await stateOf(tab), { rotX: 0, rotY: 0, rotZ: 0, bend: [0, 0, 0, 0, 0] });
      await closeClean(tab);
    });

    test('from the one file, a call switched off shows at once, and an exercise is answered from the page', async () => {
      const tab = await engine.open(`${pathToFileURL(oneFile).href}#size=300x300&chapter=2`);
      await tab.waitFor(() => window.handViewer?.ready);
      await tab.press('n');
      assert.equal(await tab.evaluate(() => window.handViewer.skip([120])), null);
      await tab.waitFor(() => window.handViewer.calls()[119].off);
      await tab.click('#tab-learn');
      await tab.click('#exercises button[data-id="stretched"]');
      await tab.evaluate(() => { document.getElementById('answer-number').value = '120'; });
      await (tab.tap ?? tab.click).call(tab, '#check');
      assert.match(await tab.text('#feedback'), /^Right/);
      await closeClean(tab);
    });

    test('the hand large beside every view: on a laptop the canvas, call k, its matrices and the stack in view ' +
         'at every step; on a phone the hand and the pad stay put, whatever comes', async () => {
      const tab = await engine.open(pathToFileURL(oneFile).href);
      const settled = () => tab.waitFor(() => window.handViewer.ready && !window.handViewer.busy() &&
                                              canvas.width === Math.round(canvas.getBoundingClientRect().width * devicePixelRatio));
      const outside = () => tab.evaluate(() => {
        const inside = element => {
          const box = element.getBoundingClientRect();
          return box.width > 0 && box.left >= 0 && box.top >= 0 && box.right <= innerWidth && box.bottom <= innerHeight;
        };
        const shown = [canvas, document.querySelector('#calls [aria-current="step"]'),
                       document.getElementById('step-matrices'), document.getElementById('stack')];
        return shown.flatMap((element, i) => (element && inside(element) ? [] : [['canvas', 'call', 'matrices', 'stack'][i]]));
      });
      await tab.waitFor(() => window.handViewer?.ready);
      await tab.press('n');
      for (const [width, height] of [[1280, 800], [1366, 657]]) {
        await tab.resize(width, height);
        await settled();
        const size = await tab.evaluate(() => [canvas.clientWidth, canvas.clientHeight]);
        assert.ok(size.every(side => side >= 480), `${width} x ${height}: canvas ${size}`);
        const count = (await tab.evaluate(() => window.handViewer.calls())).length;
        for (let k = 1; k <= count; k += 11) {
          await tab.evaluate(k => window.handViewer.step(k), k);
          assert.deepEqual(await outside(), [], `${width} x ${height}, step ${k}`);
        }
      }

      // Phones, upright and on their side, from the page's load on: the pad, on its tab, stays put whatever
      // comes; the hand (half the screen upright), the call on show and the stack's top card are on the first
      // screen; nothing scrolls sideways or is clipped, and pausing moves nothing in the motion bar.
      const reload = async () => {
        await tab.evaluate(() => { window.leaving = true; setTimeout(() => location.reload()); });
        await tab.waitFor(() => !window.leaving && window.handViewer?.ready);
      };
      await tab.resize(390, 844);
      await reload();
      await tab.click('#tab-keys');
      const padBoxes = () => tab.evaluate(() => [...document.querySelectorAll('#pad button')].map(button => {
        const { x, y, width, height } = button.getBoundingClientRect();
        return [x, y, width, height];
      }));
      const atLoad = await padBoxes();
      const moved = async when => (await padBoxes()).forEach((box, b) =>
        assert.ok(box.every((v, i) => Math.abs(v - atLoad[b][i]) <= 0.5), `button ${b} moved ${when}`));
      await tab.click('#pad button[data-key="q"]');  // answers n, then bends
      await settled();
      await moved('at the answer');
      assert.deepEqual((await stateOf(tab)).bend, [5, 0, 0, 0, 0]);
      await play(tab, ',,,,,,]]]]]]]]]]]]]]]]]]qqqqqqqqqqqqqqqqqqq1');
      await tab.evaluate(() => { location.hash = '#bend=1e999'; });  // a note in the status line
      await settled();
      await moved('after keys, a motion and a note');
      for (const [width, height] of [[390, 844], [360, 740], [844, 390]]) {
        await tab.resize(width, height);
        await reload();
        await tab.evaluate(() => window.handViewer.step(120));
        await settled();
        const screen = await tab.evaluate(() => {
          const box = selector => document.querySelector(selector).getBoundingClientRect();
          const onScreen = ({ top, bottom, width }) => width > 0 && top >= 0 && bottom <= innerHeight;
          const bar = () => ['#pause', '#step-frame', '#scrubber'].map(selector => JSON.stringify(box(selector))).join();
          const playing = bar();
          window.handViewer.pause();
          const paused = bar();
          window.handViewer.resume();
          return {
            canvas: innerWidth > innerHeight || box('#canvas').height >= innerHeight / 2,
            shown: ['#calls [aria-current="step"]', '#stack .top'].map(selector => onScreen(box(selector))),
            sideways: document.documentElement.scrollWidth > innerWidth, barMoves: playing !== paused,
            clipped: [...document.querySelectorAll('[role="tab"], #motion-bar > *, #calls small, #step-controls button')]
              .filter(element => element.scrollWidth > element.clientWidth + 1).map(element => element.id || element.textContent),
          };
        });
        assert.deepEqual(screen, { canvas: true, shown: [true, true], sideways: false, barMoves: false, clipped: [] },
                         `${width} x ${height}`);
      }
      await tab.resize(viewport.width, viewport.height);
      await closeClean(tab);
    });
  });
}
