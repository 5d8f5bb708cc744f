// The chapters on show: the chooser, a chapter's words beside the hand with
// its calls numbered as the frame numbers them, and its pose, step and
// selection set. What the chapters say is lesson_words.js's.
'use strict';

const chapters = (() => {
  const chooser = document.getElementById('chapter');
  const text = document.getElementById('chapter-text');
  const all = lessonWords.chapters;

  let open = 0;  // the chapter on show, from 1; 0 before any

  // The chapter's words, and its pose, step and selection set.
  function show(number) {
    const { idea, toTry, pose, step, joint } = all[number - 1];
    const numbered = words => lessonWords.fill(pageState.state.calls, words);
    open = number;
    chooser.value = String(number);
    text.replaceChildren(...[idea, `Try: ${toTry}`].map(words => {
      const paragraph = document.createElement('p');
      paragraph.textContent = numbered(words);
      return paragraph;
    }));
    viewer.setPose(pose);
    jointTree.select(joint);
    listing.stepTo(step && Number(numbered(step)));
  }

  chooser.append(new Option('choose one', '0'), ...all.map(({ title }, i) => new Option(`${i + 1}. ${title}`, String(i + 1))));

  return {
    count: all.length,
    show,
    open: () => open,
    linkPart: () => (open ? `&chapter=${open}` : ''),
    // A link's chapter=N: its number, or 0 with a note on what was left out.
    fromLink(value) {
      const number = Number(value);
      if (value === null || (Number.isInteger(number) && number >= 1 && number <= all.length))
        return { number: value === null ? 0 : number, note: '' };
      return { number: 0, note: `The link's chapter was left out: chapters go from 1 to ${all.length}.` };
    },
    // `open(number)` opens the chapter the chooser chose.
    listen: open => chooser.addEventListener('change', () =>
      serving.enqueue({ kind: 'chapter', run: () => chooser.value > 0 && open(Number(chooser.value)) })),
  };
})();
