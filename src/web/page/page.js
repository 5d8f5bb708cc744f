// The page around the viewer. It asks the full-screen question, turns key
// presses and taps on the key pad into the character codes the native viewer
// gets from X, and serves them to the WebAssembly one at a time, in order: a
// motion suspends itself at every frame to let the browser show it, and
// nothing may call into the viewer until it has finished.
'use strict';

const queueLimit = 1000;  // about 30 s of a held key's auto-repeat
// A held key, or a held button of the pad, repeats after about half a
// second, then about 30 times a second.
const repeatDelay = 500;
const repeatInterval = 33;
const prompt = 'FullScreen?(y/n) ';
const endedMessage = 'The viewer has ended (Escape). Reload the page to start it again.';
const failedMessage = 'The viewer stopped with an error; reload the page to start it again.';
const cannotStartMessage = 'The viewer could not start: its WebGL shaders failed. The browser said: ';
const noWebGLMessage = 'This browser cannot draw with WebGL (it is missing or turned off), ' +
                       'and the hand needs it. Turn WebGL on, or try another browser.';

// hand-viewer.html#embed: the canvas and a small pad alone, filling an
// iframe in a course page, the question answered n. The rest of the hash is
// the page's own link, kept after "embed".
const embedded = location.hash.slice(1).split('&').includes('embed');
document.documentElement.classList.toggle('embed', embedded);

const canvas = document.getElementById('canvas');
const viewer = document.getElementById('viewer');
const pad = document.getElementById('pad');
const consoleLine = document.getElementById('console');
const answers = document.getElementById('answers');
const status = document.getElementById('status');
const pose = document.getElementById('pose');
const lesson = document.getElementById('lesson');
const axesSwitch = document.getElementById('axes-switch');
const chainDigit = document.getElementById('chain-digit');
const chain = document.getElementById('chain');
const sliders = [...document.querySelectorAll('#sliders input')];
const copyLinkButton = document.getElementById('copy-link');
const stepSlider = document.getElementById('step-slider');
const stepWhole = document.getElementById('step-whole');
const stepWhere = document.getElementById('step-where');
const stepMatrices = document.getElementById('step-matrices');
const callList = document.getElementById('calls');
const jointTree = document.getElementById('joint-tree');
const jointLabels = document.getElementById('joint-labels');
const selectedJoint = document.getElementById('selected-joint');
const pauseButton = document.getElementById('pause');
const stepButton = document.getElementById('step-frame');

const page = {
  answered: false,
  ready: false,     // the first frame is drawn
  serving: false,   // a key, a resize or a redisplay is being served
  ended: false,
  queue: [],        // keys, resizes and redisplays waiting to be served
  dropped: 0,
  motionFrames: 0,
  state: null,      // reads the view angles and bends from the viewer's memory
  hierarchy: null,  // reads the joint frames and the frame's calls from it
  joints: [],       // the joint frames as last shown
  calls: [],        // the matrix calls and shapes of the frame last shown
  largestViewport: [Infinity, Infinity],
  linkNote: '',     // what reading the link left out, if anything
  step: null,       // the calls drawn when stepping through the frame; null for all
  selected: -1,     // the selected joint frame's index, or -1
};

// KeyboardEvent.key says what the key types on any layout; these are the
// codes X gives the native viewer for the keys that type no visible character.
// Tab is left to the browser, to move between the page's controls.
const namedKeys = { Backspace: 8, Enter: 13, Escape: 27, Delete: 127 };

// The code of a key by its name: a character, or one of namedKeys.
function codeOf(key) {
  if (key in namedKeys)
    return namedKeys[key];
  if (key.length === 1 && key.charCodeAt(0) < 256)
    return key.charCodeAt(0);
  return null;  // arrows, function keys, a modifier alone
}

function characterCode(event) {
  if (event.ctrlKey || event.altKey || event.metaKey)
    return null;  // the browser's own shortcuts
  return codeOf(event.key);
}

function say(text) {
  status.textContent = text;
}

function nextAnimationFrame() {
  return new Promise(resolve => requestAnimationFrame(resolve));
}

// A typed key and a tap on the pad are the same: the first answers the
// question, the rest go to the hand.
function press(code) {
  if (page.ended)
    return;
  if (!page.answered)
    answer(code);  // like the console, the answer is not a key for the hand
  else
    enqueue({ key: code });
}

