// The viewer's WebAssembly, carried in the page as hex and made into a
// module at once, so that the viewer can start within the page's reading,
// before its first paint. Hex keeps every character of the page within a
// byte, the text a browser decodes and parses fastest, and gzips a tenth
// larger than the binary (base64: nearly a third). Browsers that have
// Uint8Array.fromHex read it back natively; the loop is for the others.
function carriedWasm(hex) {
  return new WebAssembly.Module(Uint8Array.fromHex ? Uint8Array.fromHex(hex) : bytesOfHex(hex));
}

function bytesOfHex(hex) {
  const bytes = new Uint8Array(hex.length / 2);
  for (let i = 0; i < bytes.length; i++)
    bytes[i] = parseInt(hex.slice(2 * i, 2 * i + 2), 16);
  return bytes;
}
