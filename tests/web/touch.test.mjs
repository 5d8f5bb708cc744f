// The page on phones and tablets, in Chromium emulating a touch screen: the
// key pad, the layout, full screen with the pad, a sharp canvas at any
// pixel ratio, the pose in numbers, and what axe-core finds.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import {
  canvasPicture, keyNames, openPage, typeKeys, waitUntilIdle, waitUntilReady,
} from './drivers/page_session.mjs';
import { fuzzyDifference, handOutline, siteInChromium } from './support.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const nativeAtRest = PNG.sync.read(readFileSync(new URL('../golden/rest.png', import.meta.url)));

const phone = { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2 };

const web = siteInChromium();

async function phonePage(device = phone) {
  const { page, seen } = await openPage(web.browser, web.url, undefined, device);
  await waitUntilReady(page);
  return { page, seen };
}

const stateOf = page => page.evaluate(() => window.handViewer.state());
const padButton = (page, key) => page.locator(`#pad button[data-key="${keyNames[key] || key}"]`);

async function expectNoErrors({ page, seen }) {
  assert.deepEqual(seen.errors, []);
  await page.close();
}

// The same random keys every run unless HAND_TOUCH_SEED says otherwise.
function randomSource(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = Math.imul(s ^ (s >>> 15), 1 | s);
    t ^= t + Math.imul(t ^ (t >>> 7), 61 | t);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

test('taps and typed keys, mixed, end where the same keys all typed end', async () => {
  const seed = Number(process.env.HAND_TOUCH_SEED || 20261209);
  const random = randomSource(seed);
  const direct = 'qwertasdfg,.[]90';
  const keys = Array.from({ length: 30 }, (_, i) =>
    i % 10 === 9 ? '/4\b'[(i - 9) / 10] : direct[Math.floor(random() * direct.length)]);

  const tapped = await phonePage();
  await tapped.page.tap('#answer-n');
  for (const key of keys) {
    if (random() < 0.5)
      await padButton(tapped.page, key).tap();
    else
      await typeKeys(tapped.page, key);
  }
  await waitUntilIdle(tapped.page);

  const typed = await phonePage();
  await typeKeys(typed.page, 'n' + keys.join(''));
  await waitUntilIdle(typed.page);

  const summary = page => page.evaluate(() => [window.handViewer.state(), window.handViewer.motionFrames]);
  assert.deepEqual(await summary(tapped.page), await summary(typed.page), `seed ${seed}`);
  await expectNoErrors(tapped);
  await expectNoErrors(typed);
});

test('holding a button repeats its key; letting go, sliding off or a cancelled touch stops it', async () => {
  const session = await phonePage();
  const { page } = session;
  await page.tap('#answer-n');
  const touch = await page.context().newCDPSession(page);
  let box;  // sliding off may scroll the page: found again for each hold
  const off = () => [{ x: box.x + box.width / 2, y: box.y - 80 }];

  // Each press of '.' turns 5 degrees: about 1 + (hold - 500 ms) / 33 ms presses.
  const turnsDuring = async (holdMs, end) => {
    const start = (await stateOf(page)).rotY;
    box = await padButton(page, '.').boundingBox();
    const on = [{ x: box.x + box.width / 2, y: box.y + box.height / 2 }];
    await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: on });
    await page.waitForTimeout(holdMs);
    await end();
    await waitUntilIdle(page);
    const ended = (await stateOf(page)).rotY;
    await page.waitForTimeout(400);
    await waitUntilIdle(page);
    assert.equal((await stateOf(page)).rotY, ended, 'nothing after the hold ended');
    return (ended - start) / 5;
  };

  const released = await turnsDuring(1000, () =>
    touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] }));
  assert.ok(released >= 6 && released <= 25, `${released} presses in a 1 s hold`);
  const slidOff = await turnsDuring(800, () =>
    touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: off() }));
  await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  assert.ok(slidOff >= 3 && slidOff <= 18, `${slidOff} presses before sliding off`);
  const cancelled = await turnsDuring(800, () =>
    touch.send('Input.dispatchTouchEvent', { type: 'touchCancel', touchPoints: [] }));
  assert.ok(cancelled >= 3 && cancelled <= 18, `${cancelled} presses before the cancel`);
  // A short tap is one press.
  assert.equal(await turnsDuring(50, () =>
    touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] })), 1);
  await expectNoErrors(session);
});

test('a typed key is served once, as itself, whatever has the focus; a screen reader presses once', async () => {
  const session = await phonePage();
  const { page } = session;
  const frames = () => page.evaluate(() => window.handViewer.motionFrames);
  await page.tap('#answer-n');
  await padButton(page, 'w').focus();
  await typeKeys(page, 'w');
  await padButton(page, 'q').focus();
  await page.keyboard.press('Enter');
  await page.keyboard.press('Space');
  await waitUntilIdle(page);
  assert.deepEqual((await stateOf(page)).bend, [0, 5, 0, 0, 0]);

  // Tapped, "home" keeps the focus; Space, unbound, must not play it again,
  // even where letting Space go clicks the focused button, as some browsers do.
  await page.evaluate(() => window.addEventListener('keyup', event => {
    if (event.key === ' ')
      document.activeElement.dispatchEvent(new MouseEvent('click', { bubbles: true, detail: 0 }));
  }));
  await padButton(page, '\b').tap();
  await waitUntilIdle(page);
  const homeFrames = await frames();
  await page.keyboard.press('Space');
  await waitUntilIdle(page);
  assert.equal(await frames(), homeFrames);
  assert.deepEqual((await stateOf(page)).bend, [0, 0, 0, 0, 0]);

  // A click with no pointer and no key behind it, as a screen reader makes.
  await padButton(page, 'q').evaluate(button => button.click());
  await waitUntilIdle(page);
  assert.deepEqual((await stateOf(page)).bend, [5, 0, 0, 0, 0]);

  // The single-character keys switched off reach nothing; Enter presses the focused button.
  await page.evaluate(() => { document.getElementById('single-keys').checked = false; });
  await typeKeys(page, 'qqq');
  await padButton(page, 'w').focus();
  await page.keyboard.press('Enter');
  await waitUntilIdle(page);
  assert.deepEqual((await stateOf(page)).bend, [5, 5, 0, 0, 0]);
  await expectNoErrors(session);
});

