'use strict';
// The page around the demo (demo-web.js, built from src/platform/web/).
//
// Plain: loads (pictures, then sounds, then the sound's worklet), shows the
// first title frame dimmed until a click or a key, then starts the demo and
// its music together, asks for full screen and draws one frame per display
// refresh. A hidden page pauses, picture and sound, until a click or a key
// once it is back. Escape, or leaving full screen, ends the demo, and the
// page offers to play again in a fresh instance.
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
  // per page) at the mix's rate and hands the samples to the demo. The demo's
  // own mix runs in the audio worklet (sound-worklet.js over sound-mix.wasm,
  // built from the same C++), off this thread, so that a busy page leaves no
  // gap in the sound: the demo's module queues what it tells the mix, and the
  // page passes that on after every frame. The context, the worklet and its
  // mix are made while the demo loads; the click only starts the context.
  const kMixRate = 44100;
  // How much further the mix keeps behind the clock than the browser takes
  // from mixing a piece of sound to playing it: a cue played on a frame
  // reaches the worklet before its place on the music is mixed. And never
  // less than the least delay: chromium on PulseAudio says 20 ms at the
  // start and takes up to 60 ms a few seconds later.
  const kCueMarginMs = 25;
  const kLeastMixDelayMs = 90;
  // The longest wait at the click for the browser to open its sound device;
  // after that the demo starts, and its sound catches up when it comes.
  const kSoundStartMs = 5000;
  // A page that leaves full screen and is hidden this soon after is a switch
  // to another tab, not the browser's Escape.
  const kTabSwitchMs = 500;
  let decodedSounds = null;
  let speaker = null;

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

  // Browsers keep a context made before a click suspended until then.
  async function makeSpeaker() {
    const audio = new AudioContext({ sampleRate: kMixRate, latencyHint: 'interactive' });
    const [mixModule] = await Promise.all([
      fetch('sound-mix.wasm').then(response => {
        if (!response.ok) throw new Error('cannot load sound-mix.wasm');
        return response.arrayBuffer();
      }),
      audio.audioWorklet.addModule('sound-worklet.js'),
    ]);
    const node = new AudioWorkletNode(audio, 'demo-mix',
      { numberOfInputs: 0, outputChannelCount: [2], processorOptions: { mixModule } });
    node.connect(audio.destination);
    return { audio, node, ticksAtZero: null };
  }

  // Resolves once the context plays, its time moving on: some browsers take
  // a second or more after the click to open the device.
  function soundStarted() {
    const { audio } = speaker;
    audio.resume().catch(() => {});
    const from = audio.currentTime;
    const deadline = performance.now() + kSoundStartMs;
    return new Promise(resolve => {
      const poll = () => {
        if ((audio.state === 'running' && audio.currentTime > from + 0.03) || performance.now() > deadline) resolve();
        else setTimeout(poll, 5);
      };
      poll();
    });
  }

  // Firefox answers outputLatency, and getOutputTimestamp() which reads it,
  // by a call to its audio server that waits under the audio graph's lock;
  // while the sound plays, that server may be waiting in turn for the graph,
  // and the page freezes for good. There the page asks neither and takes the
  // latency Firefox reports on PulseAudio.
  const kAsksLatency = !/Firefox\//.test(navigator.userAgent);
  const kFirefoxLatencyMs = 42;

  // The demo's tick count at which this context's time 0 is heard: the later
  // of what its output timestamp and its declared latency say.
  function heardTicksAtZero() {
    const { audio } = speaker;
    const now = performance.now();
    let heard = now + kFirefoxLatencyMs - 1000 * audio.currentTime;
    if (kAsksLatency) {
      const stamp = audio.getOutputTimestamp?.() ?? {};
      const stamped = stamp.performanceTime ? stamp.performanceTime - 1000 * stamp.contextTime : -Infinity;
      heard = Math.max(stamped, now + 1000 * ((audio.baseLatency ?? 0) + (audio.outputLatency ?? 0) - audio.currentTime));
    }
    return demo._webTicks() - now + heard;
  }

  // What the demo told its mix since the last call, and where the clock
  // stands at the speakers, followed slowly: the estimate jitters.
  function tellMix(extra = {}) {
    const heard = heardTicksAtZero();
    speaker.ticksAtZero = speaker.ticksAtZero === null ? heard : speaker.ticksAtZero + (heard - speaker.ticksAtZero) / 16;
    const message = { ...extra, ticksAtZero: speaker.ticksAtZero };
    const bytes = demo._webTakeMixCommands();
    if (bytes) message.batch = demo.HEAPU8.slice(demo._webMixCommands(), demo._webMixCommands() + bytes).buffer;
    speaker.node.port.postMessage(message, message.batch ? [message.batch] : []);
  }

  let demo = null;
  // loading, ready (the prompt), starting (waiting for the sound), running,
  // paused (the page was hidden), ended
  let state = 'loading';
  // For the test and the benchmark.
  window.demoTime = () => (demo ? demo._webDemoTime() >>> 0 : null);
  window.demoState = () => state;

  function enterFullScreen() {
    if (stage.requestFullscreen && !document.fullscreenElement) stage.requestFullscreen().catch(() => {});
  }

  function finish() {
    if (state === 'ended') return;
    state = 'ended';
    demo._webEnd();
    tellMix();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    show('', { button: true });
  }

  function frame() {
    if (state !== 'running') return;
    const going = demo._webStep();
    present(demo);
    tellMix();
    if (going) requestAnimationFrame(frame);
    else finish();
  }

  async function start() {
    panel.hidden = true;
    canvas.classList.remove('dimmed');
    enterFullScreen();
    state = 'starting';
    await soundStarted();
    if (state !== 'starting') return;
    if (!demo._webBegin()) {
      finish();
      return;
    }
    speaker.ticksAtZero = null;
    const ahead = heardTicksAtZero() + 1000 * speaker.audio.currentTime - demo._webTicks();
    tellMix({ delay: Math.round(Math.max(kLeastMixDelayMs, ahead + kCueMarginMs)) });
    state = 'running';
    if (document.hidden) pause();
    else requestAnimationFrame(frame);
  }

  function pause() {
    if (state !== 'running') return;
    state = 'paused';
    demo._webPause(1);
    tellMix();
    canvas.classList.add('dimmed');
    show('paused: click or press a key to go on');
  }

  function resume() {
    state = 'running';
    panel.hidden = true;
    canvas.classList.remove('dimmed');
    enterFullScreen();
    demo._webPause(0);
    tellMix();
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
    speaker ??= await makeSpeaker();
    return true;
  }

  async function runPlain() {
    show('Loading…', { bar: true });
    if (!await prepare()) return;
    demo._webDrawFirstFrame();
    present(demo);
    canvas.classList.add('dimmed');
    show('click or press a key to start');
    state = 'ready';
  }

  // A click or a key starts the demo at the prompt and goes on after a
  // pause; Escape ends it.
  const onInput = event => {
    if (event.key === 'Escape') {
      if (state === 'running') {
        demo._webEscape(1);
        demo._webEscape(0);
      } else if (state === 'paused' || state === 'starting') {
        finish();
      }
    } else if (state === 'ready') {
      start();
    } else if (state === 'paused') {
      resume();
    }
  };
  addEventListener('pointerdown', onInput);
  addEventListener('keydown', onInput);
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) pause();
  });
  // Browsers keep the Escape that leaves full screen to themselves; a switch
  // to another tab leaves full screen too, and pauses instead.
  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement || state !== 'running') return;
    setTimeout(() => {
      if (state === 'running' && !document.hidden) onInput({ key: 'Escape' });
    }, kTabSwitchMs);
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
