// The lesson, links, time control, full screen and start-up, served as a
// web host serves the page, in Debian's Chromium; what every engine must do
// alike is in engines.test.mjs.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import {
  canvasPicture, emulateSlowNetwork, launchChromium, openPage, typeKeys, waitUntilIdle, waitUntilReady,
} from './drivers/page_session.mjs';
import { fuzzyDifference, isLit, nativePicture, nativePictures, site, siteInChromium } from './support.mjs';

const web = siteInChromium();

// A page with the hand at rest and the question answered with n, in the
// desktop program's 300 x 300 window.
async function freshPage(beforeLoad) {
  const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300`, beforeLoad);
  await waitUntilReady(page);
  await page.keyboard.press('n');
  return { page, seen };
}

async function play(page, keys) {
  await typeKeys(page, keys);
  await waitUntilIdle(page);
}

const picture = async page => PNG.sync.read(await canvasPicture(page));
const stateOf = page => page.evaluate(() => window.handViewer.state());
const motionFrames = page => page.evaluate(() => window.handViewer.motionFrames);

// No error thrown or logged, and nothing asked of another origin.
async function expectClean({ page, seen }) {
  assert.deepEqual(seen.errors, []);
  assert.deepEqual(seen.requests.filter(request => !request.startsWith(web.url)), []);
  await page.close();
}

test('a link keeps the pose, the switch and the digit exactly; a hostile one is left out, said in one line', async () => {
  const session = await freshPage();
  const { page } = session;
  let seed = 7;
  const below = n => { seed = (Math.imul(seed, 1103515245) + 12345) & 0x7fffffff; return (seed >>> 8) % n; };
  // Turns as keys leave them, and as motions do: past 360, below 0, in thirds of 9.
  const turn = () => [5 * below(73), 20 * below(90) - 900, 3 * below(7) - 9, -90 * below(6) + 0][below(4)];
  let negativeTurns = 0;
  for (let i = 0; i < 40; i++) {
    const state = { rotX: turn(), rotY: turn(), rotZ: turn(), bend: Array.from({ length: 5 }, () => 5 * below(21)) };
    const hash = `#bend=${state.bend}&rot=${state.rotX},${state.rotY},${state.rotZ}&axes=${i % 2}&digit=${i % 5}` +
                 `&step=${i % 3 ? 'all' : 1 + below(300)}&joint=${i % 4 ? 'none' : `d${i % 5}.tip`}`;
    await page.evaluate(hash => { location.hash = hash; }, hash);
    await page.waitForFunction(expected => location.hash === expected && !window.handViewer.busy(), hash);
    assert.deepEqual(await stateOf(page), state, hash);
    negativeTurns += [state.rotX, state.rotY, state.rotZ].filter(turn => turn < 0).length;
  }
  assert.ok(negativeTurns > 10, `${negativeTurns} turns below 0`);
  const shared = await openPage(web.browser, page.url());
  await waitUntilReady(shared.page);
  const [mine, theirs] = [page, shared.page];
  assert.deepEqual(await stateOf(theirs), await stateOf(mine));
  assert.deepEqual(await theirs.evaluate(() => window.handViewer.joints()), await mine.evaluate(() => window.handViewer.joints()));
  assert.equal(fuzzyDifference(await picture(theirs), await picture(mine), 0), 0);
  await expectClean(shared);

  const hostile = ['bend=1e999,0,0,0,0', 'rot=NaN,1,2', 'rot=1e30,-1e30,0', 'bend=7,-5,200,0,0', 'digit=9&axes=2',
    '<script>alert(1)</script>', 'x'.repeat(100000), '&&&==&', 'bend=0,0,0,0', '%00%FF%E2%80'];
  // The link reader itself is fuzzed natively (tests/fuzz): here the page
  // around it meets two hundred.
  for (let i = 0; i < 190; i++)
    hostile.push(Array.from({ length: below(40) }, () => String.fromCharCode(32 + below(95))).join(''));
  for (let i = 0; i < hostile.length; i += 100) {
    await page.evaluate(hashes => hashes.forEach(hash => { location.hash = hash; }), hostile.slice(i, i + 100));
    await waitUntilIdle(page);
    assert.doesNotMatch(await page.locator('#status').textContent(), /\n/);
  }
  // A size out of 1 .. 4096 either way pins nothing.
  for (const size of ['0x300', '300x4097']) {
    await page.evaluate(hash => { location.hash = hash; }, `#bend=0,0,0,0,0&size=${size}`);
    await waitUntilIdle(page);
    assert.match(await page.locator('#status').textContent(), /could not be read/, size);
    assert.notEqual(await page.evaluate(() => `${canvas.width}x${canvas.height}`), size);
  }
  const { rotX, rotY, rotZ, bend } = await stateOf(page);
  assert.ok([rotX, rotY, rotZ].every(angle => Math.abs(angle) <= 36000) && bend.every(b => b % 5 === 0 && b >= 0 && b <= 100));
  await play(page, 'q');
  assert.equal((await stateOf(page)).bend[0], Math.min(100, bend[0] + 5), 'keys still reach the hand');
  await expectClean(session);
});

