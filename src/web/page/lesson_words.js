// What the lesson says: six chapters, from one segment to the thumb's
// widened frames, and the exercises over them. A call is named by the joint
// frame it belongs to and its kind, never by a number typed in:
// {d3.s0 Translate 2} is the second glTranslatef of the index finger's
// knuckle, numbered as the frame's calls number it, so the words stay right
// if the frame changes. No chapter's words give its own exercises' answers.
// Plain data and text, read by the page and by the tests alike.
'use strict';

const lessonWords = (() => {
  // The number of a joint's nth call of a kind (from 1, or from -1 at the end).
  function callNumber(calls, joint, kind, nth) {
    const found = calls.filter(call => call.joint === joint && call.name.includes(kind));
    return found.at(nth > 0 ? nth - 1 : nth)?.number;
  }
  // Words with every call named by role given its number in `calls`, as
  // handViewer.calls() lists them.
  const fill = (calls, words) =>
    words.replace(/\{(\S+) (\w+) (-?\d)\}/g, (_, joint, kind, nth) => callNumber(calls, joint, kind, Number(nth)));

  // [title, the idea, one thing to try, bends, [rotX, rotY, rotZ], step, joint]
  const chapters = [
    ['One segment: translate, rotate, draw',
      'Each bone is drawn the same way. glTranslatef moves to the bone\'s middle, a pushed glScalef stretches a unit ' +
      'cube into the bone, and a second glTranslatef moves on to the next joint, where glRotatef bends.',
      'Step from call {d2.s0 Push 2} to call {d2.s1 Rotate 1}, the middle finger\'s first bone, and watch the top ' +
      'card of the stack. Then switch off call {d2.s0 Translate 1}.',
      [0, 0, 40, 0, 0], [0, 30, 0], '{d2.s0 Push 2}', 'd2.s0'],
    ['Push and pop around a box\'s scale',
      'glScalef changes the matrix for everything drawn after it. Wrapped in glPushMatrix and glPopMatrix it ' +
      'stretches one box, and the pop throws the stretched matrix away.',
      'Switch off call {d1.s0 Pop 1}, the pop after the ring finger\'s first scale.',
      [0, 0, 0, 0, 0], [0, 0, 0], '{d1.s0 Pop 1}', 'd1.s0'],
    ['A finger\'s chain',
      'A fingertip is placed by every call in effect above it: the base transform, the view\'s turns, the ' +
      'knuckle\'s place and three bends. The Joints panel lists that chain.',
      'Bend the index finger with r and watch each later joint follow.',
      [0, 0, 0, 60, 0], [0, 60, 0], null, 'd3.tip'],
    ['A knuckle carries its children',
      'The ring finger\'s knuckle glRotatef, call {d1.s0 Rotate 1}, multiplies into the matrix every later ' +
      'segment of the finger starts from: one rotation moves three bones.',
      'Drag call {d1.s0 Rotate 1}\'s first number sideways in the listing.',
      [0, 50, 0, 0, 0], [0, 60, 0], '{d1.s0 Rotate 1}', 'd1.s0'],
    ['Siblings reuse the stack',
      'Each finger begins with glPushMatrix and ends with glPopMatrix, so the next finger starts from the ' +
      'palm\'s frame again, not from where the last finger ended.',
      'Switch off call {d0.s0 Pop -1}, the little finger\'s last pop: the ring finger, and all drawn after it, ' +
      'start from the little finger\'s bent knuckle.',
      [40, 40, 40, 40, 0], [0, 30, 0], '{d0.s0 Pop -1}', 'd0.s0'],
    ['The thumb\'s widened frames',
      'The thumb\'s glScalef(1.5, 1, 1) has no pop of its own: it widens every frame after it, so each bone and ' +
      'sphere of the thumb is half as wide again.',
      'Step to the thumb\'s first sphere, call {d4.s0 Sphere 1}, and read the top card\'s first column.',
      [0, 0, 0, 0, 60], [0, 0, 0], '{d4.s0 Sphere 1}', 'd4.s0'],
  ].map(([title, idea, toTry, bend, [rotX, rotY, rotZ], step, joint]) =>
    ({ title, idea, toTry, pose: { bend, rotX, rotY, rotZ }, step, joint }));

  // [id, chapter, kind, prompt, what is right, why it is right]. Right is,
  // for pose: [bends, turns]; call: the calls' numbers, by role; point:
  // [joint, digit, bend]; break: the change, as a link writes it.
  const exercises = [
    ['move-up', 1, 'call', 'Which call moves from the index finger\'s knuckle to the middle of its first bone?',
      '{d3.s0 Translate 2}', 'Call {d3.s0 Translate 2}, glTranslatef(0, 1.2, 0), moves half the bone\'s length along the ' +
      'finger\'s Y axis.'],
    ['middle-joint', 1, 'point', 'The index finger will be bent to 80. Click where its middle joint will be.', ['d3.s1', 3, 80],
      'The middle joint sits one bone up the finger from the knuckle, in the knuckle\'s bent frame.'],
    ['stretched', 2, 'break', 'Switch off one call to draw the faint hand. Which?', 'skip={d3.s0 Pop 1}',
      'Without the pop at call {d3.s0 Pop 1} the stretch of call {d3.s0 Scale 1} stays, and every later shape of ' +
      'the index finger is stretched.'],
    ['little-bone', 2, 'call', 'Which call makes the little finger\'s first bone 1.6 units long?', '{d0.s0 Scale 1}',
      'Call {d0.s0 Scale 1}, glScalef(1, 1.6, 1), stretches the unit cube 1.6 times along Y.'],
    ['ring-bent', 2, 'pose', 'Bend the ring finger to 50, with every other digit straight and no turn.',
      [[0, 50, 0, 0, 0], [0, 0, 0]], 'Each w bends the ring finger one step of 5; ten steps give 50.'],
    ['tip-full', 3, 'point', 'The index finger will be fully bent. Click where its tip will be.', ['d3.tip', 3, 100],
      'All three joints bend by 90 degrees, and the tip curls down towards the palm.'],
    ['index-side', 3, 'pose', 'Bend the index finger fully, and look at it from the side: rotY 90.',
      [[0, 0, 0, 100, 0], [0, 90, 0]], 'From the side the chain of three bends shows as a curl.'],
    ['knuckle', 4, 'call', 'Which call bends the index finger at its knuckle?', '{d3.s0 Rotate 1}',
      'Call {d3.s0 Rotate 1}, glRotatef about X, turns the knuckle\'s frame, which every later bone of the finger ' +
      'starts from.'],
    ['index-moved', 4, 'break', 'Switch off one call to draw the faint hand. Which?', 'skip={d3.s0 Translate 1}',
      'Without call {d3.s0 Translate 1} the index knuckle stays on the middle finger\'s, and the whole finger with it.'],
    ['ring-push', 5, 'call', 'Which call keeps the palm\'s frame for the fingers after the ring finger?',
      '{d1.s0 Push 1}', 'Call {d1.s0 Push 1}, the ring finger\'s glPushMatrix: its pop at call {d1.s0 Pop -1} gives ' +
      'back the palm\'s frame.'],
    ['swapped', 5, 'break', 'Two neighbouring calls, swapped, draw the faint hand. Give the first.',
      'swap={d2.s0 Pop -1}', 'Swapped, call {d3.s0 Push 1} pushes before call {d2.s0 Pop -1} pops: the pop throws ' +
      'that copy away, and the index finger starts in the middle finger\'s bent knuckle frame.'],
    ['widening', 6, 'call', 'Which call widens every frame of the thumb?', '{d4.s0 Scale 1}',
      'Call {d4.s0 Scale 1}, glScalef(1.5, 1, 1), has no pop of its own before the thumb\'s bones.'],
    ['thumb-turned', 6, 'pose', 'Straighten the thumb to 20 and roll the hand to rotZ 45.', [[0, 0, 0, 0, 20], [0, 0, 45]],
      'Each g straightens the thumb a step; the roll keys turn the hand about Z by 5.'],
    ['thumb-tip', 6, 'point', 'The thumb will be fully bent. Click where its tip will be.', ['d4.tip', 4, 100],
      'The thumb bends at its base by 50 degrees and at its joint by 90, in its widened frames.'],
  ].map(([id, chapter, kind, prompt, right, why]) => ({ id, chapter, kind, prompt, right, why }));

  return { chapters, exercises, fill };
})();