function enqueue(item) {
  if (page.queue.length >= queueLimit) {
    page.dropped++;  // past the limit a key is dropped, as a full X queue would
    return;
  }
  page.queue.push(item);
  serve();
}

// Serves what waits, one item at a time. After each, one animation frame
// passes, so the redisplay the key asked for is drawn before the next key.
async function serve() {
  if (page.serving || !page.ready)
    return;
  page.serving = true;
  while (page.queue.length > 0 && !page.ended) {
    const item = page.queue.shift();
    try {
      if (item.key !== undefined) {
        await Module.ccall('webPressKey', null, ['number'], [item.key], { async: true });
        showPose();
      } else if (item.redisplay) {
        Module.ccall('webRedisplay', null, [], []);
      } else if (item.slider) {
        setFromSlider(item.slider);
        showPose();
      } else if (item.select !== undefined) {
        Module.ccall('webSelectJoint', null, ['number'], [item.select]);
      } else if (item.step !== undefined) {
        Module.ccall('webShowCalls', null, ['number'], [item.step ?? -1]);
      } else if (item.link !== undefined) {
        readLink(item.link);
      } else {
        resizeBacking(item);
      }
    } catch (error) {
      const escaped = error && error.name === 'ExitStatus';
      end(escaped ? endedMessage : failedMessage);
      if (!escaped)
        throw error;
      break;
    }
    await nextAnimationFrame();
  }
  page.serving = false;
}

// Nothing more is served: the viewer has exited, or failed.
function end(message) {
  page.ended = true;
  page.serving = false;
  page.queue.length = 0;
  stopRepeating();
  if (document.fullscreenElement)
    document.exitFullscreen().catch(() => {});
  say(message);
}

function answer(code) {
  page.answered = true;
  answers.hidden = true;
  consoleLine.textContent = prompt + (code >= 32 && code < 127 ? String.fromCharCode(code) : '');
  if (page.ready)
    say('');
  if (code === 'y'.charCodeAt(0))
    enterFullScreen();
  else if (!embedded)  // in a frame it would scroll the page around it
    viewer.scrollIntoView({ block: 'nearest' });  // on a phone: the hand and the pad in view
  serve();
}

// With a keyboard the picture alone fills the screen; on a touch screen the
// pad comes along, or nothing could drive the hand.
function enterFullScreen() {
  const touchScreen = matchMedia('(pointer: coarse)').matches;
  (touchScreen ? viewer : canvas).requestFullscreen().catch(() => {
    say('The browser refused full screen; the hand stays at 300 × 300.');
  });
}

// A key typed is served once, as itself, whatever has the focus. Letting it
// go may still click a focused button (Space does, where the browser takes
// that for the button's own key): such a click, in the same task as the
// key, has a key behind it and presses nothing.
let keyBehindClicks = false;

function noteKey() {
  keyBehindClicks = true;
  setTimeout(() => { keyBehindClicks = false; });
}

// Space and Enter work the focused joint-frames switch or digit chooser (the
// hand has no use for them); every other key goes to the hand as anywhere.
const takenByLesson = event => lesson.contains(event.target) && (event.key === ' ' || event.key === 'Enter');

window.addEventListener('keydown', event => {
  noteKey();
  if (takenByLesson(event))
    return;
  const code = characterCode(event);
  if (code === null)
    return;
  // Also keeps a focused button from taking Space or Enter as a click.
  event.preventDefault();
  press(code);
});
window.addEventListener('keyup', event => {
  noteKey();
  if (characterCode(event) !== null && !takenByLesson(event))
    event.preventDefault();
});

function onClick(element, action) {
  element.addEventListener('click', event => {
    if (!keyBehindClicks)
      action(event);
  });
}
onClick(document.getElementById('answer-y'), () => answer('y'.charCodeAt(0)));
onClick(document.getElementById('answer-n'), () => answer('n'.charCodeAt(0)));

// The key pad. Pressing a button presses its key; holding it repeats the
// key until the button is let go, the pointer leaves it or the touch is
// cancelled. Timers run only while a button is held.
let repeatTimer = null;

