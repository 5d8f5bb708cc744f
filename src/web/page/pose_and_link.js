// The pose in numbers and sliders, and the page's state in its address: a
// link to the page as it is, which opens on the very same pose, switch,
// digit, step and selection.
'use strict';

const poseAndLink = (() => {
  const poseLine = document.getElementById('pose');
  const sliders = [...document.querySelectorAll('#sliders input')];
  const embedded = location.hash.slice(1).split('&').includes('embed');
  let linkNote = '';  // what reading the link left out, if anything

  // The pose in numbers (never per motion frame: a screen reader reads it out).
  function showPose({ rotX, rotY, rotZ, bend }) {
    const text = `rotX ${rotX}, rotY ${rotY}, rotZ ${rotZ}; bend ${bend.join(' ')}`;
    if (poseLine.textContent !== text)
      poseLine.textContent = text;
    [...bend, rotX, rotY, rotZ].forEach((value, i) => { sliders[i].value = value; });
  }

  // Every value is written so it reads back as the very float. The pose is
  // the viewer's own: a motion's end, even while its frames are shown.
  function linkHash(state) {
    const { rotX, rotY, rotZ, bend } = viewer.pose();
    return `#${embedded ? 'embed&' : ''}bend=${bend.join(',')}&rot=${rotX},${rotY},${rotZ}&axes=${state.axes ? 1 : 0}` +
           `&digit=${state.digit}&step=${state.step ?? 'all'}&joint=${pageState.selectedName() ?? 'none'}`;
  }

  // A motion's link is its end, written once its frames have been shown.
  function keepInLink(state) {
    if (state.frame === null && location.hash !== linkHash(state))
      history.replaceState(null, '', linkHash(state));
  }

  // Reads a link's hash into the viewer and the page.
  function readLink(link) {
    const hash = link.slice(1).split('&').filter(part => part !== 'embed').join('&');
    if (hash === '' || link === linkHash(pageState.state))
      return;
    const reading = viewer.readLink(hash, pageState.state);
    if (!reading) {
      note('The link is too long to be one of this page\'s; it was not read.');
      return;
    }
    note(reading.note);
    const { axes, digit, step, joint } = reading;
    pageState.set({ axes, digit, step, joint });
  }

  function note(text) {
    linkNote = text;
    if (serving.status.ready)
      pageState.set({ message: text });
  }

  // One slider's new value, with every other number of the pose as it is now.
  function setFromSlider(index, value) {
    const { rotX, rotY, rotZ, bend } = viewer.pose();
    const numbers = [...bend, rotX, rotY, rotZ];
    numbers[index] = value;
    viewer.setPose({ bend: numbers.slice(0, 5), rotX: numbers[5], rotY: numbers[6], rotZ: numbers[7] });
    pageState.set({});
  }

  function copyLink() {
    keepInLink(pageState.state);
    navigator.clipboard.writeText(location.href).then(
      () => pageState.set({ message: 'The link to this pose is copied.' }),
      () => pageState.set({ message: 'The browser would not copy it; the link is in the address bar.' }));
  }

  return {
    embedded,
    show(state) {
      showPose(pageState.pose());
      keepInLink(state);
    },
    linkNote: () => linkNote,
    // Each change is read in turn, as it was made.
    readLinkInTurn: link => serving.enqueue({ kind: 'link', run: () => readLink(link) }),
    readLink,
    // A later move of a slider replaces one waiting.
    moveSlider: (index, value) => serving.enqueueLatest(`slider ${index}`, () => setFromSlider(index, value)),
    sliders,
    copyLink,
  };
})();
