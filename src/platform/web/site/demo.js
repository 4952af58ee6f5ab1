'use strict';
// The page around the demo (demo-web.js, built from src/platform/web/).
//
// Plain: loads (pictures, then sounds), shows the first title frame dimmed
// until a click or a key, then starts the demo and its music, asks for full
// screen and draws one frame per display refresh; Escape, or leaving full screen, ends it, and
// the page offers to play again in a fresh instance.
//
// Test hook, index.html?seed=S&fps=N&at=T: frames on demo-capture's grid
// (frame n at demoTime floor(n x 1000 / N), every frame in order), without
// sound and without a click, until the frame of demoTime T, which stays in
// the canvas; then window.demoFrameReady = T. With several times (at=T1,T2)
// it stops at each and goes on when window.demoContinue() is called. Options
// demo-capture refuses set window.demoFrameError to its message.
(() => {
  const kWidth = 640;
  const kHeight = 480;
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d');
  const panel = document.getElementById('panel');
  const message = document.getElementById('message');
  const progress = document.getElementById('progress');
  const again = document.getElementById('again');
  const query = new URLSearchParams(location.search);

  window.demoFramesDrawn = 0;

  function show(text, { bar = false, button = false } = {}) {
    panel.hidden = false;
    message.textContent = text;
    progress.hidden = !bar;
    again.hidden = !button;
  }

  let scriptLoaded = null;
  function loadScript() {
    scriptLoaded ??= new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'demo-web.js';
      script.onload = resolve;
      script.onerror = () => reject(new Error('cannot load demo-web.js'));
      document.head.appendChild(script);
    });
    return scriptLoaded;
  }

  // A fresh instance of the demo, its pictures loaded; the progress bar
  // follows the download of the data package.
  async function loadDemo() {
    await loadScript();
    return createDemo({
      print: text => console.log(text),
      printErr: text => console.error(text),
      setStatus: text => {
        const m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
        if (m) progress.value = 0.5 * Number(m[1]) / Number(m[2]);
      },
    });
  }

  function present(demo) {
    const pixels = new Uint8ClampedArray(demo.HEAPU8.buffer, demo._webPresent(), kWidth * kHeight * 4);
    context.putImageData(new ImageData(pixels, kWidth, kHeight), 0, 0);
    ++window.demoFramesDrawn;
  }

  async function runTestHook() {
    show('Loading…', { bar: true });
    const demo = await loadDemo();
    const problem = demo.ccall('webCaptureOptions', 'string', ['string', 'string', 'string'],
      [query.get('seed') ?? '1', query.get('fps') ?? '60', query.get('at')]);
    if (problem) {
      show(problem);
      window.demoFrameError = problem;
      return;
    }
    if (!demo._webLoad(demo._webGridSeed())) {
      window.demoFrameError = 'the demo could not start';
      return;
    }
    panel.hidden = true;
    const times = [...new Set(query.get('at').split(',').map(Number))].sort((a, b) => a - b);
    let next = 0;
    // Frames in slices, so that the page stays responsive.
    const run = () => {
      const sliceEnd = performance.now() + 40;
      while (performance.now() < sliceEnd) {
        if (demo._webGridFrame() < 0) {
          window.demoFrameError = `the demo ends before demoTime ${times[next]}`;
          return;
        }
        if (demo._webDemoTime() >>> 0 !== times[next]) continue;
        present(demo);
        window.demoFrameReady = times[next];
        if (++next < times.length) window.demoContinue = () => setTimeout(run);
        return;
      }
      setTimeout(run);
    };
    run();
  }

  // Sound, on the plain page only. The browser decodes the MP3 files (once
  // per page) at the mix's rate; the samples go to the demo's own mix, which
  // the page pulls into an audio worklet a little ahead of the speakers.
  const kMixRate = 44100;
  const kLeadFrames = 3072;  // about 70 ms queued in the worklet
  let decodedSounds = null;
  let audio = null;
  let workletLoaded = null;
  let speaker = null;
  let framesSent = 0;
  let framesPlayed = 0;
  let soundPeak = 0;
  let speakerRun = 0;  // tells a run's late speaker from the current one
  // For the test: seconds of the mix played, and its loudest sample (0..1).
  window.demoAudioTime = () => framesPlayed / kMixRate;
  window.demoAudioPeak = () => soundPeak;

  async function decodeSounds(names) {
    const decoder = new OfflineAudioContext(2, 1, kMixRate);
    let done = 0;
    return new Map(await Promise.all(names.map(async name => {
      const response = await fetch(name);
      if (!response.ok) throw new Error(`cannot load ${name}`);
      const buffer = await decoder.decodeAudioData(await response.arrayBuffer());
      progress.value = 0.5 + 0.5 * ++done / names.length;
      return [name, buffer];
    })));
  }

  function toSample(x) {
    return Math.max(-32768, Math.min(32767, Math.round(x * 32768)));
  }

  // Hands every sound file to the demo as interleaved 16-bit stereo.
  async function handSoundsTo(instance) {
    const names = [];
    for (let i = 0, name; (name = instance._webSoundFileName(i)); ++i) names.push(instance.UTF8ToString(name));
    decodedSounds ??= await decodeSounds(names);
    for (const [name, buffer] of decodedSounds) {
      const at = instance.ccall('webSoundFile', 'number', ['string', 'number'], [name, buffer.length]);
      const out = new Int16Array(instance.HEAP16.buffer, at, buffer.length * 2);
      const left = buffer.getChannelData(0);
      const right = buffer.numberOfChannels > 1 ? buffer.getChannelData(1) : left;
      for (let i = 0; i < buffer.length; ++i) {
        out[2 * i] = toSample(left[i]);
        out[2 * i + 1] = toSample(right[i]);
      }
    }
  }

  // Called within the click or key press that starts the demo: browsers
  // start sound only then.
  async function connectSpeaker() {
    const thisRun = ++speakerRun;
    audio ??= new AudioContext({ sampleRate: kMixRate, latencyHint: 'interactive' });
    audio.resume();
    workletLoaded ??= audio.audioWorklet.addModule('sound-worklet.js');
    await workletLoaded;
    if (thisRun !== speakerRun || !running) return;
    speaker = new AudioWorkletNode(audio, 'demo-mix', { numberOfInputs: 0, outputChannelCount: [2] });
    framesSent = framesPlayed = soundPeak = 0;
    speaker.port.onmessage = event => ({ played: framesPlayed, peak: soundPeak } = event.data);
    speaker.connect(audio.destination);
  }

  function pumpSound() {
    if (!speaker) return;
    const wanted = kLeadFrames - (framesSent - framesPlayed);
    if (wanted < 128) return;
    const samples = new Int16Array(demo.HEAP16.buffer, demo._webSoundMix(wanted), wanted * 2).slice();
    speaker.port.postMessage(samples, [samples.buffer]);
    framesSent += wanted;
  }

  function disconnectSpeaker() {
    ++speakerRun;
    if (speaker) speaker.disconnect();
    speaker = null;
  }

  let demo = null;
  let running = false;

  function sendEscape() {
    if (!running) return;
    demo._webEscape(1);
    demo._webEscape(0);
  }

  function finish() {
    running = false;
    disconnectSpeaker();
    demo._webEnd();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    show('', { button: true });
  }

  function start() {
    panel.hidden = true;
    canvas.classList.remove('dimmed');
    if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
    running = true;
    connectSpeaker().catch(error => console.error(error));
    if (!demo._webBegin()) {
      finish();
      return;
    }
    const frame = () => {
      if (!running) return;
      const going = demo._webStep();
      present(demo);
      pumpSound();
      if (going) requestAnimationFrame(frame);
      else finish();
    };
    requestAnimationFrame(frame);
  }

  // Seeded from the calendar time, as the native demo is.
  async function prepare() {
    demo = await loadDemo();
    if (!demo._webLoad(Math.floor(Date.now() / 1000) >>> 0)) {
      show('The demo could not start (see the console).');
      return false;
    }
    await handSoundsTo(demo);
    return true;
  }

  async function runPlain() {
    show('Loading…', { bar: true });
    if (!await prepare()) return;
    demo._webDrawFirstFrame();
    present(demo);
    canvas.classList.add('dimmed');
    show('click or press a key to start');
    const begin = () => {
      removeEventListener('pointerdown', begin);
      removeEventListener('keydown', begin);
      start();
    };
    addEventListener('pointerdown', begin);
    addEventListener('keydown', begin);
  }

  addEventListener('keydown', event => {
    if (event.key === 'Escape') sendEscape();
  });
  // Browsers keep the Escape that leaves full screen to themselves.
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) sendEscape();
  });
  again.addEventListener('click', async () => {
    show('Loading…', { bar: true });
    if (await prepare()) start();
  });

  const failed = error => {
    console.error(error);
    show(`The demo could not start: ${error.message ?? error}`);
  };
  (query.has('at') ? runTestHook() : runPlain()).catch(failed);
})();