function stopRepeating() {
  clearTimeout(repeatTimer);
  repeatTimer = null;
}

function holdKey(code) {
  stopRepeating();
  press(code);
  const repeat = () => {
    press(code);
    repeatTimer = setTimeout(repeat, repeatInterval);
  };
  repeatTimer = setTimeout(repeat, repeatDelay);
}

for (const button of pad.querySelectorAll('button[data-key]')) {
  const code = codeOf(button.dataset.key);
  button.addEventListener('pointerdown', event => {
    if (event.button !== 0)
      return;
    // A touch keeps its button until lifted; let it go, so that sliding
    // off the button counts as leaving it.
    if (button.hasPointerCapture(event.pointerId))
      button.releasePointerCapture(event.pointerId);
    holdKey(code);
  });
  for (const type of ['pointerup', 'pointerleave', 'pointercancel'])
    button.addEventListener(type, stopRepeating);
  // A click with no pointer and no key behind it comes from a screen
  // reader: one press.
  onClick(button, event => {
    if (event.detail === 0)
      press(code);
  });
}
pad.addEventListener('contextmenu', event => event.preventDefault());  // a long press
window.addEventListener('blur', stopRepeating);

// The canvas's backing store follows its size on the screen in device
// pixels, so the picture is sharp at any pixel ratio and zoom, in full
// screen too. The viewer gets the new size as a key would: in turn.
function watchCanvasSize() {
  const measure = () => {
    const box = canvas.getBoundingClientRect();
    requestBacking(Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio));
  };
  new ResizeObserver(measure).observe(canvas);
  // Zooming changes the pixel ratio, not the canvas's size in CSS pixels.
  const watchRatio = () => {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      measure();
      watchRatio();
    }, { once: true });
  };
  watchRatio();
}

// One resize waits at most: a later size replaces it.
function requestBacking(width, height) {
  if (width < 1 || height < 1)
    return;  // hidden
  const waiting = page.queue.find(item => item.width !== undefined);
  if (waiting) {
    Object.assign(waiting, { width, height });
  } else if (width !== canvas.width || height !== canvas.height) {
    page.queue.push({ width, height });
    serve();
  }
}

// Served once the viewer has its context, so the GL's largest viewport is known.
function resizeBacking(size) {
  const width = Math.min(size.width, page.largestViewport[0]);
  const height = Math.min(size.height, page.largestViewport[1]);
  if (width === canvas.width && height === canvas.height)
    return;
  canvas.width = width;
  canvas.height = height;
  Module.ccall('webReshape', null, ['number', 'number'], [width, height]);
}

// What the viewer's frames tell the page (see web_main.cpp). The hierarchy
// is shown anew at each redisplay: every bound key but Escape ends with one,
// so it follows each key and motion, never each motion frame.
function redisplayDrawn() {
  showHierarchy();
  if (page.ready)
    return;
  page.ready = true;
  performance.mark('first-frame');  // for the benchmark
  const gl = canvas.getContext('webgl');  // the viewer's own, now that it has one
  page.largestViewport = Array.from(gl.getParameter(gl.MAX_VIEWPORT_DIMS));
  showPose();
  say([page.linkNote, page.answered ? '' : 'Answer the question with a key, or a button.'].filter(Boolean).join(' '));
  queueMicrotask(serve);  // once this frame's call into the viewer has returned
}

function motionFrameDrawn() {
  page.motionFrames++;
}

// Paused, a motion waits after each frame it shows, with that frame's pose
// and hierarchy on the page, until a step lets one more frame be drawn or
// playing goes on. Keys typed meanwhile wait in the queue.
const timeControl = { paused: false, goOn: null };

function motionMayGoOn() {
  if (!timeControl.paused)
    return undefined;
  showPose();
  showHierarchy();
  return new Promise(resolve => { timeControl.goOn = resolve; });
}

function letMotionGoOn() {
  const goOn = timeControl.goOn;
  timeControl.goOn = null;
  goOn?.();
}

function pauseMotions(paused) {
  timeControl.paused = paused;
  pauseButton.setAttribute('aria-pressed', String(paused));
  if (!paused)
    letMotionGoOn();
}

