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
  // A touch screen as well as a mouse and keyboard: the game is played by touch alone once.
  defaultViewport: { width: 1280, height: 800, hasTouch: true },
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
  await sleep(8000);
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

// The menus by keyboard: Alt+F, then DOWN presses and Enter (or a letter).
async function menuFile(downs, letter) {
  await page.keyboard.down('Alt');
  await page.keyboard.press('KeyF');
  await page.keyboard.up('Alt');
  await sleep(800);
  if (letter) {
    await key(letter, 1500);
    return;
  }
  for (let i = 0; i < downs; i += 1) await key('ArrowDown', 400);
  await key('Enter', 2000);
}

// File > Save with a typed name in the game's own file box; the alert that follows is closed.
async function saveAs(name) {
  await menuFile(1);
  await page.keyboard.type(name, { delay: 60 });
  await sleep(500);
  await key('Enter', 2500);
  await shot(`saved-${name}`);
  await key('Enter', 1500);
}

// File > Load of the first saved game in the list.
async function loadFirst() {
  await menuFile(2);
  await key('ArrowDown', 500);
  await key('Enter', 3000);
  await shot('loaded');
}

// Closes the intro and the welcome: no hints, then the Prefect's good luck. The intro may
// miss the very first key of the page, so it gets Escape twice: a second one is harmless, as
// Escape never answers the welcome's question.
// Through the boxes of a start by keys, each given time: a kept game offered
// (Escape: No), the intro (Escape), the welcome (No to the hints) and the good
// luck. A key that finds no box left, with nothing framed on the map, does
// nothing.
async function begin() {
  await key('Escape', 2000);
  await key('Escape', 2000);
  await shot('welcome');
  await key('ArrowRight', 500);
  await key('Enter', 1500);
  await key('Enter', 1500);
}

async function waitFor(what, predicate, seconds) {
  for (let i = 0; i < seconds * 2; i += 1) {
    if (await predicate()) return;
    await sleep(500);
  }
  await shot(`${what.replace(/\W+/g, '-')}`);
  fail(`${what} (waited ${seconds} s)`);
}

// The game's frame is shown whole in the canvas, centred (letterboxed): a point of the frame
// (the menu bar's strip on top, then the 1366-wide layout) on the page. The game draws its
// frame at the canvas's own pixels, as it does a desktop window's: the scale fits the 1366 x
// 692 look (exactly 1 within 2 %), wider than 16:9 widens the layout, and a taller canvas
// gives the client area more rows, up to 768.
async function frameSize() {
  const [w, h] = await page.evaluate(() => [canvas.width, canvas.height]);
  let scale = Math.min(w / 1366, h / 692);
  if (Math.abs(scale - 1) <= 0.02) scale = 1;
  scale = Math.min(3, Math.max(0.7, scale));
  return [Math.max(1366, Math.floor(w / scale + 1e-6)),
    Math.min(788, Math.max(692, Math.floor(h / scale + 1e-6)))];
}
async function framePoint(fx, fy) {
  const [left, top, width, height] = await page.evaluate(() => {
    const b = canvas.getBoundingClientRect();
    return [b.left, b.top, b.width, b.height];
  });
  const [fw, fh] = await frameSize();
  const scale = Math.min(width / fw, height / fh);
  return [left + (width - fw * scale) / 2 + fx * scale, top + (height - fh * scale) / 2 + fy * scale];
}

// The colour the canvas shows at a frame point, red, green and blue.
async function colourAt(fx, fy) {
  const [x, y] = await framePoint(fx, fy);
  return page.evaluate((cx, cy) => {
    const b = canvas.getBoundingClientRect();
    const px = Math.floor(((cx - b.left) * canvas.width) / b.width);
    const py = Math.floor(((cy - b.top) * canvas.height) / b.height);
    return Array.from(canvas.getContext('2d').getImageData(px, py, 1, 1).data.slice(0, 3));
  }, x, y);
}

const tap = async (fx, fy, wait = 1500) => {
  const [x, y] = await framePoint(fx, fy);
  await page.touchscreen.tap(x, y);
  await sleep(wait);
};
const longPress = async (fx, fy, wait = 1500) => {
  const [x, y] = await framePoint(fx, fy);
  await page.touchscreen.touchStart(x, y);
  await sleep(1200);
  await page.touchscreen.touchEnd();
  await sleep(wait);
};
const swipe = async (x0, y0, x1, y1) => {
  await page.touchscreen.touchStart(x0, y0);
  await sleep(200);
  for (let i = 1; i <= 10; i += 1) {
    await page.touchscreen.touchMove(x0 + ((x1 - x0) * i) / 10, y0 + ((y1 - y0) * i) / 10);
    await sleep(30);
  }
  await sleep(200);
  await page.touchscreen.touchEnd();
  await sleep(2500);
};

