#!/bin/bash
# Frame times of the web build in headless chromium (site/bench.html): per
# scene frame_ms <scene> <mean> <worst>; then the player's jumps, jump_ms
# <median> <worst>, and the first one after load. Build the site first
# (scripts/web.sh --build-only).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/tests/web/serve.sh"
SERVER_PID=""
trap '[ -z "$SERVER_PID" ] || kill "$SERVER_PID"' EXIT
serve_site "$ROOT/build-web/site"
NODE_PATH="$ROOT/build-web/npm/node_modules" node - "$SITE_URL" "$ROOT/tests/web/browser.js" <<'JS'
const [url, browserJs] = process.argv.slice(2);
const { launchBrowser } = require(browserJs);
(async () => {
  const { browser, close } = await launchBrowser('chromium');
  try {
    const page = await browser.newPage();
    await page.goto(`${url}bench.html`);
    await page.waitForFunction(() => window.benchResult !== undefined, { timeout: 600000 });
    console.log(await page.evaluate(() => window.benchResult));
  } finally {
    await close();
  }
})().catch(error => { console.error(error); process.exit(1); });
JS
