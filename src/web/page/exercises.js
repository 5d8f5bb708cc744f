// Exercises the page checks, over the chapters, of four kinds: reach a pose
// (drawn faint behind), find a call, predict where a joint will be, and say
// which call, switched off or swapped, gives a picture (drawn faint behind).
// Answering changes nothing of the hand or the lesson: it gives feedback,
// keeps progress in the browser and tells a host page.
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

  const reach = 0.04;  // of the canvas's height: how near a predicted point must be
  const storageKey = 'hand-viewer-solved';

  // [id, chapter, kind, prompt, what is right, why it is right]. Right is,
  // for pose: [bends, turns]; call: the call numbers; point: [joint, digit,
  // bend]; break: the change, as a link writes it.
  const all = [
    ['move-up', 1, 'call', 'Which call moves from the index finger\'s knuckle to the middle of its first bone?', [116],
      'Call 116, glTranslatef(0, 1.2, 0), moves half the bone\'s length along the finger\'s Y axis.'],
    ['middle-joint', 1, 'point', 'The index finger will be bent to 80. Where will its middle joint be?', ['d3.s1', 3, 80],
      'The middle joint sits one bone up the finger from the knuckle, in the knuckle\'s bent frame.'],
    ['stretched', 2, 'break', 'Switch off one call to draw the faint hand. Which?', 'skip=120',
      'Without the pop at call 120 the stretch of call 118 stays, and every later shape is stretched.'],
    ['little-bone', 2, 'call', 'Which call makes the little finger\'s first bone 1.6 units long?', [17],
      'Call 17, glScalef(1, 1.6, 1), stretches the unit cube 1.6 times along Y.'],
    ['ring-bent', 2, 'pose', 'Bend the ring finger to 50, with every other digit straight and no turn.', [[0, 50, 0, 0, 0], [0, 0, 0]],
      'Each w bends the ring finger one step of 5; ten steps give 50.'],
    ['tip-full', 3, 'point', 'The index finger will be fully bent. Where will its tip be?', ['d3.tip', 3, 100],
      'All three joints bend by 90 degrees, and the tip curls down towards the palm.'],
    ['index-side', 3, 'pose', 'Bend the index finger fully, and look at it from the side: rotY 90.', [[0, 0, 0, 100, 0], [0, 90, 0]],
      'From the side the chain of three bends shows as a curl.'],
    ['knuckle', 4, 'call', 'Which call bends the index finger at its knuckle?', [114],
      'Call 114, glRotatef about X, turns the knuckle\'s frame, which every later bone of the finger starts from.'],
    ['index-moved', 4, 'break', 'Switch off one call to draw the faint hand. Which?', 'skip=112',
      'Without call 112 the index knuckle stays on the middle finger\'s, and the whole finger with it.'],
    ['ring-push', 5, 'call', 'Which call keeps the palm\'s frame for the fingers after the ring finger?', [44],
      'Call 44, the ring finger\'s glPushMatrix: its pop at call 76 gives back the palm\'s frame.'],
    ['swapped', 5, 'break', 'Two neighbouring calls, swapped, draw the faint hand. Give the first.', 'swap=111',
      'Swapped, the index finger\'s move is made below its push, and its pop never takes it back.'],
    ['widening', 6, 'call', 'Which call widens every frame of the thumb?', [150],
      'Call 150, glScalef(1.5, 1, 1), has no pop of its own before the thumb\'s bones.'],
    ['thumb-turned', 6, 'pose', 'Bend the thumb to 60 and roll the hand to rotZ 45.', [[0, 0, 0, 0, 60], [0, 0, 45]],
      'Each t bends the thumb a step; the roll keys turn the hand about Z by 5.'],
    ['thumb-tip', 6, 'point', 'The thumb will be fully bent. Where will its tip be?', ['d4.tip', 4, 100],
      'The thumb bends at its base by 50 degrees and at its joint by 90, in its widened frames.'],
  ].map(([id, chapter, kind, text, right, why]) => ({ id, chapter, kind, prompt: text, right, why }));

  // What a wrong answer is told, by kind.
  const hints = {
    pose: 'bends must be equal and turns equal modulo 360; the faint hand shows the target.',
    call: 'that call does something else. Step to it in Code and read the stack.',
    point: 'the joint will be further away. Press the key and see, then try the next.',
    break: 'that gives another picture. Switch calls off in Code and compare.',
  };

  const kindWords = { pose: 'reach a pose', call: 'find the call', point: 'predict a point', break: 'what broke?' };

  // The exercise a link brings, if any, and the one on show.
  let linked = null;
  let active = null;

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
  const sameTurn = (a, b) => ((a - b) % 360 + 360) % 360 === 0;

  // Where the exercise's joint will be, in the canvas's CSS pixels.
  function pointOf({ right: [joint, digit, bend] }) {
    const pose = viewer.pose();
    pose.bend[digit] = bend;
    const index = pageState.state.joints.findIndex(({ name }) => name === joint);
    return jointTree.onCanvas(viewer.jointInPose(pose, index), [0, 0, 0, 1]);
  }

  function correct(exercise, value) {
    const { kind, right } = exercise;
    if (kind === 'pose') {
      const { bend, rotX, rotY, rotZ } = viewer.pose();
      return right[0].every((b, i) => b === bend[i]) && [rotX, rotY, rotZ].every((t, i) => sameTurn(t, right[1][i]));
    }
    const call = Number(value);
    if (kind === 'call')
      return right.includes(call);
    if (kind === 'break')
      return Number.isInteger(call) && viewer.sameShapes(changingCalls.read(right.replace(/\d+/, call)), changingCalls.read(right)) === 1;
    const at = pointOf(exercise);
    return Array.isArray(value) && Math.hypot(value[0] - at[0], value[1] - at[1]) <= reach * canvas.clientHeight;
  }

  function answer(id, value) {
    const exercise = find(id);
    if (!exercise || !viewer.running())
      return null;
    const right = correct(exercise, value);
    const explanation = right ? `Right. ${exercise.why}` : `Not yet: ${hints[exercise.kind]}`;
    feedback.textContent = explanation;
    feedback.className = right ? 'right' : 'wrong';
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

  // The exercise on show: its prompt, its answer's control, and its target faint behind.
  function start(exercise) {
    active = exercise;
    prompt.textContent = exercise.prompt;
    feedback.textContent = '';
    answerLine.hidden = exercise.kind === 'point';
    callAnswer.hidden = exercise.kind === 'pose';
    crosshair.hidden = exercise.kind !== 'point';
    if (exercise.kind === 'pose')
      viewer.targetPose({ bend: exercise.right[0], rotX: exercise.right[1][0], rotY: exercise.right[1][1], rotZ: exercise.right[1][2] });
    else if (exercise.kind === 'break')
      viewer.targetChanges(changingCalls.read(exercise.right));
    else
      viewer.noTarget();
    showList();
  }

  // The crosshair, for a point by keyboard: its place in CSS pixels within the canvas.
  let aim = [0, 0];
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
  // ex=call:K[,K,K], with prompt=words. Words from a link are only text.
  function fromLink(ex, encodedWords) {
    if (ex === null)
      return '';
    const [kind, numbers = ''] = ex.split(':');
    const values = numbers.split(',').map(Number);
    let words;
    try {
      words = encodedWords === null ? null : decodeURIComponent(encodedWords);
    } catch {
      return 'The exercise in the link could not be read.';
    }
    const fine = kind === 'pose' ? values.length === 8 && values.every(Number.isFinite)
                                 : kind === 'call' && values.length <= 3 && values.every(Number.isInteger);
    if (!fine)
      return 'The exercise in the link could not be read.';
    linked = {
      id: 'link', chapter: 0, kind, prompt: words ?? (kind === 'pose' ? 'Reach the faint hand\'s pose.' : 'Find the call.'),
      right: kind === 'pose' ? [values.slice(0, 5), values.slice(5)] : values,
      why: 'That is the answer the link gives.',
    };
    start(linked);
    return '';
  }

  // The call the step stands on, or else the pose, as a link's exercise.
  function copyAsExercise() {
    const call = pageState.state.calls[(pageState.state.step ?? 0) - 1];
    const { bend, rotX, rotY, rotZ } = viewer.pose();
    const ex = call ? `call:${call.number}` : `pose:${[...bend, rotX, rotY, rotZ].join(',')}`;
    const link = `${location.href.split('#')[0]}#${poseAndLink.embedded ? 'embed&' : ''}ex=${ex}`;
    navigator.clipboard.writeText(link).then(() => { feedback.textContent = `Copied: ${link}`; },
                                            () => { feedback.textContent = link; });
  }

  return {
    answer,
    fromLink,
    showList,
    // A click on the canvas answers a point exercise, and selects nothing.
    answersClick: (x, y) => active?.kind === 'point' && !!answer(active.id, [x, y]),
    list: () => [...all, linked].filter(Boolean).map(({ id, chapter, kind, prompt: text }) => ({ id, chapter, kind, prompt: text })),
    linkPart: () => (linked ? `&ex=${linked.kind}:${[linked.right].flat(2).join(',')}&prompt=${encodeURIComponent(linked.prompt)}` : ''),
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
      crosshair.addEventListener('focus', () => moveCrosshair(aim[0] ? aim : [canvas.clientWidth / 2, canvas.clientHeight / 2]));
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
