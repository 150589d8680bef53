// Drives the game's web page in the system Chromium (headless) and checks what a player would see.
// Usage: node page_test.js PAGE_DIR MODE [ARG]
//   load REF.png  the page loads without a console error and the logo's hold frame equals REF (320x240) at 640x480
//   newgame       Z through the title starts a new game: the mission intro comes
//   audio         the first key starts the AudioContext, the notice says so, and the effects are heard
//   music         once the audio runs, the title's song reaches the synthesizer as notes and is heard
//   sizes         the size buttons set the canvas to their client sizes; the version box opens and closes
//   quit          Esc asks the quit question: No lets the game go on, Yes ends it
//   measure       prints the start-up time and the frame cadence (no check)
//   screenshot OUT.png
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { readPngRgb } = require('./png_rgb');

const kChromium = process.env.VORNA_CHROMIUM || '/usr/bin/chromium';
const kLogoHoldFirst = 200; // the frame compared; the logo holds still from frame 131 to 400
const kLogoHoldLast = 400;
const kSceneIntroFrameOnly = 32, kSceneMissionIntro = 64;
const kSizes = { 256: [320, 240], 257: [480, 360], 258: [640, 480], 259: [640, 240], 261: [320, 480] };
const kVersionCommand = 260;
const kQuitQuestion = 'ユーザーの終了要求を受けました。';
// A safety net for a page that never gets there, not a measure of speed.
const kPatienceMs = 180000;
const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

function serve(dir) {
  const server = http.createServer((req, res) => {
    const name = path.normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname)).replace(/^\/+/, '');
    const file = path.join(dir, name);
    if (!file.startsWith(path.resolve(dir)) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function fail(message) {
  throw new Error(message);
}

async function framesShown(page) {
  return page.evaluate(() => Module.vornaFramesShown());
}

async function waitForFrame(page, frame) {
  await page.waitForFunction((n) => typeof Module !== 'undefined' && Module.vornaFramesShown &&
    Module.vornaRunning && Module.vornaFramesShown() >= n, { timeout: kPatienceMs, polling: 20 }, frame);
}

async function canvasRgba(page) {
  const encoded = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    const bytes = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return { width: c.width, height: c.height, data: btoa(text) };
  });
  return { width: encoded.width, height: encoded.height, rgba: Buffer.from(encoded.data, 'base64') };
}

async function checkLogo(page, reference) {
  const ref = readPngRgb(reference);
  if (ref.width !== 320 || ref.height !== 240) fail(`${reference} is ${ref.width}x${ref.height}, not 320x240`);
  await waitForFrame(page, kLogoHoldFirst);
  const shot = await canvasRgba(page);
  const after = await framesShown(page);
  if (after > kLogoHoldLast) fail(`the canvas was read at frame ${after}, after the logo's hold`);
  if (shot.width !== 640 || shot.height !== 480) fail(`the canvas is ${shot.width}x${shot.height}, not 640x480`);
  let differing = 0, first = null;
  for (let y = 0; y < 480; ++y) {
    for (let x = 0; x < 640; ++x) {
      const s = (y * 640 + x) * 4, r = ((y >> 1) * 320 + (x >> 1)) * 3;
      if (shot.rgba[s] !== ref.rgb[r] || shot.rgba[s + 1] !== ref.rgb[r + 1] || shot.rgba[s + 2] !== ref.rgb[r + 2] ||
          shot.rgba[s + 3] !== 255) {
        if (first === null) first = `(${x},${y})`;
        ++differing;
      }
    }
  }
  if (differing !== 0) fail(`${differing} canvas pixels differ from the headless frame, the first at ${first}`);
  console.log(`canvas equals headless frame ${kLogoHoldFirst} at 640x480 (read by frame ${after})`);
}

