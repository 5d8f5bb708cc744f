// The viewer's WebAssembly, carried in the page as base64 of its deflated
// bytes, made into a module at once. A browser's own DecompressionStream
// answers only once the page has been read and painted; inflated here, the
// viewer starts within the page's reading, before its first paint keeps the
// GPU busy, and a module this small compiles in a few milliseconds.

// Inflates a raw DEFLATE stream (RFC 1951) whose inflated size is known.
function inflate(deflated, size) {
  const output = new Uint8Array(size);
  let out = 0;
  let bit = 0;
  const bits = count => {
    let value = 0;
    for (let i = 0; i < count; i++, bit++)
      value |= (deflated[bit >> 3] >> (bit & 7) & 1) << i;
    return value;
  };

  // A canonical Huffman code, from its symbols' code lengths: how many codes
  // each length has, and the symbols in the order of their codes.
  const huffman = lengths => {
    const counts = new Uint16Array(16);
    lengths.forEach(length => counts[length]++);
    const next = new Uint16Array(16);
    for (let length = 2; length < 16; length++)
      next[length] = next[length - 1] + counts[length - 1];
    const symbols = new Uint16Array(lengths.length);
    lengths.forEach((length, symbol) => { if (length) symbols[next[length]++] = symbol; });
    return { counts, symbols };
  };
  const decode = ({ counts, symbols }) => {
    let code = 0, first = 0, index = 0;
    for (let length = 1; length < 16; length++) {
      code |= deflated[bit >> 3] >> (bit++ & 7) & 1;  // bits(1), inline: most of the time goes here
      if (code < first + counts[length])
        return symbols[index + code - first];
      index += counts[length];
      first = (first + counts[length]) << 1;
      code <<= 1;
    }
    throw new Error('the carried WebAssembly is damaged');
  };

  // Lengths 3..258 and distances 1..32768: a base and its count of extra bits.
  const extents = (count, first, extraBits) => {
    const extra = Array.from({ length: count }, (_, i) => extraBits(i));
    const base = [first];
    extra.forEach((bitCount, i) => base.push(base[i] + (1 << bitCount)));
    return { base, extra };
  };
  const lengthExtents = extents(29, 3, i => (i < 8 || i === 28 ? 0 : (i >> 2) - 1));
  lengthExtents.base[28] = 258;
  const distanceExtents = extents(30, 1, i => (i < 4 ? 0 : (i >> 1) - 1));
  const extent = ({ base, extra }, symbol) => base[symbol] + bits(extra[symbol]);

  const fixedCodes = () => [
    huffman(Array.from({ length: 288 }, (_, symbol) => (symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8))),
    huffman(new Array(30).fill(5)),
  ];
  const codeLengthOrder = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
  const dynamicCodes = () => {
    const literalCount = bits(5) + 257, distanceCount = bits(5) + 1, lengthCodeCount = bits(4) + 4;
    const lengthCodeLengths = new Array(19).fill(0);
    for (let i = 0; i < lengthCodeCount; i++)
      lengthCodeLengths[codeLengthOrder[i]] = bits(3);
    const lengthCode = huffman(lengthCodeLengths);
    const lengths = [];
    while (lengths.length < literalCount + distanceCount) {
      const symbol = decode(lengthCode);
      if (symbol < 16)
        lengths.push(symbol);
      else if (symbol === 16)
        lengths.push(...new Array(3 + bits(2)).fill(lengths[lengths.length - 1]));
      else
        lengths.push(...new Array(symbol === 17 ? 3 + bits(3) : 11 + bits(7)).fill(0));
    }
    return [huffman(lengths.slice(0, literalCount)), huffman(lengths.slice(literalCount))];
  };

  let last;
  do {
    last = bits(1);
    const type = bits(2);
    if (type === 0) {
      const start = (bit + 7 >> 3) + 4;  // past the byte boundary, LEN and NLEN
      const length = deflated[start - 4] | deflated[start - 3] << 8;
      output.set(deflated.subarray(start, start + length), out);
      out += length;
      bit = (start + length) * 8;
      continue;
    }
    const [literals, distances] = type === 1 ? fixedCodes() : dynamicCodes();
    for (let symbol = decode(literals); symbol !== 256; symbol = decode(literals)) {
      if (symbol < 256) {
        output[out++] = symbol;
        continue;
      }
      const length = extent(lengthExtents, symbol - 257);
      const distance = extent(distanceExtents, decode(distances));
      for (let i = 0; i < length; i++, out++)
        output[out] = output[out - distance];
    }
  } while (!last);
  return output;
}

function carriedWasm(base64, size) {
  const text = atob(base64);
  const deflated = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++)
    deflated[i] = text.charCodeAt(i);
  return new WebAssembly.Module(inflate(deflated, size));
}
