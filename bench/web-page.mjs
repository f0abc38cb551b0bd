// Times the calculator page in headless Chromium over the DevTools pipe:
// its first contentful paint against a bare page with one CJK label, and a
// keystroke's chain in a number box, from the key's event to the redrawn
// form (handlers, the core, the DOM writes, style and layout).
//   node bench/web-page.mjs build/web/index.html [runs] [paint]
// With "paint" only the first paint is timed, for any page.
import { spawn } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

const page = resolve(process.argv[2] ?? 'build/web/index.html');
const runs = Number(process.argv[3] ?? 5);
const paintOnly = process.argv[4] === 'paint';
const scratch = mkdtempSync(join(tmpdir(), 'varostel-web-bench-'));
const bare = join(scratch, 'bare.html');
writeFileSync(bare, '<!DOCTYPE html><html lang="zh-CN"><head><meta charset="utf-8"><title>bare</title>' +
  '</head><body><div style="font-family: \'AR PL UMing CN\', serif">学历</div></body></html>');

const bareBox = join(scratch, 'bare-box.html');
writeFileSync(bareBox, '<!DOCTYPE html><html lang="zh-CN"><head><meta charset="utf-8"><title>bare</title>' +
  '</head><body><input type="text" id="养老月数" value="0"></body></html>');

const browser = spawn('chromium', ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  `--user-data-dir=${join(scratch, 'profile')}`, '--remote-debugging-pipe', 'about:blank'],
  { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
const [, , , toBrowser, fromBrowser] = browser.stdio;
let nextId = 1;
const waiting = new Map();
const events = [];
let buffered = '';
fromBrowser.on('data', (chunk) => {
  buffered += chunk.toString('utf8');
  let end;
  while ((end = buffered.indexOf('\0')) >= 0) {
    const message = JSON.parse(buffered.slice(0, end));
    buffered = buffered.slice(end + 1);
    if (message.id && waiting.has(message.id)) {
      waiting.get(message.id)(message);
      waiting.delete(message.id);
    } else if (message.method) {
      events.push(message);
    }
  }
});
function send(method, params = {}, sessionId) {
  const id = nextId++;
  toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((done, fail) => waiting.set(id, (message) => (message.error
    ? fail(new Error(`${method}: ${message.error.message}`)) : done(message.result))));
}
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

async function evaluate(sessionId, expression) {
  const { result, exceptionDetails } = await send('Runtime.evaluate',
    { expression, awaitPromise: true, returnByValue: true }, sessionId);
  if (exceptionDetails) throw new Error(exceptionDetails.exception?.description ?? 'evaluation failed');
  return result.value;
}

async function firstPaint(file) {
  const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
  const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
  await send('Page.enable', {}, sessionId);
  await send('Page.navigate', { url: `file://${file}` }, sessionId);
  let paint;
  for (let i = 0; i < 100 && paint === undefined; ++i) {
    await sleep(50);
    paint = await evaluate(sessionId, `performance.getEntriesByName('first-contentful-paint')[0]?.startTime`);
  }
  return { paint, sessionId, targetId };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

try {
  const paints = { bare: [], page: [] };
  for (let run = 0; run < runs; ++run) {
    for (const [name, file] of [['bare', bare], ['page', page]]) {
      const { paint, targetId } = await firstPaint(file);
      paints[name].push(paint);
      await send('Target.closeTarget', { targetId });
    }
  }
  const chains = paintOnly ? {}
    : { bare: await keystrokes(bareBox, false), page: await keystrokes(page, true) };
  const fcp = { bare: median(paints.bare), page: median(paints.page) };
  console.log(`first contentful paint, median of ${runs}: bare ${fcp.bare.toFixed(1)} ms, ` +
    `page ${fcp.page.toFixed(1)} ms, ratio ${(fcp.page / fcp.bare).toFixed(2)}`);
  for (const [name, times] of Object.entries(chains)) {
    console.log(`keystroke chain, ${name}, ${times.length} keys: median ${median(times).toFixed(2)} ms, ` +
      `max ${Math.max(...times).toFixed(2)} ms`);
  }
} finally {
  browser.kill();
}

// The time from each key's event to the end of the input event's handlers
// with the form laid out again; on the bare page, a lone text box.
async function keystrokes(file, calculator) {
  const { sessionId, targetId } = await firstPaint(file);
  if (calculator) await evaluate(sessionId, 'varostelTest.ready');
  await evaluate(sessionId, `(() => {
    const box = document.getElementById('养老月数');
    box.addEventListener('keydown', (event) => { window.keyAt = event.timeStamp; }, true);
    window.chains = [];
    box.addEventListener('input', () => {
      document.body.getBoundingClientRect();
      chains.push(performance.now() - keyAt);
    });
    box.focus();
    box.select();
  })()`, sessionId);
  for (let i = 0; i < 60; ++i) {
    const digit = String(i % 10);
    if (i % 3 === 0) await evaluate(sessionId, `document.getElementById('养老月数').select()`);
    await send('Input.dispatchKeyEvent', { type: 'keyDown', text: digit, key: digit,
      code: `Digit${digit}`, windowsVirtualKeyCode: 48 + i % 10 }, sessionId);
    await send('Input.dispatchKeyEvent', { type: 'keyUp', key: digit, code: `Digit${digit}`,
      windowsVirtualKeyCode: 48 + i % 10 }, sessionId);
  }
  const times = await evaluate(sessionId, 'chains');
  await send('Target.closeTarget', { targetId });
  return times;
}
