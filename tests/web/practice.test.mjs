// Breaking the drawing and the exercises, served, in Debian's Chromium: the
// page's changed calls against hand-snapshot's, and each kind of exercise
// solved through the page and refused a wrong answer.

import assert from 'node:assert/strict';
import { test } from 'node:test';
import { PNG } from 'pngjs';
import { canvasPicture, openPage, typeKeys, waitUntilIdle, waitUntilReady } from './drivers/page_session.mjs';
import { fuzzyDifference, nativeCalls, siteInChromium } from './support.mjs';

const web = siteInChromium();

async function freshPage(hash = '') {
  const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300${hash}`);
  await waitUntilReady(page);
  await page.keyboard.press('n');
  await waitUntilIdle(page);
  return { page, seen };
}

const viewerOf = page => page.evaluate(() => ({ pose: window.handViewer.state(), calls: window.handViewer.calls(),
                                                selected: window.handViewer.selected(), hash: location.hash }));

// Answers through the page: the exercise's button, then the answer typed and checked.
async function answerOnPage(page, id, number = null) {
  await page.click('#tab-learn');
  await page.click(`#exercises button[data-id="${id}"]`);
  if (number !== null)
    await page.$eval('#answer-number', (input, value) => { input.value = value; }, String(number));
  await page.click('#check');
  return page.$eval('#feedback', feedback => feedback.className);
}

test('calls switched off, swapped or given numbers: the page draws what hand-snapshot draws, each frame clean', async () => {
  const session = await freshPage();
  const { page } = session;
  const cases = [['skip', [[3]], ['--skip', '3']], ['skip', [[178]], ['--skip', '178']],
                 ['swap', [111], ['--swap', '111']], ['edit', [114, [30, 1, 0, 0]], ['--edit', '114:30,1,0,0']]];
  let typed = '';  // every frame is drawn in the pose these keys leave
  for (const [how, args, option] of cases) {
    typed += 'rr';
    assert.equal(await page.evaluate(([how, args]) => window.handViewer.restore() ?? window.handViewer[how](...args), [how, args]), null);
    await typeKeys(page, 'rr');
    await waitUntilIdle(page);
    const { calls } = await viewerOf(page);
    const native = nativeCalls(typed, ...option);
    assert.equal(calls.length, native.length, how);
    calls.forEach((call, i) => {
      const { name, number, depth, off = false, swapped = false, edited = false, error = null } = native[i];
      assert.deepEqual([call.name, call.number, call.depth, call.off, call.swapped, call.edited, call.error],
                       [name, number, depth, off, swapped, edited, error], `${how} ${i}`);
      call.matrix.forEach((value, e) => assert.ok(Math.abs(value - native[i].matrix[e]) <= 1e-4, `${how} ${i}`));
    });
  }
  // The last pop switched off: every frame starts again from depth 1, and the page says what would happen otherwise.
  await page.evaluate(() => window.handViewer.restore() ?? window.handViewer.skip([178]));
  await typeKeys(page, 'rrr');
  await waitUntilIdle(page);
  await page.click('#tab-code');
  const { calls, hash } = await viewerOf(page);
  assert.equal(calls.at(-1).depth, 2);
  assert.match(hash, /&skip=178$/);
  assert.match(await page.$eval('#change-note', note => note.textContent), /one level deeper each frame.*overflow after \d+ frames/);
  // A number dragged 20 px to the right: a tenth each 2 px, live.
  await page.evaluate(() => window.handViewer.restore() ?? window.handViewer.step(116));
  await page.waitForFunction(() => !document.querySelector('#calls li.off') &&  // the listing made again, restored
                                   document.querySelector('#calls [aria-current="step"]')?.value === 116);
  const box = await page.locator('#calls li[value="116"] span').nth(1).boundingBox();
  await page.mouse.move(box.x + 2, box.y + 2);
  await page.mouse.down();
  await page.mouse.move(box.x + 22, box.y + 2, { steps: 5 });
  await page.mouse.up();
  await waitUntilIdle(page);
  const dragged = (await viewerOf(page)).calls[115];
  assert.deepEqual([dragged.args, dragged.edited], [[0, 2.2, 0], true]);
  // Refused in plain words, with nothing changed.
  const refusals = await page.evaluate(() => [window.handViewer.skip([1]), window.handViewer.swap(11),
                                              window.handViewer.edit(114, [1e9, 1, 0, 0]), window.handViewer.edit(114, [30, 0, 0, 1e-4])]);
  assert.deepEqual(refusals.map(refusal => /base transform|cannot trade places|finite|axis/.test(refusal)), [true, true, true, true]);
  // A number at the bound is taken; one past it is not.
  assert.deepEqual(await page.evaluate(() => [window.handViewer.edit(114, [1000, 1, 0, 0]),
                                              typeof window.handViewer.edit(114, [1001, 1, 0, 0])]), [null, 'string']);
  await page.evaluate(() => window.handViewer.restore());
  await waitUntilIdle(page);
  assert.deepEqual((await viewerOf(page)).calls.filter(call => call.off || call.error), []);
  assert.deepEqual(session.seen.errors, []);
  await page.close();
});

