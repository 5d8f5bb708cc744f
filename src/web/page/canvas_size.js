// The canvas's size: its backing store follows its size on the screen in
// device pixels, so the picture is sharp at any pixel ratio and zoom, in
// full screen too. The viewer gets each new size as a key would: in turn.
'use strict';

const canvasSize = (() => {
  const canvas = document.getElementById('canvas');
  let largestViewport = [Infinity, Infinity];  // known once the viewer has its context

  function measure() {
    const box = canvas.getBoundingClientRect();
    request(Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio));
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
    // The viewer's own context, once it has one, says how large it may draw.
    readLargestViewport() {
      const gl = canvas.getContext('webgl');
      largestViewport = Array.from(gl.getParameter(gl.MAX_VIEWPORT_DIMS));
    },
  };
})();
