// Selecting a joint frame: from the tree of joints, from the canvas near its
// origin, or from a line of the listing. Its subtree stands out on the
// canvas (the viewer dims the rest), its axes are drawn long with their
// letters and its name over the canvas, and the listing marks its chain.
'use strict';

const jointTree = (() => {
  const canvas = document.getElementById('canvas');
  const tree = document.getElementById('joint-tree');
  const labels = document.getElementById('joint-labels');
  const selectedLine = document.getElementById('selected-joint');
  const letterDistance = 2.7;  // selectedLetterDistance (joint_frames.h)
  const clickReach = 12;       // CSS pixels from a joint's origin

  // Selects a joint frame by its name, or with null none.
  function select(name) {
    const index = pageState.state.joints.findIndex(joint => joint.name === name);
    if (name === null || index >= 0)
      pageState.set({ joint: index });
  }

  // Where a point of a joint frame falls on the canvas, in CSS pixels.
  function onCanvas(matrix, point) {
    const p = viewer.projection();
    const eye = [0, 1, 2, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + matrix[4 * c + r] * point[c], 0));
    const clip = [0, 1, 3].map(r => [0, 1, 2, 3].reduce((sum, c) => sum + p[4 * c + r] * eye[c], 0));
    return [(clip[0] / clip[2] + 1) / 2 * canvas.clientWidth, (1 - clip[1] / clip[2]) / 2 * canvas.clientHeight];
  }

  // The joint whose origin is within reach of this point of the canvas, if any.
  function jointNear(x, y) {
    const joints = pageState.state.joints;
    if (joints.length === 0)
      return null;
    const distance = ({ matrix }) => {
      const [jointX, jointY] = onCanvas(matrix, [0, 0, 0, 1]);
      return Math.hypot(jointX - x, jointY - y);
    };
    const nearest = joints.reduce((best, joint) => (distance(joint) < distance(best) ? joint : best));
    return distance(nearest) <= clickReach ? nearest.name : null;
  }

  // The tree's pressed node, the selection's name, and its axes' letters over the canvas.
  function show({ joints, joint: index }) {
    const joint = joints[index];
    for (const button of tree.querySelectorAll('button'))
      button.setAttribute('aria-pressed', String(button.dataset.joint === joint?.name));
    selectedLine.textContent = joint ? `Selected: ${joint.label} (${joint.name}).` : 'No joint selected.';
    const at = letterDistance;
    const letters = !joint ? [] : [['X', [at, 0, 0, 1]], ['Y', [0, at, 0, 1]], ['Z', [0, 0, at, 1]],
                                   [joint.label, [0, 0, 0, 1]]];
    labels.replaceChildren(...letters.map(([text, point]) => {
      const [x, y] = onCanvas(joint.matrix, point);
      const label = document.createElement('span');
      label.textContent = text;
      label.style.left = `${canvas.offsetLeft + x}px`;
      label.style.top = `${canvas.offsetTop + y + (text.length > 1 ? 14 : 0)}px`;
      return label;
    }));
  }

  // The tree of joints, hand › digit › joints › tip, made once.
  function build(joints) {
    const button = ({ name, label }) => {
      const node = document.createElement('button');
      node.type = 'button';
      node.dataset.joint = name;
      node.textContent = label.replace(/^.*, /, '');
      node.setAttribute('aria-label', `${label} (${name})`);
      return node;
    };
    const digits = ['little finger', 'ring finger', 'middle finger', 'index finger', 'thumb'].map((digit, d) => {
      const item = document.createElement('li');
      item.append(`${digit}: `, ...joints.filter(({ name }) => name.startsWith(`d${d}.`)).map(button));
      return item;
    });
    const hand = document.createElement('li');
    const list = document.createElement('ul');
    list.append(...digits);
    hand.append(button(joints[0]), list);
    const root = document.createElement('ul');
    root.append(hand);
    tree.replaceChildren(root);
  }

  return {
    select,
    // A node pressed again lets its joint go.
    toggle: name => select(pageState.selectedName() === name ? null : name),
    jointNear,
    onCanvas,
    show,
    build,
    built: () => tree.firstChild !== null,
  };
})();