test('a pose exercise is right once bends are equal and turns equal modulo 360, says what is off, and changes nothing', async () => {
  const { page } = await freshPage('&chapter=2');
  await typeKeys(page, ',,,,,');
  await page.click('#tab-learn');
  await page.click('#exercises button[data-id="ring-bent"]');  // from the whole frame
  await waitUntilIdle(page);
  const before = await viewerOf(page);
  assert.match((await page.evaluate(() => window.handViewer.answer('ring-bent'))).explanation,
               /ring finger is at 0, 50 short of 50; rotY is 335, 25° short of 0/);
  assert.equal(await answerOnPage(page, 'ring-bent'), 'wrong');
  assert.deepEqual(await viewerOf(page), before);
  await typeKeys(page, 'wwwwwwwwww' + '.....');  // the ring finger to 50, the turn back to 0
  await waitUntilIdle(page);
  assert.equal(await answerOnPage(page, 'ring-bent'), 'right');
  // A motion may leave a turn of 720, or below 0: the same pose.
  await page.goto(`${web.url}#size=300x300&bend=0,0,0,100,0&rot=0,-270,720`);
  await page.reload();
  await waitUntilReady(page);
  assert.equal((await page.evaluate(() => window.handViewer.answer('index-side'))).correct, true);
  await page.close();
});

test('a call exercise is answered by choosing the line, takes only its own numbers, and tells a wrong call\'s joint', async () => {
  const { page } = await freshPage('&chapter=1');
  await page.click('#tab-learn');
  await page.click('#exercises button[data-id="move-up"]');
  await page.click('#tab-code');
  await page.click('#calls li:nth-child(116)');
  assert.equal(await answerOnPage(page, 'move-up'), 'right');
  const accepted = await page.evaluate(() => window.handViewer.exercises().filter(({ kind }) => kind === 'call')
    .map(({ id }) => Array.from({ length: 178 }, (_, k) => k + 1).filter(k => window.handViewer.answer(id, k).correct).length));
  assert.ok(accepted.length >= 3 && accepted.every(count => count >= 1 && count <= 3), String(accepted));
  const told = await page.evaluate(() => [12, 151].map(k => window.handViewer.answer('move-up', k).explanation));
  assert.match(told[0], /call 12, glutSolidSphere, belongs to little finger, knuckle: it draws a sphere/);
  assert.match(told[1], /call 151, glutSolidSphere, belongs to thumb, base/);
  await page.close();
});

