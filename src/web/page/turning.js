// Turning the hand the way people turn 3D things: a drag on the canvas
// stands for the turn keys (right '.', left ',', down ']', up '['), one key
// per 8 CSS pixels along each axis, queued as those very keys; and preset
// views, reached by the fewest keys that land on their exact angles (the
// viewer searches its own keys' steps, turn_keys.h), or set outright when
// no few keys do.
'use strict';

const turning = (() => {
  const canvas = document.getElementById('canvas');
  const pixelsPerKey = 8;
  const clickReach = 4;  // CSS pixels a click may wander and still be a click

  // The keys of each view angle: [down, up], as the key pad has them.
  const axisKeys = { rotX: ['[', ']'], rotY: [',', '.'], rotZ: ['0', '9'] };

  // The keys that bring the pose to the view's angles, or null.
  function keysToView(pose, view) {
    const keys = [];
    for (const [axis, target] of Object.entries(view)) {
      const path = viewer.turnKeys(pose[axis], target);
      if (!path)
        return null;
      keys.push(...path.map(up => axisKeys[axis][up ? 1 : 0]));
    }
    return keys;
  }

  // Served in turn, from the pose the keys before it leave.
  function goToView([rotX, rotY, rotZ]) {
    serving.enqueue({
      kind: 'view',
      run() {
        const pose = viewer.pose();
        const keys = keysToView(pose, { rotX, rotY, rotZ });
        if (keys === null) {
          viewer.setPose({ ...pose, rotX, rotY, rotZ });
        } else {
          for (const key of keys) {
            viewer.pressKey(keysAndPad.codeOf(key));
            viewer.endMotion();
          }
        }
        pageState.set({});
      },
    });
  }

  // A drag: keys as the pointer passes each 8 pixels; a click if it never
  // went 4 pixels from where it began.
  let drag = null;

  function pointerDown(event) {
    if (event.button !== 0 || serving.status.ended)
      return;
    canvas.setPointerCapture(event.pointerId);
    drag = { id: event.pointerId, startX: event.clientX, startY: event.clientY, keyedX: 0, keyedY: 0, far: 0 };
  }

  function pointerMove(event) {
    if (drag?.id !== event.pointerId)
      return;
    const dx = event.clientX - drag.startX;
    const dy = event.clientY - drag.startY;
    drag.far = Math.max(drag.far, Math.hypot(dx, dy));
    if (drag.far < clickReach)
      return;
    keysAndPad.answerFirst();
    while (dx - drag.keyedX >= pixelsPerKey && pressIfRoom('.'))
      drag.keyedX += pixelsPerKey;
    while (drag.keyedX - dx >= pixelsPerKey && pressIfRoom(','))
      drag.keyedX -= pixelsPerKey;
    while (dy - drag.keyedY >= pixelsPerKey && pressIfRoom(']'))
      drag.keyedY += pixelsPerKey;
    while (drag.keyedY - dy >= pixelsPerKey && pressIfRoom('['))
      drag.keyedY -= pixelsPerKey;
  }

  // A drag never fills the queue: past its room the movement is let go.
  function pressIfRoom(key) {
    if (!serving.hasRoom())
      return false;
    keysAndPad.press(keysAndPad.codeOf(key));
    return true;
  }

  return {
    goToView,
    // `clicked(x, y)` hears a click, in CSS pixels within the canvas.
    listen(clicked) {
      canvas.addEventListener('pointerdown', pointerDown);
      canvas.addEventListener('pointermove', pointerMove);
      const end = event => {
        if (drag?.id !== event.pointerId)
          return;
        const wasClick = drag.far < clickReach && event.type === 'pointerup';
        drag = null;
        if (wasClick) {
          const box = canvas.getBoundingClientRect();
          clicked(event.clientX - box.left, event.clientY - box.top);
        }
      };
      canvas.addEventListener('pointerup', end);
      canvas.addEventListener('pointercancel', end);
    },
  };
})();
