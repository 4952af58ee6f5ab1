'use strict';
// The web build in one browser (chromium, firefox or webkit): the test hook's frames
// against demo-capture's pictures, its refusal of an off-grid time, the
// player's address, bar and keys against them too, and the
// plain page with sound, which web_test.sh records: a click starts it,
// stalls of the page's thread, a hidden tab that pauses it and a click that
// resumes it, leaving full screen ends it (a page that froze, as Firefox's
// once did now and then after the click, fails on the way); no console
// errors anywhere. Run by web_test.sh, which serves the
// site and judges the recording with the frame log and the times written to
// OUT_DIR. PART is plain (the page with sound), phone (the same by touch,
// not a secure context: chromium) or frames (the test hook, the player).
//   node web_test.js URL CAPTURE_DIR CASES_JSON BROWSER OUT_DIR PART
const fs = require('fs');
const path = require('path');
const { launchBrowser } = require('./browser');
const { openPlain, frameLog } = require('./page_probe');
const { readPng } = require('./png');

const [url, captureDir, casesJson, kind, outDir, part] = process.argv.slice(2);
const cases = JSON.parse(casesJson);
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAIL'} ${kind}: ${what}`);
  if (!ok) ++failures;
}

function watchConsole(page, consoleErrors) {
  page.on('console', m => { if (m.type() === 'error') consoleErrors.push(m.text()); });
  page.on('pageerror', e => consoleErrors.push(String(e)));
}

async function openPage(browser, query, consoleErrors) {
  const page = await browser.newPage();
  watchConsole(page, consoleErrors);
  await page.setViewport({ width: 800, height: 600 });
  await page.goto(`${url}index.html${query}`);
  return page;
}

// Polls rather than waiting inside the page, which Firefox's protocol would
// time out on a long wait.
async function waitUntil(page, fn, arg, timeoutMs) {
  for (const end = Date.now() + timeoutMs; Date.now() < end; await sleep(100))
    if (await page.evaluate(fn, arg)) return true;
  return false;
}

const demoTime = page => page.evaluate(() => window.demoTime());

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
    await waitUntil(page, t => window.demoFrameReady === t || window.demoFrameError, t, 180000);
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

async function testOffGrid(browser) {
  const page = await openPage(browser, '?seed=1&fps=60&at=1', []);
  await waitUntil(page, () => window.demoFrameError !== undefined, null, 60000);
  const error = await page.evaluate(() => window.demoFrameError);
  const expected = fs.readFileSync(path.join(captureDir, 'off-grid.txt'), 'utf8').trim();
  check(error === expected, `an off-grid time is refused as demo-capture refuses it: "${error}"`);
  await page.close();
}

// The plain page on seed 7 at #t=40 opens on demo-capture's frame of 40 s,
// plays from there, hides its bar during play; paused, the bar's mark of the
// warp scene and then Page Up land on demo-capture's frames, and the link
// names the moment shown.
async function testPlayer(browser, consoleErrors) {
  const page = await openPage(browser, '?seed=7#t=40', consoleErrors);
  await waitUntil(page, () => document.getElementById('message').textContent.includes('click'), null, 60000);
  const box = await page.evaluate(() => {
    const { width, height } = document.getElementById('frame').getBoundingClientRect();
    return [width, height, Math.min(innerWidth, innerHeight * 4 / 3)];
  });
  check(Math.abs(box[0] - box[2]) <= 1 && Math.abs(box[0] * 3 / 4 - box[1]) <= 1,
    `the picture fills the window at 4:3: ${box[0]} x ${box[1]}`);
  const shows = async (t, what) => {
    const problem = compareFrame(await canvasRgb(page), path.join(captureDir, 'seed7-fps60', `${t}.png`));
    check(!problem, `${what}: demo-capture's frame of demoTime ${t} ${problem}`);
  };
  await shows(40000, 'the first frame at #t=40');
  await page.mouse.click(400, 300);
  const running = await waitUntil(page, () => window.demoState() === 'running', null, 15000);
  await sleep(500);
  const playedTo = await demoTime(page);
  check(running && playedTo > 40000 && playedTo < 41500, `the click plays from there: demoTime ${playedTo}`);
  const barShown = () => page.evaluate(() => document.getElementById('bar').classList.contains('shown'));
  await sleep(2500);
  check(!await barShown(), 'the bar hides during play');
  await page.keyboard.press(' ');
  await sleep(300);
  check(await barShown(), 'Space pauses, and the bar shows');
  const [x, y] = await page.evaluate(() => {
    const box = document.querySelector('.mark[data-time="45600"]').getBoundingClientRect();
    return [box.x + box.width / 2, box.y + box.height / 2];
  });
  await page.mouse.click(x, y);
  await waitUntil(page, () => window.demoTime() === 45600, null, 5000);
  await shows(45600, "the bar's mark of the warp scene, paused");
  await page.keyboard.press('PageUp');
  await waitUntil(page, () => window.demoTime() === 31500, null, 5000);
  await shows(31500, 'Page Up from there');
  await page.click('#link');
  check(await page.evaluate(() => location.hash) === '#t=31.5', 'the link names the moment shown');
  await page.keyboard.press('Escape');
  check(await waitUntil(page, () => window.demoState() === 'ended', null, 5000), 'Escape ends the demo');
  await page.close();
}

