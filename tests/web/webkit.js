'use strict';
// WebKitGTK through webkit_driver.py, behind the part of puppeteer's page
// the web test and the benchmarks use, so that they run unchanged in it.
// Input is real: xdotool moves the pointer, clicks and types on the page's
// window, which openbox (started by the caller, as is the X server) has
// raised. A page hidden behind another is not hidden to WebKit: a page
// brought to the front minimizes every other, which hides them.
// Console errors and uncaught faults are collected in the page and handed
// to its 'console' and 'pageerror' listeners when it closes.
const { execFileSync, spawn } = require('child_process');
const fs = require('fs');
const path = require('path');
const readline = require('readline');

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));
const kKeys = { ' ': 'space', PageUp: 'Prior', PageDown: 'Next', ArrowRight: 'Right', ArrowLeft: 'Left' };
const kErrorWatch = `(() => {
  window.__pageErrors = [];
  const error = console.error.bind(console);
  console.error = (...parts) => { window.__pageErrors.push(['console', parts.join(' ')]); error(...parts); };
  addEventListener('error', event => window.__pageErrors.push(['pageerror', String(event.message)]));
  addEventListener('unhandledrejection', event => window.__pageErrors.push(['pageerror', String(event.reason)]));
})();`;

const xdotool = (...args) => execFileSync('xdotool', args.map(String));

async function launchWebKit() {
  const driver = spawn('/usr/bin/python3', [path.join(__dirname, 'webkit_driver.py')], { stdio: ['pipe', 'pipe', 'inherit'] });
  const waiting = new Map();
  let next = 0;
  readline.createInterface({ input: driver.stdout }).on('line', line => {
    const { id, value, error } = JSON.parse(line);
    const { resolve, reject } = waiting.get(id);
    waiting.delete(id);
    if (error !== undefined) reject(new Error(error));
    else resolve(value);
  });
  const send = command => new Promise((resolve, reject) => {
    waiting.set(++next, { resolve, reject });
    driver.stdin.write(JSON.stringify({ id: next, ...command }) + '\n');
  });
  const pages = new Set();

  async function newPage() {
    const { page: number, window } = await send({ op: 'open', width: 800, height: 600 });
    await send({ op: 'script', page: number, source: kErrorWatch });
    const listeners = { console: [], pageerror: [] };
    const call = body => send({ op: 'call', page: number, body });
    const evaluate = async (fn, ...args) => {
      const text = await call(`return JSON.stringify({ v: await (${fn})(...${JSON.stringify(args)}) });`);
      return JSON.parse(text).v;
    };
    const click = async (x, y) => {
      xdotool('windowactivate', '--sync', window);
      xdotool('mousemove', '--window', window, Math.round(x), Math.round(y), 'click', '1');
    };
    const page = {
      on: (kind, listener) => listeners[kind]?.push(listener),
      setViewport: ({ width, height }) => send({ op: 'resize', page: number, width, height }),
      evaluateOnNewDocument: (fn, ...args) => send({ op: 'script', page: number, source: `(${fn})(...${JSON.stringify(args)});` }),
      goto: url => send({ op: 'goto', page: number, url }),
      evaluate,
      async waitForFunction(fn, { timeout = 30000, polling = 50 } = {}, ...args) {
        for (const end = Date.now() + timeout; Date.now() < end; await sleep(polling))
          if (await evaluate(fn, ...args)) return;
        throw new Error(`waitForFunction timed out: ${fn}`);
      },
      mouse: { click },
      keyboard: {
        press: async key => {
          xdotool('windowactivate', '--sync', window);
          xdotool('key', kKeys[key] ?? key);
        },
      },
      async click(selector) {
        const [x, y] = await evaluate(s => {
          const box = document.querySelector(s).getBoundingClientRect();
          return [box.x + box.width / 2, box.y + box.height / 2];
        }, selector);
        await click(x, y);
      },
      async bringToFront() {
        for (const other of pages) if (other !== page) xdotool('windowminimize', '--sync', other.window);
        xdotool('windowactivate', '--sync', window);
      },
      async close() {
        const errors = await evaluate(() => window.__pageErrors).catch(() => []);
        for (const [kind, text] of errors ?? [])
          for (const listener of listeners[kind]) listener(kind === 'console' ? { type: () => 'error', text: () => text } : text);
        pages.delete(page);
        await send({ op: 'close', page: number });
      },
      window,
    };
    pages.add(page);
    return page;
  }

  // The most memory any of WebKit's page processes, the driver's
  // descendants, has held: their peak resident size, in MB.
  const peakPageMemoryMb = () => {
    const table = execFileSync('ps', ['-e', '-o', 'pid=,ppid=,comm=']).toString().trim().split('\n')
      .map(line => line.trim().split(/\s+/));
    const ours = new Set([String(driver.pid)]);
    let peak = 0;
    for (let grew = true; grew;) {
      grew = false;
      for (const [pid, ppid] of table) {
        if (ours.has(ppid) && !ours.has(pid)) {
          ours.add(pid);
          grew = true;
        }
      }
    }
    for (const [pid, , command] of table) {
      if (!ours.has(pid) || !command.startsWith('WebKitWebProc')) continue;
      const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
      peak = Math.max(peak, Number(/VmHWM:\s+(\d+)/.exec(status)[1]) / 1024);
    }
    return peak;
  };

  const close = async () => {
    driver.stdin.end();
    await Promise.race([new Promise(resolve => driver.on('exit', resolve)), sleep(5000)]);
    if (driver.exitCode === null) driver.kill('SIGKILL');
  };
  return { browser: { newPage, peakPageMemoryMb }, close };
}

module.exports = { launchWebKit };
