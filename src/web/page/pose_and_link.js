// The pose in numbers and sliders, and the page's state in its address: a
// link to the page as it is, which opens on the very same pose, switch,
// digit, step and selection.
'use strict';

const poseAndLink = (() => {
  const poseLine = document.getElementById('pose');
  const sliders = [...document.querySelectorAll('#sliders input')];
  const readouts = [...document.querySelectorAll('#sliders output')];
  const openedWith = location.hash;
  const hashParts = openedWith.slice(1).split('&');
  const part = name => hashParts.find(item => item.startsWith(`${name}=`))?.slice(name.length + 1) ?? null;
  const embedded = hashParts.includes('embed');
  // panel=code, joints or learn: the panel shown first; embedded, the one
  // beside the hand, Learn for a link's exercise.
  const panelNames = ['code', 'joints', 'learn'];
  const linkedPanel = panelNames.includes(part('panel')) ? part('panel') : null;
  const embeddedPanel = embedded ? linkedPanel ?? (part('ex') !== null ? 'learn' : null) : null;
  const embedPart = `${embedded ? 'embed&' : ''}${embeddedPanel ? `panel=${embeddedPanel}&` : ''}`;
  let linkNote = '';  // what reading the link left out, if anything
  // The page's own parts of a link, read apart from the viewer's.
  const pagePart = /^(embed$|panel=|skip=|swap=|edit=|chapter=|ex=|prompt=)/;
  let morePartsOfLink = () => '';  // page.js sets it

  // A bend in the keys' steps and the degrees it turns the digit's joints
  // by: a finger's three joints by 0.9 b each, the thumb's base by 0.5 b and
  // its other joint by 0.9 b.
  const degrees = x => `${Number(x.toFixed(2))}°`;
  const bendText = (b, digit) => `${b} → ${digit === 4 ? `${degrees(0.5 * b)} / ${degrees(0.9 * b)}` : degrees(0.9 * b)}`;

  // The pose in numbers and sliders. Turns are shown raw, as they stand
  // (they decide how long going home takes); a turn slider's thumb sits at
  // the turn modulo 360.
  function showPose({ rotX, rotY, rotZ, bend }) {
    const text = `rotX ${rotX}, rotY ${rotY}, rotZ ${rotZ}; bend ${bend.join(' ')}`;
    if (poseLine.textContent !== text)
      poseLine.textContent = text;
    // Written only where they changed: a motion's frame changes one or two.
    [...bend, rotX, rotY, rotZ].forEach((value, i) => {
      const text = i < 5 ? bendText(value, i) : `${value}°`;
      if (readouts[i].textContent === text)
        return;
      readouts[i].textContent = text;
      sliders[i].value = i < 5 ? value : ((value % 360) + 360) % 360;
    });
  }

  // The page's state as a hash, every value written so it reads back as the
  // very float. The pose is the viewer's own: a motion's end, even while its
  // frames are shown.
  function stateLink() {
    const { rotX, rotY, rotZ, bend } = viewer.pose();
    const { size, axes, digit, step } = pageState.state;
    return `#${embedPart}bend=${bend.join(',')}&rot=${rotX},${rotY},${rotZ}&axes=${axes ? 1 : 0}` +
           `&digit=${digit}&step=${step ?? 'all'}&joint=${pageState.selectedName() ?? 'none'}` +
           (size ? `&size=${size[0]}x${size[1]}` : '');
  }
  const linkHash = () => stateLink() + morePartsOfLink();

  // A motion's link is its end, written once its frames have been shown.
  function keepInLink(state) {
    if (state.frame === null && location.hash !== linkHash())
      history.replaceState(null, '', linkHash());
  }

  // Reads a link's hash into the viewer and the page.
  function readLink(link) {
    const hash = link.slice(1).split('&').filter(part => !pagePart.test(part)).join('&');
    if (hash === '' || link === linkHash())
      return;
    const reading = viewer.readLink(hash, pageState.state);
    if (!reading) {
      note('The link is too long to be one of this page\'s; it was not read.');
      return;
    }
    note(reading.note);
    const { axes, digit, step, joint, size } = reading;
    pageState.set({ axes, digit, step, joint, size: size[0] > 0 ? size : null });
    canvasSize.pin();
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

  // Said beside the button, where the eye is.
  function copyLink() {
    keepInLink(pageState.state);
    const said = document.getElementById('copied');
    navigator.clipboard.writeText(location.href).then(
      () => { said.textContent = 'Copied: the link opens this very page.'; },
      () => { said.textContent = 'The browser would not copy it; the link is in the address bar.'; });
  }

  return {
    embedded,
    embeddedPanel,
    linkedPanel,
    panelNote: part('panel') !== null && !linkedPanel ? 'The link\'s panel was left out: panels are code, joints and learn.' : '',
    // A fresh run's link: the embedding and the size alone.
    freshLink: () => `#${embedPart}${pageState.state.size ? `size=${pageState.state.size.join('x')}` : ''}`,
    show(state) {
      showPose(pageState.pose());
      // A screen reader waits for the frame a motion stops at, not every frame.
      poseLine.setAttribute('aria-busy', String(state.playing && !serving.paused));
      keepInLink(state);
    },
    linkNote: () => linkNote,
    // The link the page opened with, and the value of one of its page's own parts, or null.
    openedWith,
    part,
    setMorePartsOfLink: parts => { morePartsOfLink = parts; },
    // Each change is read in turn, as it was made.
    readLinkInTurn: link => serving.enqueue({ kind: 'link', run: () => readLink(link) }),
    readLink,
    // A later move of a slider replaces one waiting.
    moveSlider: (index, value) => serving.enqueueLatest(`slider ${index}`, () => setFromSlider(index, value)),
    sliders,
    copyLink,
  };
})();
