'use strict';
// The demo's speakers: the demo's own mix (sound-mix.wasm, from
// src/platform/web/worklet_mix.cpp). The page sends it what the demo tells
// the mix (batches of commands, after every frame) and the demo's tick
// count at which the context's time 0 is heard; each piece is mixed for the
// tick count at which it will be heard. It runs on the audio thread as a
// worklet's processor, or, where the page has no AudioWorklet, on the
// page's thread (demo.js loads this file as a script there).
class DemoMixRunner {
  constructor(mixModule, report = error => console.error(error)) {
    const module = new WebAssembly.Module(mixModule);
    this.mix = new WebAssembly.Instance(module, {
      env: { emscripten_notify_memory_growth: () => {} },
      wasi_snapshot_preview1: { proc_exit: code => { throw new Error(`the mix ended with status ${code}`); } },
    }).exports;
    this.mix._initialize();
    this.ticksAtZero = null;
    this.report = report;
  }

  take(data) {
    try {
      this.ticksAtZero = data.ticksAtZero;
      if (data.batch) {
        const bytes = new Uint8Array(data.batch);
        // Room first: a large batch (the music decoded up to a jump's moment)
        // grows the memory, which leaves an earlier view of it detached.
        const at = this.mix.mixInbox(bytes.length);
        new Uint8Array(this.mix.memory.buffer, at, bytes.length).set(bytes);
        this.mix.mixTake();
      }
      // After the batch, whose start of a run resets the mix.
      if (data.delay !== undefined) this.mix.mixSetDelay(data.delay);
    } catch (error) {
      this.report(`the mix: ${error.message ?? error}`);
    }
  }

  // Mixes the channels' length of frames for context time `time` (s).
  fill(left, right, time) {
    if (this.ticksAtZero === null) return;
    const ticks = Math.round(this.ticksAtZero + 1000 * time) >>> 0;
    const at = this.mix.mixFill(left.length, ticks);  // before the memory is read, as above
    const mixed = new Int16Array(this.mix.memory.buffer, at, 2 * left.length);
    for (let i = 0; i < left.length; ++i) {
      left[i] = mixed[2 * i] / 32768;
      right[i] = mixed[2 * i + 1] / 32768;
    }
  }
}

if (typeof registerProcessor === 'function') {
  class DemoMix extends AudioWorkletProcessor {
    constructor(options) {
      super();
      // The page's console is where a fault here shows.
      this.runner = new DemoMixRunner(options.processorOptions.mixModule, error => this.port.postMessage({ error }));
      this.port.onmessage = ({ data }) => this.runner.take(data);
    }

    process(inputs, outputs) {
      const [left, right] = outputs[0];
      this.runner.fill(left, right, currentTime);
      return true;
    }
  }
  registerProcessor('demo-mix', DemoMix);
}
