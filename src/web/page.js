// Binds the page's controls to the calculator in WebAssembly, as the window
// binds its widgets: every user action goes to the core, and every change
// the core announces is drawn on the one control it concerns. The page keeps
// no state and computes nothing; it stores nothing and sends nothing.
const form = document.querySelector('.calculator');
const hint = document.querySelector('.hint');
const menu = document.querySelector('.menu');
const sheet = document.querySelector('.sheet');

// Every page the calculator was asked to open, for the test hook.
const openings = [];
let calculator = null;
let pendingYear = null;
let markReady;
let markFailed;
const ready = new Promise((resolve, reject) => {
  markReady = resolve;
  markFailed = reject;
});
const fieldIndex = new Map();
const elements = [];

// For automated tests: the clock, program writes and the pages opened.
window.varostelTest = Object.freeze({
  ready,
  setYear(year) {
    if (calculator) calculator.fixYear(year);
    else pendingYear = year;
  },
  set(name, text) {
    const index = fieldIndex.get(name);
    return calculator !== null && index !== undefined && calculator.write(index, String(text));
  },
  openings: () => openings.map((opening) => ({ ...opening })),
});

function openPage(address, mode) {
  openings.push({ address, mode });
  // A browser has no hidden or background window for a page: both of the
  // calculator's modes become a new tab.
  window.open(address, '_blank', 'noopener');
}

const isTextBox = (element) => element.tagName === 'INPUT' && element.type === 'text';
const isCheckBox = (element) => element.tagName === 'INPUT' && element.type === 'checkbox';
const takesDisabled = (element) => ['INPUT', 'SELECT', 'BUTTON'].includes(element.tagName);

const TEXT = 0;
const VALUE = 1;
const ENABLED = 2;
const NOTE = 3;

function showText(index) {
  const element = elements[index];
  const text = calculator.text(index);
  if (isTextBox(element)) {
    // The same text: the cursor stays where it is.
    if (element.value !== text) element.value = text;
  } else if (element.tagName === 'SELECT') {
    element.selectedIndex = [...element.options].findIndex((option) => option.text === text);
  } else if (isCheckBox(element)) {
    const caption = element.labels[0];
    if (caption && caption.textContent !== text) caption.textContent = text;
  } else if (element.tagName !== 'IMG' && element.textContent !== text) {
    element.textContent = text;
  }
}

function showNote(index) {
  const element = elements[index];
  const note = calculator.note(index);
  if (note) element.setAttribute('aria-description', note);
  else element.removeAttribute('aria-description');
  // The verdict's note is for screen readers only, as in the window.
  if (element.id !== '评分结果') {
    if (note) element.title = note;
    else element.removeAttribute('title');
  }
  if (isTextBox(element)) element.classList.toggle('has-note', note !== '');
  if (document.activeElement === element) showHint(element);
}

function show(index, what) {
  const element = elements[index];
  if (what === ENABLED) {
    const enabled = calculator.enabled(index);
    if (takesDisabled(element)) element.disabled = !enabled;
    else if (enabled) element.removeAttribute('aria-disabled');
    else element.setAttribute('aria-disabled', 'true');
  } else if (what === NOTE) {
    showNote(index);
  } else if (what === VALUE && isCheckBox(element)) {
    element.checked = calculator.value(index) === 1;
  } else {
    showText(index);
  }
}

// The hint beside a control with a note, while it has the focus: a tooltip
// alone would show only under a pointer.
function showHint(element) {
  const note = element.title;
  if (!note) {
    hint.hidden = true;
    return;
  }
  hint.textContent = note;
  const box = element.getBoundingClientRect();
  hint.style.left = `${Math.max(0, box.left + scrollX)}px`;
  hint.style.top = `${box.bottom + scrollY + 2}px`;
  hint.hidden = false;
}

// A text box hands its whole text to the form, split at the cursor so that
// the form cuts an overlong insertion where it ended, and then shows the
// form's text.
function commit(index) {
  const box = elements[index];
  const cursor = box.selectionEnd ?? box.value.length;
  const head = calculator.edit(index, box.value.slice(0, cursor), box.value.slice(cursor));
  showText(index);
  // Placing the cursor lays the page out at once; a typed character has
  // usually left it where it belongs, and the frame lays out anyway.
  const placed = box.selectionStart === head.length && box.selectionEnd === head.length;
  if (document.activeElement === box && box.value.startsWith(head) && !placed) {
    box.setSelectionRange(head.length, head.length);
  }
}

