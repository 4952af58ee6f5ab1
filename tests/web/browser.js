'use strict';
// Debian's chromium or firefox-esr, through puppeteer-core (Firefox over
// WebDriver BiDi), on a fresh profile that close() removes; or WebKitGTK
// (webkit.js), in windows on the X display of the environment. Sound is not
// muted: it goes to the PulseAudio server of the environment (PULSE_SERVER).
// Headless unless told otherwise, as under a private Xvfb.
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { launchWebKit } = require('./webkit');

const kCommands = { chromium: 'chromium', firefox: 'firefox-esr' };
const executableOf = kind => execFileSync('sh', ['-c', `command -v ${kCommands[kind]}`]).toString().trim();

async function launchBrowser(kind, { headless = true, args = [] } = {}) {
  if (kind === 'webkit') return launchWebKit();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `demo-web-${kind}-`));
  const common = { executablePath: executableOf(kind), headless, userDataDir: profile };
  const browser = kind === 'firefox'
    ? await puppeteer.launch({ ...common, browser: 'firefox', protocolTimeout: 180000 })
    : await puppeteer.launch({
      ...common,
      ignoreDefaultArgs: ['--mute-audio'],
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run', ...args],
    });
  const close = async () => {
    // A browser that hangs on its way out is ended by its process id.
    const process = browser.process();
    await Promise.race([browser.close(), new Promise(resolve => setTimeout(resolve, 10000))]).catch(() => {});
    if (process && process.exitCode === null) process.kill('SIGKILL');
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

module.exports = { launchBrowser };
