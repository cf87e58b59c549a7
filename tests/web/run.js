// End-to-end tests of the browser build in Debian's Chromium, headless, each from an empty
// profile: node run.js <site folder>. The site is served from here on a free port.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const os = require('os');
const { chromium } = require('playwright-core');

const site = path.resolve(process.argv[2] || 'build-web/site');
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
const blocked = new Set();  // files the server refuses, as a blocking network would

function serve() {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    const file = path.join(site, path.normalize(name));
    if (!file.startsWith(site) || blocked.has(name) || !fs.existsSync(file)) {
      response.writeHead(404);
      return response.end();
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The screens' click areas, in pixels of the 1024 x 768 desktop.
const PLAY = [227, 666], OK = [200, 568], CONTINUE = [234, 559], SCORE = [400, 664];
// Score, hits, experience and rank on the game screen.
const SCORE_PANEL = [630, 195, 370, 175];
const QUIT = [740, 666], GAME_EXIT = [899, 699], PLAY_NOW = [559, 518];

class Visit {
  static async open(browserArgs = {}) {
    const visit = new Visit();
    visit.profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zentorra-web-'));
    visit.context = await chromium.launchPersistentContext(visit.profile, {
      executablePath: '/usr/bin/chromium', headless: true,
      viewport: { width: 1024, height: 768 }, args: ['--no-sandbox'], ...browserArgs });
    visit.problems = [];
    await visit.newPage();
    return visit;
  }
  async newPage() {
    this.page = await this.context.newPage();
    this.page.on('console', (m) => {
      if (m.type() === 'error' || m.type() === 'warning') this.problems.push(`${m.type()}: ${m.text()}`);
    });
    this.page.on('pageerror', (e) => this.problems.push(`page error: ${e.message}`));
    // Pixels are read from a copy made for reading, so the game's canvas stays as it is.
    await this.page.addInitScript(() => {
      window.zentorraCopy = () => {
        const screen = document.getElementById('screen');
        const copy = document.createElement('canvas');
        copy.width = screen.width;
        copy.height = screen.height;
        const context = copy.getContext('2d', { willReadFrequently: true });
        context.drawImage(screen, 0, 0);
        return context;
      };
      // The colours at the given points in every display frame for a while.
      window.zentorraSample = (points, ms) => new Promise((resolve) => {
        const frames = [], end = performance.now() + ms;
        const take = () => {
          const c = window.zentorraCopy();
          frames.push(points.map(([x, y]) => Array.from(c.getImageData(x, y, 1, 1).data.slice(0, 3)).join(',')));
          if (performance.now() < end) requestAnimationFrame(take); else resolve(frames);
        };
        requestAnimationFrame(take);
      });
    });
    await this.page.goto(url);
    return this.page;
  }
  async close() {
    await this.context.close();
    fs.rmSync(this.profile, { recursive: true, force: true });
    if (this.problems.length) throw new Error('console: ' + this.problems.join('; '));
  }
  async waitTitle(title, timeout = 10000) {
    await this.page.waitForFunction((t) => document.title === t, title, { timeout });
  }
  // The desktop's pixels as the canvas shows them (at 1024 x 768 one to one).
  async pixels(points) {
    return this.page.evaluate((points) => {
      const c = window.zentorraCopy();
      return points.map(([x, y]) => Array.from(c.getImageData(x, y, 1, 1).data.slice(0, 3)).join(','));
    }, points);
  }
  async region(x, y, w, h) {
    // As a byte string: an array of numbers this large takes seconds to pass over.
    const bytes = await this.page.evaluate(([x, y, w, h]) => {
      const data = window.zentorraCopy().getImageData(x, y, w, h).data;
      let text = '';
      for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode.apply(null, data.subarray(i, i + 8192));
      return text;
    }, [x, y, w, h]);
    return Buffer.from(bytes, 'latin1');
  }
  // Where a desktop pixel is on the page (the canvas may sit lower to leave room below).
  async onPage([x, y]) {
    const rect = await this.page.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect();
      return { left: r.left, top: r.top, scale: r.width / 1024 };
    });
    return [rect.left + (x + 0.5) * rect.scale, rect.top + (y + 0.5) * rect.scale];
  }
  async click(point, button = 'left') {
    const [x, y] = await this.onPage(point);
    await this.page.mouse.click(x, y, { button });
  }
  async tap(point) {
    const [x, y] = await this.onPage(point);
    await this.page.touchscreen.tap(x, y);
  }
  // Waits until the board is at rest with a ball in every cell; its 64 cell colours.
  async settledBoard() {
    let previous = '';
    for (let i = 0; i < 60; ++i) {
      const colours = await this.pixels(cells());
      const joined = colours.join(' ');
      if (joined === previous && !colours.includes('255,255,255')) return colours;
      previous = joined;
      await this.page.waitForTimeout(250);
    }
    await this.page.screenshot({ path: path.join(os.tmpdir(), 'zentorra-web-unsettled.png') });
    throw new Error('the board did not come to rest');
  }
  async enterName(name) {
    await this.click(PLAY);
    await this.page.waitForTimeout(300);
    await this.page.keyboard.press('End');
    for (let i = 0; i < 20; ++i) await this.page.keyboard.press('Backspace');
    await this.page.keyboard.type(name, { delay: 20 });
    await this.click(OK);
  }
  async leaveHowToPlay() {
    await this.waitTitle('How To Play', 15000);
    await this.page.waitForTimeout(300);
    await this.click([PLAY_NOW[0], PLAY_NOW[1]]);
    await this.waitMenu();
  }
  async waitMenu() {
    // The splash, then the menu: the menu's Play button is drawn at rest.
    await this.page.waitForFunction(() => document.title === 'Zentorra', null, { timeout: 15000 });
    await this.page.waitForTimeout(4000);
  }
}

