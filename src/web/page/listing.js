// The frame as code: every call listed, a push lined up with its pop, each
// run of calls labelled with the joint frame they build, and stepping
// through it call by call, with the current matrix and the one the call
// multiplied in; and the chosen digit's chain, the calls that place its
// fingertip. What each call is and does is the frame's replay's
// (frame_replay.h): every view here reads it.
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
  const jointLabel = (joints, name) => joints.find(joint => joint.name === name)?.label ?? 'the view';

  // The calls in effect where the selected joint, or else the digit's
  // fingertip, is reached, from the base transform on (its opening load
  // left out), each indented as the listing indents it.
  function chainText({ digit, joint, joints, calls }) {
    const end = joint >= 0 ? joint : joints.findIndex(({ name }) => name === `d${digit}.tip`);
    const lines = viewer.callsInEffect(viewer.jointReachedAt(end)).map(i => calls[i])
      .filter(call => call.name !== 'glLoadIdentity' || call.depth > 1)
      .map(call => '  '.repeat(call.indent) + callText(call));
    const where = joints[end].matrix.slice(12, 15).map(x => String(Number(x.toPrecision(4)))).join(', ');
    const what = joint >= 0 ? joints[end].label : 'tip';
    return [...lines, `${what} at (${where}) in eye space`].join('\n');
  }

  // A call's line: its joint's label where a run of its calls begins, then
  // its name coloured by kind, each number marked if a key changed it since
  // the frame listed before.
  function callLine(call, label, before) {
    const item = document.createElement('li');
    item.className = call.name;
    // Its number in the unchanged frame, and what a change or GL made of it.
    item.value = call.number;
    for (const made of ['off', 'swapped', 'edited'])
      item.classList.toggle(made, call[made]);
    item.classList.toggle('view', call.joint === null);
    const part = document.createElement('small');
    part.textContent = label;
    const code = document.createElement('code');
    code.append(`${'  '.repeat(call.indent)}${call.name}(`);
    call.args.forEach((arg, a) => {
      const number = document.createElement('span');
      number.textContent = shortNumber(arg);
      if (before && before.name === call.name && before.args[a] !== arg)
        number.className = 'changed';
      code.append(...(a > 0 ? [', ', number] : [number]));
    });
    code.append(')', ['off', 'swapped', 'edited'].filter(made => call[made]).map(made => `  ${made}`).join(''),
                call.error ? `  ${call.error}: ignored` : '');
    item.append(part, code);
    return item;
  }

  // One item a call, made anew only when the frame's calls read otherwise.
  let listed = [];
  function listCalls(calls, joints) {
    const text = calls.map(call => `${call.number} ${call.indent} ${callText(call)} ${call.off} ${call.error}`).join('\n');
    if (callList.dataset.text === text)
      return;
    callList.replaceChildren(...calls.map((call, i) =>
      callLine(call, i > 0 && calls[i - 1].joint === call.joint ? '' : jointLabel(joints, call.joint), listed[i])));
    callList.dataset.text = text;
    listed = calls;
  }

  // Brings a line into the listing's own box, never moving the page; a line
  // already in it stays where it is.
  function reveal(item) {
    if (!item)
      return;
    const top = item.offsetTop;
    if (top < callList.scrollTop || top + item.offsetHeight > callList.scrollTop + callList.clientHeight)
      callList.scrollTop = top - (callList.clientHeight - item.offsetHeight) / 2;
  }

  // What a call does, in words, when it multiplies nothing in.
  function whatItDoes(call) {
    if (call.off)
      return 'Switched off: GL never got it, and the stack stays as it was.';
    if (call.error)
      return `GL ignored it (${call.error}): the stack stays as it was.`;
    return { glPushMatrix: 'It copies the top card; its pop undoes what follows.',
             glPopMatrix: 'It throws the top card away.' }[call.name] ?? 'It draws with the top card, the current matrix.';
  }

  // Where stepping stands in the listing; the calls of the selected joint,
  // and of those beyond it, are lit.
  const revealed = { step: null, firstLit: -1 };
  function showSteps({ step, joints, calls }) {
    const count = calls.length;
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
      item.classList.toggle('lit', calls[i].lit);
    });
    stackView.show(calls, shown - 1);
    // A new step brings its line into view, a new selection its first lit
    // line, once the listing is on show: from a control, the canvas or a
    // link alike. Back to the whole frame, the line stepped to stays in view.
    const firstLit = calls.findIndex(call => call.lit);
    if (callList.offsetParent !== null && (step !== revealed.step || firstLit !== revealed.firstLit)) {
      const line = step !== null ? shown - 1 : firstLit !== revealed.firstLit ? firstLit : (revealed.step ?? 0) - 1;
      revealed.step = step;
      revealed.firstLit = firstLit;
      reveal(callList.children[line]);
    }
    const call = calls[shown - 1];
    if (step === null || !call) {
      stepWhere.textContent = `The whole frame: ${count} calls. Step through it to watch the stack.`;
      stepMatrices.textContent = '';
      return;
    }
    stepWhere.textContent = `Call ${call.number} of ${count}: ${callText(call)}, in ${jointLabel(joints, call.joint)}; ` +
                            `stack depth ${call.depth}.`;
    const multiplied = viewer.matrixOfCall(shown - 1);
    stepMatrices.textContent = multiplied && !call.off ? matrixRows(multiplied) : whatItDoes(call);
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
        changingCalls.show();  // first: its controls take their room before a line is brought into view
        showSteps(state);
      }
    },
    stepTo,
    jointLabel,
    // The call a line of the listing lists, or -1 for none.
    callOfLine: element => [...callList.children].indexOf(element?.closest('#calls > li')),
    stepBack: () => stepTo((pageState.state.step ?? pageState.state.calls.length) - 1),
    stepOn: () => stepTo(pageState.state.step === null ? 1 : pageState.state.step + 1),
  };
})();
