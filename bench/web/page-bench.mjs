// The web page's speed in headless Chromium, both pages from file://:
//   - first paint: navigation start to the end of the first frame with
//     every control drawn, against a bare page with one CJK label, medians
//     of alternating runs, each in a fresh context; the aim is a ratio of
//     1.5 at most; also the browser's first contentful paint of both;
//   - the floor: the same for the page without its calculator (its markup
//     and style up to the embedded module), which shows what drawing the
//     form alone costs;
//   - a keystroke: a digit key's press in a months box to the end of the
//     frame that shows it, the median of five pages' medians; the aim is
//     under 4 ms. The same in a bare text box shows the browser's own share.
// Frames are not held to the display's rate, so a measurement is not
// rounded up to the next vertical blank (though a page now and then is).
//
//   node page-bench.mjs PAGE [RUNS] [KEYS]
import { fileURLToPath, pathToFileURL } from 'node:url';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { launchBrowser } from '../../tests/web/scenario-driver.mjs';

const [pagePath, runs = '20', keys = '200'] = process.argv.slice(2);
if (!pagePath) {
  process.stderr.write('usage: node page-bench.mjs PAGE [RUNS] [KEYS]\n');
  process.exit(2);
}
const pageUrl = pathToFileURL(resolve(pagePath)).href;
const bareUrl = pathToFileURL(fileURLToPath(new URL('bare.html', import.meta.url))).href;
const pageText = readFileSync(pagePath, 'utf8');
const payload = pageText.indexOf('<script type="application/gzip"');
if (payload < 0) {
  process.stderr.write(`${pagePath} holds no embedded module to leave out for the floor\n`);
  process.exit(2);
}
const floorDir = mkdtempSync(join(tmpdir(), 'page-bench-'));
const floorPath = join(floorDir, 'floor.html');
writeFileSync(floorPath, `${pageText.slice(0, payload)}</body>\n</html>\n`);
const floorUrl = pathToFileURL(floorPath).href;

// In every document before its own scripts: the first frame after the
// document is parsed — the page's markup holds every control with its start
// text, so that frame draws them all — timed at its animation callback with
// its style and layout forced, as a task posted from there could wait
// behind the page's own; and, on the web page, when its calculator is
// running (varostelTest.ready).
const firstFrame = () => {
  window.benchFirstFrame = new Promise((done) => {
    document.addEventListener('DOMContentLoaded', () => {
      requestAnimationFrame(async () => {
        document.body.getBoundingClientRect();
        const frame = performance.now();
        if (window.varostelTest) await window.varostelTest.ready;
        done({ frame, ready: performance.now() });
      });
    });
  });
};

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function firstPaint(browser, url) {
  const context = await browser.newContext();
  try {
    await context.route('**/*', (route) =>
      (route.request().url() === url ? route.continue() : route.abort()));
    await context.addInitScript(firstFrame);
    const page = await context.newPage();
    await page.goto(url);
    const run = await page.evaluate(() => window.benchFirstFrame);
    // The browser's own first contentful paint, when the frame reached the
    // screen: raster included, in steps of a few milliseconds.
    run.contentful = await page.evaluate(() => new Promise((done) => {
      new PerformanceObserver((list) => {
        const entry = list.getEntriesByName('first-contentful-paint')[0];
        if (entry) done(entry.startTime);
      }).observe({ type: 'paint', buffered: true });
    }));
    return run;
  } finally {
    await context.close();
  }
}

// Presses a digit, then Backspace, `count` times in the box, on a page that
// `load` opens; returns each digit's time from the key's event to the end
// of the frame that shows it.
async function keystrokes(browser, count, load) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await load(page);
  await page.evaluate(() => {
    window.benchKeys = [];
    const box = document.getElementById('养老月数');
    box.focus();
    box.setSelectionRange(box.value.length, box.value.length);
    window.addEventListener('keydown', (event) => {
      const start = event.timeStamp;
      requestAnimationFrame(() => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () =>
          window.benchKeys.push({ ms: performance.now() - start, text: box.value });
        channel.port2.postMessage(null);
      });
    }, true);
  });
  const times = [];
  for (let i = 0; i < count; ++i) {
    for (const key of ['7', 'Backspace']) {
      const before = await page.evaluate(() => window.benchKeys.length);
      await page.keyboard.press(key);
      await page.waitForFunction((n) => window.benchKeys.length > n, before, { polling: 'raf' });
      const { ms, text } = await page.evaluate(() => window.benchKeys.at(-1));
      if (key === '7') {
        if (!text.endsWith('7')) throw new Error(`the frame after the key shows "${text}"`);
        times.push(ms);
      }
    }
  }
  await context.close();
  return times;
}

// Pages' key times: the median of the pages' medians, each page's median
// and the slowest key.
const summary = (pages) => {
  const medians = pages.map(median);
  return `median ${median(medians).toFixed(2)} ms (pages ${medians.map((m) => m.toFixed(1)).join(', ')}), ` +
    `slowest ${Math.max(...pages.flat()).toFixed(2)} ms`;
};

const browser = await launchBrowser(['--disable-gpu-vsync', '--disable-frame-rate-limit']);
try {
  const bare = [];
  const web = [];
  const floor = [];
  for (let i = 0; i < Number(runs); ++i) {
    bare.push(await firstPaint(browser, bareUrl));
    web.push(await firstPaint(browser, pageUrl));
    floor.push(await firstPaint(browser, floorUrl));
  }
  const b = median(bare.map((run) => run.frame));
  const p = median(web.map((run) => run.frame));
  const f = median(floor.map((run) => run.frame));
  console.log(`first paint, ${runs} runs each: bare page ${b.toFixed(1)} ms, ` +
    `web page ${p.toFixed(1)} ms, ratio ${(p / b).toFixed(2)} (aim: 1.5 at most); ` +
    `the calculator running at ${median(web.map((run) => run.ready)).toFixed(1)} ms; ` +
    `floor ${f.toFixed(1)} ms, ratio ${(f / b).toFixed(2)}`);
  const bc = median(bare.map((run) => run.contentful));
  const pc = median(web.map((run) => run.contentful));
  const fc = median(floor.map((run) => run.contentful));
  console.log(`first contentful paint: bare page ${bc.toFixed(1)} ms, web page ${pc.toFixed(1)} ms, ` +
    `ratio ${(pc / bc).toFixed(2)}; floor ${fc.toFixed(1)} ms, ratio ${(fc / bc).toFixed(2)}`);
  // Keys in five fresh pages of each kind, taking turns: now and then a page
  // gets its frames at the display's rate (some 15 ms a key, the bare box's
  // as well as the page's), so each kind counts the median of its pages'
  // medians.
  const rounds = 5;
  const onPage = [];
  const onBareBox = [];
  for (let round = 0; round < rounds; ++round) {
    onPage.push(await keystrokes(browser, Math.ceil(Number(keys) / rounds), async (p) => {
      await p.goto(pageUrl);
      await p.evaluate(() => window.varostelTest.ready);
    }));
    // The browser's own share: the same keys in a bare text box.
    onBareBox.push(await keystrokes(browser, Math.ceil(Number(keys) / rounds),
      (p) => p.setContent('<input type="text" id="养老月数" value="0">')));
  }
  console.log(`keystroke to repaint, ${keys} keys in ${rounds} pages: web page ${summary(onPage)} ` +
    `(aim: under 4 ms); a bare text box ${summary(onBareBox)}`);
} finally {
  await browser.close();
  rmSync(floorDir, { recursive: true, force: true });
}