// WebKitGTK draws the page in software under Xvfb, a shared machine's load
// halving its rate; a browser on a phone composites on its GPU.
const kLeastFps = { chromium: 50, firefox: 50, webkit: 25 };

// Busy for `ms` on the page's thread, as a slow machine or a heavy tab would be.
const stall = (page, ms) => page.evaluate(ms => {
  for (const end = performance.now() + ms; performance.now() < end;);
}, ms);

// The plain page from the click to demoTime 38 s, paused after the first cue.
// Writes the frame log, the click's time and the demoTimes around the pause
// for web_test.sh. On a phone (PART phone): a touch screen's taps, and a
// page that is not a secure context, served under a name of its own.
async function testPlain(browser, consoleErrors, phone) {
  const page = await browser.newPage();
  watchConsole(page, consoleErrors);
  await page.setViewport(phone ? { width: 844, height: 390, isMobile: true, hasTouch: true } : { width: 800, height: 600 });
  const [x, y] = phone ? [422, 195] : [400, 300];
  const press = () => (phone ? page.touchscreen.tap(x, y) : page.mouse.click(x, y));
  await openPlain(page, phone ? url.replace('127.0.0.1', kPhoneHost) : url);
  check(await page.evaluate(() => document.getElementById('screen').classList.contains('dimmed')),
    'the first frame is shown dimmed under the start prompt');
  if (phone) check(!await page.evaluate(() => window.isSecureContext), 'the page is not a secure context');
  await press();
  check(await waitUntil(page, () => window.demoTime() >= 3000, null, 15000), 'the demo runs after the click');
  const count = () => page.evaluate(() => [window.probeFrames.length, performance.now()]);
  const before = await count();
  // On a phone's plain http the mix runs on the page's thread: a stall
  // silences it, as it would any page; so do WebKitGTK's stalls its
  // GStreamer output here, whatever the page plays.
  for (const at of [4000, 9000, 12000]) {
    await waitUntil(page, at => window.demoTime() >= at, at, 15000);
    if (!phone && kind !== 'webkit') await stall(page, 150);
  }
  const after = await count();
  const rate = (after[0] - before[0]) / ((after[1] - before[1]) / 1000);
  check(rate >= kLeastFps[kind], `at least ${kLeastFps[kind]} frames per second, stalls and all: ${rate.toFixed(1)}`);

  await waitUntil(page, () => window.demoTime() >= 19000, null, 15000);
  const other = await browser.newPage();
  await other.bringToFront();
  await sleep(1000);
  const paused = await demoTime(page);
  await sleep(500);
  check(await page.evaluate(() => window.demoState()) === 'paused' && await demoTime(page) === paused,
    `a hidden tab pauses the demo at demoTime ${paused}`);
  await page.bringToFront();
  await other.close();
  await sleep(300);
  check(await page.evaluate(() => window.demoState() === 'paused' && document.getElementById('message')
    .textContent.includes('go on')), 'back on the tab, the demo offers to go on');
  await press();
  await sleep(1000);
  const resumed = await demoTime(page);
  check(resumed > paused && resumed < paused + 1500, `a click goes on from there: demoTime ${resumed}`);

  await waitUntil(page, () => window.demoTime() >= 38000, null, 30000);
  // The browser's own Escape leaves full screen and never reaches the page.
  if (!await page.evaluate(() => document.fullscreenElement && document.exitFullscreen().then(() => true)))
    await page.keyboard.press('Escape');
  check(await waitUntil(page, () => !document.getElementById('again').hidden, null, 5000),
    'leaving full screen ends the demo and offers to play again');
  fs.writeFileSync(path.join(outDir, 'frames.log'), await frameLog(page));
  fs.writeFileSync(path.join(outDir, 'pause.txt'), `${paused} ${resumed} ${await page.evaluate(() => window.probeClick)}\n`);
  await page.close();
}

// The phone's page is served under this name, which chromium takes to be
// 127.0.0.1: an address of its own, as a LAN's would be, not a secure context.
const kPhoneHost = 'demo.test';

(async () => {
  const phoneArgs = part === 'phone' ? [`--host-resolver-rules=MAP ${kPhoneHost} 127.0.0.1`] : [];
  const { browser, close } = await launchBrowser(kind, { args: phoneArgs });
  const consoleErrors = [];
  try {
    if (part === 'plain' || part === 'phone') {
      await testPlain(browser, consoleErrors, part === 'phone');
    } else {
      // WebKitGTK draws in software, slowly: one run of the moments there.
      for (const c of kind === 'webkit' ? cases.slice(0, 1) : cases) await testFrames(browser, c, consoleErrors);
      await testOffGrid(browser);
      await testPlayer(browser, consoleErrors);
    }
  } finally {
    await close();
  }
  check(consoleErrors.length === 0, `no console errors${consoleErrors.length ? ': ' + consoleErrors.join(' | ') : ''}`);
  process.exit(failures ? 1 : 0);
})().catch(error => {
  console.error(error);
  process.exit(1);
});
