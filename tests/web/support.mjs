// What the page's tests share: the built site served and one Chromium for a
// test file, hand-snapshot's pictures to hold the page's against, and how
// they compare pictures of the canvas (pngjs images).

import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { PNG } from 'pngjs';
import { launchChromium, serveSite } from './drivers/page_session.mjs';

const root = new URL('../..', import.meta.url).pathname;
export const site = path.join(root, 'build-web/site');
export const oneFile = path.join(root, 'build-web/hand-viewer.html');
const snapshot = process.env.HAND_SNAPSHOT || path.join(root, 'build/hand-snapshot');

// Runs hand-snapshot, from the native build, on a private Xvfb.
const snap = args => execFileSync(path.join(root, 'scripts/with-xvfb.sh'), [snapshot, ...args], { encoding: 'utf8' });

// The native build's picture after each of `poses` (keys, as --keys takes
// them), all drawn on one Xvfb.
export function nativePictures(poses) {
  const folder = mkdtempSync(path.join(tmpdir(), 'native-'));
  const eachPose = 'i=0; for keys in "$@"; do "$0" --keys "$keys" --out "$i.png"; i=$((i + 1)); done';
  try {
    execFileSync(path.join(root, 'scripts/with-xvfb.sh'), ['bash', '-c', eachPose, snapshot, ...poses], { cwd: folder });
    return poses.map((_, i) => PNG.sync.read(readFileSync(path.join(folder, `${i}.png`))));
  } finally {
    rmSync(folder, { recursive: true });
  }
}

// hand-snapshot's picture for these options (--bend, --skip ...), or with
// `keys` its frame number `frame` (from 1), as --frames names them.
export function nativePicture(args, frame = null) {
  const folder = mkdtempSync(path.join(tmpdir(), 'native-'));
  try {
    snap([...args, ...(frame ? ['--frames', folder] : ['--out', path.join(folder, 'frame-0000.png')])]);
    return PNG.sync.read(readFileSync(path.join(folder, `frame-${String(frame ?? 0).padStart(4, '0')}.png`)));
  } finally {
    rmSync(folder, { recursive: true });
  }
}

// The native build's joint frames, and its last frame as calls, after `keys`
// and under any change to its calls (--skip K ...).
export const nativeJoints = keys => JSON.parse(snap(['--keys', keys, '--joints', '-'])).joints;
export const nativeCalls = (keys, ...change) => JSON.parse(snap(['--keys', keys, ...change, '--calls', '-'])).calls;

// Pixels of the pure red, green or blue that the joint frames' axes are drawn in.
export function axisPixels(png) {
  let count = 0;
  for (let i = 0; i < png.data.length; i += 4) {
    const rgb = [png.data[i], png.data[i + 1], png.data[i + 2]];
    count += rgb.filter(c => c === 255).length === 1 && rgb.filter(c => c === 0).length === 2 ? 1 : 0;
  }
  return count;
}

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

export const isLit = (png, i) => png.data[i] + png.data[i + 1] + png.data[i + 2] > 24;

// Pixels lit in one picture and black in the other.
export function outlineDifference(a, b) {
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4)
    count += isLit(a, i) !== isLit(b, i) ? 1 : 0;
  return count;
}

// Pixels whose colours lie more than `fuzz` of the full scale apart, as a
// distance over red, green and blue: nearly what ImageMagick's
// `compare -metric AE -fuzz 10%` counts.
export function fuzzyDifference(a, b, fuzz = 0.1) {
  const limit = (fuzz * 255) ** 2;
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    const distance = [0, 1, 2].reduce((sum, c) => sum + (a.data[i + c] - b.data[i + c]) ** 2, 0);
    count += distance > limit ? 1 : 0;
  }
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
