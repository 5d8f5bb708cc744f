// The queue: keys, sizes, slider moves and links, served one at a time in
// the order they came, each by the action it carries. A key's motion is
// recorded as the key is served, then shown one frame per animation frame
// before anything else is served, as the native viewer plays a motion to
// its end before reading the next key.
'use strict';

const serving = (() => {
  const queueLimit = 1000;  // about 30 s of a held key's auto-repeat
  const endedMessage = 'The viewer has ended (Escape), as the program does. Start again for a fresh run.';

  const status = {
    ready: false,    // the first frame is drawn
    serving: false,  // an item is being served
    ended: false,
    dropped: 0,
    motionFrames: 0,
  };
  const queue = [];
  let whenEnded = message => {};  // page.js sets it

  const nextAnimationFrame = () => new Promise(resolve => requestAnimationFrame(resolve));

  // Past the limit an item is dropped, as a full X queue would drop a key.
  function enqueue(item) {
    if (status.ended)
      return;
    if (queue.length >= queueLimit) {
      status.dropped++;
      return;
    }
    queue.push(item);
    serve();
  }

  // One item of a kind waits at most: a later one takes its place.
  function enqueueLatest(kind, run) {
    const waiting = queue.find(item => item.kind === kind);
    if (waiting)
      waiting.run = run;
    else
      enqueue({ kind, run });
  }

  // After each item one animation frame passes, so the redisplay it asked
  // for is drawn before the next.
  async function serve() {
    if (status.serving || !status.ready)
      return;
    status.serving = true;
    while (queue.length > 0 && !status.ended) {
      const item = queue.shift();
      try {
        await item.run();
      } catch (error) {
        end(viewer.exited(error) ? endedMessage : viewer.failedMessage);
        if (!viewer.exited(error))
          throw error;
        break;
      }
      await nextAnimationFrame();
    }
    status.serving = false;
  }

  // Nothing more is served: the viewer has exited, or failed.
  function end(message) {
    status.ended = true;
    status.serving = false;
    queue.length = 0;
    whenEnded(message);
  }

  // Paused, the frame on show is held until a step lets one more be shown
  // or playing goes on: pausing is an index that stops.
  const time = { paused: false, goOn: null };

  function letMotionGoOn() {
    const goOn = time.goOn;
    time.goOn = null;
    goOn?.();
  }

  function pause(paused) {
    time.paused = paused;
    if (!paused)
      letMotionGoOn();
  }

  // The viewer already stands at the motion's end: its frames are shown
  // with the poses they were recorded with. A frame drawn in an animation
  // frame the last one was drawn in would cover it before either is shown.
  async function playMotion(frameCount) {
    let shownAt = null;
    for (let frame = 0; frame < frameCount && !status.ended; frame++) {
      if (frame > 0 && time.paused)
        await new Promise(resolve => { time.goOn = resolve; });
      while (await nextAnimationFrame() === shownAt) {
      }
      viewer.showMotionFrame(frame);
      shownAt = document.timeline.currentTime;
      status.motionFrames++;
      pageState.showFrame(viewer.motionFramePose(frame), frame, time.paused);
    }
  }

  // A key: served as the native callback would, its motion shown, then the
  // key's own redisplay; the page shows the pose it ends in. Every press is
  // served, but a held key's repeats at most one a frame drawn: a repeat
  // that comes while one waits takes its place, so the hand stops within a
  // frame of the key's release.
  function pressKey(code, repeat) {
    const run = async () => {
      const frameCount = viewer.pressKey(code);
      pageState.set({ motionLength: frameCount, shownFrame: null, playing: frameCount > 0 });
      await playMotion(frameCount);
      viewer.endMotion();
      pageState.set({ frame: null, shownFrame: null, playing: false });
    };
    if (repeat)
      enqueueLatest('repeat', run);
    else
      enqueue({ kind: 'key', run });
  }

  return {
    status,
    enqueue,
    enqueueLatest,
    waiting: kind => queue.some(item => item.kind === kind),
    hasRoom: () => queue.length < queueLimit,
    pressKey,
    // Frame `frame` of the last motion, shown again, in turn; its pose and
    // calls are read as it is drawn.
    showMotionFrame: frame => enqueueLatest('scrub', () => {
      viewer.showMotionFrame(frame);
      pageState.showFrame(viewer.motionFramePose(frame), frame, true);
    }),
    pause,
    letMotionGoOn,
    get paused() { return time.paused; },
    end,
    setWhenEnded: action => { whenEnded = action; },
    // The first frame is drawn: what waits can be served.
    begin() {
      status.ready = true;
      queueMicrotask(serve);  // once this frame's call into the viewer has returned
    },
    busy: () => status.serving || queue.length > 0,
  };
})();
