// The last motion, to be caught: pausing, a frame more, and a scrubber over
// its frames with a counter. The frames stay until the next key.
'use strict';

const motionBar = (() => {
  const pauseButton = document.getElementById('pause');
  const scrubber = document.getElementById('scrubber');
  const counter = document.getElementById('frame-counter');

  function pause(paused) {
    serving.pause(paused);
    pauseButton.setAttribute('aria-pressed', String(paused));
    pauseButton.textContent = paused ? 'paused' : 'pause';
  }

  // While a motion plays the scrubber follows it; after, it is the learner's.
  function show({ motionLength, shownFrame, playing }) {
    scrubber.disabled = motionLength === 0 || playing;
    scrubber.max = String(Math.max(motionLength, 1));
    scrubber.value = String(shownFrame === null ? motionLength : shownFrame + 1);
    counter.value = motionLength === 0 ? 'no motion'
      : shownFrame === null ? `end of ${motionLength} frames` : `frame ${shownFrame + 1} of ${motionLength}`;
  }

  return {
    pause,
    show,
    listen() {
      pauseButton.addEventListener('click', () => pause(!serving.paused));
      document.getElementById('step-frame').addEventListener('click', serving.letMotionGoOn);
      scrubber.addEventListener('input', () => {
        if (!pageState.state.playing)
          serving.showMotionFrame(Number(scrubber.value) - 1);
      });
    },
  };
})();