function cells() {
  const points = [];
  for (let c = 0; c < 8; ++c) for (let r = 0; r < 8; ++r) points.push([75 * c + 37, 150 + 75 * r + 37]);
  return points;
}
const cellIndex = (c, r) => c * 8 + r;

// The eight cells around (c, r) in clockwise order.
function ring(c, r) {
  return [[c - 1, r - 1], [c, r - 1], [c + 1, r - 1], [c + 1, r], [c + 1, r + 1], [c, r + 1],
          [c - 1, r + 1], [c - 1, r]].map(([x, y]) => cellIndex(x, y));
}

// Presses at cell (c, r) and watches the frames until one shows the ring around it turned
// by one place in the given direction, with every other cell as it was.
async function expectTurn(visit, c, r, clockwise, press) {
  const before = await visit.settledBoard();
  const around = ring(c, r);
  const expected = before.slice();
  around.forEach((cell, i) => {
    const to = around[(i + (clockwise ? 1 : around.length - 1)) % around.length];
    expected[to] = before[cell];
  });
  const sampled = visit.page.evaluate((points) => window.zentorraSample(points, 1500), cells());
  await press();
  const frames = await sampled;
  if (frames.some((now) => now.every((colour, k) => colour === expected[k]))) return visit.settledBoard();
  throw new Error(`the ring around (${c}, ${r}) never showed its ${clockwise ? 'clockwise' : 'counterclockwise'} turn`);
}

