'use strict';
// The web build in Debian's chromium: the test hook's frames against
// demo-capture's pictures, its refusal of an off-grid time, and the plain
// page after a click (frame rate, sound, Escape, play again), with no console
// errors anywhere. Run by web_test.sh, which serves the site.
//   node web_test.js URL CAPTURE_DIR CHROMIUM CASES_JSON
const fs = require('fs');
const path = require('path');
const { launchBrowser } = require('./browser');
const { readPng } = require('./png');

const [url, captureDir, chromium, casesJson] = process.argv.slice(2);
const cases = JSON.parse(casesJson);
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAIL'} ${what}`);
  if (!ok) ++failures;
}

async function openPage(browser, query, consoleErrors) {
  const page = await browser.newPage();
  page.on('console', m => { if (m.type() === 'error') consoleErrors.push(m.text()); });
  page.on('pageerror', e => consoleErrors.push(String(e)));
  await page.setViewport({ width: 800, height: 600 });
  await page.goto(`${url}index.html${query}`);
  return page;
}

async function canvasRgb(page) {
  const base64 = await page.evaluate(() => {
    const data = document.getElementById('screen').getContext('2d').getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4) text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return btoa(text);
  });
  return Buffer.from(base64, 'base64');
}

function compareFrame(rgb, pngPath) {
  const want = readPng(fs.readFileSync(pngPath));
  let differing = 0;
  let first = -1;
  for (let i = 0; i < want.rgb.length; i += 3) {
    if (rgb[i] !== want.rgb[i] || rgb[i + 1] !== want.rgb[i + 1] || rgb[i + 2] !== want.rgb[i + 2]) {
      if (first < 0) first = i / 3;
      ++differing;
    }
  }
  return differing === 0 ? '' : `${differing} pixels differ, first at (${first % 640}, ${Math.floor(first / 640)})`;
}

async function testFrames(browser, { seed, fps, times }, consoleErrors) {
  const page = await openPage(browser, `?seed=${seed}&fps=${fps}&at=${times.join(',')}`, consoleErrors);
  for (const t of times) {
    await page.waitForFunction(t => window.demoFrameReady === t || window.demoFrameError, { timeout: 120000 }, t);
    const error = await page.evaluate(() => window.demoFrameError);
    if (error) {
      check(false, `seed ${seed} fps ${fps}: ${error}`);
      break;
    }
    const problem = compareFrame(await canvasRgb(page), path.join(captureDir, `seed${seed}-fps${fps}`, `${t}.png`));
    check(!problem, `seed ${seed} fps ${fps} demoTime ${t} as demo-capture ${problem}`);
    await page.evaluate(() => window.demoContinue && window.demoContinue());
  }
  await page.close();
}

async function testOffGrid(browser, consoleErrors) {
  const page = await openPage(browser, '?seed=1&fps=60&at=1', []);
  await page.waitForFunction(() => window.demoFrameError !== undefined, { timeout: 60000 });
  const error = await page.evaluate(() => window.demoFrameError);
  const expected = fs.readFileSync(path.join(captureDir, 'off-grid.txt'), 'utf8').trim();
  check(error === expected, `an off-grid time is refused as demo-capture refuses it: "${error}"`);
  await page.close();
  void consoleErrors;
}

async function testPlain(browser, consoleErrors) {
  const page = await openPage(browser, '', consoleErrors);
  await page.waitForFunction(() => document.getElementById('message').textContent.includes('click'), { timeout: 60000 });
  const dimmed = await page.evaluate(() => document.getElementById('screen').classList.contains('dimmed'));
  check(dimmed, 'the first frame is shown dimmed under the start prompt');
  await page.mouse.click(400, 300);
  await new Promise(r => setTimeout(r, 1000));
  const before = await page.evaluate(() => [window.demoFramesDrawn, performance.now(), window.demoAudioTime()]);
  await new Promise(r => setTimeout(r, 5000));
  const after = await page.evaluate(() => [window.demoFramesDrawn, performance.now(), window.demoAudioTime()]);
  const rate = (after[0] - before[0]) / ((after[1] - before[1]) / 1000);
  check(rate >= 50, `at least 50 frames per second for 5 s after the click: ${rate.toFixed(1)}`);
  check(after[2] > before[2] + 4, `the sound graph plays the mix: ${before[2]} s to ${after[2]} s`);
  const peak = await page.evaluate(() => window.demoAudioPeak());
  check(peak > 0.01, `the music is heard: peak ${peak.toFixed(3)}`);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !document.getElementById('again').hidden, { timeout: 10000 })
    .then(() => check(true, 'Escape ends the demo and offers to play again'),
      () => check(false, 'Escape ends the demo and offers to play again'));
  await page.close();
}

(async () => {
  const { browser, close } = await launchBrowser('chromium');
  const consoleErrors = [];
  try {
    for (const c of cases) await testFrames(browser, c, consoleErrors);
    await testOffGrid(browser, consoleErrors);
    await testPlain(browser, consoleErrors);
  } finally {
    await close();
  }
  check(consoleErrors.length === 0, `no console errors${consoleErrors.length ? ': ' + consoleErrors.join(' | ') : ''}`);
  process.exit(failures ? 1 : 0);
})().catch(error => {
  console.error(error);
  process.exit(1);
});
