// A browser that cannot run the calculator (here: one without gzip
// streams) keeps the painted form and tells the user so, instead of a form
// that silently computes nothing; with them, the notice stays hidden.
//
//   node failure-check.mjs PAGE
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchBrowser } from './scenario-driver.mjs';

if (process.argv.length !== 3) {
  process.stderr.write('usage: node failure-check.mjs PAGE\n');
  process.exit(2);
}
const pageUrl = pathToFileURL(resolve(process.argv[2])).href;

// Whether the notice shows, and how the page's readiness ends.
async function outcome(browser, withoutGzipStreams) {
  const context = await browser.newContext();
  try {
    if (withoutGzipStreams) await context.addInitScript(() => { delete window.DecompressionStream; });
    const page = await context.newPage();
    await page.goto(pageUrl);
    const ready = await page.evaluate(() =>
      window.varostelTest.ready.then(() => 'ready', (error) => `failed: ${error.message}`));
    const notice = await page.locator('.failure').isVisible();
    return { ready, notice };
  } finally {
    await context.close();
  }
}

const browser = await launchBrowser();
try {
  const broken = await outcome(browser, true);
  const working = await outcome(browser, false);
  if (!broken.ready.startsWith('failed') || !broken.notice || working.ready !== 'ready' || working.notice) {
    console.error(`failure-check: without gzip streams ${JSON.stringify(broken)}, ` +
      `with them ${JSON.stringify(working)}`);
    process.exitCode = 1;
  } else {
    console.log(`without gzip streams the page says it cannot compute (${broken.ready})`);
  }
} finally {
  await browser.close();
}