// The Linux build's rendering of a screen (reference_screens.cpp) against the canvas,
// where the screen sits centred. Text is drawn by FreeType with light hinting there and by
// stb_truetype without hinting here: glyph edges take other grey levels and a glyph may
// sit a pixel over, so pixels may differ within the text, which covers a few per cent of a
// screen (How To Play, the most text, differs in 2.6 % of its pixels). Everything else (pictures, shapes, layout) must be identical: no differing pixel
// may lie farther than kTextReach pixels from where the two screens' text is, and the
// differing share stays under kTextShare.
const kTextShare = 0.05, kTextReach = 2;
async function expectLikeLinux(visit, name) {
  if (!reference) throw new Error('no reference folder (ZT_WEB_REFERENCE)');
  const ppm = fs.readFileSync(path.join(reference, `${name}.ppm`));
  const [, w, h] = ppm.toString('latin1', 0, 20).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/).map(Number);
  const pixels = ppm.subarray(ppm.length - w * h * 3);
  const left = Math.floor((1024 - w) / 2), top = Math.floor((768 - h) / 2);
  const shown = await visit.region(left, top, w, h);
  const differs = new Uint8Array(w * h);
  let count = 0;
  for (let i = 0; i < w * h; ++i) {
    for (let k = 0; k < 3; ++k) if (pixels[i * 3 + k] !== shown[i * 4 + k]) differs[i] = 1;
    count += differs[i];
  }
  if (count / (w * h) > kTextShare) throw new Error(`${name}: ${count} of ${w * h} pixels differ`);
  // Text is where dark and light meet within a few pixels in the reference; a differing
  // pixel elsewhere (a picture, a fill) is a fault.
  const luma = (i) => pixels[i * 3] * 0.3 + pixels[i * 3 + 1] * 0.59 + pixels[i * 3 + 2] * 0.11;
  for (let y = 0; y < h; ++y) for (let x = 0; x < w; ++x) {
    if (!differs[y * w + x]) continue;
    let low = 255, high = 0;
    for (let dy = -kTextReach; dy <= kTextReach; ++dy) for (let dx = -kTextReach; dx <= kTextReach; ++dx) {
      const yy = y + dy, xx = x + dx;
      if (yy < 0 || xx < 0 || yy >= h || xx >= w) continue;
      const l = luma(yy * w + xx);
      low = Math.min(low, l);
      high = Math.max(high, l);
    }
    if (high - low < 64) throw new Error(`${name}: pixel (${x}, ${y}) differs away from any text`);
  }
  return count;
}

