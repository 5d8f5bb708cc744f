// Six short chapters, from one segment to the thumb's widened frames: each
// a few sentences beside the hand, a pose and a step set for it, and one
// thing to try. Calls are named by their number in the listing.
'use strict';

const chapters = (() => {
  const chooser = document.getElementById('chapter');
  const text = document.getElementById('chapter-text');

  // [title, sentences, to try, bends, [rotX, rotY, rotZ], step, joint]
  const all = [
    ['One segment: translate, rotate, draw',
      'Each bone is drawn the same way. glTranslatef moves to the bone\'s middle, a pushed glScalef stretches a unit ' +
      'cube into the bone, and a second glTranslatef moves on to the next joint, where glRotatef bends.',
      'Step from call 115 to 123 and watch the top card of the stack. Then switch off call 116.',
      [0, 0, 0, 40, 0], [0, 30, 0], 122, 'd3.s0'],
    ['Push and pop around a box\'s scale',
      'glScalef changes the matrix for everything drawn after it. Wrapped in glPushMatrix and glPopMatrix it ' +
      'stretches one box, and the pop throws the stretched matrix away.',
      'Switch off call 120, the pop after the index finger\'s first scale.',
      [0, 0, 0, 0, 0], [0, 0, 0], 120, 'd3.s0'],
    ['A finger\'s chain',
      'A fingertip is placed by every call in effect above it: the base transform, the view\'s turns, the ' +
      'knuckle\'s place and three bends. The Joints panel lists that chain.',
      'Bend the index finger with r and watch each later joint follow.',
      [0, 0, 0, 60, 0], [0, 60, 0], null, 'd3.tip'],
    ['A knuckle carries its children',
      'The knuckle\'s glRotatef, call 114, multiplies into the matrix every later segment of the finger starts ' +
      'from: one rotation moves three bones.',
      'Drag call 114\'s first number sideways in the listing.',
      [0, 0, 0, 50, 0], [0, 60, 0], 114, 'd3.s0'],
    ['Siblings reuse the stack',
      'Each finger begins with glPushMatrix and ends with glPopMatrix, so the next finger starts from the ' +
      'palm\'s frame again, not from the last fingertip.',
      'Switch off call 110, the middle finger\'s last pop: the index finger grows out of its tip.',
      [40, 40, 40, 40, 0], [0, 30, 0], 111, 'd3.s0'],
    ['The thumb\'s widened frames',
      'The thumb\'s glScalef(1.5, 1, 1), call 150, has no pop of its own: it widens every frame after it, so each ' +
      'bone and sphere of the thumb is half as wide again.',
      'Give call 150 the numbers 1, 1, 1.',
      [0, 0, 0, 0, 60], [0, 0, 0], 151, 'd4.s0'],
  ];

  let open = 0;  // the chapter on show, from 1; 0 before any

  // The chapter's words, and its pose, step and selection set.
  function show(number) {
    const [, sentences, toTry, bend, [rotX, rotY, rotZ], step, joint] = all[number - 1];
    open = number;
    chooser.value = String(number);
    const [idea, tryIt] = [sentences, `Try: ${toTry}`].map(words => {
      const paragraph = document.createElement('p');
      paragraph.textContent = words;
      return paragraph;
    });
    text.replaceChildren(idea, tryIt);
    viewer.setPose({ bend, rotX, rotY, rotZ });
    jointTree.select(joint);
    listing.stepTo(step);
  }

  chooser.append(...all.map(([title], i) => new Option(`${i + 1}. ${title}`, String(i + 1))));

  return {
    count: all.length,
    show,
    open: () => open,
    // `open(number)` opens the chapter the chooser chose.
    listen: open => chooser.addEventListener('change', () =>
      serving.enqueue({ kind: 'chapter', run: () => open(Number(chooser.value)) })),
  };
})();
