'use strict';
// Checks a rate file off the page's main thread: { bytes, name } in;
// { bytes, refusal } out, the refusal { title, message } or null.
importScripts('levywise.js');
const core = Promise.resolve(createLevywise());
onmessage = (event) => {
  const { bytes, name } = event.data;
  core.then((m) => postMessage({ bytes, refusal: m.checkRateFile(bytes, name) }, [bytes.buffer]));
};
