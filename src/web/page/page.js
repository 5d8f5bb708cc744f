// The page put together: what the viewer's words set off, the views drawn
// from the page's state, every listener, and window.handViewer. The rooms
// it joins are the scripts before it, each of one idea.
'use strict';

(() => {
  const canvas = document.getElementById('canvas');
  const pad = document.getElementById('pad');
  const lesson = document.getElementById('lesson');
  const status = document.getElementById('status');
  const axesSwitch = document.getElementById('axes-switch');
  const chainDigit = document.getElementById('chain-digit');
  const pauseButton = document.getElementById('pause');

  // hand-viewer.html#embed: the canvas and a small pad alone, filling an
  // iframe in a course page, the question answered n. The rest of the hash
  // is the page's own link, kept after "embed".
  document.documentElement.classList.toggle('embed', poseAndLink.embedded);

  // A line of the listing selects the joint whose subtree holds it, and
  // steps to it.
  function chooseCall(call) {
    jointTree.select(pageState.state.joints[viewer.jointOfCall(call)]?.name ?? null);
    listing.stepTo(call + 1);
  }

  // Every view, from the state, in one pass, from the first frame on.
  pageState.setViews(state => {
    if (state.message !== null && status.textContent !== state.message)
      status.textContent = state.message;
    if (!viewer.running() || !serving.status.ready)
      return;
    poseAndLink.show(state);
    axesSwitch.checked = state.axes;
    chainDigit.value = String(state.digit);
    jointTree.show(state);
    if (jointTree.built())
      listing.show(state);
  });

  serving.setWhenEnded(message => {
    keysAndPad.stopRepeating();
    if (document.fullscreenElement)
      document.exitFullscreen().catch(() => {});
    pageState.set({ message });
  });

  viewer.hooks.failed = message => serving.end(message);
  // Before the first frame, which then shows the link's pose. A reload may
  // have kept the switch and the digit.
  viewer.hooks.started = () => {
    pageState.set({ axes: axesSwitch.checked, digit: Number(chainDigit.value) });
    poseAndLink.readLink(location.hash);
  };
  // The first frame is shown as soon as its task ends: the page's own work
  // waits for the task after it.
  let firstFrameDrawn = false;
  viewer.hooks.redisplayDrawn = () => {
    if (serving.status.ready) {
      pageState.readFrame();
    } else if (!firstFrameDrawn) {
      firstFrameDrawn = true;
      performance.mark('first-frame');  // for the benchmark
      setTimeout(beginServing);
    }
  };

  function beginServing() {
    canvasSize.readLargestViewport();
    serving.begin();
    const answerFirst = keysAndPad.answered() ? '' : 'Answer the question with a key, or a button.';
    pageState.set({ message: [poseAndLink.linkNote(), answerFirst].filter(Boolean).join(' ') });
    pageState.readFrame();
    listenToLesson();
  }

  function pauseMotions(paused) {
    serving.pause(paused);
    pauseButton.setAttribute('aria-pressed', String(paused));
  }

  // Keys, the question and the pad are heard from the start: what comes
  // before the viewer is ready waits for it.
  window.addEventListener('keydown', keysAndPad.keyDown);
  window.addEventListener('keyup', keysAndPad.keyUp);
  window.addEventListener('blur', keysAndPad.stopRepeating);
  const onClick = (element, action) => element.addEventListener('click', keysAndPad.clickWithoutKey(action));
  onClick(document.getElementById('answer-y'), () => keysAndPad.answer('y'.charCodeAt(0)));
  onClick(document.getElementById('answer-n'), () => keysAndPad.answer('n'.charCodeAt(0)));
  for (const button of pad.querySelectorAll('button[data-key]')) {
    const code = keysAndPad.codeOf(button.dataset.key);
    button.addEventListener('pointerdown', event => {
      if (event.button !== 0)
        return;
      // A touch keeps its button until lifted; let it go, so that sliding
      // off the button counts as leaving it.
      if (button.hasPointerCapture(event.pointerId))
        button.releasePointerCapture(event.pointerId);
      keysAndPad.holdKey(code);
    });
    for (const type of ['pointerup', 'pointerleave', 'pointercancel'])
      button.addEventListener(type, keysAndPad.stopRepeating);
    // A click with no pointer and no key behind it comes from a screen reader: one press.
    onClick(button, event => {
      if (event.detail === 0)
        keysAndPad.press(code);
    });
  }
  pad.addEventListener('contextmenu', event => event.preventDefault());  // a long press

  new ResizeObserver(canvasSize.measure).observe(canvas);
  // Zooming changes the pixel ratio, not the canvas's size in CSS pixels.
  const watchPixelRatio = () => {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      canvasSize.measure();
      watchPixelRatio();
    }, { once: true });
  };
  watchPixelRatio();

  // The lesson's controls, once the first frame is drawn. The tree and the
  // listing are a few hundred elements: they are made once the lesson is
  // near the screen. On a phone it starts below the fold; embedded, it is
  // not shown at all.
  function listenToLesson() {
    const whileRunning = action => (...args) => {
      if (!serving.status.ended)
        action(...args);
    };
    document.getElementById('calls').addEventListener('click', whileRunning(event => {
      const call = listing.callOfLine(event.target);
      if (call >= 0)
        chooseCall(call);
    }));
    document.getElementById('joint-tree').addEventListener('click', whileRunning(event => {
      const node = event.target.closest('button[data-joint]');
      if (node)
        jointTree.toggle(node.dataset.joint);
    }));
    canvas.addEventListener('click', whileRunning(event => {
      const box = canvas.getBoundingClientRect();
      const name = jointTree.jointNear(event.clientX - box.left, event.clientY - box.top);
      if (name)
        jointTree.select(name);
    }));
    axesSwitch.addEventListener('change', whileRunning(() => pageState.set({ axes: axesSwitch.checked })));
    chainDigit.addEventListener('change', () => pageState.set({ digit: Number(chainDigit.value) }));
    poseAndLink.sliders.forEach((slider, index) => slider.addEventListener('input', whileRunning(() =>
      poseAndLink.moveSlider(index, Number(slider.value)))));
    document.getElementById('copy-link').addEventListener('click', poseAndLink.copyLink);
    document.getElementById('step-back').addEventListener('click', whileRunning(listing.stepBack));
    document.getElementById('step-on').addEventListener('click', whileRunning(listing.stepOn));
    const stepSlider = document.getElementById('step-slider');
    stepSlider.addEventListener('input', whileRunning(() => listing.stepTo(Number(stepSlider.value))));
    document.getElementById('step-whole').addEventListener('click', whileRunning(() => listing.stepTo(null)));
    pauseButton.addEventListener('click', () => pauseMotions(!serving.paused));
    document.getElementById('step-frame').addEventListener('click', serving.letMotionGoOn);
    window.addEventListener('hashchange', event => poseAndLink.readLinkInTurn(new URL(event.newURL).hash));

    const observer = new IntersectionObserver(([entry]) => {
      if (!entry.isIntersecting)
        return;
      observer.disconnect();
      jointTree.build(pageState.state.joints);
      pageState.set({});
    }, { rootMargin: '300px' });
    observer.observe(lesson);
  }

  // A small read-only view for teachers and tests.
  window.handViewer = {
    state: () => (viewer.running() ? pageState.pose() : null),
    // The joint frames as last shown: name, label and 16 numbers.
    joints: () => pageState.state.joints.map(joint => ({ ...joint, matrix: [...joint.matrix] })),
    // The frame last shown as code: [{name, args, depth, matrix}], as hand-snapshot --calls lists it.
    calls: () => pageState.state.calls.map(call => ({ ...call, args: [...call.args], matrix: [...call.matrix] })),
    // Draws calls 1 .. k of the frame only; step(null) draws the whole frame.
    step: step => { if (serving.status.ready && !serving.status.ended) listing.stepTo(step); },
    // Selects a joint frame by name ("d3.s1"), or with null none.
    select: name => { if (!serving.status.ended) jointTree.select(name); },
    selected: pageState.selectedName,
    get motionFrames() { return serving.status.motionFrames; },
    // Time control for motions: pause after the frame on show, one frame more, play on.
    pause: () => pauseMotions(true),
    resume: () => pauseMotions(false),
    stepFrame: serving.letMotionGoOn,
    get paused() { return serving.paused; },
    busy: serving.busy,
    get ended() { return serving.status.ended; },
    get ready() { return serving.status.ready; },
    get droppedKeys() { return serving.status.dropped; },
  };

  if (poseAndLink.embedded)
    keysAndPad.answer('n'.charCodeAt(0));
})();
