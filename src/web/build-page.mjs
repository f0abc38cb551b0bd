// Builds the web page: one HTML file holding the controls and the menu (from
// the core, through the page-parts helper), the style sheet, the page's
// script, the module and its WebAssembly gzip-compressed, and the pictures as
// data: addresses. The page loads nothing after it is opened.
import { execFileSync } from 'node:child_process';
import { gzipSync } from 'node:zlib';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

function options(argv) {
  const named = {};
  for (let i = 0; i < argv.length; i += 2) {
    if (!argv[i].startsWith('--') || i + 1 >= argv.length) throw new Error(`bad argument ${argv[i]}`);
    named[argv[i].slice(2)] = argv[i + 1];
  }
  for (const name of ['sources', 'images', 'icon', 'parts', 'module', 'wasm', 'qrencode', 'cwebp', 'out']) {
    if (!named[name]) throw new Error(`--${name} is missing`);
  }
  return named;
}

const args = options(process.argv.slice(2));
const source = (name) => readFileSync(join(args.sources, name), 'utf8');
const part = (name) => execFileSync(process.execPath, [args.parts, name], { encoding: 'utf8' });
const dataAddress = (type, bytes) => `data:${type};base64,${Buffer.from(bytes).toString('base64')}`;
const image = (name) => readFileSync(join(args.images, name));

// The QR code drawn from its modules, so it stays sharp at any zoom: the
// same payload, error correction and colour as the window's, and the same
// whole pixels per module in a 128-pixel box with a quiet zone of at least
// four modules (src/ui/qr_code_picture.cpp). The page holds the drawing
// inline, at the control's top left in CSS pixels, unscaled.
function qrCodeDrawing(payload) {
  const svg = execFileSync(args.qrencode,
    ['-t', 'SVG', '--svg-path', '-l', 'M', '-8', '-m', '0', '--foreground=0B2A5B', '-o', '-', payload],
    { encoding: 'utf8' });
  const modules = Number(/viewBox="0 0 (\d+) \d+"/.exec(svg)?.[1]);
  const path = /<path [^>]*\/>/.exec(svg)?.[0];
  if (!modules || !path) throw new Error('qrencode wrote no QR code');
  const box = 128;
  const quiet = 4;
  const scale = Math.floor(box / (modules + 2 * quiet));
  const offset = Math.floor((box - modules * scale) / 2);
  return `<rect width="${box}" height="${box}" fill="#fff"/>` +
    `<g transform="translate(${offset},${offset}) scale(${scale})">${path}</g>`;
}

// The banner's 2x and 3x pictures where the screen has more pixels, as the
// window picks them: media conditions, since a browser may take any
// candidate of one srcset that it holds already, and a data: address it
// always holds. Every byte of the page costs parse time before the first
// frame, so they go as lossless WebP, the same pixels in 40 % fewer bytes; a
// browser without WebP takes the 1x picture.
const webp = (name) => execFileSync(args.cwebp,
  ['-quiet', '-lossless', '-exact', '-z', '9', join(args.images, name), '-o', '-']);
const denser = (media, name, density) => `<source media="${media}" type="image/webp" ` +
  `srcset="${dataAddress('image/webp', webp(name))} ${density}">`;
const pictures = {
  banner: {
    sources: denser('(min-resolution: 2.01dppx)', 'banner@3x.png', '3x') +
      denser('(min-resolution: 1.01dppx)', 'banner@2x.png', '2x'),
    source: dataAddress('image/jpeg', image('banner.jpg')),
  },
};

let controls = part('controls');
const drawing = '{{drawing:qr-code}}';
if (!controls.includes(drawing)) throw new Error(`the controls have no ${drawing}`);
controls = controls.split(drawing).join(qrCodeDrawing(part('qr-payload').trim()));
for (const [name, { sources, source }] of Object.entries(pictures)) {
  controls = controls.split(`{{sources:${name}}}`).join(sources)
    .split(`{{picture:${name}}}`).join(`src="${source}"`);
}
// Every byte of the page is parsed before the form's first frame, so the
// module's script and WebAssembly, which run only after it, travel
// compressed: base64 text that the parser passes over, unpacked by the page.
const packed = (bytes) => gzipSync(bytes, { level: 9 }).toString('base64');
// Nothing in a script may end the element that holds it.
const script = source('page.js').split('</script').join('<\\/script');
const parts = {
  style: source('page.css'),
  controls,
  menu: part('menu'),
  // Also spares the browser asking the host for /favicon.ico.
  icon: dataAddress('image/png', readFileSync(args.icon)),
  'module-code': packed(readFileSync(args.module)),
  'module-wasm': packed(readFileSync(args.wasm)),
  script,
};
let page = source('page.html');
for (const [name, text] of Object.entries(parts)) {
  const mark = `{{${name}}}`;
  if (!page.includes(mark)) throw new Error(`page.html has no ${mark}`);
  page = page.split(mark).join(text);
}
mkdirSync(dirname(args.out), { recursive: true });
writeFileSync(args.out, page);
