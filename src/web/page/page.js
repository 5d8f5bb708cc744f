// The page put together: what the viewer's words set off, the views drawn
// from the page's state, every listener, and window.handViewer. The rooms
// it joins are the scripts before it, each of one idea.
'use strict';

(() => {
  const canvas = document.getElementById('canvas');
  const pad = document.getElementById('pad');
  const status = document.getElementById('status');
  const axesSwitch = document.getElementById('axes-switch');
  const chainDigit = document.getElementById('chain-digit');
  const startAgain = document.getElementById('start-again');

  // hand-viewer.html#embed: the canvas and a small pad alone, filling an
  // iframe in a course page, the question answered n; panel=code or
  // panel=joints puts that panel beside it. The rest of the hash is the
  // page's own link, kept after "embed".
  document.documentElement.classList.toggle('embed', poseAndLink.embedded);
  document.documentElement.classList.toggle('with-panel', poseAndLink.embeddedPanel !== null);
  if (poseAndLink.embeddedPanel)
    panels.show(poseAndLink.embeddedPanel);
  // Embedded with Learn, Code comes along: a call is found in its listing.
  if (poseAndLink.embeddedPanel === 'learn') {
    document.documentElement.classList.add('with-tabs');
    document.getElementById('lesson').prepend(document.getElementById('tabs'));
  }
  // Embedded, the keys' signs carry a word of their own, and a tooltip.
  for (const button of pad.querySelectorAll('button[data-key]')) {
    button.title = button.textContent.replace(/\s*\S+$/, '').trim();
    button.dataset.short = button.title.split(' ').at(-1);
  }

  // What the canvas shows, in words, for a screen reader.
  function describeCanvas(state) {
    const { rotX, rotY, rotZ, bend } = pageState.pose();
    const joint = state.joints[state.joint];
    canvas.setAttribute('aria-label', `The hand, turned rotX ${rotX}, rotY ${rotY}, rotZ ${rotZ}, bent ` +
      `${bend.join(', ')} (little finger to thumb). ${joint ? `Selected: ${joint.label}.` : 'No joint selected.'}`);
  }

  // A line of the listing selects the joint it belongs to, and steps to it.
  function chooseCall(call) {
    jointTree.select(pageState.state.calls[call].joint);
    listing.stepTo(call + 1);
  }

  // Every view, from the state, in one pass, from the first frame on.
  pageState.setViews(state => {
    if (state.message !== null && status.textContent !== state.message)
      status.textContent = state.message;
    if (!viewer.running() || !serving.status.ready)
      return;
    poseAndLink.show(state);
    motionBar.show(state);
    if (state.frame !== null && state.playing && !serving.paused)
      return;  // the rest is read when a frame is held
    describeCanvas(state);
    axesSwitch.checked = state.axes;
    chainDigit.value = String(state.digit);
    jointTree.show(state);
    listing.show(state, jointTree.built());
  });

  // Escape ends the viewer, as the program does; a fresh run is one click
  // away, keeping only the link's embedding and size.
  serving.setWhenEnded(message => {
    keysAndPad.stopRepeating();
    if (document.fullscreenElement)
      document.exitFullscreen().catch(() => {});
    pageState.set({ message });
    startAgain.hidden = false;
  });
  startAgain.addEventListener('click', () => {
    history.replaceState(null, '', poseAndLink.freshLink());
    location.reload();
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
      pageState.set({ frame: null, shownFrame: null });  // the viewer's own state, no motion's frame
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
    // A link with a step draws part of the hand: the code says which part.
    const { step } = pageState.state;
    const stepNote = step === null ? '' : `The link draws only calls 1 to ${step}: see Code, or show the whole frame.`;
    // The link's lesson words, now that the frame's calls are known: its
    // chapter first, with the link's own pose, step and selection over the
    // chapter's; then its exercise and its changes to the calls.
    pageState.readFrame();
    const chapter = chapters.fromLink(poseAndLink.part('chapter'));
    const exerciseNote = exercises.fromLink(poseAndLink.part('ex'), poseAndLink.part('prompt'));
    const panel = poseAndLink.embeddedPanel ?? (exercises.linked() || chapter.number ? 'learn' : poseAndLink.linkedPanel) ??
                  (step === null ? null : 'code');
    const opening = chapter.number || (panel === 'learn' && !exercises.linked() ? 1 : 0);
    if (opening) {
      openChapter(opening);
      poseAndLink.readLink(poseAndLink.openedWith);
    }
    exercises.startLinked();
    const changes = ['skip', 'swap', 'edit'].filter(name => poseAndLink.part(name) !== null)
      .map(name => `${name}=${poseAndLink.part(name)}`).join('&');
    const changeNote = changingCalls.fromLink(changes);
    if (panel)
      panels.show(panel);
    poseAndLink.setMorePartsOfLink(() => changingCalls.linkPart() + chapters.linkPart() + exercises.linkPart());
    // What the link left out comes first: the question is asked on its own line anyway.
    const notes = [poseAndLink.linkNote(), poseAndLink.panelNote, chapter.note, changeNote, exerciseNote, stepNote];
    pageState.set({ message: notes.filter(Boolean).join(' ') || (keysAndPad.answered() ? '' : keysAndPad.askNote) });
    listenToLesson();
    panels.whenShown(showLesson);
  }

  // A chapter opened, from the chooser, a link, handViewer or Learn shown
  // first: from a clean page, nothing of an earlier chapter or exercise left.
  function openChapter(number) {
    exercises.clear();
    chapters.show(number);
    exercises.showList();
  }

  // The tree and the listing are a few hundred elements, a phone's longest
  // task: made when their panels are first shown, and brought up to date
  // each time they are.
  function showLesson(panel) {
    if (panel === 'learn' && !chapters.open() && !exercises.active())
      openChapter(1);
    if (!['joints', 'code'].includes(panel) || !serving.status.ready)
      return;
    if (!jointTree.built())
      jointTree.build(pageState.state.joints);
    pageState.set({});
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
      if (event.detail === 0) {
        keysAndPad.answerFirst();
        keysAndPad.press(code);
      }
    });
  }
  pad.addEventListener('contextmenu', event => event.preventDefault());  // a long press
  panels.listen();
  // Past the pad, to the first control of a panel of the lesson.
  document.getElementById('skip-pad').addEventListener('click', () => {
    if (panels.shown() === 'keys')
      panels.show('code');
    document.querySelector('#lesson > [role="tabpanel"]:not([hidden])')
      .querySelector('button, input, select, [tabindex="0"]')?.focus();
  });

  new ResizeObserver(canvasSize.measure).observe(canvas);
  // Zooming changes the pixel ratio, not the canvas's size in CSS pixels.
  const watchPixelRatio = () => {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      canvasSize.measure();
      watchPixelRatio();
    }, { once: true });
  };
  watchPixelRatio();

  // The lesson's controls, once the first frame is drawn.
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
    turning.listen(whileRunning((x, y) => {
      if (exercises.answersClick(x, y))
        return;
      const name = jointTree.jointNear(x, y);
      if (name)
        jointTree.select(name);
    }));
    for (const button of document.querySelectorAll('#views button'))
      button.addEventListener('click', whileRunning(() => {
        keysAndPad.answerFirst();
        turning.goToView(button.dataset.view.split(',').map(Number));
      }));
    axesSwitch.addEventListener('change', whileRunning(() => pageState.set({ axes: axesSwitch.checked })));
    chainDigit.addEventListener('change', () => pageState.set({ digit: Number(chainDigit.value) }));
    poseAndLink.sliders.forEach((slider, index) => slider.addEventListener('input', whileRunning(() => {
      keysAndPad.answerFirst();
      poseAndLink.moveSlider(index, Number(slider.value));
    })));
    document.getElementById('copy-link').addEventListener('click', poseAndLink.copyLink);
    document.getElementById('step-back').addEventListener('click', whileRunning(listing.stepBack));
    document.getElementById('step-on').addEventListener('click', whileRunning(listing.stepOn));
    const stepSlider = document.getElementById('step-slider');
    stepSlider.addEventListener('input', whileRunning(() => listing.stepTo(Number(stepSlider.value))));
    document.getElementById('step-whole').addEventListener('click', whileRunning(() => listing.stepTo(null)));
    motionBar.listen();
    changingCalls.listen();
    chapters.listen(openChapter);
    exercises.listen();
    window.addEventListener('hashchange', event => poseAndLink.readLinkInTurn(new URL(event.newURL).hash));
  }

  // A small read-only view for teachers and tests.
  window.handViewer = {
    state: () => (viewer.running() ? pageState.pose() : null),
    // The joint frames as last shown: name, label and 16 numbers.
    joints: () => pageState.state.joints.map(joint => ({ ...joint, matrix: [...joint.matrix] })),
    // The frame last shown as code: [{name, args, depth, joint, matrix}], as hand-snapshot --calls lists it.
    calls: () => pageState.state.calls.map(call => ({ ...call, args: [...call.args], matrix: [...call.matrix] })),
    // The model-view stack after the step on show, bottom first, each level 16 numbers, column-major.
    stack: () => {
      const { calls, step } = pageState.state;
      return calls.length ? stackView.levelsAfter(calls, Math.min(step ?? calls.length, calls.length) - 1).map(m => [...m]) : [];
    },
    // Draws calls 1 .. k of the frame only; step(null) draws the whole frame.
    step: step => {
      if (serving.status.ready && !serving.status.ended) {
        panels.show('code');
        listing.stepTo(step);
      }
    },
    // Selects a joint frame by name ("d3.s1"), or with null none.
    select: name => { if (!serving.status.ended) jointTree.select(name); },
    selected: pageState.selectedName,
    get motionFrames() { return serving.status.motionFrames; },
    // Time control for motions: pause after the frame on show, one frame more, play on.
    pause: () => motionBar.pause(true),
    resume: () => motionBar.pause(false),
    stepFrame: serving.letMotionGoOn,
    get paused() { return serving.paused; },
    busy: serving.busy,
    get ended() { return serving.status.ended; },
    get ready() { return serving.status.ready; },
    get droppedKeys() { return serving.status.dropped; },
    // Breaking the drawing: calls by their number in the unchanged frame.
    // Each gives null once made, or the reason it was refused.
    skip: changingCalls.skip,
    swap: changingCalls.swap,
    edit: changingCalls.edit,
    restore: changingCalls.restore,
    // Chapters and exercises: [{id, chapter, kind, prompt}], and an answer's
    // {correct, explanation}.
    chapter: number => chapters.fromLink(String(number)).number > 0 && !serving.status.ended && openChapter(number),
    exercises: exercises.list,
    answer: exercises.answer,
  };

  if (poseAndLink.embedded)
    keysAndPad.answer('n'.charCodeAt(0));
})();