async function checkNewGame(page) {
  await waitForFrame(page, kLogoHoldFirst);
  for (let press = 0; press < 60; ++press) {
    const scene = await page.evaluate(() => Module.vornaScene());
    if (scene === kSceneIntroFrameOnly || scene === kSceneMissionIntro) {
      console.log(`the intro came after ${press} presses of Z`);
      return;
    }
    await page.keyboard.down('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 4);
    await page.keyboard.up('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 20);
  }
  fail(`Z never started a game; the scene is ${await page.evaluate(() => Module.vornaScene())}`);
}

async function checkAudio(page) {
  await waitForFrame(page, 10);
  const before = await page.evaluate(() => [Module.vornaAudioContext === null,
    document.getElementById('notice').textContent]);
  if (!before[0]) fail('the AudioContext was made before any key or click');
  if (!/key or click/.test(before[1])) fail(`the page does not say how the sound starts: "${before[1]}"`);
  await page.keyboard.press('ShiftLeft');
  await page.waitForFunction(() => Module.vornaAudioContext && Module.vornaAudioContext.state === 'running',
    { timeout: kPatienceMs });
  const notice = await page.evaluate(() => document.getElementById('notice').textContent);
  if (notice !== 'Sound is on.') fail(`the notice says "${notice}" once the sound runs`);
  // Z through the logo and the title asks for effects: they reach the speakers through the mix.
  for (let press = 0; press < 60 && (await page.evaluate(() => Module.vornaEffectsPeak)) === 0; ++press) {
    await page.keyboard.down('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 4);
    await page.keyboard.up('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 20);
  }
  const peak = await page.evaluate(() => Module.vornaEffectsPeak);
  if (!(peak > 0)) fail('no sound effect was heard');
  console.log(`the first key started the AudioContext; effects play (peak ${peak.toFixed(3)})`);
}

async function checkMusic(page) {
  await waitForFrame(page, 10);
  const early = await page.evaluate(() => Module.vornaNoteOns);
  if (early !== 0) fail(`${early} notes reached the synthesizer before the audio started`);
  await page.keyboard.press('ShiftLeft');
  await page.waitForFunction(() => Module.vornaSynthReady || Module.vornaMusicError, { timeout: kPatienceMs });
  const error = await page.evaluate(() => Module.vornaMusicError);
  if (error) fail(`the synthesizer did not start: ${error}`);
  // Z leaves the logo for the title, whose song asks for the stream.
  for (let press = 0; press < 60 && (await page.evaluate(() => Module.vornaNoteOns)) === 0; ++press) {
    await page.keyboard.down('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 4);
    await page.keyboard.up('KeyZ');
    await waitForFrame(page, (await framesShown(page)) + 20);
  }
  const notes = await page.evaluate(() => Module.vornaNoteOns);
  if (!(notes > 0)) fail('no note of the title\'s song reached the synthesizer');
  await page.waitForFunction(() => Module.vornaMusicPeak > 0, { timeout: kPatienceMs });
  const state = await page.evaluate(() => Module.vornaAudioContext.state);
  if (state !== 'running') fail(`the AudioContext is ${state} while the music plays`);
  const peak = await page.evaluate(() => Module.vornaMusicPeak);
  console.log(`the title's song reached the synthesizer (${notes} notes so far) and is heard (peak ${peak.toFixed(3)})`);
}

async function checkSizes(page) {
  await waitForFrame(page, kLogoHoldFirst);
  const commands = await page.$$eval('#menu button[data-command]', (b) => b.map((e) => Number(e.dataset.command)));
  const expected = [256, 257, 258, 259, 261, kVersionCommand];
  if (commands.slice().sort().join() !== expected.slice().sort().join()) fail(`the menu has commands ${commands}`);
  for (const command of [256, 257, 259, 261, 258]) {
    await page.click(`#menu button[data-command="${command}"]`);
    const [w, h] = kSizes[command];
    await page.waitForFunction((w, h) => { const c = document.getElementById('canvas'); return c.width === w && c.height === h; },
      { timeout: kPatienceMs }, w, h);
    const at = await framesShown(page);
    await waitForFrame(page, at + 2);
    // The frame fills the new size: its corner pixel is the logo frame's, not the black of an empty canvas.
    const shot = await canvasRgba(page);
    const centre = ((h >> 1) * w + (w >> 1)) * 4;
    if (shot.rgba[centre + 3] !== 255) fail(`command ${command}: the canvas at ${w}x${h} was not drawn`);
  }
  await page.click(`#menu button[data-command="${kVersionCommand}"]`);
  await page.waitForSelector('#version-box', { timeout: kPatienceMs });
  const credits = await page.$eval('#version-box .credits', (e) => e.textContent.split('\n').filter((l) => l).length);
  if (credits < 20) fail(`the version box shows only ${credits} credit rows`);
  const stopped = await framesShown(page);
  await page.click('#box-close');
  await page.waitForSelector('#version-box', { hidden: true, timeout: kPatienceMs });
  await waitForFrame(page, stopped + 5);
  console.log('the five sizes set the canvas; the version box opened and closed');
}

async function checkQuit(page) {
  await waitForFrame(page, 50);
  await page.keyboard.press('Escape');
  await page.waitForSelector('#message-box', { timeout: kPatienceMs });
  const text = await page.$eval('#message-box', (e) => e.textContent);
  if (!text.includes(kQuitQuestion)) fail(`the box says "${text}"`);
  const asked = await framesShown(page);
  // While the question waits the game does not run.
  await new Promise((r) => setTimeout(r, 300));
  if ((await framesShown(page)) !== asked) fail('the game ran on behind the quit question');
  await page.click('#box-no');
  await waitForFrame(page, asked + 20);
  await page.keyboard.press('Escape');
  await page.waitForSelector('#message-box', { timeout: kPatienceMs });
  await page.click('#box-yes');
  await page.waitForFunction(() => Module.vornaExitCode !== undefined, { timeout: kPatienceMs });
  const code = await page.evaluate(() => Module.vornaExitCode);
  if (code !== 0) fail(`the game ended with code ${code}`);
  console.log('No resumed the game, Yes ended it');
}

async function measure(page, opened) {
  await waitForFrame(page, 1);
  const started = await page.evaluate(() => Module.vornaFrameTimes[0]);
  await waitForFrame(page, 400);
  const times = await page.evaluate(() => Module.vornaFrameTimes.slice());
  const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  const at = (q) => gaps[Math.min(gaps.length - 1, Math.floor(q * gaps.length))].toFixed(2);
  console.log(`first frame ${started.toFixed(0)} ms after navigation start (${Date.now() - opened} ms wall to frame 400)`);
  console.log(`frame gaps over ${gaps.length}: median ${at(0.5)} ms, p90 ${at(0.9)} ms, p99 ${at(0.99)} ms`);
}

async function main() {
  const [dir, mode, arg] = process.argv.slice(2);
  if (!dir || !mode) fail('usage: node page_test.js PAGE_DIR MODE [ARG]');
  const server = await serve(path.resolve(dir));
  const browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: 'new',
    args: ['--no-sandbox', '--disable-gpu', '--window-size=900,700', '--disable-background-timer-throttling',
      '--disable-renderer-backgrounding'],
  });
  const errors = [];
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 900, height: 700 });
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    const opened = Date.now();
    await page.goto(`http://127.0.0.1:${server.address().port}/vorna.html`);
    if (mode === 'load') await checkLogo(page, arg);
    else if (mode === 'newgame') await checkNewGame(page);
    else if (mode === 'audio') await checkAudio(page);
    else if (mode === 'music') await checkMusic(page);
    else if (mode === 'sizes') await checkSizes(page);
    else if (mode === 'quit') await checkQuit(page);
    else if (mode === 'measure') await measure(page, opened);
    else if (mode === 'screenshot') {
      await waitForFrame(page, kLogoHoldFirst);
      await page.screenshot({ path: arg });
    } else fail(`unknown mode ${mode}`);
    if (errors.length) fail(`the console reported errors:\n${errors.join('\n')}`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().then(() => process.exit(0), (e) => { console.error(`FAILED: ${e.message}`); process.exit(1); });
