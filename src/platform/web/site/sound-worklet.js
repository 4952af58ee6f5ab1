'use strict';
// The demo's speakers: plays the blocks of the mix that the page sends
// (interleaved 16-bit stereo, already at the context's 44.1 kHz), silence
// when none is queued, and tells the page how many frames it has played and
// the loudest sample so far.
class DemoMix extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.offset = 0;
    this.played = 0;
    this.peak = 0;
    this.quanta = 0;
    this.port.onmessage = event => this.blocks.push(event.data);
  }

  process(inputs, outputs) {
    const [left, right] = outputs[0];
    for (let i = 0; i < left.length; ++i) {
      while (this.blocks.length && this.offset >= this.blocks[0].length) {
        this.blocks.shift();
        this.offset = 0;
      }
      if (!this.blocks.length) {
        left[i] = right[i] = 0;
        continue;
      }
      const block = this.blocks[0];
      left[i] = block[this.offset] / 32768;
      right[i] = block[this.offset + 1] / 32768;
      this.peak = Math.max(this.peak, Math.abs(left[i]), Math.abs(right[i]));
      this.offset += 2;
      ++this.played;
    }
    if (++this.quanta % 8 === 0) this.port.postMessage({ played: this.played, peak: this.peak });
    return true;
  }
}

registerProcessor('demo-mix', DemoMix);