test('stepping draws calls 1 .. k: joints are met on the way, and the last step is the whole picture', async () => {
  const session = await freshPage();
  const { page } = session;
  await play(page, 'rrrrrrrr');
  const whole = await picture(page);
  const calls = await page.evaluate(() => window.handViewer.calls());
  for (const joint of await page.evaluate(() => window.handViewer.joints()))
    assert.ok(calls.some(call => call.matrix.every((value, e) => Math.abs(value - joint.matrix[e]) <= 1e-6)), joint.name);
  const litAfter = async step => {
    await page.evaluate(step => window.handViewer.step(step), step);
    await waitUntilIdle(page);
    const png = await picture(page);
    return { png, lit: png.data.filter((_, i) => i % 4 === 0 && isLit(png, i)).length };
  };
  const firstCube = calls.findIndex(call => call.name === 'glutSolidCube') + 1;
  const [before, at] = [await litAfter(firstCube - 1), await litAfter(firstCube)];
  assert.ok(at.lit > before.lit, `the cube adds ${at.lit - before.lit} lit pixels`);
  assert.ok(fuzzyDifference(at.png, whole) > 1000, 'one sphere and one cube are far from the hand');
  assert.match(page.url(), new RegExp(`&step=${firstCube}&`));
  assert.equal(fuzzyDifference((await litAfter(calls.length)).png, whole, 0), 0);
  assert.equal(fuzzyDifference((await litAfter(null)).png, whole, 0), 0);
  await expectClean(session);
});

test('a joint is selected from the tree, the canvas or select(): its subtree stands out, the listing marks its chain', async () => {
  const session = await freshPage();
  const { page } = session;
  await play(page, 'rrrrrrrr');
  const whole = await picture(page);
  const bright = png => png.data.filter((value, i) => i % 4 === 0 && value > 150).length;
  await page.click('#tab-joints');
  await page.click('#joint-tree button[data-joint="d3.s1"]');
  await waitUntilIdle(page);
  assert.equal(await page.evaluate(() => window.handViewer.selected()), 'd3.s1');
  assert.equal(await page.locator('#joint-tree button[data-joint="d3.s1"]').getAttribute('aria-pressed'), 'true');
  const selected = await picture(page);
  assert.ok(bright(selected) > 50 && bright(selected) < bright(whole) / 2, `${bright(selected)} of ${bright(whole)}`);
  // Lit: the calls of the middle joint and of those beyond it, from the translate to it to its segment's pop.
  await page.click('#tab-code');
  const lit = await page.$$eval('#calls li.lit', items => items.map(item => item.value));
  assert.deepEqual([lit[0], lit.length], [121, 22]);
  assert.match(page.url(), /&joint=d3\.s1&size=300x300$/);
  // A line of the listing selects its joint: the index finger's place on the knuckle line is its knuckle's.
  await page.locator('#calls li', { hasText: 'glTranslatef(1.5, 0, 0)' }).click();
  assert.equal(await page.evaluate(() => window.handViewer.selected()), 'd3.s0');
  assert.match(await page.locator('#step-where').textContent(), /glTranslatef\(1\.5, 0, 0\), in index finger, knuckle/);
  await page.evaluate(() => window.handViewer.step(null));

  // At rest the little finger's tip lies where the projection puts it.
  await play(page, 'ffffffff');
  const tip = (await page.evaluate(() => window.handViewer.joints())).find(joint => joint.name === 'd0.tip');
  const [x, y, z] = tip.matrix.slice(12, 15);
  const f = 1 / Math.tan(27.5 * Math.PI / 180);
  await page.locator('#canvas').click({ position: { x: 150 + 150 * f * x / -z, y: 150 - 150 * f * y / -z } });
  assert.equal(await page.evaluate(() => window.handViewer.selected()), 'd0.tip');
  await page.evaluate(() => window.handViewer.select(null));
  await waitUntilIdle(page);
  assert.equal(fuzzyDifference(await picture(page), (await nativePictures(['']))[0]), 0);
  await expectClean(session);
});

