// The page around the viewer. It asks the full-screen question, turns key
// presses into the character codes the native viewer gets from X, and serves
// them to the WebAssembly one at a time, in order: a motion suspends itself
// at every frame to let the browser show it, and nothing may call into the
// viewer until it has finished.
'use strict';

const canvasSize = 300;
const queueLimit = 1000;  // about 30 s of a held key's auto-repeat
const prompt = 'FullScreen?(y/n) ';
const endedMessage = 'The viewer has ended (Escape). Reload the page to start it again.';
const failedMessage = 'The viewer stopped with an error; reload the page to start it again.';

const canvas = document.getElementById('canvas');
const consoleLine = document.getElementById('console');
const answers = document.getElementById('answers');
const status = document.getElementById('status');

const page = {
  answered: false,
  ready: false,     // the first frame is drawn
  serving: false,   // a key or a resize is being served
  ended: false,
  queue: [],        // keys and resizes waiting to be served
  dropped: 0,
  motionFrames: 0,
  state: null,      // reads the view angles and bends from the viewer's memory
};

// KeyboardEvent.key says what the key types on any layout; these are the
// codes X gives the native viewer for the keys that type no visible character.
// Tab is left to the browser, to move between the page's controls.
const namedKeys = { Backspace: 8, Enter: 13, Escape: 27, Delete: 127 };

function characterCode(event) {
  if (event.ctrlKey || event.altKey || event.metaKey)
    return null;  // the browser's own shortcuts
  if (event.key in namedKeys)
    return namedKeys[event.key];
  if (event.key.length === 1 && event.key.charCodeAt(0) < 256)
    return event.key.charCodeAt(0);
  return null;  // arrows, function keys, a modifier alone
}

function say(text) {
  status.textContent = text;
}

function nextAnimationFrame() {
  return new Promise(resolve => requestAnimationFrame(resolve));
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
  if (page.serving || !page.ready || !page.answered)
    return;
  page.serving = true;
  while (page.queue.length > 0 && !page.ended) {
    const item = page.queue.shift();
    try {
      if (item.key !== undefined)
        await Module.ccall('webPressKey', null, ['number'], [item.key], { async: true });
      else
        Module.ccall('webReshape', null, ['number', 'number'], [item.width, item.height]);
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
  if (code === 'y'.charCodeAt(0)) {
    canvas.requestFullscreen().catch(() => {
      say('The browser refused full screen; the hand stays at 300 × 300.');
    });
  }
  serve();
}

window.addEventListener('keydown', event => {
  const code = characterCode(event);
  if (code === null)
    return;
  event.preventDefault();
  if (page.ended)
    return;
  if (!page.answered)
    answer(code);  // like the console, the answer is not a key for the hand
  else
    enqueue({ key: code });
});
document.getElementById('answer-y').addEventListener('click', () => answer('y'.charCodeAt(0)));
document.getElementById('answer-n').addEventListener('click', () => answer('n'.charCodeAt(0)));

// The canvas takes the screen's size in full screen and its own outside it.
document.addEventListener('fullscreenchange', () => {
  const full = document.fullscreenElement === canvas;
  canvas.width = full ? screen.width : canvasSize;
  canvas.height = full ? screen.height : canvasSize;
  enqueue({ width: canvas.width, height: canvas.height });
});

// What the viewer's frames tell the page (see web_main.cpp).
function redisplayDrawn() {
  if (page.ready)
    return;
  page.ready = true;
  say(page.answered ? '' : 'Answer the question with a key, or a button.');
  queueMicrotask(serve);  // once this frame's call into the viewer has returned
}

function motionFrameDrawn() {
  page.motionFrames++;
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

// A small read-only view for teachers and tests.
window.handViewer = {
  state: () => (page.state ? page.state() : null),
  get motionFrames() { return page.motionFrames; },
  busy: () => page.serving || page.queue.length > 0,
  get ended() { return page.ended; },
  get ready() { return page.ready; },
  get droppedKeys() { return page.dropped; },
};

function webGLAvailable() {
  try {
    return document.createElement('canvas').getContext('webgl') !== null;
  } catch (error) {
    return false;
  }
}

if (!webGLAvailable()) {
  say('This browser cannot draw with WebGL (it is missing or turned off), and the hand ' +
      'needs it. Turn WebGL on, or try another browser.');
} else {
  window.Module = {
    canvas,
    print: text => console.log(text),
    printErr: text => console.warn(text),
    onRuntimeInitialized() { page.state = stateReader(); },
    onAbort: () => end(failedMessage),
    redisplayDrawn,
    motionFrameDrawn,
  };
  const script = document.createElement('script');
  script.src = 'hand-viewer.js';
  document.body.appendChild(script);
}