test('a point exercise is answered by a click where the joint will be, which selects nothing', async () => {
  const { page } = await freshPage('&chapter=1');
  // Where the middle joint truly lands at bend 80, found by bending there and back.
  const bendTo = async keys => { await typeKeys(page, keys); await waitUntilIdle(page); };
  await page.evaluate(() => window.handViewer.select(null));
  const { pose } = await viewerOf(page);
  await bendTo('r'.repeat((80 - pose.bend[3]) / 5));
  const [x, y] = await page.evaluate(() => {
    const joint = window.handViewer.joints().find(({ name }) => name === 'd3.s1').matrix;
    const eye = [0, 1, 2, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + joint[4 * c + r] * [0, 0, 0, 1][c], 0));
    const p = viewer.projection();
    const clip = [0, 1, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + p[4 * c + r] * eye[c], 0));
    const box = document.getElementById('canvas').getBoundingClientRect();
    return [box.left + (clip[0] / clip[2] + 1) / 2 * box.width, box.top + (1 - clip[1] / clip[2]) / 2 * box.height];
  });
  await bendTo('f'.repeat((80 - pose.bend[3]) / 5));
  await page.click('#tab-learn');
  await page.click('#exercises button[data-id="middle-joint"]');
  const reach = 0.04 * 300;  // of the canvas's height
  await page.mouse.click(x + reach + 1.5, y);
  assert.match(await page.locator('#feedback').textContent(), /^Not yet: 1[34] px away: it will be further left/);
  await page.mouse.click(x + reach - 1.5, y);
  assert.equal(await page.$eval('#feedback', feedback => feedback.className), 'right');
  assert.deepEqual(await viewerOf(page).then(({ pose: now, selected }) => [now, selected]), [pose, null]);
  await page.close();
});

test('a break exercise is right for the call whose change draws the faint hand; progress is kept, and reset', async () => {
  const { page } = await freshPage('&chapter=2');
  assert.equal(await answerOnPage(page, 'stretched', 118), 'wrong');
  assert.match(await page.locator('#feedback').textContent(), /switching off call 118 moves 1 shape, the first in index finger, knuckle/);
  assert.equal(await answerOnPage(page, 'stretched', 119), 'wrong');  // a cube: no change to make
  assert.match(await page.locator('#feedback').textContent(), /draws a shape/);
  assert.equal(await answerOnPage(page, 'stretched', 120), 'right');
  await page.reload();
  await waitUntilReady(page);
  await page.evaluate(() => window.handViewer.chapter(2));
  await page.click('#tab-learn');
  assert.match(await page.$eval('#exercises button[data-id="stretched"]', button => button.textContent), /^✓/);
  await page.click('#reset-progress');
  assert.doesNotMatch(await page.$eval('#exercises button[data-id="stretched"]', button => button.textContent), /^✓/);
  await page.close();
});