test('a paused motion holds its frame, steps a frame at a time, plays on with the same frames; a held key stops at once', async () => {
  const session = await freshPage();
  const { page } = session;
  // Frame k on the canvas is hand-snapshot's frame k: none dropped, none shown twice.
  const isNativeFrame = async k => assert.ok(fuzzyDifference(await picture(page), nativePicture(['--keys', '/'], k)) <= 10, `frame ${k}`);
  await page.click('#pause');
  await typeKeys(page, '/.');
  await page.waitForFunction(() => window.handViewer.motionFrames === 1);
  await page.waitForTimeout(300);  // held: no second frame comes by itself
  assert.equal(await motionFrames(page), 1);
  await isNativeFrame(1);
  await page.click('#step-frame');
  await page.waitForFunction(() => window.handViewer.motionFrames === 2);
  await isNativeFrame(2);
  assert.deepEqual((await stateOf(page)).bend, [5, 5, 5, 5, 5]);
  assert.match(await page.locator('#pose').textContent(), /bend 5 5 5 5 5$/);
  assert.equal(await page.locator('#pause').getAttribute('aria-pressed'), 'true');
  await page.click('#pause');
  await waitUntilIdle(page);
  assert.equal(await motionFrames(page), 21);
  assert.deepEqual(await stateOf(page), { rotX: 0, rotY: 5, rotZ: 0, bend: [100, 100, 100, 100, 100] });
  await play(page, '*');  // 21 frames more, after the 21 of '/' and the one of '.'
  await page.locator('#scrubber').fill('7');
  await page.waitForFunction(() => document.getElementById('frame-counter').value === 'frame 7 of 21');
  await waitUntilIdle(page);
  assert.ok(fuzzyDifference(await picture(page), nativePicture(['--keys', '/.*'], 29)) <= 10, 'the scrubber\'s frame 7');
  // A held key, repeating faster than any drawing: a press and a hundred repeats in one task, then let go.
  await page.evaluate(() => {
    for (let i = 0; i <= 100; i++)
      document.body.dispatchEvent(new KeyboardEvent('keydown', { key: '.', repeat: i > 0, bubbles: true, cancelable: true }));
    document.body.dispatchEvent(new KeyboardEvent('keyup', { key: '.', bubbles: true }));
  });
  await waitUntilIdle(page);
  assert.equal((await stateOf(page)).rotY, 15, 'the press, and the last repeat');
  await expectClean(session);
});

