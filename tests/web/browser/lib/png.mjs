// Reads the PNG files that velkaro-render writes: 8-bit RGB, not interlaced,
// each row under any of the five filters libpng may choose.
import { inflateSync } from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const BYTES_PER_PIXEL = 3;

function chunksOf(file) {
  if (!file.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG file');
  const chunks = [];
  for (let at = 8; at + 8 <= file.length; ) {
    const length = file.readUInt32BE(at);
    const type = file.toString('latin1', at + 4, at + 8);
    chunks.push({ type, data: file.subarray(at + 8, at + 8 + length) });
    at += 12 + length;
    if (type === 'IEND') break;
  }
  return chunks;
}

function paeth(left, up, upLeft) {
  const estimate = left + up - upLeft;
  const toLeft = Math.abs(estimate - left);
  const toUp = Math.abs(estimate - up);
  const toUpLeft = Math.abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  return toUp <= toUpLeft ? up : upLeft;
}

function unfilterRow(filter, row, previous) {
  for (let i = 0; i < row.length; ++i) {
    const left = i >= BYTES_PER_PIXEL ? row[i - BYTES_PER_PIXEL] : 0;
    const up = previous[i];
    const upLeft = i >= BYTES_PER_PIXEL ? previous[i - BYTES_PER_PIXEL] : 0;
    switch (filter) {
      case 0: break;
      case 1: row[i] = (row[i] + left) & 0xff; break;
      case 2: row[i] = (row[i] + up) & 0xff; break;
      case 3: row[i] = (row[i] + ((left + up) >> 1)) & 0xff; break;
      case 4: row[i] = (row[i] + paeth(left, up, upLeft)) & 0xff; break;
      default: throw new Error(`PNG row filter ${filter} does not exist`);
    }
  }
}

// Returns { width, height, rgb } with rgb a Buffer of width * height * 3 bytes.
export function decodeRgbPng(file) {
  const chunks = chunksOf(file);
  const header = chunks.find((chunk) => chunk.type === 'IHDR');
  if (!header) throw new Error('PNG file without IHDR');
  const width = header.data.readUInt32BE(0);
  const height = header.data.readUInt32BE(4);
  const [depth, colour, , , interlace] = header.data.subarray(8, 13);
  if (depth !== 8 || colour !== 2 || interlace !== 0)
    throw new Error(`PNG is not 8-bit RGB without interlace (depth ${depth}, colour ${colour}, interlace ${interlace})`);
  const packed = inflateSync(Buffer.concat(chunks.filter((c) => c.type === 'IDAT').map((c) => c.data)));
  const stride = width * BYTES_PER_PIXEL;
  if (packed.length !== height * (stride + 1))
    throw new Error(`PNG holds ${packed.length} bytes of rows, not ${height * (stride + 1)}`);
  const rgb = Buffer.alloc(height * stride);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const row = rgb.subarray(y * stride, (y + 1) * stride);
    packed.copy(row, 0, y * (stride + 1) + 1, (y + 1) * (stride + 1));
    unfilterRow(packed[y * (stride + 1)], row, previous);
    previous = row;
  }
  return { width, height, rgb };
}
