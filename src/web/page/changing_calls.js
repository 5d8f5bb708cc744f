// Breaking the drawing to learn it: the step's call switched off, swapped
// with the next, or given other numbers, typed or dragged sideways in the
// listing. Calls keep the numbers of the unchanged frame; the viewer checks
// and makes each change (call_changes.h) and says what the frame would do
// without its clean start.
'use strict';

const changingCalls = (() => {
  const none = { off: [], swap: 0, edits: {} };
  let changes = none;
  const offButton = document.getElementById('call-off');
  const swapButton = document.getElementById('call-swap');
  const numbers = document.getElementById('call-numbers');
  const note = document.getElementById('change-note');

  // As a link writes them: skip=K,K&swap=K&edit=K:A,B,C;K:A,B,C
  const text = ({ off, swap, edits }) => [
    off.length && `skip=${off.join(',')}`, swap && `swap=${swap}`,
    Object.keys(edits).length && `edit=${Object.entries(edits).map(([k, a]) => `${k}:${a.join(',')}`).join(';')}`,
  ].filter(Boolean).join('&');

  // Made from the next frame, or refused with the viewer's reason, said.
  function change(next) {
    const refusal = viewer.changeCalls(next);
    if (refusal)
      pageState.set({ message: refusal });
    else
      changes = next;
    return refusal || null;
  }

  // The call stepping stands on: its number in the unchanged frame.
  const current = () => pageState.state.calls[(pageState.state.step ?? 0) - 1];

  function switchOff() {
    const { number } = current() ?? {};
    const off = changes.off.includes(number) ? changes.off.filter(k => k !== number) : [...changes.off, number];
    change({ ...changes, off });
  }

  const edit = (number, args) => change({ ...changes, edits: { ...changes.edits, [number]: args } });

  // A number dragged sideways: a degree, or a tenth of a unit, each two
  // pixels. The listing is made anew as the number changes, so the drag is
  // followed on the document.
  function scrub(event) {
    const span = event.target.closest('#calls span');
    const line = span?.closest('li');
    if (!span || event.button !== 0)
      return;
    const call = pageState.state.calls[[...line.parentElement.children].indexOf(line)];
    const index = [...line.querySelectorAll('span')].indexOf(span);
    const step = call.name === 'glRotatef' && index === 0 ? 1 : 0.1;
    const from = event.clientX;
    const move = moved => {
      const args = [...call.args];
      args[index] = Number((call.args[index] + Math.round((moved.clientX - from) / 2) * step).toFixed(2));
      serving.enqueueLatest('numbers', () => edit(call.number, args));
    };
    event.preventDefault();
    document.addEventListener('pointermove', move);
    document.addEventListener('pointerup', () => document.removeEventListener('pointermove', move), { once: true });
  }

  // Changes as a link writes them, read back; the viewer judges them. Null
  // for words that are no whole call numbers and finite numbers.
  function read(linkText) {
    const read = { off: [], swap: 0, edits: {} };
    const whole = text => (/^\d{1,4}$/.test(text) ? Number(text) : NaN);
    for (const [key, value] of new URLSearchParams(linkText)) {
      if (key === 'skip')
        read.off = value.split(',').map(whole);
      if (key === 'swap')
        read.swap = whole(value);
      for (const item of key === 'edit' ? value.split(';') : []) {
        const [call, args = ''] = item.split(':');
        read.edits[whole(call)] = args.split(',').map(arg => (arg.trim() === '' ? NaN : Number(arg)));
      }
    }
    const numbers = [...read.off, read.swap, ...Object.keys(read.edits).map(Number), ...Object.values(read.edits).flat()];
    return numbers.every(Number.isFinite) ? read : null;
  }

  return {
    change,
    read,
    // A link's skip=, swap= and edit=, made; or a note on why they were left out.
    fromLink(linkText) {
      if (!linkText)
        return '';
      const asked = read(linkText);
      if (!asked)
        return 'The link\'s changes to the calls could not be read and were left out.';
      const refusal = change(asked);
      return refusal ? `The link's changes to the calls were left out: ${refusal}` : '';
    },
    skip: off => change({ ...changes, off }),
    swap: swap => change({ ...changes, swap }),
    edit,
    restore: () => change(none),
    linkPart: () => (text(changes) ? `&${text(changes)}` : ''),
    // The controls for the step's call, and what the frame would do next.
    show() {
      const call = current();
      const changeable = call && /Push|Pop|Tra|Rot|Sca/.test(call.name);
      offButton.disabled = swapButton.disabled = !changeable;
      offButton.setAttribute('aria-pressed', String(!!call?.off));
      const editable = changeable && call.args.length ? call : null;
      if (numbers.dataset.call !== `${editable?.number}`) {
        numbers.dataset.call = `${editable?.number}`;
        const inputs = (editable?.args ?? []).map((arg, i) => {
          const input = document.createElement('input');
          input.type = 'number';
          input.step = 'any';
          input.value = arg;
          input.setAttribute('aria-label', `number ${i + 1} of call ${editable.number}`);
          return input;
        });
        numbers.replaceChildren(...(editable ? [`call ${editable.number}'s numbers`, ...inputs, 'make the matrix:'] : []));
      }
      const said = [viewer.withoutCleanStart(), ...pageState.state.calls.filter(c => c.error)
        .map(c => `Call ${c.number} raised ${c.error}: GL ignored it.`)].join(' ');
      if (note.textContent !== said)
        note.textContent = said;
    },
    listen() {
      offButton.addEventListener('click', switchOff);
      swapButton.addEventListener('click', () => {
        const { number } = current();
        change({ ...changes, swap: changes.swap === number ? 0 : number });
      });
      numbers.addEventListener('change', () => edit(Number(numbers.dataset.call),
                                                    [...numbers.children].map(input => Number(input.value))));
      document.getElementById('restore').addEventListener('click', () => change(none));
      document.getElementById('calls').addEventListener('pointerdown', scrub);
    },
  };
})();