test('a drag on the canvas is the turn keys it stands for, the first answering n; under 4 px it is a click', async () => {
  const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300`);
  await waitUntilReady(page);
  const box = await page.locator('#canvas').boundingBox();
  const drag = async ([x, y], [dx, dy]) => {
    await page.mouse.move(box.x + x, box.y + y);
    await page.mouse.down();
    for (let i = 1; i <= 10; i++)
      await page.mouse.move(box.x + x + dx * i / 10, box.y + y + dy * i / 10);
    await page.mouse.up();
    await waitUntilIdle(page);
  };
  await drag([150, 150], [120, 0]);
  assert.equal(await page.locator('#console').textContent(), 'FullScreen?(y/n) n');
  assert.deepEqual(await stateOf(page), { rotX: 0, rotY: 75, rotZ: 0, bend: [0, 0, 0, 0, 0] }, 'fifteen of .');
  await drag([150, 150], [-20, 36]);
  assert.deepEqual(await stateOf(page), { rotX: 20, rotY: 65, rotZ: 0, bend: [0, 0, 0, 0, 0] }, 'two of , and four of ]');

  await page.evaluate(() => { location.hash = '#bend=0,0,0,0,0&rot=0,0,0&size=300x300'; });
  await waitUntilIdle(page);
  const tip = (await page.evaluate(() => window.handViewer.joints())).find(joint => joint.name === 'd0.tip');
  const [x, y, z] = tip.matrix.slice(12, 15);
  const f = 1 / Math.tan(27.5 * Math.PI / 180);
  await drag([150 + 150 * f * x / -z, 150 - 150 * f * y / -z], [3, 0]);
  assert.equal(await page.evaluate(() => window.handViewer.selected()), 'd0.tip');
  assert.deepEqual(await stateOf(page), { rotX: 0, rotY: 0, rotZ: 0, bend: [0, 0, 0, 0, 0] });
  await expectClean({ page, seen });
});

test('every view of a step is what GL held: the cards are stack(), a pop throws a whole level away only when GL ' +
     'popped, each joint labelled unclipped, a push and its pop lined up, the line on show in view', async () => {
  const session = await freshPage();
  const { page } = session;
  await page.click('#tab-code');
  const stackAt = async (k, change = []) => {
    await page.evaluate(change => window.handViewer.restore() ?? window.handViewer.skip(change), change);
    await page.waitForFunction(change => window.handViewer.calls().every(call => call.off === change.includes(call.number)), change);
    return viewOf(k);
  };
  const viewOf = k => page.evaluate(k => {
    window.handViewer.step(k);
    const card = element => ({ className: element.className, numbers: [...element.querySelectorAll('span')].map(n => Number(n.textContent)),
                               changed: [...element.querySelectorAll('span')].flatMap((n, i) => (n.className ? [i] : [])) });
    return { stack: window.handViewer.stack(), cards: [...document.querySelectorAll('#stack .card')].map(card),
             calls: window.handViewer.calls(), heading: document.querySelector('#stack .top strong')?.textContent };
  }, k);
  // A card's numbers, row by row, as the column-major matrix reads.
  const rowWise = m => [0, 1, 2, 3].flatMap(row => [0, 1, 2, 3].map(column => m[4 * column + row]));
  const near = (a, b) => a.length === b.length && a.every((v, i) => Math.abs(v - b[i]) < 1e-5 * Math.max(1, Math.abs(b[i])));

  const before = await stackAt(15);
  const pushed = await stackAt(16);
  assert.match(pushed.heading, /pushed/);
  assert.ok(near(pushed.stack.at(-1), before.stack.at(-1)) && pushed.stack.length === before.stack.length + 1);
  const moved = await stackAt(17);  // the scale after it: its numbers marked
  assert.deepEqual([pushed.cards[0].changed, moved.cards[0].changed], [[], [5]]);
  for (const [k, change, thrown] of [[120, [], true], [19, [19], false], [178, [3], false]]) {
    const { stack, cards, calls } = await stackAt(k, change);
    const { stack: stackBefore } = await viewOf(k - 1);
    assert.equal(cards.length, stack.length + (thrown ? 1 : 0), `step ${k}`);
    assert.ok(near(cards.find(({ className }) => className === 'card top').numbers, rowWise(stack.at(-1))), `step ${k}`);
    if (thrown) {
      assert.ok(near(cards[0].numbers, rowWise(calls[k - 2].matrix)) && cards[0].className === 'card thrown');
      assert.equal(stack.length, stackBefore.length - 1);
    } else {
      assert.deepEqual(stack, stackBefore, `GL made no pop at ${k}`);
    }
  }
  assert.match(await page.locator('#calls li[value="178"]').textContent(), /GL_STACK_UNDERFLOW/);
  const { stack, calls } = await stackAt(null);
  assert.deepEqual(stack, [calls[1].matrix], 'the base transform is all that is left');

  const lines = await page.$$eval('#calls li', items => items.map(item => ({
    label: item.querySelector('small').textContent, indent: item.querySelector('code').textContent.search(/\S/),
    clipped: item.querySelector('small').scrollWidth > item.querySelector('small').clientWidth })));
  assert.deepEqual([lines[110].label, lines[157].label, lines[0].label], ['index finger, knuckle', 'thumb, joint', 'the view']);
  assert.deepEqual(lines.filter(({ clipped }) => clipped), []);
  assert.deepEqual([lines[15].indent, lines[2].indent], [lines[18].indent, lines[177].indent]);

  // Stepping, selecting and the whole frame again: the line they show stays in the listing's box.
  const inBox = line => page.evaluate(line => {
    const [item, box] = [document.querySelector(`#calls li[value="${line}"]`), calls.getBoundingClientRect()];
    return item.getBoundingClientRect().top >= box.top && item.getBoundingClientRect().bottom <= box.bottom;
  }, line);
  await page.evaluate(() => window.handViewer.select('d3.tip') ?? window.handViewer.step(140));
  await waitUntilIdle(page);
  assert.ok(await inBox(140));
  await page.evaluate(() => window.handViewer.step(null));
  assert.ok(await inBox(140));
  await page.evaluate(() => window.handViewer.select('d4.s1'));
  await page.waitForFunction(() => document.querySelector('#calls li.lit')?.value === 158);
  assert.ok(await inBox(158));
  await expectClean(session);
});