// Where the boxes' buttons stand on a 1366 x 788 frame (the boxes open at the same place
// whatever they say, centred on the client area, so a lower frame moves them up by half the
// difference): the Prefect's OK, Yes and No, the close box of a lesson, and the End turn
// button under the map.
const inBox = async (fx, fy) => [fx, fy + Math.floor(((await frameSize())[1] - 20) / 2) - 384];
const tapBox = async (point, wait) => tap(...(await inBox(...point)), wait);
const ui = {
  ok: [707, 403], yes: [473, 388], no: [868, 392],
  lessonClose: [975, 216],
  endTurn: [676, 658],
  // Options > Scenarios > Valerian (260 AD), which asks before it discards the game.
  optionsMenu: [76, 10], scenarios: [102, 132], valerian: [261, 132],
  // A point of the boxes' caption band, right of its words.
  caption: [850, 214],
  // The sea between Italia and Africa, where no legion stands.
  sea: [560, 420],
};

// A turn by touch alone: the intro closed on its close box, No to the hints, the good luck
// closed with OK, a legion dragged by a finger (saved: the same game as the mouse's drag),
// the turn ended by the End turn button, the lesson that follows closed, a scenario refused
// with No, and a second turn ended by a long press on the map.
async function playByTouch(expected) {
  // The game kept at the last year's end is offered first: No, a new game.
  if ((await saves()).includes('autosave.TSN')) {
    await shot('touch-continue');
    await tapBox(ui.no, 2000);
  }
  await tapBox(ui.lessonClose, 2000);
  await tapBox(ui.lessonClose, 2000);  // as for the keys: the first may come too early
  await shot('touch-welcome');
  await tapBox(ui.no);
  await tapBox(ui.ok);
  await swipe(...(await framePoint(...legion.from)), ...(await framePoint(...legion.to)));
  await shot('touch-moved');
  await saveAs('touchtest');
  await waitFor('File > Save wrote /saves/touchtest.TSN', async () => (await saves()).includes('touchtest.TSN'), 20);
  if ((await readSave('touchtest.TSN')) !== expected) fail('a finger\'s drag did not move the legion as the mouse did');
  await tap(...ui.endTurn, 12000);
  await shot('touch-turn-ended');
  await tapBox(ui.lessonClose, 2000);
  // Whatever the Prefect has to say after the turn (taps on the sea when he is silent).
  for (let i = 0; i < 4; i += 1) await tapBox(ui.ok, 1200);
  await tap(...ui.optionsMenu, 800);
  await tap(...ui.scenarios, 800);
  await tap(...ui.valerian, 2000);
  await shot('touch-question');
  const caption = await colourAt(...(await inBox(...ui.caption)));
  if ([0x7a, 0x2a, 0x1e].some((c, i) => Math.abs(caption[i] - c) > 8)) {
    fail(`Options > Scenarios > Valerian by touch asked nothing (${caption} where its caption stands)`);
  }
  await tapBox(ui.no);
  await longPress(...ui.sea, 12000);
  await shot('touch-long-press');
  for (let i = 0; i < 4; i += 1) await tapBox(ui.ok, 1200);
  await saveAs('touchturns');
  await waitFor('the save after two turns by touch', async () => (await saves()).includes('touchturns.TSN'), 20);
  const turn = (await readSave('touchturns.TSN')).split('\n')[0].split('#')[0].trim();
  if (turn !== '2') fail(`after two turns by touch the save is at turn ${turn}, not 2`);
}

// A legion to drag, in frame points: one of Italia's to Raetia. A save made after the drag
// has a Roman legion standing in Raetia.
const legion = { from: [490, 292], to: [428, 238] };
const movedToRaetia = (save) => /^Raetia\s+# current province/m.test(save);
const mapPoint = [640, 450];

