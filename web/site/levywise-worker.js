'use strict';
// Checks a rate file off the page's main thread: { bytes, name } in, the
// refusal ({ title, message }) or null out.
importScripts('levywise.js');
const core = Promise.resolve(createLevywise());
onmessage = (event) => {
  core.then((m) => postMessage(m.checkRateFile(event.data.bytes, event.data.name)));
};
