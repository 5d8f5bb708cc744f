// The one owner of what the page shows: the lesson's settings (the joint
// frames' switch, the digit whose chain is listed, the step and the selected
// joint) and the pose on show. Every change goes through set(); the views,
// the link among them, are then drawn from the state in one pass.
'use strict';

const pageState = (() => {
  const state = {
    axes: false,
    digit: 3,     // the digit whose chain is listed
    step: null,   // the calls drawn when stepping through the frame; null for all
    joint: -1,    // the selected joint frame's index, or -1
    size: null,   // the canvas pinned by the link to [W, H] CSS pixels, or null
    frame: null,  // while a motion is shown: the pose of its frame on show
    shownFrame: null,  // and that frame's index
    motionLength: 0,   // the frames of the last key's motion
    playing: false,    // while they are played
    joints: [],   // the last frame's joint frames
    calls: [],    // and its calls
    message: null,  // the status line, once the page has something to say
  };
  let drawViews = () => {};  // page.js sets it

  // The pose on show: a motion's frame while one is shown, else the viewer's.
  const pose = () => state.frame ?? viewer.pose();

  function set(change) {
    const lessonChanged = ['axes', 'joint', 'step'].some(name => name in change && change[name] !== state[name]);
    Object.assign(state, change);
    if (lessonChanged)
      viewer.showLesson(state);
    drawViews(state);
  }

  // A motion's frame is on show: the pose and the scrubber follow every
  // frame; its joint frames and calls are read when it is held there.
  function showFrame(framePose, index, held) {
    state.frame = framePose;
    state.shownFrame = index;
    if (held)
      readFrame();
    else
      drawViews(state);
  }

  // The viewer drew a frame: its joint frames and calls are read anew.
  function readFrame() {
    const joints = viewer.joints();
    set({ joints, calls: viewer.calls(joints) });
  }

  return {
    state,
    pose,
    set,
    showFrame,
    readFrame,
    setViews: draw => { drawViews = draw; },
    selectedName: () => state.joints[state.joint]?.name ?? null,
  };
})();