function insert(box, text) {
  box.setRangeText(text, box.selectionStart, box.selectionEnd, 'end');
}

function bindTextBox(box, index) {
  let beforeComposition = null;
  box.addEventListener('beforeinput', (event) => {
    if (event.isComposing || event.inputType !== 'insertText') return;
    const typed = event.data ?? '';
    const kept = calculator.typed(index, typed);
    if (kept === typed) return;
    event.preventDefault();
    if (kept) {
      insert(box, kept);
      commit(index);
    }
  });
  // Chromium inserts a control character sent as a bare character event
  // (a tab, say) without a beforeinput; its keypress comes first.
  box.addEventListener('keypress', (event) => {
    if (event.charCode && !calculator.typed(index, String.fromCodePoint(event.charCode))) {
      event.preventDefault();
    }
  });
  box.addEventListener('input', (event) => {
    if (!event.isComposing) commit(index);
  });
  // An input method's commit is typed too: the filter sees it whole.
  box.addEventListener('compositionstart', () => {
    beforeComposition = { text: box.value, start: box.selectionStart, end: box.selectionEnd };
  });
  box.addEventListener('compositionend', (event) => {
    const typed = event.data ?? '';
    const kept = calculator.typed(index, typed);
    if (kept !== typed && beforeComposition) {
      const { text, start, end } = beforeComposition;
      box.value = text.slice(0, start) + kept + text.slice(end);
      box.setSelectionRange(start + kept.length, start + kept.length);
    }
    beforeComposition = null;
    commit(index);
  });
}

function bind(element, index) {
  if (isTextBox(element)) {
    bindTextBox(element, index);
  } else if (element.tagName === 'SELECT') {
    // Every pick is a choice, as in the window, also of the item the list
    // already shows: the browser then sends no change, only the click with
    // which the list's popup closes. The click that opens it follows a
    // mousedown; one that follows a change in the same task is that
    // change's.
    const choose = () => {
      calculator.choose(index, element.selectedOptions[0]?.text ?? '');
      showText(index);
    };
    let opening = false;
    let changed = false;
    element.addEventListener('mousedown', () => {
      opening = true;
    });
    element.addEventListener('change', () => {
      changed = true;
      setTimeout(() => {
        changed = false;
      });
      choose();
    });
    element.addEventListener('click', () => {
      if (!opening && !changed) choose();
      opening = false;
    });
  } else if (isCheckBox(element)) {
    element.addEventListener('click', () => {
      calculator.click(index);
      element.checked = calculator.value(index) === 1;
    });
  } else {
    element.addEventListener('click', () => {
      calculator.click(index);
      // A label's note, such as the points gap, shows on a tap too: a
      // touch screen has no pointer to rest on it.
      if (element.tagName === 'DIV') showHint(element);
    });
    if (element.getAttribute('role') === 'link') {
      element.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' && event.key !== ' ') return;
        event.preventDefault();
        calculator.click(index);
      });
    }
  }
}

// --- The result sheet: copy as text and HTML, print alone ---

function copySheet() {
  const text = calculator.sheetText();
  const html = calculator.sheetHtml('');
  const byCommand = () => {
    const put = (event) => {
      event.clipboardData.setData('text/plain', text);
      event.clipboardData.setData('text/html', html);
      event.preventDefault();
    };
    document.addEventListener('copy', put);
    document.execCommand('copy');
    document.removeEventListener('copy', put);
  };
  if (!navigator.clipboard || typeof ClipboardItem === 'undefined') {
    byCommand();
    return;
  }
  const item = new ClipboardItem({
    'text/plain': new Blob([text], { type: 'text/plain' }),
    'text/html': new Blob([html], { type: 'text/html' }),
  });
  navigator.clipboard.write([item]).catch(byCommand);
}

