// The canvas's size: it fills its pane, and its backing store follows its
// size on the screen in device pixels, so the picture is sharp at any pixel
// ratio and zoom, in full screen too. A link may pin it to W x H CSS pixels
// with a backing store of exactly W x H, whatever the pixel ratio: 300 x 300
// is the desktop program's window. The viewer gets each new size as a key
// would: in turn.
'use strict';

const canvasSize = (() => {
  const canvas = document.getElementById('canvas');
  let largestViewport = [Infinity, Infinity];  // known once the viewer has its context
  const pinned = () => pageState.state.size;  // [W, H] from the link, or null

  function measure() {
    if (pinned() && !document.fullscreenElement) {
      request(...pinned());
      return;
    }
    const box = canvas.getBoundingClientRect();
    request(Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio));
  }

  // The page's state has the link's size: the canvas takes it. Full screen
  // (a y answer) overrides it while it lasts.
  function pin() {
    const size = pinned();
    const root = document.documentElement;
    root.classList.toggle('pinned', size !== null);
    if (size) {
      root.style.setProperty('--pinned-width', `${size[0]}px`);
      root.style.setProperty('--pinned-height', `${size[1]}px`);
    }
    measure();
  }

  function request(width, height) {
    if (width < 1 || height < 1)
      return;  // hidden
    if (!serving.waiting('size') && width === canvas.width && height === canvas.height)
      return;
    serving.enqueueLatest('size', () => resize(width, height));
  }

  function resize(width, height) {
    width = Math.min(width, largestViewport[0]);
    height = Math.min(height, largestViewport[1]);
    if (width === canvas.width && height === canvas.height)
      return;
    canvas.width = width;
    canvas.height = height;
    viewer.reshape(width, height);
  }

  return {
    measure,
    pin,
    // The viewer's own context, once it has one, says how large it may draw.
    readLargestViewport() {
      const gl = canvas.getContext('webgl');
      largestViewport = Array.from(gl.getParameter(gl.MAX_VIEWPORT_DIMS));
    },
  };
})();
