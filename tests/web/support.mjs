// What the page's tests share: the built site served and one Chromium for a
// test file, and how they compare pictures of the canvas (pngjs images).

import { after, before } from 'node:test';
import { launchChromium, serveSite } from '../../src/web/page_session.mjs';

export const site = new URL('../../build-web/site', import.meta.url).pathname;

// Serves the site and starts Chromium before a file's tests, and ends both
// after them: `url` and `browser` are set once the tests run.
export function siteInChromium() {
  const session = {};
  before(async () => {
    Object.assign(session, await serveSite(site));
    session.browser = await launchChromium();
  });
  after(async () => {
    await session.browser?.close();
    session.server?.close();
  });
  return session;
}

// The browser's GL emulation treats the light as directional, so shading
// and highlights differ a little from Mesa's; the hand's outline does not.
export const isLit = (png, i) => png.data[i] + png.data[i + 1] + png.data[i + 2] > 24;

// Pixels lit in one picture and black in the other.
export function outlineDifference(a, b) {
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4)
    count += isLit(a, i) !== isLit(b, i) ? 1 : 0;
  return count;
}

// Pixels that differ by more than 48 in a channel, as the native image tests count.
export function colourDifference(a, b) {
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4)
    count += [0, 1, 2].some(c => Math.abs(a.data[i + c] - b.data[i + c]) > 48) ? 1 : 0;
  return count;
}

// Where the hand lies in a picture drawn at `ratio` device pixels per CSS
// pixel, in CSS pixels: the box around its lit pixels, and their area.
export function handOutline(png, ratio = 1) {
  const box = [Infinity, Infinity, -Infinity, -Infinity];
  let lit = 0;
  for (let y = 0; y < png.height; y++)
    for (let x = 0; x < png.width; x++) {
      if (!isLit(png, (y * png.width + x) * 4))
        continue;
      lit++;
      box[0] = Math.min(box[0], x);
      box[1] = Math.min(box[1], y);
      box[2] = Math.max(box[2], x + 1);
      box[3] = Math.max(box[3], y + 1);
    }
  return { box: box.map(v => v / ratio), area: lit / (ratio * ratio) };
}