try {
  await open('first visit');
  await shot('intro');
  // The progress bar reached its end before the card went away.
  const filled = await page.evaluate(() => document.getElementById('fill').style.width);
  if (filled !== '100%') fail(`the progress bar stopped at ${filled}`);
  const size = await page.evaluate(() => [canvas.width, canvas.height]);
  if (size[0] !== 1280 || size[1] !== 800) fail(`the game does not fill the page: canvas ${size}`);

  await begin();
  await drag(...(await framePoint(...legion.from)), ...(await framePoint(...legion.to)));
  await shot('moved');
  await saveAs('checktest');
  await waitFor('File > Save wrote /saves/checktest.TSN', async () => (await saves()).includes('checktest.TSN'), 20);
  const first = await readSave('checktest.TSN');
  if (!movedToRaetia(first)) fail('the mouse\'s drag did not move Italia\'s legion to Raetia');

  // The end of the turn: the computer's moves, then whatever the Prefect has to say.
  await click(...mapPoint, 'right', 12000);
  await shot('turn-ended');
  for (let i = 0; i < 6; i += 1) await key('Enter', 1200);

  // A reload starts the game again from the page; the save must still be there.
  await open('reload');
  if (!(await saves()).includes('checktest.TSN')) fail('the save was lost by reloading the page');
  await begin();
  await loadFirst();
  await saveAs('checkagain');
  await waitFor('the second save', async () => (await saves()).includes('checkagain.TSN'), 20);
  if ((await readSave('checkagain.TSN')) !== first) {
    fail('the game loaded from checktest.TSN saved differently (checkagain.TSN)');
  }

  // The saved games panel offers both for download.
  await page.click('#saves-button');
  await sleep(500);
  await shot('saved-games');
  const listed = await page.$$eval('#saves-list a[download]', (links) => links.map((a) => a.download));
  // The game kept at each year's end is an ordinary saved game beside them.
  if (listed.join() !== 'autosave.TSN,checkagain.TSN,checktest.TSN') fail(`the saved games panel lists ${listed}`);
  await page.click('#saves-close');

  // The Help and History pages are served beside the game.
  for (const name of ['guide.html', 'quiz.html', 'tutorial.html']) {
    const status = await page.evaluate((n) => fetch(`web/${n}`).then((r) => r.status), name);
    if (status !== 200) fail(`web/${name} is not served beside the game (${status})`);
  }

  // A turn by touch alone, on a fresh page, on a tablet of two device pixels to a CSS pixel:
  // the fingers land in CSS pixels on a canvas of twice as many.
  await page.setViewport({ width: 1280, height: 800, hasTouch: true, deviceScaleFactor: 2 });
  await open('touch');
  await playByTouch(first);
  await page.setViewport({ width: 1280, height: 800, hasTouch: true });

  // Offline: once the service worker holds the files, the game starts without the network.
  await waitFor('the offline copy of the game', () => page.evaluate(async () => {
    for (const n of await caches.keys()) {
      if (await (await caches.open(n)).match(new URL('tessarion.wasm', location.href).href)) return true;
    }
    return false;
  }), 120);
  await page.setOfflineMode(true);
  await open('offline');
  await page.setOfflineMode(false);

  // File > Exit: the page says the tab can be closed.
  await begin();
  await menuFile(0, 'x');
  await shot('about');
  await key('Enter', 1500);  // the game takes its leave with the About box
  await waitFor('File > Exit ended the game', () => page.evaluate(() => !document.getElementById('ended').hidden), 30);
  await shot('ended');

  // The settings the game wrote on leaving are in the browser's storage at the next visit.
  await open('settings');
  const settings = await page.evaluate(() => {
    try { return new TextDecoder().decode(FS.readFile('/saves/settings.ini')); } catch (e) { return ''; }
  });
  if (!/^skillLevel = normal$/m.test(settings)) fail(`no settings kept in the browser: "${settings}"`);

  // Any page from 1024 x 600 up shows the whole frame (letterboxed), a phone held upright is
  // asked to turn: screenshots of each for the eye, and the card's visibility checked.
  // A high-density tablet (two device pixels to a CSS pixel) gets a canvas of its own pixels.
  for (const [width, height, upright, ratio] of [[1024, 600, false, 1], [1366, 768, false, 1],
                                                 [1920, 1080, false, 1], [1280, 800, false, 2],
                                                 [390, 844, true, 1]]) {
    await page.setViewport({ width, height, isMobile: upright, hasTouch: upright || ratio > 1,
                             deviceScaleFactor: ratio });
    await sleep(3000);
    await shot(`screen-${width}x${height}${ratio > 1 ? `-x${ratio}` : ''}`);
    const pixels = await page.evaluate(() => [canvas.width, canvas.height]);
    if (!upright && (pixels[0] !== width * ratio || pixels[1] !== height * ratio)) {
      fail(`at ${width} x ${height}, ${ratio} pixels a point, the canvas has ${pixels} pixels`);
    }
    const asked = await page.evaluate(() => getComputedStyle(document.getElementById('turn')).display !== 'none');
    if (asked !== upright) fail(`at ${width} x ${height} the page ${asked ? 'asks' : 'does not ask'} to turn the device`);
    const canvasSize = await page.evaluate(() => [canvas.clientWidth, canvas.clientHeight]);
    if (canvasSize[0] !== width || canvasSize[1] !== height) fail(`at ${width} x ${height} the canvas is ${canvasSize}`);
  }
  console.log('Browser build: all checks passed');
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