test('the canvas has a backing pixel for every device pixel, or pinned by the link exactly its W x H', async () => {
  for (const ratio of [1, 2, 3]) {
    const session = await phonePage({ ...phone, deviceScaleFactor: ratio });
    const { page } = session;
    await page.tap('#answer-n');
    await page.waitForFunction(() => {
      const box = canvas.getBoundingClientRect();
      return canvas.width === Math.round(box.width * devicePixelRatio) && canvas.height === Math.round(box.height * devicePixelRatio);
    });
    await page.evaluate(() => { location.hash = '#bend=0,0,0,0,0&rot=0,0,0&size=300x300'; });
    await page.waitForFunction(() => canvas.width === 300 && canvas.height === 300 && canvas.clientWidth === 300);
    await waitUntilIdle(page);
    const picture = PNG.sync.read(await canvasPicture(page));
    assert.equal(picture.width, 300 * ratio);
    if (ratio === 1) {
      assert.equal(fuzzyDifference(picture, nativeAtRest), 0);
    } else {
      // The same 300 x 300 pixels, each shown larger and smoothed by the
      // browser: the hand's box within a pixel, its area within 6%.
      const shown = handOutline(picture, ratio);
      const rest = handOutline(nativeAtRest, 1);
      shown.box.forEach((edge, i) => assert.ok(Math.abs(edge - rest.box[i]) <= 1, `ratio ${ratio}: ${shown.box} against ${rest.box}`));
      assert.ok(Math.abs(shown.area / rest.area - 1) < 0.06, `ratio ${ratio}: area ${shown.area} against ${rest.area}`);
    }
    await expectNoErrors(session);
  }
});

test('on a narrow phone nothing scrolls sideways', async () => {
  for (const width of [360, 300]) {
    const session = await phonePage({ ...phone, viewport: { width, height: 740 } });
    const { page } = session;
    for (const panel of ['keys', 'code', 'learn']) {
      await page.evaluate(panel => { window.handViewer.step(120); document.getElementById(`tab-${panel}`).click(); }, panel);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), `${width} px, ${panel}`);
    }
    await page.close();
  }
});

test('full screen on a touch screen keeps the pad; the picture takes the rest', async () => {
  const session = await phonePage();
  const { page } = session;
  await page.tap('#answer-y');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'viewer');
  await page.waitForFunction(() => canvas.width === Math.round(canvas.clientWidth * devicePixelRatio) &&
                                   canvas.height === Math.round(canvas.clientHeight * devicePixelRatio));
  await waitUntilIdle(page);
  const layout = await page.evaluate(() => {
    const picture = canvas.getBoundingClientRect();
    const pad = document.getElementById('pad').getBoundingClientRect();
    return { padInView: pad.top >= picture.bottom && pad.bottom <= innerHeight, tall: picture.height > picture.width };
  });
  assert.deepEqual(layout, { padInView: true, tall: true });
  await padButton(page, 'e').tap();
  await waitUntilIdle(page);
  assert.deepEqual((await stateOf(page)).bend, [0, 0, 5, 0, 0]);
  const picture = PNG.sync.read(await canvasPicture(page));
  const lit = picture.data.filter((_, i) => i % 4 === 0 && picture.data[i] > 60).length;
  assert.ok(lit > 10000, `${lit} lit pixels`);
  await expectNoErrors(session);
});

test('the line under the hand gives the pose as state() has it', async () => {
  const session = await phonePage();
  const { page } = session;
  const readout = async () => {
    const numbers = (await page.locator('#pose').textContent()).match(/-?\d+(\.\d+)?/g).map(Number);
    const { rotX, rotY, rotZ, bend } = await stateOf(page);
    assert.deepEqual(numbers, [rotX, rotY, rotZ, ...bend]);
  };
  await readout();
  await typeKeys(page, 'n,]9qqt');
  await waitUntilIdle(page);
  await readout();
  await padButton(page, '4').tap();
  await waitUntilIdle(page);
  await readout();
  assert.equal(await page.locator('#pose').getAttribute('aria-live'), 'polite');
  await expectNoErrors(session);
});

test('axe-core finds nothing to mend, before the answer and after it', async () => {
  for (const device of [phone, {}]) {
    const session = await phonePage(device);
    const { page } = session;
    await page.addScriptTag({ content: axeSource });
    const violations = () => page.evaluate(async () =>
      (await axe.run(document)).violations.map(v => `${v.id}: ${v.nodes.length}`));
    assert.deepEqual(await violations(), [], 'before the answer');
    await typeKeys(page, 'n');
    await waitUntilIdle(page);
    assert.deepEqual(await violations(), [], 'after the answer');
    // Learn, with a point exercise's crosshair; Code, with a call switched off.
    await page.evaluate(() => window.handViewer.chapter(1));
    await page.click('#tab-learn');
    await page.click('#exercises button[data-id="middle-joint"]');
    assert.deepEqual(await violations(), [], 'learning');
    await page.evaluate(() => window.handViewer.skip([120]) ?? window.handViewer.step(120));
    await waitUntilIdle(page);
    assert.deepEqual(await violations(), [], 'a call switched off');
    await expectNoErrors(session);
  }
});
