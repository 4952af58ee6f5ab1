'use strict';
// The page around the demo (demo-web.js, built from src/platform/web/).
//
// Plain: loads (pictures, then sounds, then the sound's worklet), shows the
// first title frame dimmed until a click, a tap or a key, then starts the
// sound, the demo and its music together, asks for full screen where there
// is one (an iPhone has none: the picture fills the visible viewport) and
// draws one frame per display refresh. A hidden page pauses, picture and
// sound, until a click or a key once it is back. Escape, or leaving full screen by the browser's Escape,
// ends the demo, and the page offers to play again in a fresh instance.
//
// The player (src/player/player.h) takes the desktop's keys, and a bar over the
// bottom of the picture plays and pauses, seeks (dragged, or a tap; near a
// scene's mark it lands on the scene's start), shows the time, gives a link
// to the moment shown and goes to full screen and back. It hides after 2 s
// of play without a pointer moving, and shows on a movement or a tap and
// while paused. An address ending in #t=SECONDS (a media fragment: also
// npt:SECONDS and [h:]m:ss) opens on that moment's exact frame, and the
// click plays from there. The player's recording is drawn while the page is
// idle, from the prompt on; up to the address's moment before it.
//
// Test hook, index.html?seed=S&fps=N&at=T: frames on demo-capture's grid
// (frame n at demoTime floor(n x 1000 / N), every frame in order), without
// sound and without a click, until the frame of demoTime T, which stays in
// the canvas; then window.demoFrameReady = T. With several times (at=T1,T2)
// it stops at each and goes on when window.demoContinue() is called. Options
// demo-capture refuses set window.demoFrameError to its message.
// index.html?seed=S without at is the plain page on seed S.
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
  const keysHelp = document.getElementById('keys');
  const bar = document.getElementById('bar');
  const playButton = document.getElementById('play');
  const seekBar = document.getElementById('seek');
  const played = document.getElementById('played');
  const clock = document.getElementById('clock');
  const linkButton = document.getElementById('link');
  const fullButton = document.getElementById('full');
  const query = new URLSearchParams(location.search);

  window.demoFramesDrawn = 0;

  function show(text, { bar = false, button = false, keys = false } = {}) {
    panel.hidden = false;
    message.textContent = text;
    progress.hidden = !bar;
    again.hidden = !button;
    keysHelp.hidden = !keys;
  }

  // A script of the site's, loaded once however often it is asked for.
  const scriptsLoaded = new Map();
  function loadScript(name) {
    if (!scriptsLoaded.has(name)) {
      scriptsLoaded.set(name, new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = name;
        script.onload = resolve;
        script.onerror = () => reject(new Error(`cannot load ${name}`));
        document.head.appendChild(script);
      }));
    }
    return scriptsLoaded.get(name);
  }

  // A fresh instance of the demo, its pictures loaded; the progress bar
  // follows the download of the data package.
  async function loadDemo() {
    await loadScript('demo-web.js');
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
    const times = [...new Set((query.get('at') ?? '').split(',').map(Number))].sort((a, b) => a - b);
    const grid = demo.ccall('webSetGrid', 'string', ['number', 'number'],
      [Number(query.get('seed') ?? 1) >>> 0, Number(query.get('fps') ?? 60)]);
    const problem = grid || times.map(t => demo.ccall('webOffGrid', 'string', ['number'], [t])).find(Boolean);
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

  // Frames of a sound handed to the demo at a time: its room stays small.
  const kSamplePieceFrames = 1 << 16;

  // Hands every sound file to the demo, which makes 16-bit stereo of it.
  async function handSoundsTo(instance) {
    const names = [];
    for (let i = 0, name; (name = instance._webSoundFileName(i)); ++i) names.push(instance.UTF8ToString(name));
    decodedSounds ??= await decodeSounds(names);
    for (const [name, buffer] of decodedSounds) {
      const at = instance.ccall('webSoundFile', 'number', ['string', 'number'], [name, buffer.length]);
      const left = buffer.getChannelData(0);
      const right = buffer.numberOfChannels > 1 ? buffer.getChannelData(1) : left;
      for (let from = 0; from < buffer.length; from += kSamplePieceFrames) {
        const frames = Math.min(kSamplePieceFrames, buffer.length - from);
        // After the call: the heap may have grown, and with it a new view.
        const room = instance._webSampleRoom(frames) / 4;
        instance.HEAPF32.set(left.subarray(from, from + frames), room);
        instance.HEAPF32.set(right.subarray(from, from + frames), room + frames);
        instance._webTakeSamples(at + 4 * from, frames);
      }
    }
  }

  // The mix's frames a time where there is no AudioWorklet: it then runs on
  // the page's thread, a script processor's two buffers ahead of the
  // speakers; each outlasts a stall of the page's thread of 150 ms.
  const kPageMixFrames = 8192;

  // Browsers keep a context made before a click suspended until then. An
  // iPhone whose switch is on silent plays it only as playback, not as the
  // sound of a page. Where the page is not a secure context (plain http
  // from a LAN address, the usual way to try it on a phone) there is no
  // AudioWorklet, and the mix runs on the page's thread instead.
  async function makeSpeaker() {
    if (navigator.audioSession) navigator.audioSession.type = 'playback';
    const audio = new AudioContext({ sampleRate: kMixRate, latencyHint: 'interactive' });
    const mixModule = fetch('sound-mix.wasm').then(response => {
      if (!response.ok) throw new Error('cannot load sound-mix.wasm');
      return response.arrayBuffer();
    });
    if (!audio.audioWorklet) return { ...await mixOnPageThread(audio, await mixModule), ticksAtZero: null };
    await audio.audioWorklet.addModule('sound-worklet.js');
    const node = new AudioWorkletNode(audio, 'demo-mix',
      { numberOfInputs: 0, outputChannelCount: [2], processorOptions: { mixModule: await mixModule } });
    node.connect(audio.destination);
    node.port.onmessage = ({ data }) => console.error(data.error);
    return { audio, port: node.port, extraDelayMs: 0, ticksAtZero: null };
  }

  // The worklet's mix (sound-worklet.js) on the page's thread, fed by a
  // script processor: each buffer mixed for the time it will be heard.
  async function mixOnPageThread(audio, mixModule) {
    await loadScript('sound-worklet.js');
    const mix = new DemoMixRunner(mixModule);
    const node = audio.createScriptProcessor(kPageMixFrames, 0, 2);
    node.onaudioprocess = ({ outputBuffer, playbackTime }) =>
      mix.fill(outputBuffer.getChannelData(0), outputBuffer.getChannelData(1), playbackTime);
    node.connect(audio.destination);
    const port = { postMessage: data => mix.take(data) };
    return { audio, node, port, extraDelayMs: 2000 * kPageMixFrames / kMixRate };
  }

  // Inside a click, a key or a tap, before anything that may use up its
  // user activation (WebKit's full screen does): the context resumed, as
  // after a system's interruption or a hidden page's suspension.
  function wakeSpeaker() {
    if (speaker && speaker.audio.state !== 'running' && speaker.audio.state !== 'closed')
      speaker.audio.resume().catch(() => {});
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

  // A context's time is heard after it is mixed, by no more than this.
  const kMostOutputLatencyMs = 500;

  // The demo's tick count at which this context's time 0 is heard: the later
  // of what its output timestamp and its declared latency say. A timestamp
  // is taken only where it tells of a moment already heard, with its sound
  // after its mix and not long after: WebKitGTK's lies ahead of the clock by
  // the context's time, which passed the rest for the context's first half
  // second, and the mix, once moved that far ahead, stayed early for good.
  function heardTicksAtZero() {
    const { audio } = speaker;
    const now = performance.now();
    const mixed = now - 1000 * audio.currentTime;
    let heard = mixed + kFirefoxLatencyMs;
    if (kAsksLatency) {
      const stamp = audio.getOutputTimestamp?.() ?? {};
      const past = stamp.performanceTime > 0 && stamp.performanceTime <= performance.now();
      const stamped = past ? stamp.performanceTime - 1000 * stamp.contextTime : -Infinity;
      const lag = stamped - mixed;
      heard = mixed + 1000 * ((audio.baseLatency ?? 0) + (audio.outputLatency ?? 0));
      if (lag >= 0 && lag <= kMostOutputLatencyMs) heard = Math.max(heard, stamped);
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
    speaker.port.postMessage(message, message.batch ? [message.batch] : []);
  }

  let demo = null;
  // loading, ready (the prompt), starting (waiting for the sound), running,
  // paused (the page was hidden), resuming (waiting for the sound), ended
  let state = 'loading';
  // For the test and the benchmark.
  window.demoTime = () => (demo ? demo._webDemoTime() >>> 0 : null);
  window.demoState = () => state;

  // SDL 1.2's numbers (src/platform/web/include/SDL.h) for the keys the demo
  // takes: Escape and the player's.
  const kSdlKeys = new Map([['Escape', 27], [' ', 32], [',', 44], ['.', 46], ['ArrowRight', 275],
    ['ArrowLeft', 276], ['Home', 278], ['PageUp', 280], ['PageDown', 281]]);
  // Held down, only the frame steps repeat: a jump takes up to a few tenths
  // of a second, and repeated ones would pile up.
  const kRepeating = new Set([',', '.']);

  function sendKey(key) {
    demo._webKey(kSdlKeys.get(key), 1);
    demo._webKey(kSdlKeys.get(key), 0);
  }

  // The player's recording (src/player/recorder.h) is drawn in the page's idle
  // time, a frame at a time while more of the idle period is left than a
  // frame takes at worst, so that no display refresh waits for it. Where
  // there is no requestIdleCallback, a short slice after each turn.
  const kRecordMarginMs = 6;
  const whenIdle = window.requestIdleCallback?.bind(window) ?? (callback => setTimeout(() => {
    const end = performance.now() + 2 * kRecordMarginMs;
    callback({ timeRemaining: () => end - performance.now() });
  }));
  // Records a frame at a time while `going()` holds; false once the whole
  // timeline is recorded.
  function recordWhile(instance, going) {
    while (going())
      if (!instance._webRecord(1)) return false;
    return true;
  }
  function recordWhenIdle(instance) {
    whenIdle(deadline => {
      if (instance !== demo || state === 'ended') return;
      if (recordWhile(instance, () => deadline.timeRemaining() > kRecordMarginMs)) recordWhenIdle(instance);
    });
  }

  // Records until a jump to demoTime `ms` lands at once, in slices that
  // keep the page responsive; the progress bar runs meanwhile.
  async function recordUpTo(ms) {
    const behind = () => !demo._webReaches(ms);
    progress.removeAttribute('value');
    let more = true;
    while (more && behind()) {
      const sliceEnd = performance.now() + 40;
      more = recordWhile(demo, () => behind() && performance.now() < sliceEnd);
      await new Promise(resolve => setTimeout(resolve));
    }
  }

  // The moment of a media fragment address (#t=12.5, #t=npt:1:02.5, an end
  // after a comma ignored: the demo plays on) in ms, or null.
  function momentOf(hash) {
    const t = new URLSearchParams(hash.slice(1)).get('t') ?? '';
    const m = /^(?:npt:)?(?:(?:(\d+):)?(\d+):)?(\d+(?:\.\d*)?)(?:,.*)?$/.exec(t);
    if (!m) return null;
    const [, hours = 0, minutes = 0, seconds] = m;
    return Math.round(((Number(hours) * 60 + Number(minutes)) * 60 + Number(seconds)) * 1000);
  }

  // m:ss.s, the tenth rounded down, as the desktop's bar has it.
  function clockText(ms) {
    const tenths = Math.floor(ms / 100);
    return `${Math.floor(tenths / 600)}:${String(Math.floor(tenths / 10) % 60).padStart(2, '0')}.${tenths % 10}`;
  }

  // The bar. During play it shows for kBarShownMs after the pointer last
  // moved or tapped, or a player's key; while paused, dragging or hovered
  // it stays.
  const kBarShownMs = 2000;
  // A seek this close to a scene's mark, in CSS pixels, lands on its start.
  const kSnapPx = 8;
  let barUntil = 0;
  let sceneStarts = [];
  let endTime = 1;
  let dragging = null;  // the pointer dragging the seek bar
  let seekTarget = null;  // a seek for the next display refresh

  const poke = () => { barUntil = performance.now() + kBarShownMs; };
  const setText = (element, text) => { if (element.textContent !== text) element.textContent = text; };

  // The scenes' marks on the seek bar, from the demo's timeline.
  function markScenes() {
    endTime = demo._webLastFrameTime();
    sceneStarts = [];
    for (let i = 1, start; (start = demo._webSceneStart(i)) >= 0; ++i) sceneStarts.push(start);
    seekBar.querySelectorAll('.mark').forEach(mark => mark.remove());
    for (const start of sceneStarts) {
      const mark = document.createElement('div');
      mark.className = 'mark';
      mark.dataset.time = start;
      mark.style.left = `${100 * start / endTime}%`;
      seekBar.appendChild(mark);
    }
  }

  function updateBar() {
    const t = demo._webShownTime() >>> 0;
    const paused = demo._webPaused() !== 0;
    const waiting = demo._webWaiting() !== 0;
    const shown = paused || waiting || dragging !== null || performance.now() < barUntil || bar.matches(':hover');
    bar.classList.toggle('shown', shown);
    bar.classList.toggle('waiting', waiting);
    stage.classList.toggle('idle', !shown);
    setText(playButton, paused ? '\u25b6' : '\u275a\u275a');
    playButton.setAttribute('aria-label', paused ? 'play' : 'pause');
    played.style.width = `${100 * Math.min(t, endTime) / endTime}%`;
    setText(clock, `${clockText(t)} / ${clockText(endTime)}`);
  }

  // While the demo runs, on the next display refresh, so that a drag jumps
  // once a refresh at most; at the prompt and while hidden once recorded
  // up to there.
  async function seek(ms) {
    if (state === 'running') {
      seekTarget = ms;
    } else if (state === 'ready' || state === 'paused') {
      const before = state;
      await recordUpTo(ms);
      if (state !== before) return;
      demo._webJump(ms);
      present(demo);
      if (state === 'ready') showPrompt();
      else tellMix();
    }
  }

  function momentAt(clientX) {
    const box = seekBar.getBoundingClientRect();
    const x = Math.min(Math.max(clientX - box.left, 0), box.width);
    const near = sceneStarts.find(start => Math.abs(x - box.width * start / endTime) <= kSnapPx);
    return near ?? Math.round(endTime * x / box.width);
  }

  seekBar.addEventListener('pointerdown', event => {
    if (state !== 'running') return;
    dragging = event.pointerId;
    seekBar.setPointerCapture(event.pointerId);
    seek(momentAt(event.clientX));
  });
  seekBar.addEventListener('pointermove', event => {
    if (event.pointerId === dragging) seek(momentAt(event.clientX));
  });
  for (const type of ['pointerup', 'pointercancel'])
    seekBar.addEventListener(type, event => { if (event.pointerId === dragging) dragging = null; });

  // A button clicked keeps no focus, so that Space goes on pausing.
  for (const button of [playButton, linkButton, fullButton]) button.addEventListener('click', () => button.blur());
  playButton.addEventListener('click', () => sendKey(' '));
  linkButton.addEventListener('click', () => {
    // In ms: paused on a frame, the link opens on that very frame.
    const address = new URL(location.href);
    address.hash = `t=${(demo._webShownTime() >>> 0) / 1000}`;
    history.replaceState(null, '', address);
    const note = text => {
      linkButton.dataset.note = text;
      setTimeout(() => delete linkButton.dataset.note, 2000);
    };
    const copied = navigator.clipboard?.writeText(address.href) ?? Promise.reject();
    copied.then(() => note('copied'), () => note('in the address bar'));
  });
  fullButton.hidden = !stage.requestFullscreen;
  // Left through the button, full screen ends nothing.
  let leavingFullScreen = false;
  fullButton.addEventListener('click', () => {
    if (!document.fullscreenElement) {
      enterFullScreen();
    } else {
      leavingFullScreen = true;
      document.exitFullscreen().catch(() => {});
    }
  });
  addEventListener('hashchange', () => {
    const moment = momentOf(location.hash);
    if (moment !== null) seek(moment);
  });

  function enterFullScreen() {
    if (stage.requestFullscreen && !document.fullscreenElement) stage.requestFullscreen().catch(() => {});
  }

  function finish() {
    if (state === 'ended') return;
    state = 'ended';
    bar.hidden = true;
    demo._webEnd();
    tellMix();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    show('', { button: true });
  }

  // While a jump waits for the recording, each turn records for this long
  // too, beside the idle time: the picture and the sound hold meanwhile, so
  // that a late refresh costs nothing.
  const kWaitingRecordMs = 25;

  function frame() {
    if (state !== 'running') return;
    if (demo._webWaiting()) {
      const end = performance.now() + kWaitingRecordMs;
      recordWhile(demo, () => performance.now() < end);
    }
    let going = true;
    if (seekTarget === null) {
      going = demo._webStep();
    } else {
      demo._webJump(seekTarget);
      seekTarget = null;
    }
    // The sound first: a cue this frame played reaches the mix before the
    // picture is put on the canvas.
    tellMix();
    present(demo);
    updateBar();
    if (going) requestAnimationFrame(frame);
    else finish();
  }

  async function start() {
    const starting = soundStarted();
    panel.hidden = true;
    canvas.classList.remove('dimmed');
    enterFullScreen();
    state = 'starting';
    await starting;
    if (state !== 'starting') return;
    if (!demo._webBegin()) {
      finish();
      return;
    }
    speaker.ticksAtZero = null;
    const ahead = heardTicksAtZero() + 1000 * speaker.audio.currentTime - demo._webTicks();
    tellMix({ delay: Math.round(Math.max(kLeastMixDelayMs, ahead + speaker.extraDelayMs + kCueMarginMs)) });
    state = 'running';
    bar.hidden = false;
    poke();
    if (document.hidden) pause();
    else requestAnimationFrame(frame);
  }

  // Whether the page's pause stopped a demo that played: one the player
  // paused stays paused after it.
  let resumePlays = false;

  function pause() {
    if (state !== 'running') return;
    state = 'paused';
    bar.hidden = true;
    resumePlays = demo._webPaused() === 0;
    demo._webPause(1);
    tellMix();
    canvas.classList.add('dimmed');
    show('paused: click or press a key to go on');
  }

  // The clock goes on once the sound plays again: a browser may have
  // suspended the context while the page was hidden (WebKit does), and
  // where it is heard is then taken afresh.
  async function resume() {
    state = 'resuming';
    const playing = soundStarted();
    panel.hidden = true;
    canvas.classList.remove('dimmed');
    enterFullScreen();
    await playing;
    if (state !== 'resuming') return;
    state = 'running';
    bar.hidden = false;
    if (resumePlays) demo._webPause(0);
    speaker.ticksAtZero = null;
    tellMix();
    if (document.hidden) pause();
    else requestAnimationFrame(frame);
  }

  // The warp's fields of the player's recording, worked out by a worker of
  // their own from the moment the seed is known, and handed to the demo's
  // recording as they come: the page's idle time need not work them out.
  // Gives the function that hands them to the loaded demo, and a promise
  // that settles once the worker is done, or failed.
  function recordWarpBeside(seed) {
    const fields = [];
    let instance = null;
    let finished;
    const done = new Promise(resolve => { finished = resolve; });
    const hand = ({ frame, field }) => {
      instance.HEAPU8.set(field, instance._webWarpFieldRoom());
      instance._webTakeWarpField(frame);
    };
    const worker = new Worker('recording-worker.js');
    worker.onmessage = ({ data }) => {
      if (data.done) finished();
      else if (instance) hand(data);
      else fields.push(data);
    };
    worker.onerror = finished;
    worker.postMessage({ seed });
    const handTo = loaded => {
      instance = loaded;
      fields.splice(0).forEach(hand);
    };
    return { handTo, done };
  }

  // Loads the demo, seeded from the calendar time, as the native demo is, or
  // by the query. Gives, once it is loaded, `rest`: what the demo's start
  // waits for besides, the sounds and the speaker, and the warp's fields, so
  // that a jump anywhere at the prompt lands at once; or null if it cannot
  // start. A link's moment is recorded meanwhile.
  async function prepare() {
    const seed = (query.has('seed') ? Number(query.get('seed')) : Math.floor(Date.now() / 1000)) >>> 0;
    const warp = recordWarpBeside(seed);
    demo = await loadDemo();
    // Fetched and decoded by the browser while the demo starts up.
    const sounds = handSoundsTo(demo);
    if (!demo._webLoad(seed)) {
      show('The demo could not start (see the console).');
      return null;
    }
    warp.handTo(demo);
    markScenes();
    recordWhenIdle(demo);
    const speaking = (async () => { speaker ??= await makeSpeaker(); })();
    return { rest: Promise.all([sounds, speaking, warp.done]) };
  }

  function showPrompt() {
    const t = demo._webShownTime() >>> 0;
    show(`click or press a key to start${t ? ` at ${clockText(t)}` : ''}`, { keys: true });
  }

  async function runPlain() {
    show('Loading…', { bar: true });
    const prepared = await prepare();
    if (!prepared) return;
    const moment = momentOf(location.hash);
    if (moment) {
      show(`going to ${clockText(moment)}…`, { bar: true });
      await recordUpTo(moment);
      demo._webJump(moment);
    } else {
      demo._webDrawFirstFrame();
    }
    present(demo);
    await prepared.rest;
    canvas.classList.add('dimmed');
    showPrompt();
    state = 'ready';
  }

  // A click or a key starts the demo at the prompt and goes on after a
  // pause; Escape ends it; while it runs the player's keys go to the demo
  // and a tap shows the bar.
  const onInput = event => {
    if (event.key !== 'Escape') wakeSpeaker();
    if (event.key === 'Escape') {
      if (state === 'running') sendKey('Escape');
      else if (state === 'paused' || state === 'starting' || state === 'resuming') finish();
    } else if (state === 'ready') {
      start();
    } else if (state === 'paused') {
      resume();
    } else if (state === 'running') {
      poke();
      // A button that has the keyboard's focus takes its own Space and Enter.
      if (!kSdlKeys.has(event.key) || event.target.closest?.('button')) return;
      event.preventDefault();
      if (!event.repeat || kRepeating.has(event.key)) sendKey(event.key);
    }
  };
  // The events that carry a user's activation, which the sound needs to
  // start: a mouse's press, the end of a tap or of a pen's stroke, a key.
  addEventListener('pointerdown', event => { if (event.pointerType === 'mouse') onInput(event); });
  addEventListener('pointerup', event => { if (event.pointerType !== 'mouse') onInput(event); });
  addEventListener('keydown', onInput);
  stage.addEventListener('pointermove', poke);
  // A phone suspends, or interrupts, the sound of a page in the background.
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) pause();
    else wakeSpeaker();
  });
  // Browsers keep the Escape that leaves full screen to themselves; a switch
  // to another tab leaves full screen too, and pauses instead.
  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement || state !== 'running') return;
    if (leavingFullScreen) {
      leavingFullScreen = false;
      return;
    }
    setTimeout(() => {
      if (state === 'running' && !document.hidden) onInput({ key: 'Escape' });
    }, kTabSwitchMs);
  });
  again.addEventListener('click', async () => {
    show('Loading…', { bar: true });
    const prepared = await prepare();
    if (!prepared) return;
    await prepared.rest;
    start();
  });

  const failed = error => {
    console.error(error);
    show(`The demo could not start: ${error.message ?? error}`);
  };
  (query.has('at') ? runTestHook() : runPlain()).catch(failed);
})();
