// The browser side of `varostel-scenarios --web`: plays scenario steps on the
// web page in headless Chromium through real input events. It reads one JSON
// request a line on standard input and answers each with one JSON line on
// standard output, {"ok":true,"value":...} or {"ok":false,"error":"..."}.
//
//   node scenario-driver.mjs PAGE
//
// The first line it writes says whether the browser started and PAGE became
// ready; after that, every request is answered in order.
import { createInterface } from 'node:readline';
import { existsSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const kBrowser = process.env.VAROSTEL_CHROMIUM || '/usr/bin/chromium';
// Without the background-networking flags Chromium keeps dialling out, and a
// closed network refuses it loudly; the page itself needs nothing of it.
const kBrowserFlags = ['--no-sandbox', '--disable-gpu', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-quic'];
const kReadyTimeoutMs = 30000;
const kStepTimeoutMs = 10000;

// Control characters (C0, DEL, C1) and characters a US keyboard has no key
// for go as bare character events, as a window system delivers them from an
// input method; printable ASCII goes as a key press.
const isKeyboardCharacter = (c) => c.length === 1 && c >= ' ' && c <= '~';

// Launches the one browser of a run; each scenario then gets a fresh page.
export async function launchBrowser(extraFlags = []) {
  // Playwright gives every launch a fresh, temporary profile directory.
  return chromium.launch({
    executablePath: kBrowser, headless: true, args: [...kBrowserFlags, ...extraFlags],
  });
}

// Opens the page in a fresh context that lets no request through but the
// page's own file and closes every popup the page opens, so a link never
// loads. Resolves once the page's test hook says it is ready.
export async function openPage(browser, pageUrl, { onRequest } = {}) {
  const context = await browser.newContext();
  context.setDefaultTimeout(kStepTimeoutMs);
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await context.route('**/*', (route) =>
    route.request().url() === pageUrl ? route.continue() : route.abort());
  const page = await context.newPage();
  page.on('popup', (popup) => popup.close().catch(() => {}));
  const thrown = [];
  page.on('pageerror', (error) => thrown.push(error.message.split('\n')[0]));
  if (onRequest) page.on('request', onRequest);
  await page.goto(pageUrl);
  await withTimeout(page.evaluate(async () => {
    if (!window.varostelTest) throw new Error('the page has no window.varostelTest');
    await window.varostelTest.ready;
  }), kReadyTimeoutMs, 'the page did not become ready');
  const cdp = await context.newCDPSession(page);
  return { context, page, cdp, thrown };
}

function withTimeout(promise, ms, message) {
  let timer;
  const expiry = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${message} within ${ms / 1000} s`)), ms);
  });
  return Promise.race([promise, expiry]).finally(() => clearTimeout(timer));
}

// Runs `fn(element, argument)` in the page on the control's element, in one
// round trip. A function cannot travel as an argument, so the call goes in
// as source text: DevTools compiles it, which the page's content policy,
// unlike a Function built inside the page, cannot refuse.
async function onControl(page, name, fn, argument = null) {
  const result = await page.evaluate(`(() => {
    const el = document.getElementById(${JSON.stringify(name)});
    return el ? { value: (${fn})(el, ${JSON.stringify(argument)}) } : null;
  })()`);
  if (!result) throw new Error(`the page has no element with id "${name}"`);
  return result.value;
}

// Focuses a text box with the caret at its end or its text selected. Focus
// leaves whatever held it first, so that keys meant for a disabled box,
// which takes no focus, reach nothing rather than the box before it.
function focusAt(el, where) {
  document.activeElement?.blur();
  el.focus();
  if (where === 'all') el.select();
  else el.setSelectionRange(el.value.length, el.value.length);
}

// Steps by name; each takes the open page and the request, and returns the
// reply's value.
export const steps = {
  async setYear({ page }, { year }) {
    await page.evaluate((y) => window.varostelTest.setYear(y), year);
  },

  async set({ page }, { name, text }) {
    return page.evaluate(([n, t]) => window.varostelTest.set(n, t), [name, text]);
  },

  async type({ page, cdp }, { name, character }) {
    await onControl(page, name, focusAt, 'end');
    if (character === '\b') {
      await page.keyboard.press('Backspace');
    } else if (isKeyboardCharacter(character)) {
      await page.keyboard.press(character);
    } else {
      await cdp.send('Input.dispatchKeyEvent', { type: 'char', text: character });
    }
  },

  // Through the system clipboard: the page sees a real paste event with
  // the text as it is.
  async paste({ page }, { name, text }) {
    await page.evaluate((t) => navigator.clipboard.writeText(t), text);
    await onControl(page, name, focusAt, 'all');
    await page.keyboard.press('Control+V');
  },

  // By keyboard, as the window's driver picks from the opened list: open
  // the list's popup, go to its first item and down to the wanted one,
  // press Enter. The page sees one choice, as from a mouse. A disabled list
  // is left alone.
  async choose({ page }, { name, item }) {
    const { disabled, target } = await onControl(page, name, (el, wanted) => ({
      disabled: el.disabled,
      target: [...el.options].findIndex((o) => o.text === wanted),
    }), item);
    if (disabled) return;
    if (target < 0) throw new Error(`"${item}" is not an option of ${name}`);
    const isOpen = (open) => page.waitForFunction(([id, want]) =>
      document.getElementById(id).matches(':open') === want, [name, open]).catch(() => {
      throw new Error(`the list ${name} did not ${open ? 'open' : 'close'}`);
    });
    // A page the calculator opened took the window's activation with it, and
    // an inactive window opens no list.
    await page.bringToFront();
    await onControl(page, name, (el) => el.focus());
    await page.keyboard.press('Alt+ArrowDown');
    await isOpen(true);
    await page.keyboard.press('Home');
    for (let i = 0; i < target; ++i) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await isOpen(false);
  },

  async click({ page }, { name }) {
    const box = await onControl(page, name, (el) => {
      el.scrollIntoView({ block: 'center', inline: 'center' });
      const { x, y, width, height } = el.getBoundingClientRect();
      return width > 0 && height > 0 ? { x: x + width / 2, y: y + height / 2 } : null;
    });
    if (!box) throw new Error(`${name} is not drawn, so it cannot be clicked`);
    await page.mouse.click(box.x, box.y);
  },

  async read({ page }, { name }) {
    return onControl(page, name, (el) => {
      if (el instanceof HTMLSelectElement) {
        return el.selectedIndex < 0 ? '' : el.options[el.selectedIndex].text;
      }
      if (el instanceof HTMLInputElement) {
        return el.type === 'checkbox' ? (el.checked ? '1' : '0') : el.value;
      }
      return el.textContent;
    });
  },

  async enabled({ page }, { name }) {
    return onControl(page, name, (el) => ('disabled' in el
      ? !el.disabled : el.getAttribute('aria-disabled') !== 'true'));
  },

  // The note as the accessible description; the tooltip (but the verdict's,
  // which keeps its own) must say the same, and a text box is outlined
  // exactly while it has one. A disagreement is returned in place of the
  // note, so the expectation fails and says why.
  async note({ page }, { name }) {
    return onControl(page, name, (el, verdict) => {
      const note = el.getAttribute('aria-description') ?? '';
      const tooltip = el.getAttribute('title') ?? '';
      if (el.id !== verdict && tooltip !== note) {
        return `description "${note}" but tooltip "${tooltip}"`;
      }
      const outlined = el.classList.contains('has-note');
      if (el instanceof HTMLInputElement && el.type === 'text' && outlined !== (note !== '')) {
        return `description "${note}" but ${outlined ? 'outlined' : 'not outlined'}`;
      }
      return note;
    }, '评分结果');
  },

  async openings({ page }) {
    return page.evaluate(() => window.varostelTest.openings());
  },
};

async function serve(pagePath) {
  const reply = (message) => process.stdout.write(`${JSON.stringify(message)}\n`);
  const absolute = resolve(pagePath);
  if (!existsSync(absolute)) {
    reply({ ok: false, error: `no page at ${absolute} (build it with scripts/web)` });
    return;
  }
  const pageUrl = pathToFileURL(absolute).href;
  let browser;
  let open;
  try {
    browser = await launchBrowser();
    // One load up front, so that a page that never becomes ready stops the
    // run before any scenario instead of failing each of them.
    open = await openPage(browser, pageUrl);
  } catch (error) {
    reply({ ok: false, error: `${pageUrl}: ${error.message.split('\n')[0]}` });
    await browser?.close();
    return;
  }
  reply({ ok: true, value: browser.version() });

  // The page loaded up front serves the first scenario.
  let untouched = true;
  for await (const line of createInterface({ input: process.stdin })) {
    let request;
    try {
      request = JSON.parse(line);
      if (request.step === 'load') {
        if (!untouched) {
          await open.context.close();
          open = await openPage(browser, pageUrl);
        }
        untouched = false;
        reply({ ok: true, value: null });
      } else if (Object.hasOwn(steps, request.step)) {
        const value = (await steps[request.step](open, request)) ?? null;
        // An uncaught exception in the page fails the step that set it off.
        if (open.thrown.length > 0) throw new Error(`the page threw: ${open.thrown.splice(0).join('; ')}`);
        reply({ ok: true, value });
      } else {
        reply({ ok: false, error: `unknown request ${JSON.stringify(request.step)}` });
      }
    } catch (error) {
      reply({ ok: false, error: `${request?.step ?? 'request'}: ${error.message.split('\n')[0]}` });
    }
  }
  await browser.close();
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  if (process.argv.length !== 3) {
    process.stderr.write('usage: node scenario-driver.mjs PAGE\n');
    process.exit(2);
  }
  await serve(process.argv[2]);
}
