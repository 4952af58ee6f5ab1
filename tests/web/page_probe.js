'use strict';
// What the web test and bench/web_sound.sh watch on the plain page: when
// each frame was drawn and at which demoTime.

// Installed before the page's own script: the time of the starting click,
// then every later animation frame's wall-clock time (ms) and the demoTime
// the page reports after it (window.demoTime), or null where the page
// reports none. Before the click the frames are puppeteer's own polls. The
// wall clock is Date's, read once: Firefox's performance.timeOrigin can lie
// a minute from it.
function recordFrames(page) {
  return page.evaluateOnNewDocument(() => {
    const origin = Date.now() - performance.now();
    const wall = () => origin + performance.now();
    window.probeFrames = [];
    const request = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = callback => request(time => {
      callback(time);
      if (window.probeClick === undefined) return;
      const demoTime = window.demoTime ? window.demoTime() : null;
      window.probeFrames.push([wall(), demoTime]);
    });
    addEventListener('pointerdown', () => { window.probeClick ??= wall(); },
      { capture: true });
  });
}

// The plain page, loaded up to its start prompt, its frames recorded.
async function openPlain(page, url, hash = '') {
  await recordFrames(page);
  await page.goto(`${url}index.html${hash}`);
  await page.waitForFunction(() => document.getElementById('message').textContent.includes('click'),
    { timeout: 60000 });
}

// The frames as cue_sync.py reads them: "frame <demoTime> <ns>" lines, or,
// from a page that reports no demoTime, the demo clock's ticks from the click
// ("start" and "flip" lines), which is when that page starts its clock.
async function frameLog(page) {
  const [frames, click] = await page.evaluate(() => [window.probeFrames, window.probeClick]);
  const ns = ms => BigInt(Math.round(ms * 1e6)).toString();
  if (frames.length && frames[0][1] !== null)
    return frames.map(([at, demoTime]) => `frame ${demoTime} ${ns(at)}`).join('\n') + '\n';
  return `start ${Math.round(click)}\n` + frames.map(([at]) => `flip ${Math.round(at)} ${ns(at)}`).join('\n') + '\n';
}

module.exports = { openPlain, frameLog };
