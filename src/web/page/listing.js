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

  const { shortNumber, matrixRows } = stackView;
  const callText = ({ name, args }) => `${name}(${args.map(shortNumber).join(', ')})`;

  // The calls in effect where the selected joint, or else the digit's
  // fingertip, is reached, from the base transform on (its opening load
  // left out), each indented by the pushes in effect when it was made.
  function chainText({ digit, joint, joints, calls }) {
    const end = joint >= 0 ? joint : joints.findIndex(({ name }) => name === `d${digit}.tip`);
    const lines = viewer.callsInEffect(viewer.jointReachedAt(end)).map(i => calls[i])
      .filter(call => call.name !== 'glLoadIdentity' || call.depth > 1)
      .map(call => '  '.repeat(Math.max(call.depth - (call.name === 'glPushMatrix' ? 2 : 1), 0)) + callText(call));
    const where = joints[end].matrix.slice(12, 15).map(x => String(Number(x.toPrecision(4)))).join(', ');
    const what = joint >= 0 ? joints[end].label : 'tip';
    return [...lines, `${what} at (${where}) in eye space`].join('\n');
  }

  // A joint's label, short enough for the listing's margin.
  const shortLabel = label => label.replace(' finger', '').replace(', ', ' · ').replace(/ joint$/, '');

  // A call's line: its name coloured by kind, each number marked if a key
  // changed it since the frame listed before.
  function callLine(call, depth, before) {
    const item = document.createElement('li');
    item.className = call.name;
    // Its number in the unchanged frame, and what a change or GL made of it.
    item.value = call.number;
    for (const made of ['off', 'swapped', 'edited'])
      item.classList.toggle(made, call[made]);
    item.append(`${'  '.repeat(depth - 1)}${call.name}(`);
    call.args.forEach((arg, a) => {
      const number = document.createElement('span');
      number.textContent = shortNumber(arg);
      if (before && before.name === call.name && before.args[a] !== arg)
        number.className = 'changed';
      item.append(...(a > 0 ? [', ', number] : [number]));
    });
    item.append(')', ['off', 'swapped', 'edited'].filter(made => call[made]).map(made => `  ${made}`).join(''),
                call.error ? `  ${call.error}: ignored` : '');
    return item;
  }

  // One item a call, made anew only when the frame's calls read otherwise;
  // each labelled in the margin with the joint it belongs to.
  let listed = [];
  function listCalls(calls, joints) {
    const text = calls.map(call => `${call.number} ${call.depth} ${callText(call)} ${call.off} ${call.error}`).join('\n');
    if (callList.dataset.text === text)
      return;
    callList.replaceChildren(...calls.map((call, i) => {
      const item = callLine(call, call.depth, listed[i]);
      const joint = viewer.jointOfCall(i);
      item.classList.toggle('view', joint < 0);
      item.dataset.part = joint < 0 ? 'view' : shortLabel(joints[joint].label);
      return item;
    }));
    callList.dataset.text = text;
    listed = calls;
  }

  // Where stepping stands in the listing; the calls that built the selected
  // joint's frame are marked.
  const centred = { step: null, joint: -1 };
  function showSteps({ step, joint, joints, calls }) {
    const count = calls.length;
    const builders = new Set(joint < 0 ? [] : viewer.callsInEffect(viewer.jointReachedAt(joint)));
    const shown = step === null ? count : Math.min(step, count);
    stepSlider.max = String(Math.max(count, 1));
    stepSlider.value = String(shown);
    stepWhole.setAttribute('aria-pressed', String(step === null));
    [...callList.children].forEach((item, i) => {
      item.classList.toggle('later', i >= shown);
      if (step !== null && i === shown - 1)
        item.setAttribute('aria-current', 'step');
      else
        item.removeAttribute('aria-current');
      item.classList.toggle('builds', builders.has(i));
    });
    stackView.show(calls, shown - 1);
    // A new step brings its line into view, a new selection its calls, once
    // the listing is on show: from a control, the canvas or a link alike.
    if (callList.offsetParent !== null && (step !== centred.step || joint !== centred.joint)) {
      centred.step = step;
      centred.joint = joint;
      centre(callList.querySelector(step === null ? '.builds' : '[aria-current]'));
    }
    const call = calls[shown - 1];
    if (step === null || !call) {
      stepWhere.textContent = `The whole frame: ${count} calls. Step through it to watch the stack.`;
      stepMatrices.textContent = '';
      return;
    }
    const part = viewer.jointOfCall(shown - 1);
    stepWhere.textContent = `Call ${shown} of ${count}: ${callText(call)}, ${part < 0 ? 'the view' : `in ${joints[part].label}`}; ` +
                            `stack depth ${call.depth}.`;
    const multiplied = viewer.matrixOfCall(shown - 1);
    stepMatrices.textContent = multiplied ? `which this call multiplied in:\n${matrixRows(multiplied)}`
                                          : whatItDoes[call.name] ?? whatItDoes.glutSolidCube;
  }

  // What a call that multiplies nothing in does instead.
  const whatItDoes = {
    glPushMatrix: 'It copies the top card; its pop undoes what follows.',
    glPopMatrix: 'It throws the top card away.',
    glutSolidCube: 'It draws with the top card, the current matrix.',
  };

  // Brings a line into the middle of the listing's own box, never moving the page.
  function centre(item) {
    if (item)
      callList.scrollTop = item.offsetTop - callList.clientHeight / 2;
  }

  // Calls 1 .. `step` of the frame drawn, or with null the whole frame.
  function stepTo(step) {
    const count = pageState.state.calls.length;
    pageState.set({ step: step === null ? null : Math.min(Math.max(Math.round(Number(step)) || 1, 1), count) });
  }

  return {
    // The chain is a few lines, drawn always; the listing, a few hundred,
    // once its panel has been shown (`whole`).
    show(state, whole) {
      if (state.calls.length === 0)
        return;
      const text = chainText(state);
      if (chain.textContent !== text)
        chain.textContent = text;
      if (whole) {
        listCalls(state.calls, state.joints);
        showSteps(state);
        changingCalls.show();
      }
    },
    stepTo,
    // The call a line of the listing lists, or -1 for none.
    callOfLine: element => [...callList.children].indexOf(element?.closest('#calls > li')),
    stepBack: () => stepTo((pageState.state.step ?? pageState.state.calls.length) - 1),
    stepOn: () => stepTo(pageState.state.step === null ? 1 : pageState.state.step + 1),
  };
})();
