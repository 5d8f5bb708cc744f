// Breaking the drawing and the exercises, served, in Debian's Chromium: the
// page's changed calls against hand-snapshot's, and each kind of exercise
// solved through the page and refused a wrong answer.

import assert from 'node:assert/strict';
import { test } from 'node:test';
import { openPage, typeKeys, waitUntilIdle, waitUntilReady } from './drivers/page_session.mjs';
import { nativeCalls, siteInChromium } from './support.mjs';

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
  await page.evaluate(() => window.handViewer.restore());
  await waitUntilIdle(page);
  assert.deepEqual((await viewerOf(page)).calls.filter(call => call.off || call.error), []);
  assert.deepEqual(session.seen.errors, []);
  await page.close();
});

test('a pose exercise is right once bends are equal and turns equal modulo 360, and answering changes nothing', async () => {
  const { page } = await freshPage('&chapter=2');
  await typeKeys(page, ',,,,,');
  await waitUntilIdle(page);
  const before = await viewerOf(page);
  assert.equal(await answerOnPage(page, 'ring-bent'), 'wrong');
  assert.deepEqual(await viewerOf(page), before);
  await typeKeys(page, 'wwwwwwwwww' + '.....');  // the ring finger to 50, the turn back to 0
  await waitUntilIdle(page);
  assert.equal(await answerOnPage(page, 'ring-bent'), 'right');
  // A motion may leave a turn of 720: the same pose.
  await page.goto(`${web.url}#size=300x300&bend=0,50,0,0,0&rot=0,720,-360`);
  await page.reload();
  await waitUntilReady(page);
  assert.equal((await page.evaluate(() => window.handViewer.answer('ring-bent'))).correct, true);
  await page.close();
});

test('a call exercise is answered by choosing the line, and takes only its own numbers', async () => {
  const { page } = await freshPage('&chapter=1');
  await page.click('#tab-learn');
  await page.click('#exercises button[data-id="move-up"]');
  await page.click('#tab-code');
  await page.click('#calls li:nth-child(116)');
  assert.equal(await answerOnPage(page, 'move-up'), 'right');
  const accepted = await page.evaluate(() => window.handViewer.exercises().filter(({ kind }) => kind === 'call')
    .map(({ id }) => Array.from({ length: 178 }, (_, k) => k + 1).filter(k => window.handViewer.answer(id, k).correct).length));
  assert.ok(accepted.length >= 3 && accepted.every(count => count >= 1 && count <= 3), String(accepted));
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
  await page.mouse.click(x + 40, y + 40);
  assert.equal(await page.$eval('#feedback', feedback => feedback.className), 'wrong');
  await page.mouse.click(x + 5, y - 5);
  assert.equal(await page.$eval('#feedback', feedback => feedback.className), 'right');
  assert.deepEqual(await viewerOf(page).then(({ pose: now, selected }) => [now, selected]), [pose, null]);
  await page.close();
});

test('a break exercise is right for the call whose change draws the faint hand; progress is kept, and reset', async () => {
  const { page } = await freshPage('&chapter=2');
  assert.equal(await answerOnPage(page, 'stretched', 118), 'wrong');
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

test('a lecturer\'s exercise in an embed, in a sandboxed frame: its words as text, no progress kept, the host told', async () => {
  const { page, seen } = await openPage(web.browser, `${web.url}#size=300x300`);
  const prompt = encodeURIComponent('Which call bends the <b>index</b> knuckle?');
  await page.setContent(`<iframe sandbox="allow-scripts" width="700" height="400"
    src="${web.url}#embed&ex=call:114&prompt=${prompt}"></iframe>`);
  await page.evaluate(() => { window.told = []; addEventListener('message', event => window.told.push(event.data)); });
  const frame = page.frames()[1];
  await frame.waitForFunction(() => window.handViewer?.ready);
  assert.equal(await frame.$eval('#exercise-prompt', p => p.textContent), 'Which call bends the <b>index</b> knuckle?');
  assert.match(await frame.$eval('#progress-note', note => note.textContent), /progress will not be kept/);
  assert.equal((await frame.evaluate(() => window.handViewer.answer('link', 113))).correct, false);
  assert.equal((await frame.evaluate(() => window.handViewer.answer('link', 114))).correct, true);
  await page.waitForFunction(() => window.told.length > 0);
  assert.deepEqual(await page.evaluate(() => window.told), [{ type: 'hand-viewer-solved', id: 'link', chapter: 0, kind: 'call' }]);
  // Words that are no URL encoding leave the exercise out, said in the status line.
  const hostile = await openPage(web.browser, `${web.url}#ex=call:114&prompt=%E0%A4%A`);
  await waitUntilReady(hostile.page);
  assert.match(await hostile.page.locator('#status').textContent(), /exercise in the link could not be read/);
  assert.deepEqual([...seen.errors, ...hostile.seen.errors], []);
  await Promise.all([page.close(), hostile.page.close()]);
});