// Reads the globals straight from memory: a call into the viewer while a
// motion waits for its next frame would break the motion.
function stateReader() {
  const floatAt = address => Module.HEAPF32[address >> 2];
  const angles = [0, 1, 2].map(axis => Module._webViewAngle(axis));
  const bends = Module._webBends();
  return () => ({
    rotX: floatAt(angles[0]),
    rotY: floatAt(angles[1]),
    rotZ: floatAt(angles[2]),
    bend: [0, 1, 2, 3, 4].map(i => floatAt(bends + 4 * i)),
  });
}

// The pose in numbers, after each key and motion (never per frame: a screen
// reader reads it out).
function showPose() {
  const { rotX, rotY, rotZ, bend } = page.state();
  const text = `rotX ${rotX}, rotY ${rotY}, rotZ ${rotZ}; bend ${bend.join(' ')}`;
  if (pose.textContent !== text)
    pose.textContent = text;
  [...bend, rotX, rotY, rotZ].forEach((value, i) => { sliders[i].value = value; });
  keepStateInLink();
}

// The pose, the joint frames' switch and the chosen digit, in the address:
// a link to the page as it is. Every value is written so it reads back as
// the very float.
function linkHash() {
  const { rotX, rotY, rotZ, bend } = page.state();
  return `#${embedded ? 'embed&' : ''}bend=${bend.join(',')}&rot=${rotX},${rotY},${rotZ}&axes=${axesSwitch.checked ? 1 : 0}` +
         `&digit=${chainDigit.value}&step=${page.step ?? 'all'}&joint=${page.joints[page.selected]?.name ?? 'none'}`;
}

function keepStateInLink() {
  if (page.state && location.hash !== linkHash())
    history.replaceState(null, '', linkHash());
}

function noteLink(text) {
  page.linkNote = text;
  if (page.ready)
    say(text);
}

// Reads a link's hash into the viewer and the page (page_state.h), unless
// it is longer than any link of the page's: then the viewer is not asked.
function readLink(link) {
  const hash = link.slice(1).split('&').filter(part => part !== 'embed').join('&');
  if (hash === '' || link === linkHash())
    return;
  if (hash.length > layout.reading.hashRoom) {
    noteLink('The link is too long to be one of this page\'s; it was not read.');
    return;
  }
  const reading = Module.ccall('webReadHash', 'number', ['string', 'number', 'number', 'number', 'number'],
                               [hash, axesSwitch.checked ? 1 : 0, Number(chainDigit.value), page.step ?? -1,
                                page.selected]);
  const int = offset => Module.HEAP32[(reading + offset) >> 2];
  axesSwitch.checked = int(layout.reading.axes) === 1;
  chainDigit.value = String(int(layout.reading.digit));
  turnAxes();
  const step = int(layout.reading.step);
  page.step = step < 0 ? null : step;
  Module.ccall('webShowCalls', null, ['number'], [step]);
  page.selected = int(layout.reading.joint);
  Module.ccall('webSelectJoint', null, ['number'], [page.selected]);
  noteLink(Module.UTF8ToString(reading + layout.reading.note));
  showPose();
}

// One slider's new value, with every other number of the pose as it is now.
function setFromSlider({ index, value }) {
  const { rotX, rotY, rotZ, bend } = page.state();
  const pose = [...bend, rotX, rotY, rotZ];
  pose[index] = value;
  Module.ccall('webSetPose', null, pose.map(() => 'number'), pose);
}

// The C++ structures read from the viewer's memory, as wasm32 lays them
// out: sizes and offsets in bytes. hierarchy_view.cpp asserts the same.
const layout = {
  frameCount: 20,                          // jointFrameCount
  frame: { bytes: 72, label: 4, matrix: 8 },  // JointFrame: the name's and label's addresses, the matrix
  listed: { bytes: 88, depth: 4, args: 8, matrix: 24 },  // ListedCall: name, depth, args, matrix
  reading: { hashRoom: 2048, axes: 32, digit: 36, step: 40, joint: 44, note: 48 },  // PageStateReading, pageHashRoom
};

