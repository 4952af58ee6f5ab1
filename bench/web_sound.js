'use strict';
// For web_sound.sh: the plain page in one browser.
//   node web_sound.js URL BROWSER play FRAME_LOG     one whole run, its frames logged
//                                                    (from the moment AT, in s, when set)
//   node web_sound.js URL BROWSER starts N           N starts, each watched for a freeze
// HEADLESS=0 opens a real window (under the caller's X server).
const fs = require('fs');
const path = require('path');
const tests = path.join(__dirname, '..', 'tests', 'web');
const { launchBrowser } = require(path.join(tests, 'browser'));
const { openPlain, frameLog } = require(path.join(tests, 'page_probe'));

const [url, kind, mode, arg] = process.argv.slice(2);
const headless = process.env.HEADLESS !== '0';
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// True when the page draws no frame for two seconds, or does not answer.
async function frozen(page) {
  const drawn = () => Promise.race([
    page.evaluate(() => window.probeFrames.length),
    new Promise(resolve => setTimeout(() => resolve(null), 5000)),
  ]);
  const before = await drawn();
  await new Promise(resolve => setTimeout(resolve, 2000));
  const after = await drawn();
  return before === null || after === null || after <= before;
}

// Bytes on the wire (headers and bodies, as sent) and of the files as served.
function wireBytes(page) {
  return page.evaluate(() => {
    const entries = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
    return {
      wire: entries.reduce((sum, e) => sum + e.transferSize, 0),
      bodies: entries.reduce((sum, e) => sum + e.decodedBodySize, 0),
      files: entries.length,
    };
  });
}

async function play() {
  const { browser, close } = await launchBrowser(kind, { headless });
  try {
    const page = await browser.newPage();
    await openPlain(page, url, process.env.AT ? `#t=${process.env.AT}` : '');
    await page.mouse.click(400, 300);
    const bytes = await wireBytes(page);
    console.log(`wire_bytes ${bytes.wire} (files as served ${bytes.bodies}, ${bytes.files} files)`);
    await page.waitForFunction(() => !document.getElementById('again').hidden, { timeout: 150000, polling: 1000 });
    fs.writeFileSync(arg, await frameLog(page));
    if (browser.peakPageMemoryMb) console.log(`page_process_peak_mb ${browser.peakPageMemoryMb().toFixed(0)}`);
  } finally {
    await close();
  }
}

// A frozen page takes its browser with it: the next start gets a new one, as
// does every start with FRESH=1, the first sound of a fresh browser.
// FREEZE_PIDS, when set, names a file the browser's process id is written to
// at a freeze, for the caller to look into before the browser goes.
async function starts(count) {
  let freezes = 0;
  let launched = null;
  for (let i = 0; i < count; ++i) {
    launched ??= await launchBrowser(kind, { headless });
    const page = await launched.browser.newPage();
    let stuck;
    try {
      await openPlain(page, url);
      // A page that hangs in the click never finishes it.
      const clicked = await Promise.race([page.mouse.click(400, 300).then(() => true), sleep(10000)]);
      await sleep(3000);
      stuck = !clicked || await frozen(page);
    } catch (error) {
      console.log(`start ${i + 1}: ${error.message}`);
      stuck = true;
    }
    if (stuck) {
      ++freezes;
      console.log(`start ${i + 1}: frozen`);
      if (process.env.FREEZE_PIDS) {
        fs.writeFileSync(process.env.FREEZE_PIDS, `${launched.browser.process().pid}\n`);
        await sleep(Number(process.env.FREEZE_WAIT ?? 0));
      }
      await launched.close();
      launched = null;
    } else if (process.env.FRESH === '1') {
      await launched.close();
      launched = null;
    } else {
      await page.close();
    }
  }
  if (launched) await launched.close();
  console.log(`freezes ${freezes} of ${count}`);
}

(mode === 'play' ? play() : starts(Number(arg))).then(() => process.exit(0), error => {
  console.error(error);
  process.exit(1);
});