function fillSheet() {
  if (!calculator) return;
  // The printed page carries the program's icon, the page's own.
  const icon = document.querySelector('link[rel="icon"]').href;
  const page = new DOMParser().parseFromString(calculator.sheetHtml(icon), 'text/html');
  sheet.replaceChildren(...page.body.childNodes);
}

function closeMenu() {
  menu.hidden = true;
}

function openMenu(x, y) {
  menu.hidden = false;
  const width = menu.offsetWidth;
  const height = menu.offsetHeight;
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - width))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - height))}px`;
  menu.querySelector('button').focus();
}

function bindMenu() {
  menu.addEventListener('click', (event) => {
    const action = event.target.closest('button')?.dataset.action;
    if (!action) return;
    closeMenu();
    if (action === 'copy') copySheet();
    else if (action === 'print') window.print();
  });
  // Text boxes keep the browser's own edit menu.
  form.addEventListener('contextmenu', (event) => {
    if (isTextBox(event.target)) return;
    event.preventDefault();
    const box = event.target.getBoundingClientRect();
    // The menu key gives no place: the menu opens by the focused control.
    const x = event.clientX || box.left;
    const y = event.clientY || box.bottom;
    openMenu(x, y);
  });
  // A long press opens it on touch screens, outside the text boxes.
  let press = null;
  const cancelPress = () => {
    if (press) clearTimeout(press.timer);
    press = null;
  };
  form.addEventListener('pointerdown', (event) => {
    cancelPress();
    if (event.pointerType !== 'touch' || isTextBox(event.target)) return;
    const { clientX: x, clientY: y } = event;
    press = { x, y, timer: setTimeout(() => { press = null; openMenu(x, y); }, 500) };
  });
  form.addEventListener('pointermove', (event) => {
    if (press && Math.hypot(event.clientX - press.x, event.clientY - press.y) > 10) cancelPress();
  });
  for (const end of ['pointerup', 'pointercancel']) form.addEventListener(end, cancelPress);
  document.addEventListener('pointerdown', (event) => {
    if (!menu.contains(event.target)) closeMenu();
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') closeMenu();
    // The window's shortcut for copying the sheet; Ctrl+P prints it by the
    // print style sheet.
    if (event.ctrlKey && event.shiftKey && event.code === 'KeyC') {
      event.preventDefault();
      copySheet();
    }
  });
  addEventListener('beforeprint', fillSheet);
  addEventListener('afterprint', () => sheet.replaceChildren());
}

function bindHints() {
  form.addEventListener('focusin', (event) => showHint(event.target));
  form.addEventListener('focusout', () => { hint.hidden = true; });
  document.addEventListener('pointerdown', () => { hint.hidden = true; });
}

// The base64 text of a gzip-compressed part of the page (see build-page.mjs).
async function unpack(id) {
  const binary = atob(document.getElementById(id).textContent);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Response(stream).arrayBuffer();
}

async function start() {
  const [code, wasmBinary] = await Promise.all([unpack('module-code'), unpack('module-wasm')]);
  // The module's script defines VarostelModule; as an inline script it
  // asks the host for nothing.
  const script = document.createElement('script');
  script.textContent = new TextDecoder().decode(code);
  document.head.append(script);
  const module = await window.VarostelModule({ wasmBinary });
  calculator = new module.Calculator(openPage);
  if (pendingYear !== null) calculator.fixYear(pendingYear);
  for (let index = 0; index < module.fieldCount(); ++index) {
    const name = module.fieldName(index);
    const element = document.getElementById(name);
    if (!element) throw new Error(`the page has no control ${name}`);
    fieldIndex.set(name, index);
    elements[index] = element;
  }
  calculator.setObserver(show);
  for (let index = 0; index < elements.length; ++index) {
    for (const what of [TEXT, VALUE, ENABLED, NOTE]) show(index, what);
    bind(elements[index], index);
  }
  form.addEventListener('submit', (event) => event.preventDefault());
  bindMenu();
  bindHints();
  markReady();
}

// The form is painted first, from the page's own HTML; the module starts
// after that frame.
// A browser without WebAssembly or gzip streams keeps the form as painted
// and says it cannot compute; the hook says why.
requestAnimationFrame(() => setTimeout(() => start().catch((error) => {
  document.querySelector('.failure').hidden = false;
  markFailed(error);
})));