// The joint frames and the frame's calls, as the last frame drawn left them
// in the viewer's memory.
function hierarchyReader() {
  const { frameCount, frame, listed } = layout;
  const frames = Module._webJointFrames();
  const frameCalls = Module._webFrameCalls();
  const jointCalls = Module._webJointCalls();
  const int = address => Module.HEAP32[address >> 2];
  const floats = (address, count) => Array.from(Module.HEAPF32.subarray(address >> 2, (address >> 2) + count));
  return {
    // How many of the frame's calls came before each joint frame was reached.
    jointCalls: () => Array.from(Module.HEAP32.subarray(jointCalls >> 2, (jointCalls >> 2) + frameCount)),
    projection: () => floats(Module._webProjection(), 16),
    joints: () => Array.from({ length: frameCount }, (_, i) => ({
      name: Module.UTF8ToString(int(frames + i * frame.bytes)),
      label: Module.UTF8ToString(int(frames + i * frame.bytes + frame.label)),
      matrix: floats(frames + i * frame.bytes + frame.matrix, 16),
    })),
    // CallListing: the count, then ListedCalls.
    calls: () => Array.from({ length: int(frameCalls) }, (_, i) => {
      const at = frameCalls + 4 + i * listed.bytes;
      const [name, argCount] = listedNames[int(at)];
      return {
        name, args: floats(at + listed.args, argCount), depth: int(at + listed.depth),
        matrix: floats(at + listed.matrix, 16),
      };
    }),
  };
}

// In ListedName's order (matrix_stacks.h), with the numbers each takes.
const listedNames = [
  ['glLoadIdentity', 0], ['glLoadMatrixf', 0], ['glPushMatrix', 0], ['glPopMatrix', 0], ['glTranslatef', 3],
  ['glRotatef', 4], ['glScalef', 3], ['glutSolidSphere', 3], ['glutSolidCube', 1],
];

const shortNumber = x => String(Number(x.toPrecision(6)));
const callText = ({ name, args }) => `${name}(${args.map(shortNumber).join(', ')})`;

// The calls in effect where the digit's fingertip is reached, from the base
// transform on (its opening load left out), each indented by the pushes in
// effect when it was made.
function chainText(digit) {
  const tip = page.joints.findIndex(joint => joint.name === `d${digit}.tip`);
  const lines = callsInEffect(page.hierarchy.jointCalls()[tip]).map(i => page.calls[i])
    .filter(call => call.name !== 'glLoadIdentity' || call.depth > 1)
    .map(call => '  '.repeat(call.depth - (call.name === 'glPushMatrix' ? 2 : 1)) + callText(call));
  const where = page.joints[tip].matrix.slice(12, 15).map(x => String(Number(x.toPrecision(4)))).join(', ');
  return [...lines, `tip at (${where}) in eye space`].join('\n');
}

// The view's calls set up the eye and turn the whole hand: all of them
// leave at most the scene's own push in effect, and only its closing pop
// (the hand's own pops leave that push) falls back to the base.
const isViewCall = ({ name, depth }) => depth === 1 || (depth === 2 && name !== 'glPopMatrix');

// The matrix one call multiplies the current one by, column-major as GL's.
function matrixOfCall({ name, args }) {
  const m = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
  if (name === 'glTranslatef')
    [m[12], m[13], m[14]] = args;
  else if (name === 'glScalef')
    [m[0], m[5], m[10]] = args;
  else if (name === 'glRotatef') {
    const length = Math.hypot(args[1], args[2], args[3]);
    const [x, y, z] = args.slice(1).map(v => v / length);
    const c = Math.cos(args[0] * Math.PI / 180), s = Math.sin(args[0] * Math.PI / 180), t = 1 - c;
    m.splice(0, 11, t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0,
             t * x * y - s * z, t * y * y + c, t * y * z + s * x, 0,
             t * x * z + s * y, t * y * z - s * x, t * z * z + c);
  } else
    return null;
  return m;
}

// Four rows of a column-major matrix.
const matrixRows = m => [0, 1, 2, 3].map(r =>
  [0, 1, 2, 3].map(c => shortNumber(m[4 * c + r]).padStart(10)).join(' ')).join('\n');

// The calls in effect after the first `count`: what a pop undid is gone.
function callsInEffect(count) {
  const kept = [];
  const pushedAt = [];
  page.calls.slice(0, count).forEach(({ name }, i) => {
    if (name === 'glPopMatrix')
      kept.length = pushedAt.pop() ?? kept.length;
    else if (!name.startsWith('glutSolid')) {
      if (name === 'glPushMatrix')
        pushedAt.push(kept.length);
      kept.push(i);
    }
  });
  return kept;
}

