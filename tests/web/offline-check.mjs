// Nothing leaves the machine: plays a whole entry on the web page — every
// list through every item, typed numbers, a pasted identity number and its
// reading, the fill buttons, the result sheet's copy — and fails if the
// browser's log of the page shows a request for anything but the page's own
// file. Inline data (data: and blob: addresses) stays in the browser.
//
//   node offline-check.mjs PAGE
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchBrowser, openPage, steps } from './scenario-driver.mjs';

if (process.argv.length !== 3) {
  process.stderr.write('usage: node offline-check.mjs PAGE\n');
  process.exit(2);
}
const pageUrl = pathToFileURL(resolve(process.argv[2])).href;
const requests = [];
const browser = await launchBrowser();
try {
  const open = await openPage(browser, pageUrl, { onRequest: (r) => requests.push(r.url()) });
  const { page } = open;

  const lists = await page.$$eval('select', (all) =>
    all.map((s) => ({ name: s.id, items: [...s.options].map((o) => o.text) })));
  const boxes = await page.$$eval('input[type=text]', (all) => all.map((b) => b.id));
  for (const { name, items } of lists) {
    for (const item of [...items].reverse()) await steps.choose(open, { name, item });
  }
  for (const name of boxes.filter((b) => b !== 'ID')) {
    for (const character of '36') await steps.type(open, { name, character });
  }
  await steps.paste(open, { name: 'ID', text: '110101197812310028' });
  await steps.click(open, { name: '身份证解读' });
  const sex = await steps.read(open, { name: '性别' });
  for (const name of ['统一月', '统一年']) await steps.click(open, { name });
  // The result sheet's copy, from the menu a right click opens on the form,
  // onto a clipboard emptied of the pasted number.
  await page.evaluate(() => navigator.clipboard.writeText(''));
  const total = await page.locator('[id="合计得分"]').boundingBox();
  await page.mouse.click(total.x + total.width / 2, total.y + total.height / 2, { button: 'right' });
  await page.locator('[data-action="copy"]').click();
  // Anything the entry set off has time to ask for its file.
  await page.waitForTimeout(500);

  // An entry that did not reach the calculator would prove nothing.
  const months = await steps.read(open, { name: '养老月数' });
  const sheet = await page.evaluate(() => navigator.clipboard.readText());
  if (lists.length === 0 || boxes.length === 0 || sex === '' || months === '0' ||
      !sheet.includes('110101197812310028')) {
    throw new Error(`the entry did not take: ${lists.length} lists, ${boxes.length} boxes, ` +
      `sex "${sex}", pension months "${months}", a sheet of ${sheet.length} characters`);
  }
  const strays = requests.filter((url) => url !== pageUrl && !/^(data|blob):/.test(url));
  if (strays.length > 0) {
    console.error(`the page asked for ${strays.length} file(s) beyond itself:`);
    for (const url of strays) console.error(`  ${url.slice(0, 200)}`);
    process.exitCode = 1;
  } else {
    console.log(`a whole entry made ${requests.length} request(s), all for the page itself`);
  }
} catch (error) {
  console.error(`offline-check: ${error.message.split('\n')[0]}`);
  process.exitCode = 1;
} finally {
  await browser.close();
}
