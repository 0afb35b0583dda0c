// Plays the browser build in headless Chromium (see scripts/check-web).
// Usage: node check-web.mjs BASE_URL OUTDIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [base, out] = process.argv.slice(2);
const address = `${base}index.html?arg=--seed&arg=7`;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const log = [];
let step = 0;

function fail(message) {
  console.error(`FAILED: ${message}`);
  if (log.length) console.error(`The page said:\n${log.slice(-40).join('\n')}`);
  process.exitCode = 1;
  throw new Error(message);
}

const executablePath = ['/usr/lib/chromium/chromium', '/usr/bin/chromium'].find((p) => fs.existsSync(p));
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tessarion-chromium-'));
const browser = await puppeteer.launch({
  executablePath,
  headless: true,
  userDataDir: profile,
  protocolTimeout: 120000,
  // As root Chromium needs --no-sandbox; the background-networking flags keep it from calling
  // out of a machine without a network.
  args: ['--no-sandbox', '--disable-dev-shm-usage', '--enable-unsafe-swiftshader',
         '--autoplay-policy=no-user-gesture-required', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--window-size=1280,800'],
  defaultViewport: { width: 1280, height: 800 },
});

const page = await browser.newPage();
page.on('console', (m) => log.push(`[${m.type()}] ${m.text()}`));
page.on('pageerror', (e) => log.push(`[pageerror] ${e.message}`));
page.setDefaultTimeout(120000);

async function shot(name) {
  step += 1;
  await page.screenshot({ path: `${out}/${String(step).padStart(2, '0')}-${name}.png` });
}

// Loads the page and waits until the game runs (the loading card goes away).
async function open(what) {
  const t0 = Date.now();
  await page.goto(address, { waitUntil: 'load' });
  try {
    await page.waitForFunction(() => document.getElementById('loading').hidden, { timeout: 180000 });
  } catch (e) {
    await shot(`${what}-not-started`);
    fail(`${what}: the game did not start within 180 s`);
  }
  console.log(`${what}: the game started after ${((Date.now() - t0) / 1000).toFixed(1)} s`);
  await sleep(4000);
}

const click = async (x, y, button = 'left', wait = 1500) => {
  await page.mouse.click(x, y, { button });
  await sleep(wait);
};
const key = async (name, wait = 1000) => { await page.keyboard.press(name); await sleep(wait); };
const drag = async (x0, y0, x1, y1) => {
  await page.mouse.move(x0, y0);
  await page.mouse.down();
  await sleep(300);
  await page.mouse.move(x1, y1, { steps: 10 });
  await sleep(300);
  await page.mouse.up();
  await sleep(2500);
};
const saves = () => page.evaluate(() => FS.readdir('/saves').filter((n) => n.endsWith('.TSN')).sort());
const readSave = (name) => page.evaluate((n) => new TextDecoder().decode(FS.readFile(`/saves/${n}`)), name);

// File > Save (or Load) through the game's own file box, with a typed name.
async function fileBox(item, name) {
  await click(...layout.fileMenu);
  await click(...layout[item]);
  await shot(`${item}-box`);
  if (name) {
    await page.keyboard.type(name, { delay: 50 });
    await sleep(500);
  }
  await key('Enter', 2500);
}

async function waitFor(what, predicate, seconds) {
  for (let i = 0; i < seconds * 2; i += 1) {
    if (await predicate()) return;
    await sleep(500);
  }
  await shot(`${what.replace(/\W+/g, '-')}`);
  fail(`${what} (waited ${seconds} s)`);
}

// Where things are on the 1280 x 800 page (the game fills it).
const layout = {
  introClose: [0, 0],
  welcomeOk: [0, 0],
  legionFrom: [0, 0],
  legionTo: [0, 0],
  fileMenu: [0, 0],
  save: [0, 0],
  load: [0, 0],
  exit: [0, 0],
};

try {
  await open('first visit');
  await shot('intro');
  // The progress bar reached its end before the card went away.
  const filled = await page.evaluate(() => document.getElementById('fill').style.width);
  if (filled !== '100%') fail(`the progress bar stopped at ${filled}`);
  const size = await page.evaluate(() => [canvas.width, canvas.height]);
  if (size[0] !== 1280 || size[1] !== 800) fail(`the game does not fill the page: canvas ${size}`);

  process.exitCode = 0;
} catch (e) {
  if (!process.exitCode) {
    console.error(`FAILED: ${e.message}`);
    process.exitCode = 1;
  }
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