// The innermost joint whose subtree call `i` belongs to: reached before it,
// with the stack not popped below where it was reached since. -1: the view's.
function jointOfCall(i) {
  const reachedAt = page.hierarchy.jointCalls();
  let innermost = -1;
  reachedAt.forEach((start, joint) => {
    const depth = start > 0 ? page.calls[start - 1].depth : 1;
    const inside = start <= i && page.calls.slice(start, i + 1).every(call => call.depth >= depth);
    if (inside && (innermost < 0 || start >= reachedAt[innermost]))
      innermost = joint;
  });
  return innermost;
}

// The listing of every call, and where stepping stands in it; the calls
// that built the selected joint's frame are marked.
function showCalls() {
  const count = page.calls.length;
  const builders = new Set(page.selected < 0 ? [] : callsInEffect(page.hierarchy.jointCalls()[page.selected]));
  stepSlider.max = String(Math.max(count, 1));
  const shown = page.step === null ? count : Math.min(page.step, count);
  stepSlider.value = String(shown);
  stepWhole.setAttribute('aria-pressed', String(page.step === null));
  const lines = page.calls.map(call => `${'  '.repeat(call.depth - 1)}${callText(call)}`);
  if (callList.dataset.text !== lines.join('\n')) {
    callList.replaceChildren(...page.calls.map((call, i) => {
      const item = document.createElement('li');
      item.textContent = lines[i];
      item.className = isViewCall(call) ? 'view' : '';
      item.addEventListener('click', () => {
        selectJoint(page.joints[jointOfCall(i)]?.name ?? null);
        stepTo(i + 1);
      });
      return item;
    }));
    callList.dataset.text = lines.join('\n');
  }
  [...callList.children].forEach((item, i) => {
    item.classList.toggle('later', i >= shown);
    item.toggleAttribute('aria-current', page.step !== null && i === shown - 1);
    item.classList.toggle('builds', builders.has(i));
  });
  const call = page.calls[shown - 1];
  if (page.step === null || !call) {
    stepWhere.textContent = `The whole frame: ${count} calls.`;
    stepMatrices.textContent = '';
    return;
  }
  stepWhere.textContent = `Call ${shown} of ${count}: ${callText(call)}, ${isViewCall(call) ? 'the view' : 'the hand'}; ` +
                          `stack depth ${call.depth}.`;
  const multiplied = matrixOfCall(call);
  stepMatrices.textContent = `the model-view matrix, in eye space:\n${matrixRows(call.matrix)}` +
    (multiplied ? `\n\nwhich this call multiplied by:\n${matrixRows(multiplied)}` : '');
}

// Draws calls 1 .. `step` of the frame, or with null the whole frame.
function stepTo(step) {
  if (!page.hierarchy || page.ended)
    return;
  const count = page.calls.length;
  page.step = step === null ? null : Math.min(Math.max(Math.round(Number(step)) || 1, 1), count);
  showCalls();
  const current = callList.querySelector('[aria-current]');
  if (current)  // in the middle of the listing's own view
    callList.scrollTop = current.offsetTop - callList.clientHeight / 2;
  keepStateInLink();
  enqueue({ step: page.step });
}

// Selects a joint frame by its name, or with null none: its subtree stands
// out on the canvas, its axes are drawn long, and the listing marks the
// calls that built it.
function selectJoint(name) {
  const index = page.joints.findIndex(joint => joint.name === name);
  if (page.ended || (name !== null && index < 0))
    return;
  page.selected = index;
  showSelection();
  showCalls();
  keepStateInLink();
  enqueue({ select: index });
}

// Where a point of a joint frame falls on the canvas, in CSS pixels.
function onCanvas(matrix, point) {
  const p = page.hierarchy.projection();
  const eye = [0, 1, 2, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + matrix[4 * c + r] * point[c], 0));
  const clip = [0, 1, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + p[4 * c + r] * eye[c], 0));
  return [(clip[0] / clip[2] + 1) / 2 * canvas.clientWidth, (1 - clip[1] / clip[2]) / 2 * canvas.clientHeight];
}

