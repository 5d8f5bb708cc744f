// The panels beside the hand, under it on a phone (Keys, Pose, Joints,
// Code, Learn, Help): tabs, one shown at a time, moved between with the
// arrow keys as tabs are.
'use strict';

const panels = (() => {
  const tabs = [...document.querySelectorAll('[role="tab"]')];

  const panelOf = tab => document.getElementById(tab.getAttribute('aria-controls'));
  const nameOf = tab => tab.id.replace('tab-', '');

  let whenShown = name => {};  // page.js sets it

  const shown = () => nameOf(tabs.find(tab => tab.getAttribute('aria-selected') === 'true'));

  function show(name) {
    for (const tab of tabs) {
      const chosen = nameOf(tab) === name;
      tab.setAttribute('aria-selected', String(chosen));
      tab.tabIndex = chosen ? 0 : -1;
      panelOf(tab).hidden = !chosen;
    }
    whenShown(name);
  }

  function onKey(event) {
    const visible = tabs.filter(tab => tab.offsetParent !== null);
    const at = visible.indexOf(event.target);
    const steps = { ArrowRight: 1, ArrowLeft: -1 };
    if (at < 0 || !(event.key in steps || event.key === 'Home' || event.key === 'End'))
      return;
    event.preventDefault();
    const next = event.key === 'Home' ? 0 : event.key === 'End' ? visible.length - 1
                                                                 : (at + steps[event.key] + visible.length) % visible.length;
    show(nameOf(visible[next]));
    visible[next].focus();
  }

  return {
    show,
    // `action(name)` for each panel shown from now on, and for the one on show.
    whenShown(action) {
      whenShown = action;
      action(shown());
    },
    shown,
    listen() {
      for (const tab of tabs)
        tab.addEventListener('click', () => show(nameOf(tab)));
      document.getElementById('tabs').addEventListener('keydown', onKey);
    },
  };
})();
