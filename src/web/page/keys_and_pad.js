// Keys and the key pad: a typed key and a tap on the pad are the same, the
// character code X gives the native viewer for it. The first answers the
// full-screen question, as on the console; the rest go to the hand, in turn.
'use strict';

const keysAndPad = (() => {
  const prompt = 'FullScreen?(y/n) ';
  // A held key, or a held button of the pad, repeats after about half a
  // second, then about 30 times a second.
  const repeatDelay = 500;
  const repeatInterval = 33;

  const canvas = document.getElementById('canvas');
  const viewerBox = document.getElementById('viewer');
  const consoleLine = document.getElementById('console');
  const answers = document.getElementById('answers');
  const pad = document.getElementById('pad');
  const singleKeys = document.getElementById('single-keys');

  let answered = false;
  const askNote = 'Answer the question with a key, or a button.';

  // KeyboardEvent.key says what the key types on any layout; these are the
  // codes X gives for the keys that type no visible character. Tab is left
  // to the browser, to move between the page's controls.
  const namedKeys = { Backspace: 8, Enter: 13, Escape: 27, Delete: 127 };

  // The code of a key by its name: a character, or one of namedKeys.
  function codeOf(key) {
    if (key in namedKeys)
      return namedKeys[key];
    if (key.length === 1 && key.charCodeAt(0) < 256)
      return key.charCodeAt(0);
    return null;  // arrows, function keys, a modifier alone
  }

  function characterCode(event) {
    if (event.ctrlKey || event.altKey || event.metaKey)
      return null;  // the browser's own shortcuts
    return codeOf(event.key);
  }

  // A key's auto-repeat is paced by the drawing (serving.js): `repeat`.
  function press(code, repeat = false) {
    if (serving.status.ended)
      return;
    if (!answered)
      answer(code);  // like the console, the answer is not a key for the hand
    else
      serving.pressKey(code, repeat);
  }

  // Input other than a typed key (a tap on the pad, a drag, a slider)
  // answers "n" first, then acts.
  function answerFirst() {
    if (!answered && !serving.status.ended)
      answer('n'.charCodeAt(0));
  }

  function answer(code) {
    answered = true;
    answers.hidden = true;
    consoleLine.textContent = prompt + (code >= 32 && code < 127 ? String.fromCharCode(code) : '');
    if (serving.status.ready && pageState.state.message === askNote)
      pageState.set({ message: '' });  // what else the page said stays
    if (code === 'y'.charCodeAt(0))
      enterFullScreen();
  }

  // With a keyboard the picture alone fills the screen; on a touch screen the
  // pad comes along, or nothing could drive the hand.
  function enterFullScreen() {
    const touchScreen = matchMedia('(pointer: coarse)').matches;
    (touchScreen ? viewerBox : canvas).requestFullscreen().catch(() => {
      pageState.set({ message: 'The browser refused full screen; the hand stays in the page.' });
    });
  }

  // Keys typed into a field stay there. Space and Enter work the focused
  // control (the hand has no use for them), but on the pad and the
  // question's answers, which take typed keys as they are; with the
  // single-character keys switched off they press the pad's buttons too.
  const isField = target => target.closest?.('select, textarea, [contenteditable], input:not([type="range"], [type="checkbox"])');
  const isSingleCharacter = event => event.key.length === 1;
  function keptByPage(event) {
    if (isField(event.target))
      return true;
    if (!singleKeys.checked && isSingleCharacter(event))
      return true;
    const onControl = event.target.closest?.('button, input, [tabindex]') && !event.target.closest('#answers');
    const workedByHand = pad.contains(event.target) && singleKeys.checked;
    return (event.key === ' ' || event.key === 'Enter') && onControl && !workedByHand;
  }

  // A key typed is served once, as itself, whatever has the focus. Letting
  // it go may still click a focused button (Space does, where the browser
  // takes that for the button's own key): such a click, in the same task as
  // the key, has a key behind it and presses nothing.
  let keyBehindClicks = false;

  function noteKey() {
    keyBehindClicks = true;
    setTimeout(() => { keyBehindClicks = false; });
  }

  // A key the page keeps clicks what it clicks: it is noted only when taken.
  function keyDown(event) {
    if (keptByPage(event))
      return;
    noteKey();
    const code = characterCode(event);
    if (code === null)
      return;
    event.preventDefault();  // also keeps a focused button from taking Space or Enter as a click
    press(code, event.repeat);
  }

  function keyUp(event) {
    if (keptByPage(event))
      return;
    noteKey();
    if (characterCode(event) !== null)
      event.preventDefault();
  }

  // Holding a pad's button repeats its key until the button is let go, the
  // pointer leaves it or the touch is cancelled. Timers run only while a
  // button is held.
  let repeatTimer = null;

  function stopRepeating() {
    clearTimeout(repeatTimer);
    repeatTimer = null;
  }

  function holdKey(code) {
    stopRepeating();
    answerFirst();
    press(code);
    const repeat = () => {
      press(code, true);
      repeatTimer = setTimeout(repeat, repeatInterval);
    };
    repeatTimer = setTimeout(repeat, repeatDelay);
  }

  return {
    codeOf,
    press,
    answerFirst,
    keyDown,
    keyUp,
    answer,
    answered: () => answered,
    askNote,
    holdKey,
    stopRepeating,
    // A click of a button with a key behind it is that key's, not the button's.
    clickWithoutKey: action => event => {
      if (!keyBehindClicks)
        action(event);
    },
  };
})();