// The tree's pressed node, the selection's name, and its axes' letters
// over the canvas.
function showSelection() {
  const joint = page.joints[page.selected];
  for (const button of jointTree.querySelectorAll('button'))
    button.setAttribute('aria-pressed', String(button.dataset.joint === joint?.name));
  selectedJoint.textContent = joint ? `Selected: ${joint.label} (${joint.name}).` : 'No joint selected.';
  const at = 2.7;  // selectedLetterDistance (joint_frames.h)
  const letters = !joint ? [] : [['X', [at, 0, 0, 1]], ['Y', [0, at, 0, 1]], ['Z', [0, 0, at, 1]],
                                 [joint.label, [0, 0, 0, 1]]];
  jointLabels.replaceChildren(...letters.map(([text, point]) => {
    const [x, y] = onCanvas(joint.matrix, point);
    const label = document.createElement('span');
    label.textContent = text;
    label.style.left = `${canvas.offsetLeft + x}px`;
    label.style.top = `${canvas.offsetTop + y + (text.length > 1 ? 14 : 0)}px`;
    return label;
  }));
}

// The tree of joints, hand › digit › joints › tip, made once.
function buildJointTree() {
  const joints = page.joints;
  const button = ({ name, label }) => {
    const node = document.createElement('button');
    node.type = 'button';
    node.dataset.joint = name;
    node.textContent = label.replace(/^.*, /, '');
    node.setAttribute('aria-label', `${label} (${name})`);
    node.addEventListener('click', () => selectJoint(page.joints[page.selected]?.name === name ? null : name));
    return node;
  };
  const digits = ['little finger', 'ring finger', 'middle finger', 'index finger', 'thumb'].map((digit, d) => {
    const item = document.createElement('li');
    item.append(`${digit}: `, ...joints.filter(({ name }) => name.startsWith(`d${d}.`)).map(button));
    return item;
  });
  const hand = document.createElement('li');
  const list = document.createElement('ul');
  list.append(...digits);
  hand.append(button(joints[0]), list);
  const tree = document.createElement('ul');
  tree.append(hand);
  jointTree.replaceChildren(tree);
}

// A click near a joint's origin on the canvas selects it.
canvas.addEventListener('click', event => {
  if (!page.hierarchy || page.joints.length === 0)
    return;
  const box = canvas.getBoundingClientRect();
  const distance = ({ matrix }) => {
    const [x, y] = onCanvas(matrix, [0, 0, 0, 1]);
    return Math.hypot(x - (event.clientX - box.left), y - (event.clientY - box.top));
  };
  const nearest = page.joints.reduce((best, joint) => (distance(joint) < distance(best) ? joint : best));
  if (distance(nearest) <= 12)
    selectJoint(nearest.name);
});

// The tree and the listing are a few hundred elements: they are made after
// the first frame, once the lesson is near the screen. On a phone it starts
// below the fold; embedded, it is not shown at all.
let lessonWatched = false;
function buildLessonWhenNear() {
  if (lessonWatched)
    return;
  lessonWatched = true;
  const observer = new IntersectionObserver(([entry]) => {
    if (!entry.isIntersecting)
      return;
    observer.disconnect();
    buildJointTree();
    showHierarchy();
  }, { rootMargin: '300px' });
  observer.observe(lesson);
}

// The joint frames and the chosen digit's chain, as the last frame drew them.
function showHierarchy() {
  if (!page.hierarchy)
    return;
  page.joints = page.hierarchy.joints();
  page.calls = page.hierarchy.calls();
  showSelection();
  if (!jointTree.firstChild) {
    buildLessonWhenNear();
    return;
  }
  showCalls();
  const text = chainText(Number(chainDigit.value));
  if (chain.textContent !== text)
    chain.textContent = text;
}

// The viewer reads the switch at every frame; a redisplay shows it at once.
function turnAxes() {
  Module.HEAP32[Module._webAxesSwitch() >> 2] = axesSwitch.checked ? 1 : 0;
}

