// Measurements of the browser build (not a test): node measure.js <site folder> <out folder>.
// The first frame after navigation, the idle menu's share of a core in the renderer, the
// longest turn of the program during a few moves, and screenshots of three views.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const os = require('os');
const { chromium } = require('playwright-core');

const site = path.resolve(process.argv[2] || 'build-web/site');
const out = path.resolve(process.argv[3] || os.tmpdir());
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

async function open(options) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zentorra-measure-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'], ...options });
  const page = await context.newPage();
  return { context, page, profile };
}

(async () => {
  const server = http.createServer((q, r) => {
    const name = new URL(q.url, 'http://x').pathname.slice(1) || 'index.html';
    const file = path.join(site, name);
    if (!fs.existsSync(file)) { r.writeHead(404); return r.end(); }
    r.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(r);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;

  const { context, page } = await open({ viewport: { width: 1024, height: 768 } });
  await page.goto(url);
  await page.waitForFunction(() => Module.zt && Module.zt.figures.firstFrameMs > 0);
  console.log('first frame after navigation (ms):', (await page.evaluate(() => Module.zt.figures.firstFrameMs)).toFixed(0));
  await page.mouse.click(559, 518);
  await page.waitForTimeout(6000);
  await page.screenshot({ path: path.join(out, 'web-desktop-menu.png') });
  const cdp = await context.newCDPSession(page);
  await cdp.send('Performance.enable');
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const b0 = await busy(), t0 = Date.now();
  await page.waitForTimeout(10000);
  const share = (await busy() - b0) / ((Date.now() - t0) / 1000);
  console.log('idle menu, renderer main thread busy (% of a core):', (share * 100).toFixed(2));
  await page.evaluate(() => Module.zt.audio.stop());
  const b1 = await busy(), t1 = Date.now();
  await page.waitForTimeout(5000);
  console.log('  of which without the audio pump:', ((await busy() - b1) / ((Date.now() - t1) / 1000) * 100).toFixed(2));
  await page.evaluate(() => Module.zt.audio.start());
  await page.mouse.click(227, 666);
  await page.waitForTimeout(300);
  await page.keyboard.type('Measure');
  await page.mouse.click(200, 568);
  await page.waitForTimeout(3000);
  await page.evaluate(() => { Module.zt.figures.longestTurnMs = 0; Module.zt.figures.turnsMs = []; });
  for (const [x, y, button] of [[262, 412, 'right'], [337, 487, 'left'], [187, 337, 'right'], [412, 562, 'left'], [262, 487, 'right']]) {
    await page.mouse.click(x, y, { button });
    await page.waitForTimeout(2500);
  }
  const turns = (await page.evaluate(() => Module.zt.figures.turnsMs)).sort((a, b) => a - b);
  const at = (q) => turns[Math.min(turns.length - 1, Math.floor(q * turns.length))].toFixed(2);
  console.log(`turns of the program during five moves (ms): ${turns.length} turns, median ${at(0.5)}, 99th percentile ${at(0.99)}, longest ${at(1)}`);
  await page.screenshot({ path: path.join(out, 'web-desktop-game.png') });
  await context.close();

  for (const [name, options] of [
    ['web-phone.png', { viewport: { width: 844, height: 390 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true }],
    ['web-high-density.png', { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2 }]]) {
    const view = await open(options);
    await view.page.goto(url);
    await view.page.waitForFunction(() => document.title === 'How To Play');
    const box = await view.page.evaluate(() => { const r = document.getElementById('screen').getBoundingClientRect(); return [r.left, r.top, r.width / 1024]; });
    await view.page.mouse.click(box[0] + 559 * box[2], box[1] + 518 * box[2]);
    await view.page.waitForTimeout(6000);
    await view.page.screenshot({ path: path.join(out, name) });
    await view.context.close();
  }
  server.close();
})();