test('#embed in a 400 x 300 iframe: the canvas fills it over a small pad, and the hash keeps the pose after "embed"', async () => {
  const course = `${web.url}course.html`;
  const { page, seen } = await openPage(web.browser, course, page => page.route(course, route => route.fulfill({
    contentType: 'text/html',
    body: `<p style="height: 2000px">A course page</p>
           <iframe src="${web.url}#embed&bend=0,50,100,0,20" width="400" height="300" title="The hand"></iframe>`,
  })));
  await page.waitForFunction(() => frames.length === 1);
  const frame = page.frames()[1];
  await frame.waitForFunction(() => window.handViewer?.ready && !window.handViewer.busy());
  assert.equal(await page.evaluate(() => scrollY), 0, 'the course page stays where it was');
  await frame.click('#pad button[data-key="q"]');
  await frame.waitForFunction(() => !window.handViewer.busy());
  const inFrame = await frame.evaluate(() => ({
    canvas: [canvas.clientWidth, canvas.clientHeight],
    pad: document.getElementById('pad').getBoundingClientRect().bottom <= innerHeight,
    hash: location.hash,
    bend: window.handViewer.state().bend,
  }));
  assert.equal(inFrame.canvas[0], 400);
  assert.ok(inFrame.canvas[1] >= 200, `${inFrame.canvas[1]} px high`);
  assert.deepEqual([inFrame.pad, inFrame.bend], [true, [5, 50, 100, 0, 20]]);
  assert.match(inFrame.hash, /^#embed&bend=5,50,100,0,20&rot=0,0,0&/);
  const picture = PNG.sync.read(await frame.locator('#canvas').screenshot());
  assert.ok(picture.data.filter((_, i) => i % 4 === 0 && isLit(picture, i)).length > 5000);
  assert.deepEqual(seen.errors, []);
  await page.close();
});

test('y puts the canvas in full screen, at the screen\'s size', async () => {
  const { page, seen } = await openPage(web.browser, web.url);
  await waitUntilReady(page);
  await page.keyboard.press('y');
  await page.waitForFunction(() => document.fullscreenElement === canvas &&
                                   canvas.width === screen.width && canvas.height === screen.height);
  await waitUntilIdle(page);
  // A canvas that changes size is cleared: the hand is there again only if
  // the new size was handed to the viewer and the frame redrawn.
  const full = await picture(page);
  const litPixels = full.data.filter((_, i) => i % 4 === 0 && isLit(full, i)).length;
  assert.ok(litPixels > 10000, `${litPixels} lit pixels`);
  assert.deepEqual(await stateOf(page), { rotX: 0, rotY: 0, rotZ: 0, bend: [0, 0, 0, 0, 0] });
  await expectClean({ page, seen });
});

test('keys typed before the viewer has loaded: the first answers, the rest wait', async () => {
  // A slow GPU that builds programs on threads of its own: the viewer's
  // shaders are still being built when the keys are typed.
  const { page, seen } = await openPage(web.browser, web.url, page => page.addInitScript(() => {
    const proto = WebGLRenderingContext.prototype;
    const { getExtension, getProgramParameter } = proto;
    let built = false;
    window.releaseViewer = () => { built = true; };
    proto.getExtension = function (name) { return name === 'KHR_parallel_shader_compile' || getExtension.call(this, name); };
    proto.getProgramParameter = function (program, name) {  // 0x91B1: COMPLETION_STATUS_KHR
      return name === 0x91B1 ? built : getProgramParameter.call(this, program, name);
    };
  }));
  await typeKeys(page, 'n/');
  assert.equal(await page.evaluate(() => window.handViewer.ready), false);
  await page.evaluate(() => window.releaseViewer());
  await waitUntilReady(page);
  await waitUntilIdle(page);
  assert.deepEqual((await stateOf(page)).bend, [100, 100, 100, 100, 100]);
  assert.equal(await motionFrames(page), 21);
  await expectClean({ page, seen });
});

test('over a slow network nothing is painted before the page\'s scripts have run, though it arrives bit by bit', async () => {
  // Slow enough that the page's scripts take a second or more to arrive.
  const { page, seen } = await openPage(web.browser, web.url, async page => {
    await emulateSlowNetwork(page, { latency: 150, throughput: 0.2e6 });
    await page.addInitScript(() => {  // page.js sets window.handViewer as it runs
      let handViewer;
      Object.defineProperty(window, 'handViewer', {
        get: () => handViewer,
        set(value) { handViewer = value; performance.mark('page-script'); },
      });
    });
  });
  await page.waitForFunction(() => performance.getEntriesByName('first-paint').length > 0);
  const [paint, script] = await page.evaluate(() =>
    ['first-paint', 'page-script'].map(name => performance.getEntriesByName(name)[0].startTime));
  assert.ok(paint > script, `first paint at ${paint} ms, the page's script ran at ${script} ms`);
  await expectClean({ page, seen });
});

test('a redisplay sends WebGL one draw call per solid, and the material and light it already has not again', async () => {
  const { page, seen } = await freshPage(page => page.addInitScript(() => {
    window.glCalls = {};
    const proto = WebGLRenderingContext.prototype;
    for (const name of ['drawArrays', 'uniform3fv', 'uniform4fv', 'useProgram']) {
      const call = proto[name];
      proto[name] = function (...args) {
        window.glCalls[name] = (window.glCalls[name] ?? 0) + 1;
        return call.apply(this, args);
      };
    }
  }));
  await waitUntilIdle(page);
  await page.evaluate(() => { window.glCalls = {}; });
  await play(page, ',');
  const solids = (await page.evaluate(() => window.handViewer.calls())).filter(call => call.name.startsWith('glutSolid'));
  assert.deepEqual(await page.evaluate(() => window.glCalls), { drawArrays: solids.length });
  await expectClean({ page, seen });
});

test('a browser without WebGL is told so, and a shader WebGL refuses is reported with its log', async () => {
  const plain = await launchChromium(['--disable-webgl', '--disable-3d-apis']);
  try {
    const page = await plain.newPage();
    await page.goto(web.url);
    assert.match(await page.locator('#status').textContent(), /cannot draw with WebGL/);
  } finally {
    await plain.close();
  }
  const { page, seen } = await openPage(web.browser, web.url, page => page.addInitScript(() => {
    const proto = WebGLRenderingContext.prototype;
    proto.getShaderParameter = function (shader, name) { return name === this.COMPILE_STATUS ? false : 0; };
    proto.getProgramParameter = function (program, name) { return name === this.LINK_STATUS ? false : 0; };
    proto.getShaderInfoLog = () => 'ERROR: 0:7: broken on purpose';
  }));
  await page.waitForFunction(() => window.handViewer.ended);
  assert.match(await page.locator('#status').textContent(), /could not start.*vertex shader: ERROR: 0:7: broken on purpose/);
  await expectClean({ page, seen });
});

test('a page and a viewer built apart, laying memory out otherwise, say so and read nothing', async () => {
  const built = readFileSync(path.join(site, 'index.html'), 'utf8');
  assert.ok(built.includes('callBytes:168'));
  const { page, seen } = await openPage(web.browser, web.url, page => page.route(web.url, route =>
    route.fulfill({ contentType: 'text/html', body: built.replace('callBytes:168', 'callBytes:144') })));
  await page.waitForFunction(() => window.handViewer.ended);
  assert.match(await page.locator('#status').textContent(), /built apart.*callBytes is 168, read as 144/);
  assert.equal(await page.evaluate(() => window.handViewer.state()), null);
  await expectClean({ page, seen });
});
