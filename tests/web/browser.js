'use strict';
// Debian's chromium, headless, on a fresh profile that close() removes.
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

async function launchChromium(executablePath) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'demo-web-chromium-'));
  const browser = await puppeteer.launch({
    executablePath,
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

module.exports = { launchChromium };