axesSwitch.addEventListener('change', () => {
  if (!page.hierarchy || page.ended)
    return;
  turnAxes();
  keepStateInLink();
  enqueue({ redisplay: true });
});
chainDigit.addEventListener('change', () => {
  showHierarchy();
  keepStateInLink();
});
// A slider is served in turn, as a key is; a later move of it replaces one waiting.
sliders.forEach((slider, index) => slider.addEventListener('input', () => {
  if (!page.state || page.ended)
    return;
  const value = Number(slider.value);
  const waiting = page.queue.find(item => item.slider?.index === index);
  if (waiting)
    waiting.slider.value = value;
  else
    enqueue({ slider: { index, value } });
}));
document.getElementById('step-back').addEventListener('click', () => stepTo((page.step ?? page.calls.length) - 1));
document.getElementById('step-on').addEventListener('click', () => stepTo(page.step === null ? 1 : page.step + 1));
stepSlider.addEventListener('input', () => stepTo(Number(stepSlider.value)));
stepWhole.addEventListener('click', () => stepTo(null));
copyLinkButton.addEventListener('click', () => {
  keepStateInLink();
  navigator.clipboard.writeText(location.href).then(() => say('The link to this pose is copied.'),
    () => say('The browser would not copy it; the link is in the address bar.'));
});
// Each change is read in turn, as it was made.
window.addEventListener('hashchange', event => enqueue({ link: new URL(event.newURL).hash }));
pauseButton.addEventListener('click', () => pauseMotions(!timeControl.paused));
stepButton.addEventListener('click', letMotionGoOn);

// A small read-only view for teachers and tests.
window.handViewer = {
  state: () => (page.state ? page.state() : null),
  // The joint frames as the chain panel last showed them: name and 16 numbers.
  joints: () => page.joints.map(joint => ({ ...joint, matrix: [...joint.matrix] })),
  // The frame last shown as code: [{name, args, depth, matrix}], as hand-snapshot --calls lists it.
  calls: () => page.calls.map(call => ({ ...call, args: [...call.args], matrix: [...call.matrix] })),
  // Draws calls 1 .. k of the frame only; step(null) draws the whole frame.
  step: stepTo,
  // Selects a joint frame by name ("d3.s1"), or with null none.
  select: selectJoint,
  selected: () => page.joints[page.selected]?.name ?? null,
  get motionFrames() { return page.motionFrames; },
  // Time control for motions: pause after the frame on show, one frame more, play on.
  pause: () => pauseMotions(true),
  resume: () => pauseMotions(false),
  stepFrame: letMotionGoOn,
  get paused() { return timeControl.paused; },
  busy: () => page.serving || page.queue.length > 0,
  get ended() { return page.ended; },
  get ready() { return page.ready; },
  get droppedKeys() { return page.dropped; },
};

// The page carries the viewer's WebAssembly itself, a module made in its
// head (window.handViewerWasm); the runtime would fetch it instead. The
// runtime holds it until the page's last element, a one-line script, calls
// startViewer: main() then runs at once, building the viewer's shaders and
// asking for its first frame. That element is also what lets the browser
// paint; were it one of these long scripts, a slow network would have the
// browser lay out and paint the page while the rest of the script arrived,
// and the viewer would wait for that paint.
let startViewer = () => {};

function instantiateWasm(imports, receiveInstance) {
  startViewer = () => {
    performance.mark('viewer-start');  // for the benchmark: all before it is the page's own
    let instance;
    try {
      instance = new WebAssembly.Instance(window.handViewerWasm, imports);
    } catch (error) {
      end(`${failedMessage} (${error})`);
      return;
    }
    receiveInstance(instance, window.handViewerWasm);
  };
  return {};
}

// Read by hand-viewer.js, which runs after this script.
window.Module = {
  canvas,
  instantiateWasm,
  print: text => console.log(text),
  printErr: text => console.warn(text),
  onRuntimeInitialized() {
    page.state = stateReader();
    page.hierarchy = hierarchyReader();
    turnAxes();  // a reload may keep the switch on
    readLink(location.hash);  // before the first frame, which then shows the link's pose
  },
  onAbort: () => end(failedMessage),
  redisplayDrawn,
  motionFrameDrawn,
  motionMayGoOn,
  webGLMissing: () => end(noWebGLMessage),
  viewerCannotStart: log => end(cannotStartMessage + log),
};
watchCanvasSize();
if (embedded)
  answer('n'.charCodeAt(0));
