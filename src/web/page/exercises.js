// Exercises the page checks, of four kinds: reach a pose (drawn faint
// behind), find a call, predict where a joint will be, and say which call,
// switched off or swapped, gives a picture (drawn faint behind). Each starts
// clean, and a wrong answer is told what it does instead. Answering changes
// nothing of the hand or the lesson: it gives feedback, keeps progress in
// the browser and tells a host page. The exercises are lesson_words.js's.
'use strict';

const exercises = (() => {
  const canvas = document.getElementById('canvas');
  const list = document.getElementById('exercises');
  const prompt = document.getElementById('exercise-prompt');
  const answerLine = document.getElementById('answer');
  const callAnswer = document.getElementById('call-answer');
  const number = document.getElementById('answer-number');
  const feedback = document.getElementById('feedback');
  const progressNote = document.getElementById('progress-note');
  const crosshair = document.getElementById('crosshair');
  const ownWords = document.getElementById('own-prompt');
  const exerciseLink = document.getElementById('exercise-link');

  const reach = 0.04;  // of the canvas's height: how near a predicted point must be
  const storageKey = 'hand-viewer-solved';
  const all = lessonWords.exercises;
  const kindWords = { pose: 'reach a pose', call: 'find the call', point: 'predict a point', break: 'what broke?' };
  const digitNames = ['little finger', 'ring finger', 'middle finger', 'index finger', 'thumb'];

  // The exercise a link brings, if any, and the one on show; the crosshair's
  // place in CSS pixels within the canvas, once moved.
  let linked = null;
  let active = null;
  let aim = null;

  // Progress, where the browser keeps it.
  let solved = new Set();
  let storage = null;
  try {
    storage = window.localStorage;
    solved = new Set(JSON.parse(storage.getItem(storageKey) ?? '[]'));
  } catch {
    progressNote.textContent = 'This browser refuses storage here: progress will not be kept.';
  }

  const find = id => [...all, linked].find(exercise => exercise?.id === id);
  const numbered = words => lessonWords.fill(pageState.state.calls, words);
  // The turn from b to a, the short way round: in -180 .. 180.
  const turnOff = (a, b) => ((a - b) % 360 + 540) % 360 - 180;
  const { shortNumber } = stackView;

  // Where the exercise's joint will be, in the canvas's CSS pixels.
  function pointOf({ right: [joint, digit, bend] }) {
    const pose = viewer.pose();
    pose.bend[digit] = bend;
    const index = pageState.state.joints.findIndex(({ name }) => name === joint);
    return jointTree.onCanvas(viewer.jointInPose(pose, index), [0, 0, 0, 1]);
  }

  // What is off in the pose on show: '' when nothing is.
  function poseOff({ right: [bends, turns] }) {
    const { bend, rotX, rotY, rotZ } = viewer.pose();
    const off = bends.flatMap((b, i) => (b === bend[i] ? [] : [
      `the ${digitNames[i]} is at ${bend[i]}, ${Math.abs(b - bend[i])} ${b > bend[i] ? 'short of' : 'past'} ${b}`]));
    [rotX, rotY, rotZ].forEach((t, i) => {
      const by = turnOff(t, turns[i]);
      if (by !== 0)
        off.push(`rot${'XYZ'[i]} is ${t}, ${Math.abs(by)}° ${by > 0 ? 'past' : 'short of'} ${turns[i]}`);
    });
    return off.join('; ');
  }

  // What a call is and does, for a call answered wrongly.
  function callWords(call) {
    const [x, y, z, w] = call.args.map(shortNumber);
    const does = {
      glLoadIdentity: 'starts the matrix afresh', glPushMatrix: 'saves a copy of the current matrix',
      glPopMatrix: 'gives back the matrix its push saved', glTranslatef: `moves the frame by (${x}, ${y}, ${z})`,
      glRotatef: `turns the frame ${x}° about (${y}, ${z}, ${w})`, glScalef: `stretches the frame by (${x}, ${y}, ${z})`,
      glutSolidSphere: 'draws a sphere', glutSolidCube: 'draws a cube',
    }[call.name];
    return `call ${call.number}, ${call.name}, belongs to ${listing.jointLabel(pageState.state.joints, call.joint)}: ` +
           `it ${does}`;
  }

  // Which way a point lies from another, in words.
  function way([x, y], [toX, toY]) {
    const near = reach * canvas.clientHeight / 2;
    const ways = [toX - x > near ? 'further right' : x - toX > near ? 'further left' : '',
                  toY - y > near ? 'lower' : y - toY > near ? 'higher' : ''].filter(Boolean);
    return ways.join(' and ') || 'close by';
  }

  // Whether the answer is right, and if not, what to say of it.
  function check(exercise, value) {
    const { kind, right } = exercise;
    const calls = pageState.state.calls;
    if (kind === 'pose') {
      const off = poseOff(exercise);
      return [!off, off];
    }
    if (kind === 'point') {
      const at = pointOf(exercise);
      if (!Array.isArray(value))
        return [false, 'click where the joint will be, or move the crosshair there and press Enter'];
      const distance = Math.hypot(value[0] - at[0], value[1] - at[1]);
      return [distance <= reach * canvas.clientHeight, `${Math.round(distance)} px away: it will be ${way(value, at)}`];
    }
    const answered = calls.find(call => call.number === Number(value));
    if (!answered)
      return [false, `give the number of one of the frame's ${calls.length} calls`];
    if (kind === 'call')
      return [numbered(right).split(',').map(Number).includes(answered.number), callWords(answered)];
    // A break: the answered call switched off or swapped, as the change that draws the faint hand is.
    const target = changingCalls.read(numbered(right));
    const change = changingCalls.read(numbered(right).replace(/\d+/, answered.number));
    const refusal = viewer.refusalOf(change);
    if (refusal)
      return [false, refusal];
    const { same, moved, firstMoved, bMoved } = viewer.compareChanges(change, target);
    const how = target.swap ? `swapping calls ${answered.number} and ${answered.number + 1}` : `switching off call ${answered.number}`;
    const where = moved ? `, the first in ${listing.jointLabel(pageState.state.joints, calls[firstMoved].joint)}` : '';
    return [same === 1, `${how} moves ${moved} shape${moved === 1 ? '' : 's'}${where}; the faint hand has ${bMoved} moved`];
  }

  function answer(id, value) {
    const exercise = find(id);
    if (!exercise || !viewer.running())
      return null;
    const [right, wrongWords] = check(exercise, value);
    const explanation = right ? `Right. ${numbered(exercise.why)}` : `Not yet: ${wrongWords}.`;
    feedback.textContent = explanation;
    feedback.className = right ? 'right' : 'wrong';
    feedback.scrollIntoView({ block: 'nearest' });
    if (right) {
      solved.add(id);
      try {
        storage?.setItem(storageKey, JSON.stringify([...solved]));
      } catch {}
      if (window.parent !== window)
        window.parent.postMessage({ type: 'hand-viewer-solved', id, chapter: exercise.chapter, kind: exercise.kind }, '*');
      showList();
    }
    return { correct: right, explanation };
  }

  // The open chapter's exercises, and the link's, each marked once solved.
  function showList() {
    list.replaceChildren(...[...all.filter(({ chapter }) => chapter === chapters.open()), linked].filter(Boolean)
      .map((exercise, i) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.dataset.id = exercise.id;
        button.textContent = `${solved.has(exercise.id) ? '✓ ' : ''}${i + 1}. ${kindWords[exercise.kind]}`;
        button.setAttribute('aria-pressed', String(exercise === active));
        button.addEventListener('click', () => start(exercise));
        return button;
      }));
  }

  // Nothing of an exercise left: no prompt, feedback, answer, crosshair,
  // faint hand or change to the calls.
  function clear() {
    active = null;
    prompt.textContent = feedback.textContent = number.value = '';
    feedback.className = '';
    answerLine.hidden = crosshair.hidden = true;
    aim = null;
    viewer.noTarget();
    changingCalls.restore();
  }

  // The exercise on show, from a clean start with the whole hand drawn: its
  // prompt, its answer's control, and its target faint behind. Chosen
  // again, it stays as it is.
  function start(exercise) {
    if (exercise === active)
      return;
    clear();
    listing.stepTo(null);
    active = exercise;
    prompt.textContent = exercise.prompt;
    answerLine.hidden = exercise.kind === 'point';
    callAnswer.hidden = exercise.kind === 'pose';
    crosshair.hidden = exercise.kind !== 'point';
    moveCrosshair([canvas.clientWidth / 2, canvas.clientHeight / 2]);
    if (exercise.kind === 'pose')
      viewer.targetPose({ bend: exercise.right[0], rotX: exercise.right[1][0], rotY: exercise.right[1][1], rotZ: exercise.right[1][2] });
    else if (exercise.kind === 'break')
      viewer.targetChanges(changingCalls.read(numbered(exercise.right)));
    showList();
  }

  // The crosshair, for a point by keyboard.
  function moveCrosshair([x, y]) {
    aim = [Math.min(Math.max(x, 0), canvas.clientWidth), Math.min(Math.max(y, 0), canvas.clientHeight)];
    crosshair.style.left = `${canvas.offsetLeft + aim[0]}px`;
    crosshair.style.top = `${canvas.offsetTop + aim[1]}px`;
  }

  function crosshairKey(event) {
    const step = canvas.clientHeight / 50;
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] };
    if (!(event.key in moves) && event.key !== 'Enter')
      return;
    event.preventDefault();
    event.stopPropagation();
    if (event.key === 'Enter')
      answer(active.id, aim);
    else
      moveCrosshair(aim.map((at, i) => at + moves[event.key][i]));
  }

  // A lecturer's own, from the link: ex=pose:B0,B1,B2,B3,B4,X,Y,Z or
  // ex=call:K[,K,K], with prompt=words, shown only as text. What does not
  // read, or lies out of range, is left out: the note says so.
  function fromLink(ex, encodedWords) {
    if (ex === null)
      return encodedWords === null ? '' : 'The link\'s prompt was left out: it goes with an exercise (ex=).';
    const [kind, numbers = ''] = ex.split(':');
    const values = numbers.split(',').map(Number);
    let words;
    try {
      words = encodedWords === null ? null : decodeURIComponent(encodedWords);
    } catch {
      return 'The exercise in the link could not be read.';
    }
    const readable = kind === 'pose' ? values.length === 8 && values.every(Number.isFinite)
      : kind === 'call' && values.length <= 3 && values.every(Number.isInteger);
    if (!readable)
      return 'The exercise in the link could not be read.';
    const callCount = pageState.state.calls.length;
    const outOfRange = (v, i) => (kind === 'call' ? v < 1 || v > callCount : i < 5 ? v % 5 || v < 0 || v > 100 : Math.abs(v) > 36000);
    const at = values.findIndex(outOfRange);
    if (at >= 0)
      return `The link's exercise was left out: ${kind === 'call' ? `the frame's calls are 1 to ${callCount}, not ${values[at]}`
        : at < 5 ? `bend ${values[at]} is no step of 5 from 0 to 100` : `turn ${values[at]} is past 36000`}.`;
    const text = words ?? (kind === 'pose' ? 'Reach the faint hand\'s pose.' : 'Find the call.');
    linked = {
      id: `link:${ex} ${text}`, ex, chapter: 0, kind, prompt: text,
      right: kind === 'pose' ? [values.slice(0, 5), values.slice(5)] : values.join(','),
      why: 'That is the answer the link gives.',
    };
    return '';
  }

  // The call the step stands on, in the pose on show, or else the pose, as a
  // link's exercise with the prompt typed for it. Neither the step nor the
  // pose asked for goes in the link's state: they would give the answer.
  function copyAsExercise() {
    const call = pageState.state.calls[(pageState.state.step ?? 0) - 1];
    const { bend, rotX, rotY, rotZ } = viewer.pose();
    const pose = `bend=${bend}&rot=${rotX},${rotY},${rotZ}`;
    const ex = call ? `${pose}&ex=call:${call.number}` : `ex=pose:${[...bend, rotX, rotY, rotZ]}`;
    const words = ownWords.value.trim();
    const link = `${location.href.split('#')[0]}#${poseAndLink.embedded ? 'embed&' : ''}${ex}` +
                 (words ? `&prompt=${encodeURIComponent(words)}` : '');
    exerciseLink.textContent = link;  // to copy by hand where the browser will not
    navigator.clipboard.writeText(link).then(() => { exerciseLink.textContent = `Copied: ${link}`; }, () => {});
  }

  return {
    answer,
    fromLink,
    showList,
    clear,
    active: () => active,
    linked: () => linked,
    startLinked: () => linked && start(linked),
    // A click on the canvas answers a point exercise, marked by the crosshair, and selects nothing.
    answersClick: (x, y) => active?.kind === 'point' && (moveCrosshair([x, y]), !!answer(active.id, [x, y])),
    list: () => [...all, linked].filter(Boolean).map(({ id, chapter, kind, prompt: text }) => ({ id, chapter, kind, prompt: text })),
    linkPart: () => (linked ? `&ex=${linked.ex}&prompt=${encodeURIComponent(linked.prompt)}` : ''),
    listen() {
      document.getElementById('check').addEventListener('click', () => answer(active.id, number.value));
      number.addEventListener('keydown', event => {
        if (event.key === 'Enter')
          answer(active.id, number.value);
      });
      // A line of the listing chosen while a call is asked for is the answer's number.
      document.getElementById('calls').addEventListener('click', event => {
        const line = event.target.closest('li');
        if (line && !answerLine.hidden && !callAnswer.hidden)
          number.value = line.value;
      });
      crosshair.addEventListener('keydown', crosshairKey);
      crosshair.addEventListener('focus', () => moveCrosshair(aim ?? [canvas.clientWidth / 2, canvas.clientHeight / 2]));
      document.getElementById('copy-exercise').addEventListener('click', copyAsExercise);
      document.getElementById('reset-progress').addEventListener('click', () => {
        solved.clear();
        try {
          storage?.removeItem(storageKey);
        } catch {}
        showList();
      });
    },
  };
})();
