// SPDX-License-Identifier: MIT
// The page's first script: inflates the one block of data (the page's
// code, then the map, deflated and written in base 85) with the browser's
// own DecompressionStream, keeps the map's bytes for the code and runs the
// code as a module of its own. Nothing is fetched: the stream is piped in
// memory.

async function inflateBlock(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

async function boot() {
  const packed = await inflateBlock(decode85(document.getElementById('kestrin-data').textContent));
  performance.mark('kestrin-inflated');
  const length = (packed[0] | (packed[1] << 8) | (packed[2] << 16) | (packed[3] << 24)) >>> 0;
  if (length + 4 > packed.length) throw new Error('the page data is cut short');
  window.kestrinMapBytes = packed.subarray(4 + length);
  const code = document.createElement('script');
  code.type = 'module';
  code.textContent = new TextDecoder().decode(packed.subarray(4, 4 + length));
  document.head.append(code);
}

boot().catch((error) => {
  document.documentElement.setAttribute('data-state', 'failed');
  const note = document.createElement('p');
  note.className = 'failure';
  note.textContent = `The map could not be shown: ${error.message}`;
  document.body.append(note);
  throw error;
});
