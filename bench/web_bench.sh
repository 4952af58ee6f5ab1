#!/bin/bash
# Frame times of the web build in headless chromium (site/bench.html): per
# scene frame_ms <scene> <mean> <worst>; then the player's jumps, jump_ms
# <median> <worst>, and the first ones after load without the page's worker
# (jump_first_alone_*). Then how
# long a link to a moment takes to open: from navigation to index.html#t=95
# until its start prompt shows that moment's frame (link_ready_ms), and to
# the plain page's prompt (plain_ready_ms), in a phone's viewport, at full
# speed and with the processor slowed four times as on a phone (puppeteer's
# emulateCPUThrottling); and, on the plain page, the first jump as soon as
# its prompt shows, to the warp scene's last frame, the slowest to reach
# (jump_first_ms): the median of RUNS (3) each. Build the site first
# (scripts/web.sh --build-only), or name another with SITE_DIR.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/tests/web/serve.sh"
SERVER_PID=""
trap '[ -z "$SERVER_PID" ] || kill "$SERVER_PID"' EXIT
serve_site "${SITE_DIR:-$ROOT/build-web/site}"
NODE_PATH="$ROOT/build-web/npm/node_modules" node - "$SITE_URL" "$ROOT/tests/web/browser.js" "${RUNS:-3}" <<'JS'
const [url, browserJs, runs] = process.argv.slice(2);
const { launchBrowser } = require(browserJs);

// From navigation to the start prompt, and on from there to the frame of a
// jump to `jumpTo` (ms of demoTime on the grid) if given, in ms.
async function readyTime(browser, address, throttle, jumpTo) {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
  await page.emulateCPUThrottling(throttle);
  const start = Date.now();
  await page.goto(address);
  await page.waitForFunction(() => window.demoState && window.demoState() === 'ready', { timeout: 120000, polling: 10 });
  let ms = Date.now() - start;
  if (jumpTo !== undefined) {
    const ready = Date.now();
    await page.evaluate(t => { location.hash = `#t=${t / 1000}`; }, jumpTo);
    await page.waitForFunction(t => window.demoTime() === t, { timeout: 120000, polling: 5 }, jumpTo);
    ms = Date.now() - ready;
  }
  await page.close();
  return ms;
}

(async () => {
  const { browser, close } = await launchBrowser('chromium');
  try {
    const page = await browser.newPage();
    await page.goto(`${url}bench.html`);
    await page.waitForFunction(() => window.benchResult !== undefined, { timeout: 600000 });
    console.log(await page.evaluate(() => window.benchResult));
    await page.close();
    for (const throttle of [1, 4]) {
      for (const [name, address, jumpTo] of [['plain_ready', `${url}index.html`], ['link_ready', `${url}index.html#t=95`],
        ['jump_first', `${url}index.html`, 74183]]) {
        const times = [];
        for (let i = 0; i < Number(runs); ++i) times.push(await readyTime(browser, address, throttle, jumpTo));
        times.sort((a, b) => a - b);
        console.log(`${name}_ms throttle=${throttle}x ${times[Math.floor(times.length / 2)]} (${times.join(' ')})`);
      }
    }
  } finally {
    await close();
  }
})().catch(error => { console.error(error); process.exit(1); });
JS
