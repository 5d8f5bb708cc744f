// The frame as code: every call listed, indented by the stack's depth, and
// stepping through it call by call, with the current matrix and the one the
// call multiplied in; and the chosen digit's chain, the calls that place its
// fingertip. What is in effect where is the viewer's to say (frame_listing.h).
'use strict';

const listing = (() => {
  const callList = document.getElementById('calls');
  const stepSlider = document.getElementById('step-slider');
  const stepWhole = document.getElementById('step-whole');
  const stepWhere = document.getElementById('step-where');
  const stepMatrices = document.getElementById('step-matrices');
  const chain = document.getElementById('chain');

  const shortNumber = x => String(Number(x.toPrecision(6)));
  const callText = ({ name, args }) => `${name}(${args.map(shortNumber).join(', ')})`;

  // Four rows of a column-major matrix.
  const matrixRows = m => [0, 1, 2, 3].map(r =>
    [0, 1, 2, 3].map(c => shortNumber(m[4 * c + r]).padStart(10)).join(' ')).join('\n');

  // The view's calls set up the eye and turn the whole hand: no joint's subtree holds them.
  const isViewCall = i => viewer.jointOfCall(i) < 0;

  // The calls in effect where the digit's fingertip is reached, from the
  // base transform on (its opening load left out), each indented by the
  // pushes in effect when it was made.
  function chainText({ digit, joints, calls }) {
    const tip = joints.findIndex(joint => joint.name === `d${digit}.tip`);
    const lines = viewer.callsInEffect(viewer.jointReachedAt(tip)).map(i => calls[i])
      .filter(call => call.name !== 'glLoadIdentity' || call.depth > 1)
      .map(call => '  '.repeat(call.depth - (call.name === 'glPushMatrix' ? 2 : 1)) + callText(call));
    const where = joints[tip].matrix.slice(12, 15).map(x => String(Number(x.toPrecision(4)))).join(', ');
    return [...lines, `tip at (${where}) in eye space`].join('\n');
  }

  // One item a call, made anew only when the frame's calls read otherwise.
  function listCalls(calls) {
    const lines = calls.map(call => `${'  '.repeat(call.depth - 1)}${callText(call)}`);
    if (callList.dataset.text === lines.join('\n'))
      return;
    callList.replaceChildren(...lines.map((line, i) => {
      const item = document.createElement('li');
      item.textContent = line;
      item.className = isViewCall(i) ? 'view' : '';
      return item;
    }));
    callList.dataset.text = lines.join('\n');
  }

  // Where stepping stands in the listing; the calls that built the selected
  // joint's frame are marked.
  function showSteps({ step, joint, calls }) {
    const count = calls.length;
    const builders = new Set(joint < 0 ? [] : viewer.callsInEffect(viewer.jointReachedAt(joint)));
    const shown = step === null ? count : Math.min(step, count);
    stepSlider.max = String(Math.max(count, 1));
    stepSlider.value = String(shown);
    stepWhole.setAttribute('aria-pressed', String(step === null));
    [...callList.children].forEach((item, i) => {
      item.classList.toggle('later', i >= shown);
      item.toggleAttribute('aria-current', step !== null && i === shown - 1);
      item.classList.toggle('builds', builders.has(i));
    });
    const call = calls[shown - 1];
    if (step === null || !call) {
      stepWhere.textContent = `The whole frame: ${count} calls.`;
      stepMatrices.textContent = '';
      return;
    }
    stepWhere.textContent = `Call ${shown} of ${count}: ${callText(call)}, ${isViewCall(shown - 1) ? 'the view' : 'the hand'}; ` +
                            `stack depth ${call.depth}.`;
    const multiplied = viewer.matrixOfCall(shown - 1);
    stepMatrices.textContent = `the model-view matrix, in eye space:\n${matrixRows(call.matrix)}` +
      (multiplied ? `\n\nwhich this call multiplied by:\n${matrixRows(multiplied)}` : '');
  }

  // Calls 1 .. `step` of the frame drawn, or with null the whole frame.
  function stepTo(step) {
    const count = pageState.state.calls.length;
    pageState.set({ step: step === null ? null : Math.min(Math.max(Math.round(Number(step)) || 1, 1), count) });
    const current = callList.querySelector('[aria-current]');
    if (current)  // in the middle of the listing's own view
      callList.scrollTop = current.offsetTop - callList.clientHeight / 2;
  }

  return {
    show(state) {
      if (state.calls.length === 0)
        return;
      listCalls(state.calls);
      showSteps(state);
      const text = chainText(state);
      if (chain.textContent !== text)
        chain.textContent = text;
    },
    stepTo,
    // The call a line of the listing lists, or -1 for none.
    callOfLine: element => [...callList.children].indexOf(element?.closest('#calls > li')),
    stepBack: () => stepTo((pageState.state.step ?? pageState.state.calls.length) - 1),
    stepOn: () => stepTo(pageState.state.step === null ? 1 : pageState.state.step + 1),
  };
})();
