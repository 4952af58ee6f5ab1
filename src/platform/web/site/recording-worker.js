'use strict';
// The player's recording's warp fields for the run's seed, worked out off
// the page's thread (src/platform/web/recording_worker.cpp) and posted back
// one by one as { frame, field }, the field's bytes handed over; then
// { done: true }.
importScripts('recording-worker-wasm.js');
onmessage = async ({ data: { seed } }) => {
  const worker = await createRecordingWorker();
  worker._workerStart(seed);
  for (let frame; (frame = worker._workerNextField()) > 0;) {
    const field = worker.HEAPU8.slice(worker._workerField(), worker._workerField() + 640 * 480);
    postMessage({ frame, field }, [field.buffer]);
  }
  postMessage({ done: true });
  close();
};