test('Learn first shown opens chapter 1; a chapter opens clean, as a fresh page opened at its link shows it', async () => {
  const { page, seen } = await freshPage();
  await page.click('#tab-learn');
  assert.match(await page.locator('#chapter-text').textContent(), /^Each bone is drawn the same way/);
  await page.click('#exercises button[data-id="middle-joint"]');  // its crosshair
  await page.selectOption('#chapter', '2');
  await page.click('#exercises button[data-id="stretched"]');  // its faint hand, a wrong answer and a call switched off
  await page.fill('#answer-number', '118');
  await page.click('#check');
  await page.evaluate(() => window.handViewer.skip([53]));
  await page.selectOption('#chapter', '4');
  const fresh = await openPage(web.browser, `${web.url}#size=300x300&chapter=4`);
  const shown = async ({ page }) => {
    await page.waitForFunction(() => /chapter=4$/.test(location.hash) && window.handViewer.calls().every(call => !call.off) &&
                                     window.handViewer.state().bend[1] === 50 && !window.handViewer.busy());
    await page.evaluate(() => new Promise(resolve => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    return [await page.locator('#learn-panel').textContent(), PNG.sync.read(await canvasPicture(page)),
            await page.evaluate(() => location.hash)];
  };
  const [[learnText, picture, hash], [freshText, freshPicture, freshHash]] = [await shown({ page }), await shown(fresh)];
  assert.deepEqual([learnText, hash], [freshText, freshHash]);
  assert.equal(fuzzyDifference(picture, freshPicture, 0), 0);
  assert.deepEqual([...seen.errors, ...fresh.seen.errors], []);
  await Promise.all([page.close(), fresh.page.close()]);
});

test('a lecturer\'s exercise in an embed, in a sandboxed frame: its words as text, worked out in the listing beside ' +
     'it, no progress kept, the host told its own id', async () => {
  const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300`);
  const words = 'Which call bends the <b>index</b> knuckle?';
  await page.setContent(`<iframe sandbox="allow-scripts" width="700" height="400"
    src="${web.url}#embed&ex=call:114&prompt=${encodeURIComponent(words)}"></iframe>`);
  await page.evaluate(() => { window.told = []; addEventListener('message', event => window.told.push(event.data)); });
  const frame = page.frames()[1];
  await frame.waitForFunction(() => window.handViewer?.ready);
  assert.equal(await frame.$eval('#exercise-prompt', p => p.textContent), words);
  assert.match(await frame.$eval('#progress-note', note => note.textContent), /progress will not be kept/);
  const id = `link:call:114 ${words}`;
  assert.equal((await frame.evaluate(id => window.handViewer.answer(id, 113), id)).correct, false);
  await frame.click('#tab-code');
  await frame.click('#calls li[value="114"]');
  await frame.click('#tab-learn');
  await frame.click('#check');
  await page.waitForFunction(() => window.told.length > 0);
  assert.deepEqual(await page.evaluate(() => window.told), [{ type: 'hand-viewer-solved', id, chapter: 0, kind: 'call' }]);
  assert.deepEqual(seen.errors, []);
  await page.close();
});

test('lesson words in a link: hostile ones left out in one line; the rest kept, an exercise on show in Learn, ' +
     'and copy as exercise makes one of the pose, the step\'s call and a prompt', async () => {
  const hostile = ['chapter=9', 'chapter=1e1', 'ex=call:999', 'ex=pose:7,0,0,0,0,0,0,0', 'ex=<b>', 'skip=abc', 'skip=1',
                   'swap=99999', 'edit=114:1e9,1,0,0', 'edit=x:y', 'ex=call:5&prompt=%E0%A4%A', 'prompt=alone', 'panel=keys'];
  for (const words of hostile) {
    const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300&${words}`);
    await waitUntilReady(page);
    const status = await page.locator('#status').textContent();
    assert.match(status, /left out|could not be read/, words);
    assert.doesNotMatch(status, /\n/, words);
    assert.deepEqual(seen.errors, [], words);
    await page.close();
  }
  // What reads is kept: the last chapter, a call given other numbers, the exercise, on show.
  const { page, seen } = await freshPage('&chapter=6&edit=114:30,1,0,0&ex=pose:0,0,0,50,0,0,90,0');
  assert.match(await page.locator('#chapter-text').textContent(), /thumb's glScalef/);
  assert.deepEqual((await viewerOf(page)).calls[113].args, [30, 1, 0, 0]);
  assert.equal(await page.isVisible('#exercise-prompt'), true);
  await page.evaluate(() => window.handViewer.step(114));
  await page.click('#tab-learn');
  await page.fill('#own-prompt', 'Which call bends the knuckle?');
  await page.click('#copy-exercise');
  // Not the step nor the joint: they would give the answer away.
  assert.match(await page.locator('#exercise-link').textContent(),
               /#bend=0,0,0,0,60&rot=0,0,0&ex=call:114&prompt=Which%20call%20bends%20the%20knuckle%3F$/);
  assert.deepEqual(seen.errors, []);
  await page.close();
});