let url;
const reference = process.env.ZT_WEB_REFERENCE;
const tests = {
  async 'first start: How To Play, the splash, the menu, Quit, Play again'() {
    const visit = await Visit.open();
    await visit.waitTitle('How To Play', 15000);
    // How To Play sits centred on the desktop, over nothing.
    const [corner, inside] = await visit.pixels([[10, 10], [512, 384]]);
    if (corner !== '0,0,0' || inside === '0,0,0') throw new Error(`How To Play is not centred: ${corner} ${inside}`);
    await visit.page.waitForTimeout(300);
    const howToPlay = await expectLikeLinux(visit, 'how_to_play');
    await visit.click(PLAY_NOW);
    await visit.waitMenu();
    const menu = await expectLikeLinux(visit, 'menu');
    console.log(`  text pixels that differ from the Linux build: How To Play ${howToPlay}, menu ${menu}`);
    // Quit leaves a quiet page, and Play again starts the program anew.
    await visit.click(QUIT);
    await visit.page.waitForFunction(() => !document.getElementById('end').hidden, null, { timeout: 10000 });
    const text = await visit.page.textContent('#end');
    if (!text.includes('Thanks for playing.')) throw new Error(`the end page says: ${text}`);
    await visit.page.click('text=Play again');
    await visit.page.waitForFunction(() => document.title === 'Zentorra' && !document.getElementById('game').hidden,
                                     null, { timeout: 15000 });
    await visit.close();
  },

  async 'a whole visit: name, turns, Exit, reload, Continue, High Scores'() {
    const visit = await Visit.open();
    await visit.leaveHowToPlay();
    await visit.enterName('Tester');
    await visit.page.waitForTimeout(1500);
    await expectTurn(visit, 3, 3, true, () => visit.click([262, 412], 'right'));
    await expectTurn(visit, 4, 4, false, () => visit.click([337, 487], 'left'));
    await visit.settledBoard();
    const panel = await visit.region(...SCORE_PANEL);
    await visit.click(GAME_EXIT);
    await visit.page.waitForTimeout(1500);
    await visit.page.reload();
    await visit.waitMenu();
    await visit.enterName('Tester');
    await visit.page.waitForTimeout(500);
    await visit.click(CONTINUE);
    await visit.page.waitForTimeout(1500);
    await visit.settledBoard();
    const continued = await visit.region(...SCORE_PANEL);
    if (!continued.equals(panel)) throw new Error('Continue does not show the saved score and rank');
    await visit.click(GAME_EXIT);
    await visit.page.waitForTimeout(1500);
    await visit.click(SCORE);
    await visit.waitTitle('High Score');
    await visit.page.waitForTimeout(500);
    const [first, last] = await visit.pixels([[80, 212], [590, 698]]);
    if (first === '255,255,255') throw new Error('the table shows no entry');
    if (last !== '255,255,255') throw new Error('the table shows more entries than were played');
    await visit.close();
  },

  async 'a tab closed during a game keeps the game'() {
    const visit = await Visit.open();
    await visit.leaveHowToPlay();
    await visit.enterName('Closer');
    await visit.page.waitForTimeout(1500);
    await expectTurn(visit, 3, 3, true, () => visit.click([262, 412], 'right'));
    const panel = await visit.region(...SCORE_PANEL);
    await visit.page.close({ runBeforeUnload: true });
    await new Promise((r) => setTimeout(r, 1000));
    await visit.newPage();
    await visit.waitMenu();
    await visit.enterName('Closer');
    await visit.page.waitForTimeout(500);
    await visit.click(CONTINUE);
    await visit.page.waitForTimeout(1500);
    await visit.settledBoard();
    const continued = await visit.region(...SCORE_PANEL);
    if (!continued.equals(panel)) throw new Error('the closed game did not come back');
    await visit.close();
  },

  async 'touch taps turn the ring by the half tapped'() {
    // Room for the line under the game, so the desktop is still shown one to one.
    const visit = await Visit.open({ hasTouch: true, viewport: { width: 1024, height: 820 } });
    await visit.leaveHowToPlay();
    await visit.enterName('Toucher');
    await visit.page.waitForTimeout(1500);
    await expectTurn(visit, 3, 3, true, () => visit.tap([262 + 20, 412]));
    await expectTurn(visit, 4, 4, false, () => visit.tap([337 - 20, 487]));
    await visit.close();
  },

  async 'sound reaches Web Audio after the first click, and nothing plays before it'() {
    const visit = await Visit.open();
    await visit.waitTitle('How To Play', 15000);
    await visit.page.waitForTimeout(1000);
    const before = await visit.page.evaluate(() => Module.zt.audio.context() === null);
    if (!before) throw new Error('an audio context was made before the first click');
    await visit.click(PLAY_NOW);  // the splash starts the music
    let peak = 0;
    for (let i = 0; i < 30 && peak === 0; ++i) {
      await visit.page.waitForTimeout(200);
      peak = await visit.page.evaluate(() => { Module.zt.audio.askPeak(); return Module.zt.audio.peak; });
    }
    if (!(peak > 0.01)) throw new Error(`the output stayed silent (peak ${peak})`);
    await visit.close();
  },

  async 'no WebAssembly, or no data package: one plain sentence'() {
    blocked.add('zentorra.data');
    try {
      const visit = await Visit.open();
      await visit.page.waitForFunction(() => !document.getElementById('missing').hidden, null, { timeout: 10000 });
      visit.problems = visit.problems.filter((p) => !/404|Failed to load resource/.test(p));
      await visit.close();
    } finally {
      blocked.delete('zentorra.data');
    }
  },
};

(async () => {
  const server = await serve();
  url = `http://127.0.0.1:${server.address().port}/`;
  const only = process.argv[3];
  let failed = 0;
  for (const [name, test] of Object.entries(tests)) {
    if (only && !name.includes(only)) continue;
    // A second try where the first failed: the tests that reload a page read back what the
    // browser's storage took, and on a loaded machine it now and then takes it late. Every
    // first failure is printed, so a flake stays visible.
    for (let attempt = 1; attempt <= 2; ++attempt) {
      const started = Date.now();
      try {
        await test();
        console.log(`PASS ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
        break;
      } catch (error) {
        if (attempt === 2) ++failed;
        console.log(`${attempt === 2 ? 'FAIL' : 'RETRY'} ${name}: ${error.message}`);
      }
    }
  }
  server.close();
  process.exit(failed ? 1 : 0);
})();
