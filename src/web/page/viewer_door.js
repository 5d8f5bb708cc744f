// The viewer's door: the only script that touches the WebAssembly (Module).
// It starts the viewer, names every function of it the page calls, and reads
// the structures it leaves in memory, after checking at start that they lie
// where this script reads them.
'use strict';

const viewer = (() => {
  const canvas = document.getElementById('canvas');

  // What the page does when the viewer speaks; page.js sets them.
  const hooks = {
    started() {},         // before the first frame: the link can be read
    redisplayDrawn() {},  // a frame was drawn that was no motion's
    failed(message) {},   // the viewer cannot go on
  };

  const failedMessage = 'The viewer stopped with an error; reload the page to start it again.';
  const cannotStartMessage = 'The viewer could not start: its WebGL shaders failed. The browser said: ';
  const noWebGLMessage = 'This browser cannot draw with WebGL (it is missing or turned off), ' +
                         'and the hand needs it. Turn WebGL on, or try another browser.';

  // The structures read from memory as wasm32 lays them out, sizes and
  // offsets in bytes, in the order webLayout() reports them (page_layout.cpp).
  const layout = {
    poseBytes: 32,                                  // Pose: five bends, then rotX, rotY, rotZ
    jointCount: 20, jointBytes: 72, jointLabel: 4, jointMatrix: 8,  // JointFrame
    callBytes: 168, callDepth: 4, callNumber: 8, callChange: 12, callError: 16,  // ListedCall
    callIndent: 20, callJoint: 24, callUnder: 28, callLit: 32, callArgs: 40, callGiven: 72, callMatrix: 104,
    listingCalls: 8,                                // CallListing: the count, then the calls
    hashRoom: 2048, readingAxes: 32, readingDigit: 36, readingStep: 40, readingJoint: 44,
    readingSize: 48, readingNote: 56,               // PageStateReading
  };

  // In ListedName's order (frame_listing.h), with the numbers each takes.
  const listedNames = [
    ['glLoadIdentity', 0], ['glLoadMatrixf', 0], ['glPushMatrix', 0], ['glPopMatrix', 0], ['glTranslatef', 3],
    ['glRotatef', 4], ['glScalef', 3], ['glutSolidSphere', 3], ['glutSolidCube', 1],
  ];

  const int = address => Module.HEAP32[address >> 2];
  const ints = (address, count) => Array.from(Module.HEAP32.subarray(address >> 2, (address >> 2) + count));
  const floats = (address, count) => Array.from(Module.HEAPF32.subarray(address >> 2, (address >> 2) + count));
  const doubles = (address, count) => Array.from(Module.HEAPF64.subarray(address >> 3, (address >> 3) + count));

  function poseAt(address) {
    const numbers = floats(address, 8);
    return { rotX: numbers[5], rotY: numbers[6], rotZ: numbers[7], bend: numbers.slice(0, 5) };
  }

  // What this script reads, against what the viewer reports; '' when they agree.
  function layoutDifference() {
    const names = Object.keys(layout);
    const reported = ints(Module._webLayout(), names.length);
    return names.flatMap((name, i) => (reported[i] === layout[name] ? [] : [`${name} is ${reported[i]}, read as ${layout[name]}`]))
      .join('; ');
  }

  // Hands changes to the viewer call by call; the module, to go on with.
  function ask({ off, swap, edits }) {
    Module._webAskNoChange();
    off.forEach(number => Module._webAskOff(number));
    if (swap)
      Module._webAskSwap(swap);
    for (const [number, args] of Object.entries(edits))
      Module._webAskNumbers(number, args.length, ...args, 0, 0, 0, 0);
    return Module;
  }

  let running = false;  // started, and laid out as read here

  function started() {
    const difference = layoutDifference();
    running = !difference;
    if (difference)
      hooks.failed(`The page and its viewer were built apart, and would misread each other (${difference}). ` +
                   'Build the page again.');
    else
      hooks.started();
  }

  // The page carries the viewer's WebAssembly itself, a module made in its
  // head (window.handViewerWasm); the runtime would fetch it instead. The
  // runtime holds it until the page's last element, a one-line script, calls
  // startViewer: main() then runs at once, building the viewer's shaders and
  // asking for its first frame. That element is also what lets the browser
  // paint; were it one of the long scripts, a slow network would have the
  // browser lay out and paint the page while the rest arrived, and the
  // viewer would wait for that paint.
  let startInstance = () => {};

  function instantiateWasm(imports, receiveInstance) {
    startInstance = () => {
      performance.mark('viewer-start');  // for the benchmark: all before it is the page's own
      let instance;
      try {
        instance = new WebAssembly.Instance(window.handViewerWasm, imports);
      } catch (error) {
        hooks.failed(`${failedMessage} (${error})`);
        return;
      }
      receiveInstance(instance, window.handViewerWasm);
    };
    return {};
  }

  // Read by hand-viewer.js, which runs after the page's scripts.
  window.Module = {
    canvas,
    instantiateWasm,
    print: text => console.log(text),
    printErr: text => console.warn(text),
    onRuntimeInitialized: started,
    onAbort: () => hooks.failed(failedMessage),
    redisplayDrawn: () => running && hooks.redisplayDrawn(),
    webGLMissing: () => hooks.failed(noWebGLMessage),
    viewerCannotStart: log => hooks.failed(cannotStartMessage + log),
  };

  return {
    hooks,
    failedMessage,
    start: () => startInstance(),
    running: () => running,
    // Escape ends the viewer as exit(0) would: by throwing this.
    exited: error => error?.name === 'ExitStatus',

    // Serves a key as the native key callback would; its motion's frames
    // are recorded, not drawn, and their count returned.
    pressKey: code => Module._webPressKey(code),
    motionFramePose: frame => poseAt(Module._webMotionFrames() + frame * layout.poseBytes),
    showMotionFrame: frame => Module._webShowMotionFrame(frame),
    endMotion: () => Module._webEndMotion(),

    reshape: (width, height) => Module._webReshape(width, height),
    pose: () => poseAt(Module._webPose()),
    setPose: ({ bend, rotX, rotY, rotZ }) => Module._webSetPose(...bend, rotX, rotY, rotZ),
    // The fewest turn keys from one angle to exactly another: true for each
    // up key, false for each down key; null if none reach it.
    turnKeys(angle, target) {
      const at = Module._webTurnKeys(angle, target);
      return int(at) < 0 ? null : ints(at + 4, int(at)).map(up => up === 1);
    },
    // Reads a link's hash (page_state.h): the pose goes to the viewer; the
    // rest, and a note on what was left out, come back. Null if the hash is
    // longer than any link of the page's.
    readLink(hash, { axes, digit, step, joint }) {
      const bytes = new TextEncoder().encode(hash);
      if (bytes.length > layout.hashRoom)
        return null;
      Module.HEAPU8.set([...bytes, 0], Module._webHashRoom());
      const at = Module._webReadHash(axes ? 1 : 0, digit, step ?? -1, joint);
      const readStep = int(at + layout.readingStep);
      return {
        axes: int(at + layout.readingAxes) === 1, digit: int(at + layout.readingDigit),
        step: readStep < 0 ? null : readStep, joint: int(at + layout.readingJoint),
        size: ints(at + layout.readingSize, 2),
        note: Module.UTF8ToString(at + layout.readingNote),
      };
    },
    showLesson: ({ axes, joint, step }) => Module._webShowLesson(axes ? 1 : 0, joint, step ?? -1),

    // The last frame drawn: its joint frames and its calls.
    joints() {
      const at = Module._webJointFrames();
      return Array.from({ length: layout.jointCount }, (_, i) => {
        const joint = at + i * layout.jointBytes;
        return {
          name: Module.UTF8ToString(int(joint)),
          label: Module.UTF8ToString(int(joint + layout.jointLabel)),
          matrix: floats(joint + layout.jointMatrix, 16),
        };
      });
    },
    // Each call's joint is named as `joints` name them.
    calls(joints) {
      const listing = Module._webFrameCalls();
      return Array.from({ length: int(listing) }, (_, i) => {
        const call = listing + layout.listingCalls + i * layout.callBytes;
        const [name, argCount] = listedNames[int(call)];
        const change = int(call + layout.callChange);
        return {
          name, args: doubles(call + layout.callArgs, argCount), depth: int(call + layout.callDepth),
          number: int(call + layout.callNumber), off: !!(change & 1), swapped: !!(change & 2), edited: !!(change & 4),
          given: doubles(call + layout.callGiven, argCount),
          error: [null, 'GL_STACK_OVERFLOW', 'GL_STACK_UNDERFLOW'][int(call + layout.callError)],
          matrix: floats(call + layout.callMatrix, 16),
          // From the frame's replay (frame_replay.h); null for the view's joint.
          indent: int(call + layout.callIndent), joint: joints[int(call + layout.callJoint)]?.name ?? null,
          under: int(call + layout.callUnder), lit: int(call + layout.callLit) === 1,
        };
      });
    },
    projection: () => floats(Module._webProjection(), 16),

    // Changes to the frame's calls, {off: [k, …], swap: k or 0, edits: {k:
    // [numbers]}} (call_changes.h): made from the next frame, or refused
    // with the reason ('' when made).
    changeCalls: changes => Module.UTF8ToString(ask(changes)._webChangeCalls()),
    withoutCleanStart: () => Module.UTF8ToString(Module._webWithoutCleanStart()),
    // Why changes cannot be made, or '': nothing is changed.
    refusalOf: changes => Module.UTF8ToString(ask(changes)._webRefusalOfAsked()),
    // Changes `a` against `b`: same, 1 when they draw every shape alike, 0
    // when not, -1 when either cannot be made; then how many shapes each
    // moves from the unchanged frame, and the first `a` moves.
    compareChanges(a, b) {
      ask(b)._webKeepAsked();
      const [same, moved, firstMoved, bMoved] = ints(ask(a)._webCompareAsked(), 4);
      return { same, moved, firstMoved, bMoved };
    },
    // The hand an exercise aims at, faint behind: a pose, changes, or none.
    targetPose: ({ bend, rotX, rotY, rotZ }) => Module._webTargetPose(...bend, rotX, rotY, rotZ),
    targetChanges: changes => ask(changes)._webTargetAsked(),
    noTarget: () => Module._webNoTarget(),
    jointInPose: ({ bend, rotX, rotY, rotZ }, joint) => floats(Module._webJointInPose(...bend, rotX, rotY, rotZ, joint), 16),

    // The lesson's answers about the last frame (frame_listing.h).
    callsInEffect(count) {
      const answer = Module._webCallsInEffect(count);
      return ints(answer + 4, int(answer));
    },
    jointReachedAt: joint => Module._webJointReachedAt(joint),
    matrixOfCall(call) {
      const matrix = Module._webMatrixOfCall(call);
      return matrix ? floats(matrix, 16) : null;
    },
  };
})();

// The page's last element calls this.
function startViewer() {
  viewer.start();
}
